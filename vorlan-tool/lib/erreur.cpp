#include "lib/erreur.h"

#include <cstdlib>
#include <cstring>

namespace {

// The copy is made with the C library's duplication so that free releases it.
char* dupliquer(char const* message)
{
    return message == nullptr ? nullptr : strdup(message);
}

}  // namespace

error::error(char const* message)
    : message_(dupliquer(message)), rapport_(Message::texte_brut, {message == nullptr ? "" : message})
{
}

error::error(Rapport const& rapport) : message_(dupliquer(formater(rapport).c_str())), rapport_(rapport) {}

error::error() : error(nullptr) {}

error::error(error const& other) : message_(dupliquer(other.message_)), rapport_(other.rapport_) {}

error::~error()
{
    std::free(message_);
}

char const* error::read_error() const
{
    return message_;
}
