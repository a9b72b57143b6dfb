#include "rom_generee.h"

#include <cstdio>
#include <random>
#include <vector>

namespace {

// 01..DF: one byte each (letters, punctuation, syllables); E0..EF followed by any byte: two-byte
// dictionary words; F0..FE: control codes shown as marks; 00: end of sentence.
std::string table_caracteres() {
    std::string table = "00=<FIN>\\n\n0A=\\n\n";
    char ligne[64];
    for (int b = 0x01; b <= 0xDF; ++b) {
        if (b == 0x0A) continue;
        if (b >= 0x20 && b < 0x7F)
            std::snprintf(ligne, sizeof ligne, "%02X=%c\n", b, b);
        else
            std::snprintf(ligne, sizeof ligne, "%02X=s%02x\n", b, b);
        table += ligne;
    }
    for (int prefixe = 0xE0; prefixe <= 0xE3; ++prefixe)
        for (int b = 0; b < 64; ++b) {
            std::snprintf(ligne, sizeof ligne, "%02X%02X=mot%02X%02X\n", prefixe, b, prefixe, b);
            table += ligne;
        }
    for (int b = 0xF0; b <= 0xFE; ++b) {
        std::snprintf(ligne, sizeof ligne, "%02X=<C%02X>\n", b, b);
        table += ligne;
    }
    return table;
}

}  // namespace

Rom_generee generer_rom(int octets_texte, int nombre_pointeurs, unsigned graine) {
    std::mt19937 hasard(graine);
    Rom_generee r;
    r.table = table_caracteres();
    r.adresse = 0x200;
    r.nombre = nombre_pointeurs;
    r.debut = r.adresse + nombre_pointeurs * Rom_generee::taille;
    r.fin = r.debut + octets_texte - 1;

    // Sentences of random length; the last byte of each is the end code.
    std::vector<int> departs;
    std::string texte;
    texte.reserve(static_cast<std::size_t>(octets_texte));
    int const longueur_moyenne = octets_texte / nombre_pointeurs;
    while (static_cast<int>(texte.size()) < octets_texte) {
        departs.push_back(static_cast<int>(texte.size()));
        int const longueur = longueur_moyenne / 2 + static_cast<int>(hasard() % static_cast<unsigned>(longueur_moyenne));
        for (int i = 0; i < longueur - 1 && static_cast<int>(texte.size()) < octets_texte - 1; ++i) {
            unsigned const tirage = hasard() % 100;
            if (tirage < 70) {
                texte += static_cast<char>(0x61 + hasard() % 26);
            } else if (tirage < 85) {
                texte += ' ';
            } else if (tirage < 95) {
                texte += static_cast<char>(0xE0 + hasard() % 4);  // two-byte word, or an unknown pair
                texte += static_cast<char>(hasard() % 80);
                ++i;
            } else {
                texte += static_cast<char>(0xF0 + hasard() % 16);  // FF is unknown to the table
            }
        }
        texte += '\0';
    }
    texte.resize(static_cast<std::size_t>(octets_texte));

    r.rom.assign(static_cast<std::size_t>(r.debut), '\0');
    for (int i = 0; i < nombre_pointeurs; ++i) {
        int const cible = departs[static_cast<std::size_t>(i) % departs.size()] + r.debut;
        unsigned const valeur = static_cast<unsigned>(cible);
        for (int k = 0; k < Rom_generee::taille; ++k)
            r.rom[static_cast<std::size_t>(r.adresse + i * Rom_generee::taille + k)] = static_cast<char>(valeur >> (8 * k));
    }
    r.rom += texte;
    r.rom.append(0x100, '\xFF');
    return r;
}
