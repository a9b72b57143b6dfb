#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ROM pairs the patch tests share: each shape an encoder must handle, built in memory.
namespace paires {

using Octets = std::vector<unsigned char>;

Octets aleatoires(std::size_t taille, std::uint32_t graine);
// Words of a small vocabulary drawn at random, with spaces and line breaks.
Octets texte(std::size_t taille, std::uint32_t graine, int mots = 200);
Octets octets(std::string const& texte);

struct Paire {
    std::string nom;
    Octets original;
    Octets modifie;
};

// Identical, empty on either side, scattered changes, shorter, longer with a zero tail, a long
// run, every byte different over more than one record, rewritten text, moved blocks, repeated
// output, and changes around offset 0x454F46.
std::vector<Paire> variees();

// Small random pairs: a buffer and a copy with bytes changed, runs written, pieces inserted,
// deleted or moved, and its end cut or extended.
std::vector<Paire> aleatoires_petites(int nombre, std::uint32_t graine);

}  // namespace paires
