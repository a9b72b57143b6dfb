#include "disposition_de_test.h"

#include <gtest/gtest.h>

#include "extraction/extracteur.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/extraction-jeu.h"
#include "jeu/marques.h"
#include "lib/vorlan_tool_divers.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"

namespace essai_jeu {

namespace {

std::string faire_table() {
    std::string t = "00=#\n$F5=<SAUT>,2\n$F6=<MENU>,3\n*FE=<BR>\n";
    char ligne[8];
    for (char c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", static_cast<unsigned>(c), c);
        t += ligne;
    }
    return t;
}

// A small generator of its own, so that the layout is the same on every machine.
struct Hasard {
    unsigned etat = 12345;
    unsigned suivant(unsigned borne) {
        etat = etat * 1103515245u + 12345u;
        return (etat >> 16) % borne;
    }
};

std::string mot(Hasard& h, unsigned minimum, unsigned maximum) {
    std::string m;
    unsigned const n = minimum + h.suivant(maximum - minimum + 1);
    for (unsigned k = 0; k < n; ++k) m += static_cast<char>('A' + h.suivant(26));
    return m + "#";
}

Jeu::Groupe suite(long long adresse, int nombre, int taille, long long pas, char const* ext, char const* ins) {
    Jeu::Groupe g;
    g.adresse = adresse;
    g.nombre = nombre;
    g.taille = taille;
    g.pas = pas;
    g.formule_ext = ext;
    g.formule_ins = ins;
    return g;
}

}  // namespace

std::string const table = faire_table();

Jeu_de_test construire() {
    Jeu_de_test j;
    j.rom.assign(0x40000, 0xEE);
    Jeu::Description& d = j.description;
    // Pointers 1-120: two bytes in four, the other two belonging to other data.
    d.groupes.push_back(suite(0x8000, 120, 2, 4, "X+$10000", "X-$10000"));
    // 121-160: a profile of three bytes with its ROM shifted by $200.
    Jeu::Groupe lowrom = suite(0x9000, 40, 3, 3, "(X/$10000)*$8000+X%$8000+$200-$0", "((X/$8000)*$10000)+(X%$8000)+$8000");
    lowrom.decalage_ins = -0x200;
    d.groupes.push_back(lowrom);
    // 161-288: split in three byte tables, relative to their slot.
    Jeu::Groupe eclate;
    eclate.disposition = Jeu::Disposition::eclate;
    eclate.octets = {0x9800, 0x9880, 0x9900};
    eclate.nombre = 128;
    eclate.taille = 3;
    eclate.pas = 1;
    eclate.formule_ext = "X+P";
    eclate.formule_ins = "X-P";
    d.groupes.push_back(eclate);
    // 289-291: three slots scattered in the ROM.
    Jeu::Groupe liste;
    liste.disposition = Jeu::Disposition::liste;
    liste.liste = {0x1234, 0x5678, 0x9ABC};
    liste.nombre = 3;
    liste.taille = 3;
    liste.formule_ext = "X-$C00000";
    liste.formule_ins = "X+$C00000";
    d.groupes.push_back(liste);

    Hasard h;
    std::vector<Jeu::Pointeur_jeu> const pointeurs = Jeu::numeroter(d);
    auto poser = [&](long long position, int numero, std::string const& texte) {
        Jeu::Pointeur_jeu const& p = pointeurs[static_cast<std::size_t>(numero - 1)];
        Jeu::Groupe const& g = d.groupes[static_cast<std::size_t>(p.groupe)];
        Jeu::Conversion const c(g);
        std::optional<std::uint32_t> const v = c.valeur(position, Jeu::emplacement(g, p.rang));
        ASSERT_TRUE(v) << "pointer " << numero << " cannot reach " << position;
        for (int k = 0; k < g.taille; ++k)
            j.rom[static_cast<std::size_t>(Jeu::octet_du_pointeur(g, p.rang, k))] =
                static_cast<unsigned char>(*v >> Jeu::decalage_de_l_octet(g, k));
        j.textes[numero] = texte;
    };
    auto ecrire = [&](long long& position, std::string const& texte) {
        for (char c : texte) j.rom[static_cast<std::size_t>(position++)] = c == '#' ? 0 : static_cast<unsigned char>(c);
    };

    // Range 1: an opening text no pointer designates, the texts of pointers 1-120 (pointer
    // 290 shares the text of pointer 7), then those of 289 and 291.
    long long position = 0x10000;
    ecrire(position, "TITRE#");
    for (int n = 1; n <= 120; ++n) {
        std::string const t = mot(h, 3, 14);
        poser(position, n, t);
        if (n == 7) poser(position, 290, t);
        ecrire(position, t);
    }
    for (int n : {289, 291}) {
        std::string const t = mot(h, 40, 60);
        poser(position, n, t);
        ecrire(position, t);
    }
    d.textes.push_back({0x10000, position - 1});
    // A range of short texts, one for each pointer from `premier` to `dernier`.
    auto plage = [&](long long debut, int premier, int dernier) {
        long long p = debut;
        for (int n = premier; n <= dernier; ++n) {
            std::string const t = mot(h, 3, 14);
            poser(p, n, t);
            ecrire(p, t);
        }
        d.textes.push_back({debut, p - 1});
    };
    plage(0x28000, 161, 288);  // the split table's texts
    plage(0x30000, 121, 160);  // the profile's, in the bank after $30000 once shifted
    d.espace = d.textes;
    return j;
}

std::map<int, std::string> textes_par_pointeur(std::string const& script) {
    std::map<int, std::string> textes;
    std::vector<int> courants;
    std::string texte;
    auto fermer = [&] {
        for (int n : courants) textes[n] = texte;
        courants.clear();
        texte.clear();
    };
    for (Jeu::Morceau const& m : Jeu::decouper(script)) {
        fermer();
        for (std::size_t p = 0; p < m.texte.size();) {
            std::size_t const balise = Vorlan_tool::longueur_balise(m.texte.data() + p, m.texte.size() - p);
            if (balise == 0) {
                texte += m.texte[p++];
                continue;
            }
            if (!texte.empty()) fermer();
            courants.push_back(std::stoi(m.texte.substr(p + 3, balise - 5)));
            p += balise;
        }
    }
    fermer();
    return textes;
}

std::string agrandir(std::string const& script) {
    std::string resultat;
    std::size_t debut_du_texte = 0;
    for (std::size_t p = 0; p < script.size(); ++p) {
        if (script[p] == '\n') debut_du_texte = resultat.size() + 1;
        if (script[p] == '#') {
            std::size_t const longueur = resultat.size() - debut_du_texte + 1;
            resultat.append((longueur + 2) / 3, 'Z');
        }
        resultat += script[p];
    }
    return resultat;
}

std::string extraire(std::vector<unsigned char> const& rom, Jeu::Description const& jeu, std::string* rapports) {
    Extracteur::Table_ext t;
    t.charger(table);
    Extracteur::Extraction const e = Jeu::extraire(t, rom, jeu);
    if (rapports != nullptr) *rapports = formater(e.rapports);
    return e.script;
}

Resultat_insertion inserer(std::vector<unsigned char> const& rom, Jeu::Description const& jeu,
                           std::string const& script, Jeu::Options_insertion const& options) {
    Insereur::Table_ins t;
    t.charger(table);
    Insereur::Image_rom image(rom);
    Resultat_insertion r{Jeu::inserer(t, script, jeu, options, image), {}, {}};
    r.rom = image.octets();
    r.rapports = formater(r.insertion.rapports);
    return r;
}

}  // namespace essai_jeu
