#pragma once
#include <string>

// A generated game ROM for measuring extraction: a text range of encoded sentences with its
// table of 3-byte little-endian pointers (HighRom addresses, formula "X-$C00000"), and a
// character table of a few hundred entries, one-byte and two-byte keys mixed.
struct Rom_generee {
    std::string rom;
    std::string table;  // the character table file's content
    int debut = 0;      // text range, inclusive
    int fin = 0;
    int adresse = 0;    // pointer table
    int nombre = 0;
    static constexpr int taille = 3;
    static constexpr char const* formule = "X";
    static constexpr bool ordre = true;
};

// `octets_texte` bytes of text, cut into `nombre_pointeurs` sentences that each end with the
// byte 00; the same seed gives the same ROM.
Rom_generee generer_rom(int octets_texte, int nombre_pointeurs, unsigned graine);
