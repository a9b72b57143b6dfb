// Ranges of strings that carry their length: one string per line in the script, the prefix
// written back from the encoded length, in every size and byte order.
#include <gtest/gtest.h>

#include "disposition_de_test.h"

namespace {

struct Forme {
    int longueur;
    Ordre_octets ordre;
};
Forme const formes[] = {
    {1, Ordre_octets::petit_boutiste}, {2, Ordre_octets::petit_boutiste}, {2, Ordre_octets::grand_boutiste}};

std::string nom(Forme const& f) {
    return std::to_string(f.longueur) + (f.ordre == Ordre_octets::petit_boutiste ? " le" : " be");
}

// At $40: EPEE, an empty string, AR<BR>C and BOUCLIER, each after its prefix, then zeros to
// $5F. Pointers 1 and 2 (at 0 and 2) designate the prefixes of EPEE and AR<BR>C; pointer 3
// (at 4, debut_texte) the B of BOUCLIER.
struct Inventaire {
    Jeu::Description d;
    std::vector<unsigned char> rom = std::vector<unsigned char>(0x100, 0xEE);
    Forme forme;

    explicit Inventaire(Forme f) : forme(f) {
        d.textes = {{0x40, 0x5F, f.longueur, f.ordre}};
        d.espace = d.textes;
        Jeu::Groupe prefixes;
        prefixes.nombre = 2;
        Jeu::Groupe premiers;
        premiers.adresse = 4;
        premiers.nombre = 1;
        premiers.debut_texte = true;
        d.groupes = {prefixes, premiers};
        std::fill(rom.begin() + 0x40, rom.begin() + 0x60, 0);
        long long p = 0x40;
        auto chaine = [&](std::vector<unsigned char> const& octets) {
            long long const debut = p;
            poser_longueur(p, static_cast<unsigned>(octets.size()));
            for (unsigned char o : octets) rom[static_cast<std::size_t>(p++)] = o;
            return debut;
        };
        long long const epee = chaine({'E', 'P', 'E', 'E'});
        chaine({});
        long long const arc = chaine({'A', 'R', 0xFE, 'C'});
        long long const bouclier = chaine({'B', 'O', 'U', 'C', 'L', 'I', 'E', 'R'}) + f.longueur;
        for (auto [slot, cible] : {std::pair{0, epee}, std::pair{2, arc}, std::pair{4, bouclier}}) {
            rom[static_cast<std::size_t>(slot)] = static_cast<unsigned char>(cible);
            rom[static_cast<std::size_t>(slot + 1)] = 0;
        }
    }

    void poser_longueur(long long& p, unsigned n) {
        for (int k = 0; k < forme.longueur; ++k) {
            int const decalage = 8 * (forme.ordre == Ordre_octets::petit_boutiste ? k : forme.longueur - 1 - k);
            rom[static_cast<std::size_t>(p++)] = static_cast<unsigned char>(n >> decalage);
        }
    }
};

TEST(ChainesJeu, ChaqueChaineEstUneLigneEtRevientAvecSaLongueur) {
    for (Forme const& f : formes) {
        Inventaire const j(f);
        std::string rapports;
        std::string const script = essai_jeu::extraire(j.rom, j.d, &rapports);
        EXPECT_EQ(script, "<PLAGE $40-$5F>\n<PT0001>\nEPEE\n\n<PT0002>\nAR<FE>C\n<PT0003>\nBOUCLIER\n") << nom(f);
        char zeros[128];
        std::snprintf(zeros, sizeof zeros,
                      "Attention, la plage textes[1] ne contient plus que des zéros à partir de $%X : ses chaînes "
                      "s'arrêtent là\n",
                      0x40 + 4 * f.longueur + 16);
        EXPECT_EQ(rapports, zeros) << nom(f);
        essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, script);
        EXPECT_TRUE(r.insertion.bilan.ecrit) << nom(f) << r.rapports;
        EXPECT_TRUE(r.rom == j.rom) << nom(f);
    }
}

TEST(ChainesJeu, UneTraductionSeRelitTelleQuelle) {
    for (Forme const& f : formes) {
        Inventaire const j(f);
        // Longer, a line break written as the table's own text, and a last line without its line feed.
        std::string const traduction = "<PLAGE $40-$5F>\n<PT0003>\nGRANDBOUCLIER\n<PT0001>\nGLAIVE\nX\n<PT0002>\nARC<BR>";
        essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, traduction);
        ASSERT_TRUE(r.insertion.bilan.ecrit) << nom(f) << r.rapports;
        EXPECT_EQ(r.rom[4], 0x40 + f.longueur) << nom(f) << ": past the prefix";
        EXPECT_EQ(essai_jeu::extraire(r.rom, j.d),
                  "<PLAGE $40-$5F>\n<PT0003>\nGRANDBOUCLIER\n<PT0001>\nGLAIVE\nX\n<PT0002>\nARC<FE>\n")
            << nom(f);
    }
}

TEST(ChainesJeu, CeQueLaLongueurNePeutDireEstRefuseOuSignale) {
    Inventaire const j(formes[0]);
    std::string const longue(256, 'A');
    struct Cas {
        std::string script;
        char const* message;
    } const cas[] = {
        {"<PLAGE $40-$5F>\n<PT0001>\nA\n" + longue + "\n",
         "Erreur, une chaîne du texte des pointeurs 1 fait 256 octets : trop pour sa longueur sur 1 octet(s)\n"},
        {"<PLAGE $40-$5F>\n" + longue + "\n",
         "Erreur, une chaîne du début de la plage textes[1] fait 256 octets : trop pour sa longueur sur 1 octet(s)\n"},
    };
    for (Cas const& c : cas) {
        essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, c.script);
        EXPECT_TRUE(r.insertion.refusee);
        EXPECT_EQ(r.rapports, c.message);
        EXPECT_TRUE(r.rom == j.rom);
    }

    // A length that runs past the range ends its strings there.
    Inventaire coupe(formes[0]);
    coupe.rom[0x45] = 0x40;
    std::string rapports;
    EXPECT_EQ(essai_jeu::extraire(coupe.rom, coupe.d, &rapports), "<PLAGE $40-$5F>\n<PT0001>\nEPEE\n");
    EXPECT_EQ(rapports, "Attention, la chaîne à $45 de la plage textes[1] dépasse la fin de la plage : ses chaînes "
                        "s'arrêtent là, les 27 derniers octets ne sont pas extraits\n"
                        "Attention, les pointeurs 2 à 3 ne désignent le début d'aucun texte des plages\n");
}

}  // namespace
