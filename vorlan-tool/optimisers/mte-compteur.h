#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "optimisers/mte.h"

namespace MTE {

// The candidates of a cleaned text: every substring of a line from rom_size + 1 to max_length
// bytes, counted once per start position (overlapping occurrences all count).
//
// Counting them all again after each word, as a plain search does, costs minutes on a whole
// game script. Here they are counted once, in a hash table over the text as it was first given,
// and removing a word only takes off the candidates that touch its occurrences or the pieces
// left too short to stay. Counts therefore only ever go down, so a heap ranked by scores seen
// earlier still gives the exact order once each entry found out of date is ranked again.
class Compteur {
public:
    Compteur(std::string const& texte, int taille_max, int taille_rom);

    // Starts a pass. When a score could exceed 32 bits (and so wrap and grow again), the whole
    // ranking is rebuilt from the current counts.
    void nouvelle_passe();
    // Hands out the next candidate of the pass: highest score first, then ascending bytes.
    // False when no candidate is left.
    bool meilleur(word_t& mot);
    // Puts back the last candidate handed out, so that a later pass sees it again.
    void remettre();
    // Takes the word out of the text as CleanWord does, with the candidates that go with it.
    void retirer(std::string const& mot);

private:
    // One distinct candidate: where its bytes were first seen, how often it occurs now.
    struct Entree {
        std::uint32_t position;
        std::uint32_t apparitions;
        std::uint16_t longueur;  // 0 marks a free slot
        std::uint16_t empreinte;
    };
    struct Rang {
        std::uint32_t score;
        std::uint32_t entree;
    };

    void compter_ligne(std::size_t debut, std::size_t fin);
    void ajouter(std::size_t position, std::size_t longueur, std::uint64_t hache);
    void decompter(std::size_t position, std::size_t longueur, std::uint64_t hache);
    void agrandir();
    std::size_t trouver(std::size_t position, std::size_t longueur, std::uint64_t hache) const;
    bool memes_octets(Entree const& e, std::size_t position, std::size_t longueur) const;
    std::uint32_t score(Entree const& e) const;
    bool moins_bon(Rang const& a, Rang const& b) const;
    void classer();
    // Drops the dead intervals [debut, fin) of the line [a, b) and every candidate of the line
    // that touches one of them.
    void oter(std::size_t a, std::size_t b, std::vector<std::pair<std::size_t, std::size_t>> const& morts);

    std::string texte_;                  // the text as first given; never changes
    std::vector<unsigned char> vivant_;  // 1 for each byte still in the text; line ends are 0
    std::size_t longueur_min_;
    std::size_t longueur_max_;
    std::uint32_t taille_rom_;
    bool peut_deborder_;
    std::vector<Entree> table_;
    std::size_t occupees_ = 0;
    std::vector<Rang> tas_;
    Rang dernier_{0, 0};
};

}  // namespace MTE
