#include "tables/ligne-bascule.h"

#include <cctype>

namespace Fichier_table {

namespace {

// A count longer than this is no count a game holds.
constexpr std::size_t chiffres_max = 5;

bool hexadecimal(std::string_view texte) {
    if (texte.empty()) return false;
    for (char c : texte)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool decimal(std::string_view texte) {
    if (texte.empty() || texte.size() > chiffres_max) return false;
    for (char c : texte)
        if (c < '0' || c > '9') return false;
    return true;
}

// One ",<@name>:N" at the start of `reste`, taken off it.
std::optional<Bascule_lue> lire_une(std::string_view& reste) {
    static constexpr std::string_view ouverture = ",<@";
    if (reste.substr(0, ouverture.size()) != ouverture) return std::nullopt;
    reste.remove_prefix(ouverture.size());
    std::size_t const fermeture = reste.find(">:");
    if (fermeture == std::string_view::npos || !nom_de_table(reste.substr(0, fermeture))) return std::nullopt;
    Bascule_lue b;
    b.table = std::string(reste.substr(0, fermeture));
    reste.remove_prefix(fermeture + 2);
    std::size_t fin = reste.find(',');
    if (fin == std::string_view::npos) fin = reste.size();
    std::string_view const n = reste.substr(0, fin);
    reste.remove_prefix(fin);
    if (n == "-1") {
        b.duree = Duree::aussitot;
    } else if (n.substr(0, 1) == "$" && hexadecimal(n.substr(1))) {
        b.duree = Duree::jusqu_au_code;
        b.retour = std::string(n.substr(1));
    } else if (decimal(n)) {
        b.nombre = std::stoi(std::string(n));
        b.duree = b.nombre == 0 ? Duree::tant_que_connu : Duree::nombre;
    } else {
        return std::nullopt;
    }
    return b;
}

}  // namespace

bool nom_de_table(std::string_view nom) {
    if (nom.empty()) return false;
    for (char c : nom)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') return false;
    return true;
}

std::optional<Ligne_bascule> lire_bascule(std::string_view ligne) {
    std::size_t const egal = ligne.find('=');
    if (ligne.substr(0, 1) != "!" || egal == std::string_view::npos || !hexadecimal(ligne.substr(1, egal - 1)))
        return std::nullopt;
    std::string_view const droite = ligne.substr(egal + 1);
    std::size_t const premiere = droite.find(",<@");
    if (premiere == std::string_view::npos) return std::nullopt;
    Ligne_bascule l;
    l.hexa = std::string(ligne.substr(1, egal - 1));
    l.etiquette = std::string(droite.substr(0, premiere));
    std::string_view reste = droite.substr(premiere);
    while (!reste.empty()) {
        std::optional<Bascule_lue> b = lire_une(reste);
        if (!b) return std::nullopt;
        l.bascules.push_back(std::move(*b));
    }
    return l;
}

bool forme_non_prise_en_charge(std::string_view ligne) {
    std::string_view const cle = ligne.substr(0, ligne.find('='));
    if (cle.substr(0, 1) == "%") return true;
    std::size_t k = 0;
    while (k < cle.size() && std::isxdigit(static_cast<unsigned char>(cle[k]))) ++k;
    return k > 0 && cle.substr(k, 1) == "<";
}

}  // namespace Fichier_table
