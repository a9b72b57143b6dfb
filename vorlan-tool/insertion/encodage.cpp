#include "insertion/encodage.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "insertion/caractere-inconnu.h"
#include "lib/vorlan_tool_divers.h"

namespace Insereur {

using Vorlan_tool::longueur_balise;

namespace {

// The look-ahead window for table texts is never narrower than 10 characters; pointer tags
// are read whole, whatever their number of digits.
constexpr std::size_t fenetre_minimale = 10;

// Length of the reference "<#PT" digits ">" that begins the `disponible` characters from
// `debut`, 0 when none does; its number in `numero`, large ones taken as the largest int.
std::size_t longueur_renvoi(char const* debut, std::size_t disponible, int& numero) {
    constexpr std::size_t ouverture = 4;
    if (disponible <= ouverture || std::memcmp(debut, "<#PT", ouverture) != 0) return 0;
    long long valeur = 0;
    std::size_t fin = ouverture;
    for (; fin < disponible && debut[fin] >= '0' && debut[fin] <= '9'; ++fin)
        valeur = std::min<long long>(valeur * 10 + (debut[fin] - '0'), INT_MAX);
    if (fin == ouverture || fin >= disponible || debut[fin] != '>') return 0;
    numero = static_cast<int>(valeur);
    return fin + 1;
}

// Where a reference may come: after which code, and how many parameter bytes before it.
struct Attente {
    std::size_t code = 0;
    int restant = -1;  // negative: no code waits for its pointer
};

void suivre(Attente& attente, std::vector<Code_a_renvoi> const& codes, unsigned char const* octets, std::size_t n) {
    if (attente.restant >= 0) {
        attente.restant -= static_cast<int>(n);
        return;
    }
    for (std::size_t c = 0; c < codes.size(); ++c)
        if (codes[c].code.size() == n && std::equal(octets, octets + n, codes[c].code.begin())) {
            attente = {c, codes[c].position};
            return;
        }
}

}  // namespace

std::size_t Texte_encode::coupure(std::size_t place) const {
    if (place >= octets.size()) return octets.size();
    // The last long entry that starts before the cut: the cut falls inside it or after it.
    auto apres = std::upper_bound(longues.begin(), longues.end(), place,
                                  [](std::size_t p, Entree_longue const& e) { return p < e.debut + 1; });
    if (apres == longues.begin()) return place;
    Entree_longue const& e = *(apres - 1);
    return e.debut + e.taille > place ? e.debut : place;
}

void Texte_encode::ajouter(unsigned char const* code, std::size_t taille) {
    if (taille > 1) longues.push_back({octets.size(), taille});
    octets.insert(octets.end(), code, code + taille);
}

Texte_encode& Encodage::apres_balise(int numero) {
    Texte_encode* texte = &textes.back();
    if (!texte->octets.empty() || !texte->rapports.empty()) texte = &textes.emplace_back();
    texte->pointeurs.push_back(numero);
    return *texte;
}

Encodage encoder(std::string const& script, Table_ins const& table, std::vector<Code_a_renvoi> const& codes) {
    Encodage encodage;
    encodage.textes.emplace_back();
    std::size_t const largeur = std::max(static_cast<std::size_t>(table.taille_max()), fenetre_minimale);
    char const* const s = script.data();
    std::size_t const longueur = script.size();
    std::size_t p = 0;
    Attente attente;
    while (p < longueur) {
        Texte_encode* texte = &encodage.textes.back();
        int renvoi = 0;
        std::size_t const reference = attente.restant == 0 ? longueur_renvoi(s + p, longueur - p, renvoi) : 0;
        if (reference != 0) {
            Code_a_renvoi const& code = codes[attente.code];
            std::size_t const taille = static_cast<std::size_t>(code.taille);
            if (taille > 1) texte->longues.push_back({texte->octets.size(), taille});
            texte->renvois.push_back({texte->octets.size(), renvoi, attente.code});
            texte->octets.insert(texte->octets.end(), taille, 0);
            attente = Attente{};
            p += reference;
            continue;
        }
        std::size_t const disponible = std::min(largeur, longueur - p);
        std::size_t trouve = 0;
        Nb_ext_ins const* code = table.plus_long(s + p, disponible, trouve);
        int numero = 0;
        std::size_t const balise = longueur_balise(s + p, longueur - p, numero);
        if (balise != 0 && balise >= trouve) {
            encodage.apres_balise(numero);
            attente = Attente{};
            p += balise;
        } else if (code != nullptr) {
            std::size_t const octets = static_cast<std::size_t>(code->taille());
            texte->ajouter(code->octets(), octets);
            if (!codes.empty()) suivre(attente, codes, code->octets(), octets);
            p += trouve;
        } else {
            texte->rapports.push_back(caractere_inconnu(s + p, disponible));
            ++p;
        }
    }
    return encodage;
}

}  // namespace Insereur
