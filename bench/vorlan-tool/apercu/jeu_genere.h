#pragma once
#include <string>

// A game to preview: a ROM with a 12 × 12 font of codes 0x20 to 0x7F at `adresse_police`, its
// character table, a line-break table of proportional widths, and a script of about `taille`
// bytes: blocks of two to four boxes of three lines of words, some lines too wide, some boxes
// too full, some lines centred.
struct Jeu_genere {
    static constexpr long long adresse_police = 0x8000;
    std::string rom;
    std::string table;
    std::string largeurs;
    std::string script;
};

Jeu_genere generer_jeu(std::size_t taille, unsigned graine);
