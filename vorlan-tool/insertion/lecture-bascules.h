#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "extraction/pile-tables.h"
#include "tables/extracteur-bascules.h"

namespace Insereur {

// What extraction makes of the bytes an encoder has chosen so far, for tables that switch:
// the decoder's stack after the units it can already read, the bytes it cannot read yet (a
// longer key, a return code or a control code's parameters could still begin with them, so
// the next bytes decide), and the text those bytes must read as. Two encodings that reach the
// same state read the same from there on, whatever comes next.
struct Etat_lecture {
    std::vector<Extracteur::Pile_tables::Niveau> niveaux;
    std::string attente;
    std::string attendu;
};

class Lecture_bascules {
public:
    static constexpr std::uint32_t depart = 0;

    Lecture_bascules(Extracteur::Tables_ext const& tables, bool fins);

    // Adds `octets`, which must read as `ecrit`, to the state numbered `etat`, and reads on as
    // far as the bytes tell, or to the end with `tout` (the text ends there); the new state's
    // number in `apres`, false when the bytes read back as other text.
    bool suivant(std::uint32_t etat, std::string const& octets, std::string const& ecrit, bool tout,
                 std::uint32_t& apres);

    Etat_lecture const& etat(std::uint32_t numero) const { return etats_[numero]; }

private:
    bool lire(Etat_lecture& etat, bool tout);
    bool lisible(std::vector<Extracteur::Pile_tables::Niveau> const& niveaux, unsigned char const* octets,
                 std::size_t disponible) const;
    std::uint32_t numero(Etat_lecture&& etat);

    Extracteur::Tables_ext const& tables_;
    bool fins_;
    Extracteur::Pile_tables pile_;
    std::string ecrit_;
    std::string cle_;
    std::vector<Etat_lecture> etats_;
    std::unordered_map<std::string, std::uint32_t> numeros_;
};

}  // namespace Insereur
