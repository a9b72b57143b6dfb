#pragma once
#include <cstdint>

// The program's own small text class: one exact-fit heap copy of a text and its length.
// Two Strings never share a buffer; every modification reallocates.
class String {
public:
    String();
    String(char const* text);  // NOLINT: converting on purpose, like the texts it replaces
    String(String const& other);
    ~String();

    String& operator=(String const& other);
    String& operator=(char const* text);

    char const* data() const { return text_; }
    std::uint32_t length() const { return length_; }

    // Out of range (negative indices included) reads as 0.
    int operator[](int index) const;
    // Out of range refers to one shared spare character, so no String is ever changed by it.
    char& operator[](int index);

    String operator+(String const& other) const;
    String operator+(char const* text) const;
    void operator+=(String const& other);
    void operator+=(char const* text);

    // Byte order of the texts (unsigned bytes, a proper prefix first); lengths play no part.
    bool operator==(String const& other) const;
    bool operator!=(String const& other) const;
    bool operator<(String const& other) const;
    bool operator>(String const& other) const;
    bool operator<=(String const& other) const;
    bool operator>=(String const& other) const;

private:
    std::uint32_t length_;
    char* text_;
};

String operator+(char const* text, String const& s);
