#pragma once
#include <string>
#include <vector>

// The key side of a character table entry: the one or more ROM bytes that encode one text
// item. Keys sort by length first, then byte by byte as unsigned values, so every map keyed
// by them lists the one-byte keys first.
class Nb_ext_ins {
public:
    Nb_ext_ins() = default;
    // Hexadecimal text, two digits per byte, upper or lower case; an odd count makes the first
    // digit a byte of its own ("ABC" is 0A BC). A group holding anything but hex digits is the
    // byte 0: the text is taken literally, with no prefix or separator.
    explicit Nb_ext_ins(unsigned char const* hexa);
    // A copy of `nombre` raw bytes.
    Nb_ext_ins(unsigned char const* octets, int nombre);

    // Replaces the key by the one the hexadecimal text describes (same rules as above).
    Nb_ext_ins& operator=(unsigned char const* hexa);

    bool operator<(Nb_ext_ins const& autre) const;
    bool operator==(Nb_ext_ins const& autre) const;

    // The byte at `index` (0..255); the index must be below taille().
    int operator[](int index) const { return octets_[static_cast<std::size_t>(index)]; }
    int taille() const { return static_cast<int>(octets_.size()); }
    // The key's bytes, taille() of them (for writing them into a ROM).
    unsigned char const* octets() const { return octets_.data(); }
    // The key in upper-case hexadecimal, two digits per byte, no separator (0A BC is "0ABC").
    std::string hexa() const;

private:
    std::vector<unsigned char> octets_;
};
