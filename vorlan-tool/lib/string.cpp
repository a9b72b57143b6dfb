#include "lib/string.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Exact-fit buffer of `length` + 1 bytes from the C allocator.
char* allouer(std::uint32_t length)
{
    char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
    if (buffer == nullptr)
        throw std::bad_alloc();
    return buffer;
}

char* copier(char const* text, std::uint32_t length)
{
    char* buffer = allouer(length);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return buffer;
}

// A String without a buffer reads as the empty text.
char const* texte(char const* data)
{
    return data == nullptr ? "" : data;
}

char* concatener(char const* gauche, std::uint32_t longueur_gauche, char const* droite,
                 std::uint32_t longueur_droite)
{
    char* buffer = allouer(longueur_gauche + longueur_droite);
    std::memcpy(buffer, gauche, longueur_gauche);
    std::memcpy(buffer + longueur_gauche, droite, longueur_droite);
    buffer[longueur_gauche + longueur_droite] = '\0';
    return buffer;
}

int comparer(char const* a, char const* b)
{
    // strcmp compares as unsigned char, which is the byte order the tables sort by.
    return std::strcmp(texte(a), texte(b));
}

}  // namespace

String::String() : length_(0), text_(nullptr) {}

String::String(char const* text) : length_(0), text_(nullptr)
{
    if (text != nullptr) {
        length_ = static_cast<std::uint32_t>(std::strlen(text));
        text_ = copier(text, length_);
    }
}

String::String(String const& other) : length_(0), text_(nullptr)
{
    if (other.text_ != nullptr) {
        text_ = copier(other.text_, other.length_);
        length_ = other.length_;
    }
}

String::~String()
{
    std::free(text_);
}

String& String::operator=(String const& other)
{
    if (other.text_ == nullptr) {
        std::free(text_);
        text_ = nullptr;
        length_ = 0;
    } else if (text_ != other.text_) {
        char* copie = copier(other.text_, other.length_);
        std::free(text_);
        text_ = copie;
        length_ = other.length_;
    }
    return *this;
}

String& String::operator=(char const* text)
{
    char* copie = nullptr;
    std::uint32_t longueur = 0;
    if (text != nullptr) {
        longueur = static_cast<std::uint32_t>(std::strlen(text));
        copie = copier(text, longueur);
    }
    std::free(text_);
    text_ = copie;
    length_ = longueur;
    return *this;
}

int String::operator[](int index) const
{
    if (static_cast<std::uint32_t>(index) < length_)
        return static_cast<signed char>(text_[index]);
    return 0;
}

char& String::operator[](int index)
{
    // Every out-of-range write lands here, so no String is changed by it.
    static char pouf = 0;
    if (static_cast<std::uint32_t>(index) < length_)
        return text_[index];
    return pouf;
}

String String::operator+(String const& other) const
{
    String resultat;
    resultat.text_ = concatener(texte(text_), length_, texte(other.text_), other.length_);
    resultat.length_ = length_ + other.length_;
    return resultat;
}

String String::operator+(char const* text) const
{
    char const* droite = texte(text);
    std::uint32_t longueur = static_cast<std::uint32_t>(std::strlen(droite));
    String resultat;
    resultat.text_ = concatener(texte(text_), length_, droite, longueur);
    resultat.length_ = length_ + longueur;
    return resultat;
}

void String::operator+=(String const& other)
{
    char* nouveau = concatener(texte(text_), length_, texte(other.text_), other.length_);
    std::free(text_);
    text_ = nouveau;
    length_ += other.length_;
}

void String::operator+=(char const* text)
{
    char const* droite = texte(text);
    std::uint32_t longueur = static_cast<std::uint32_t>(std::strlen(droite));
    char* nouveau = concatener(texte(text_), length_, droite, longueur);
    std::free(text_);
    text_ = nouveau;
    length_ += longueur;
}

bool String::operator==(String const& other) const { return comparer(text_, other.text_) == 0; }
bool String::operator!=(String const& other) const { return comparer(text_, other.text_) != 0; }
bool String::operator<(String const& other) const { return comparer(text_, other.text_) < 0; }
bool String::operator>(String const& other) const { return comparer(text_, other.text_) > 0; }
bool String::operator<=(String const& other) const { return comparer(text_, other.text_) <= 0; }
bool String::operator>=(String const& other) const { return comparer(text_, other.text_) >= 0; }

String operator+(char const* text, String const& s)
{
    return String(text) + s;
}
