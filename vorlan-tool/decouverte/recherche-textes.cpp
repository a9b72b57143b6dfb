#include "decouverte/recherche-textes.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "lib/vorlan_tool_divers.h"

namespace Decouverte {

namespace {

// One string as decoding read it: its values up to the end code that closes it.
struct Chaine {
    long long debut = 0;
    long long apres = 0;          // the byte after its end code
    std::size_t connues = 0;
    std::size_t inconnues = 0;
    long long apres_inconnue = 0;  // the byte after its last unknown value (debut when none)
    std::size_t connues_apres_inconnue = 0;

    std::size_t valeurs() const { return connues + inconnues; }
    bool lisible() const { return valeurs() > 0 && inconnues * valeurs_par_inconnue <= valeurs(); }
};

class Lecteur {
public:
    Lecteur(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom, Demande_textes const& d,
            long long limite)
        : table_(table), rom_(rom), fins_(d.fins), limite_(limite) {
        // The longest end code first, so that "$FFFF" is not read as "$FF" when both are given.
        std::sort(fins_.begin(), fins_.end(), [](auto const& a, auto const& b) { return a.size() > b.size(); });
    }

    // The string from `debut`; nothing when no end code closes it before the limit.
    std::optional<Chaine> lire(long long debut) const {
        Chaine c;
        c.debut = debut;
        c.apres_inconnue = debut;
        long long q = debut;
        while (q < limite_) {
            std::size_t const code = fin_a(q);
            if (code > 0) {
                c.apres = q + static_cast<long long>(code);
                return c;
            }
            std::size_t longueur = 0;
            std::size_t const reste = static_cast<std::size_t>(limite_ - q);
            Extracteur::Texte_ext const* t = table_.plus_long(rom_.data() + q, reste, longueur);
            if (t != nullptr) {
                // A control code's parameters are raw bytes that belong to it.
                q += static_cast<long long>(std::min(reste, longueur + static_cast<std::size_t>(t->parametres)));
                ++c.connues;
                ++c.connues_apres_inconnue;
            } else {
                ++q;
                ++c.inconnues;
                c.apres_inconnue = q;
                c.connues_apres_inconnue = 0;
            }
        }
        return std::nullopt;
    }

    // The string's values as a script shows them, at most `longueur_d_apercu` of them.
    std::string apercu(long long debut) const {
        std::string texte;
        long long q = debut;
        for (std::size_t n = 0; n < longueur_d_apercu && q < limite_ && fin_a(q) == 0; ++n) {
            std::size_t longueur = 0;
            std::size_t const reste = static_cast<std::size_t>(limite_ - q);
            Extracteur::Texte_ext const* t = table_.plus_long(rom_.data() + q, reste, longueur);
            if (t != nullptr) {
                texte += t->texte;
                q += static_cast<long long>(longueur);
                // Parameters are written raw, as extraction writes them.
                for (int k = 0; k < t->parametres && q < limite_; ++k) texte += brut(q++);
            } else {
                texte += brut(q++);
            }
        }
        return Vorlan_tool::afficher_chaine(texte);
    }

private:
    std::string brut(long long q) const {
        char octet[8];
        std::snprintf(octet, sizeof octet, "<%02X>", rom_[static_cast<std::size_t>(q)]);
        return octet;
    }

    // The length of the end code that begins at q, 0 when none does.
    std::size_t fin_a(long long q) const {
        std::size_t const reste = static_cast<std::size_t>(limite_ - q);
        for (auto const& code : fins_)
            if (code.size() <= reste && std::equal(code.begin(), code.end(), rom_.begin() + q)) return code.size();
        return 0;
    }

    Extracteur::Table_ext const& table_;
    std::vector<unsigned char> const& rom_;
    std::vector<std::vector<unsigned char>> fins_;
    long long limite_;
};

}  // namespace

Textes_trouves chercher_textes(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                               Demande_textes const& demande) {
    Textes_trouves trouves;
    long long const taille = static_cast<long long>(rom.size());
    long long const limite = demande.fin < 0 ? taille : std::min(taille, demande.fin + 1);
    Lecteur const lecteur(table, rom, demande, limite);

    std::vector<Chaine> suite;
    long long tete = 0;
    bool rogne = false;
    long long illisible = -1;  // the start of the unreadable string just read, -1 when none
    auto clore = [&]() {
        if (!suite.empty() && suite.size() >= static_cast<std::size_t>(std::max(1, demande.minimum))) {
            Plage_de_textes plage;
            plage.debut = suite.front().debut;
            plage.tete = tete;
            plage.premier_rogne = rogne;
            plage.fin = suite.back().apres - 1;
            plage.premier = trouves.debuts.size();
            plage.nombre = suite.size();
            plage.apercu = lecteur.apercu(plage.debut);
            for (Chaine const& c : suite) trouves.debuts.push_back(c.debut);
            trouves.plages.push_back(std::move(plage));
        }
        suite.clear();
    };

    long long p = std::max(0LL, demande.debut);
    while (p < limite) {
        std::optional<Chaine> const lue = lecteur.lire(p);
        if (!lue) break;
        Chaine c = *lue;
        p = c.apres;
        if (c.lisible()) {
            if (suite.empty()) {
                tete = illisible >= 0 ? illisible : c.debut;
                rogne = false;
            }
            illisible = -1;
            suite.push_back(c);
            continue;
        }
        // A bare end code is padding; an unreadable string, what lies between texts. Either
        // ends the range. The text after an unreadable string may start inside it: at once
        // when its last values read, else the first string of the next range may.
        clore();
        illisible = -1;
        if (c.valeurs() == 0) continue;
        if (c.connues_apres_inconnue == 0) {
            illisible = c.debut;
            continue;
        }
        tete = c.debut;
        rogne = true;
        c.debut = c.apres_inconnue;
        c.connues = c.connues_apres_inconnue;
        c.inconnues = 0;
        suite.push_back(c);
    }
    clore();
    return trouves;
}

std::string apercu(Extracteur::Table_ext const& table, std::vector<unsigned char> const& rom,
                   Demande_textes const& demande, long long debut) {
    long long const taille = static_cast<long long>(rom.size());
    long long const limite = demande.fin < 0 ? taille : std::min(taille, demande.fin + 1);
    return Lecteur(table, rom, demande, limite).apercu(debut);
}

}  // namespace Decouverte
