#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "insertion/encodage.h"

namespace Jeu {

// One text of a game's script on its way into the ROM.
struct Texte_jeu {
    Insereur::Texte_encode const* encode = nullptr;
    std::vector<int> pointeurs;  // the numbers whose last tag is here
    int plage = -1;              // the range it opens, put back at its start
    int copie_de = -1;           // stored once: the index of the text holding its bytes
    int prefixe = 0;             // the prefix of its strings when they carry their length
    bool renvoi_perdu = false;   // left out: a reference of it names a text without place
    std::optional<long long> position;

    long long taille() const { return static_cast<long long>(encode->octets.size()); }
};

// The numbers a tag may carry: the groups' pointers 1 to `groupes`, then the numbers past them
// that references of the script name (the embedded pointers), each given an index after the
// groups' so that tables of every number stay small.
class Numeros {
public:
    Numeros(int groupes, std::vector<Insereur::Encodage> const& encodages);

    int groupes() const { return groupes_; }
    // Indices run from 1 to total().
    std::size_t total() const { return static_cast<std::size_t>(groupes_) + au_dela_.size(); }
    std::optional<std::size_t> indice(int n) const;

private:
    int groupes_;
    std::vector<int> au_dela_;  // sorted, each once
};

}  // namespace Jeu
