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

error::error(char const* message) : message_(dupliquer(message)) {}

error::error() : message_(nullptr) {}

error::error(error const& other) : message_(dupliquer(other.message_)) {}

error::~error()
{
    std::free(message_);
}

char const* error::read_error() const
{
    return message_;
}
