#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ROM pairs as translators make them, generated from fixed seeds.
using Octets = std::vector<unsigned char>;

// Text made of words drawn at random from a vocabulary of `mots` words (made of syllables, in
// Latin-1), separated by spaces and punctuation, sentences starting with a capital, lines of
// about 40 characters.
Octets texte_genere(std::size_t taille, int mots, std::uint32_t graine);

struct Paire {
    Octets original;
    Octets modifie;
    std::size_t texte_nouveau;  // bytes of new text in `modifie`, what the patch is measured against; 0 for fixes
};

// A 2 MiB ROM of 1 MiB of code and 1 MiB of text, whose text is rewritten with another
// vocabulary of 300 words.
Paire paire_traduite();
// The same ROM with `corrections` single bytes changed here and there.
Paire paire_corrigee(int corrections);
// The same ROM expanded to 4 MiB: its code, 1 MiB of new text, its old text moved after it,
// then 1 MiB of 0xFF.
Paire paire_agrandie();
