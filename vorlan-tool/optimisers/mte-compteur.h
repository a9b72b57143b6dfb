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
// game script, and holding them all at once costs tens of bytes per script byte. Here the text
// is sorted once into a suffix array: the starts of one candidate are a run of it, and a run
// ends where two neighbours share fewer bytes (their common start, kept a byte each). One walk
// of the array gives every candidate with its count, and only those scoring at least a
// threshold are held, in a hash table of about a thousand (the threshold is chosen so): few
// enough that the look-ups of a removal stay in the caches. Removing a word finds its
// occurrences in the array and only takes off the held candidates that touch them or the
// pieces left too short to stay. Counts therefore only ever go down: a candidate not held
// stays below the threshold, and a heap ranked by scores seen earlier still gives the exact
// order once each entry found out of date is ranked again. When the best held candidate falls
// below the threshold, another walk counts what is left (the starts whose bytes are all still
// in the text) and holds the candidates above a lower threshold.
class Compteur {
public:
    // Takes the text over; texte_restant gives it back as it is left. `part` is how many
    // candidates the table holds where it can; 0 for the usual 1,024.
    Compteur(std::string texte, int taille_max, int taille_rom, std::size_t part = 0);

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
    // The text as CleanWord leaves it after the words taken out so far.
    std::string texte_restant() const;

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

    // The starts of the word's occurrences whose bytes are all still in the text, in order.
    std::vector<std::size_t> occurrences(std::string const& mot) const;
    // Calls f(position, length, occurrences) for every candidate still in the text.
    template <typename F>
    void parcourir(F&& f) const;
    // Holds the candidates scoring above the best of those left out (or, where ties with it would
    // leave too few, at least it), as many as the table's share allows where it can; the new
    // threshold is below the current one.
    void charger();
    void inserer(std::size_t position, std::size_t longueur, std::uint32_t apparitions);
    void decompter(std::size_t position, std::size_t longueur, std::uint64_t hache);
    // The slot of the candidate whose hash, once spread, is `h`; introuvable when not held.
    std::size_t trouver(std::size_t position, std::size_t longueur, std::uint64_t h) const;
    bool memes_octets(Entree const& e, std::size_t position, std::size_t longueur) const;
    // Bytes equal from the text's offsets a and b, at most `borne`.
    std::size_t longueur_commune(std::size_t a, std::size_t b, std::size_t borne) const;
    std::uint32_t score(Entree const& e) const;
    bool moins_bon(Rang const& a, Rang const& b) const;
    void classer();
    // Drops the dead intervals [debut, fin) of the line [a, b) and every candidate of the line
    // that touches one of them.
    void oter(std::size_t a, std::size_t b, std::vector<std::pair<std::size_t, std::size_t>> const& morts);

    std::string texte_;                  // the text as first given; never changes
    // For each byte, how many from it on are still in the text, at most 255; 0 for those gone
    // and for line ends.
    std::vector<unsigned char> vie_;
    std::size_t longueur_min_;
    std::size_t longueur_max_;
    std::uint32_t taille_rom_;
    bool peut_deborder_;
    std::vector<std::int32_t> suffixes_;  // the starts of the text in the order of their bytes
    std::vector<unsigned char> commun_;   // bytes each shares with the one before, at most 255
    std::size_t part_;                    // how many candidates the table holds where it can
    std::uint32_t seuil_ = 0;             // every candidate not held scores less
    std::vector<Entree> table_;
    std::vector<std::uint64_t> filtre_;  // a bit for each hash a held candidate may have
    std::vector<std::pair<std::size_t, std::size_t>> donnes_;  // position and length of this pass's words
    std::vector<Rang> tas_;
    Rang dernier_{0, 0};
};

}  // namespace MTE
