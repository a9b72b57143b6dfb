#include "jeu/insertion-jeu.h"

#include <gtest/gtest.h>

#include "disposition_de_test.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"

namespace {

using essai_jeu::Jeu_de_test;

// Every pointer of the ROM designates the text the script gives it, read back through the
// description with the room as its ranges; the fill after a block's last text aside.
void verifier_les_pointeurs(std::vector<unsigned char> const& rom, Jeu::Description jeu,
                            std::map<int, std::string> const& attendus) {
    jeu.textes = jeu.espace;
    std::map<int, std::string> const relus = essai_jeu::textes_par_pointeur(essai_jeu::extraire(rom, jeu));
    for (auto const& [n, texte] : attendus) {
        auto const relu = relus.find(n);
        ASSERT_NE(relu, relus.end()) << "pointer " << n;
        EXPECT_EQ(relu->second.substr(0, texte.size()), texte) << "pointer " << n;
    }
}

TEST(InsertionJeu, LeScriptInchangeRendLaRomIdentique) {
    Jeu_de_test const j = essai_jeu::construire();
    std::string rapports;
    std::string const script = essai_jeu::extraire(j.rom, j.description, &rapports);
    EXPECT_EQ(rapports, "");
    EXPECT_EQ(script.substr(0, 37), "<PLAGE $10000-$104C3>\nTITRE#<PT0001>\n");
    EXPECT_EQ(essai_jeu::textes_par_pointeur(script), j.textes);

    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.description, script);
    EXPECT_TRUE(r.insertion.bilan.ecrit);
    EXPECT_TRUE(r.insertion.bilan.manquants.empty());
    EXPECT_TRUE(r.rom == j.rom);
    for (Jeu::Bilan::Bloc const& b : r.insertion.bilan.blocs) EXPECT_EQ(b.libre, 0);
}

TEST(InsertionJeu, UneTraductionPlusLongueDebordeDansLesBlocsSuivants) {
    Jeu_de_test j = essai_jeu::construire();
    std::string const script = essai_jeu::agrandir(essai_jeu::extraire(j.rom, j.description));
    // The bank of the 2-byte pointers has room after its text; a last block lies elsewhere.
    j.description.espace = {{0x10000, 0x106FF}, j.description.textes[1], j.description.textes[2], {0x3F000, 0x3FFFF}};
    j.description.remplissage = 0xFF;
    for (Jeu::Mode_placement mode : {Jeu::Mode_placement::ordre, Jeu::Mode_placement::compact}) {
        Jeu::Options_insertion options;
        options.placement = mode;
        essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.description, script, options);
        ASSERT_TRUE(r.insertion.bilan.ecrit) << r.rapports;
        EXPECT_TRUE(r.insertion.bilan.manquants.empty());
        EXPECT_GT(r.insertion.bilan.blocs[3].utilise, 0) << "spilt into the last block";
        std::map<int, std::string> const attendus = essai_jeu::textes_par_pointeur(script);
        ASSERT_EQ(attendus.size(), 291u);
        verifier_les_pointeurs(r.rom, j.description, attendus);
        // The other bytes of the strided table are left as they were.
        for (int i = 0; i < 120; ++i) EXPECT_EQ(r.rom[static_cast<std::size_t>(0x8002 + 4 * i)], 0xEE);
        long long total = 0;
        for (Jeu::Bilan::Bloc const& b : r.insertion.bilan.blocs) total += b.utilise;
        EXPECT_EQ(total, static_cast<long long>(script.size()) - 291 * 9 - 3 * 22) << "every text byte once";
    }
}

TEST(InsertionJeu, AucunTexteNEstPlaceHorsDePorteeDeSesPointeurs) {
    Jeu_de_test j = essai_jeu::construire();
    std::string const script = essai_jeu::agrandir(essai_jeu::extraire(j.rom, j.description));
    // The 2-byte pointers reach $10000-$1FFFF only: their grown texts cannot all stay there.
    j.description.espace.push_back({0x3F000, 0x3FFFF});
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.description, script);
    EXPECT_FALSE(r.insertion.bilan.ecrit);
    EXPECT_TRUE(r.rom == j.rom);
    ASSERT_FALSE(r.insertion.bilan.manquants.empty());
    for (Jeu::Bilan::Manquant const& m : r.insertion.bilan.manquants)
        for (int n : m.pointeurs) EXPECT_LE(n, 120);
    EXPECT_NE(r.rapports.find("Bloc 4 ($3F000-$3FFFF) : "), std::string::npos) << r.rapports;
    EXPECT_NE(r.rapports.find("ne tient dans aucun bloc où ses pointeurs peuvent le désigner\n"), std::string::npos);
    EXPECT_NE(r.rapports.find("texte(s) sans place : rien n'a été écrit\n"), std::string::npos);

    // Partial: what fits is written, the others keep their pointers.
    Jeu::Options_insertion partiel;
    partiel.partiel = true;
    essai_jeu::Resultat_insertion const p = essai_jeu::inserer(j.rom, j.description, script, partiel);
    EXPECT_TRUE(p.insertion.bilan.ecrit);
    EXPECT_EQ(p.insertion.bilan.manquants.size(), r.insertion.bilan.manquants.size());
    for (Jeu::Bilan::Manquant const& m : p.insertion.bilan.manquants) {
        Jeu::Groupe const& g = j.description.groupes[0];
        for (int n : m.pointeurs)
            for (int k = 0; k < 2; ++k) {
                auto const o = static_cast<std::size_t>(Jeu::octet_du_pointeur(g, n - 1, k));
                EXPECT_EQ(p.rom[o], j.rom[o]);
            }
    }
    EXPECT_NE(p.rapports.find("n'ont pas été écrits : leurs pointeurs sont inchangés\n"), std::string::npos);
}

// A small game to see single behaviours: one range, one table of 2-byte pointers.
struct Petit_jeu {
    Jeu::Description d;
    std::vector<unsigned char> rom = std::vector<unsigned char>(0x100, 0xEE);

    Petit_jeu() {
        Jeu::Groupe g;
        g.adresse = 0;
        g.nombre = 4;
        d.groupes.push_back(g);
        d.textes = {{0x40, 0x4F}};
        d.espace = d.textes;
    }
};

TEST(InsertionJeu, FusionnerStockeUneFoisUnTexteRepete) {
    Petit_jeu j;
    std::string const script = "<PLAGE $40-$4F>\n<PT0001>\nABC#<PT0002>\nXY#<PT0003>\nABC#<PT0004>\nABC#";
    Jeu::Options_insertion options;
    essai_jeu::Resultat_insertion const sans = essai_jeu::inserer(j.rom, j.d, script, options);
    EXPECT_EQ(sans.insertion.bilan.blocs[0].utilise, 15);
    options.fusionner = true;
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, script, options);
    EXPECT_EQ(r.insertion.bilan.blocs[0].utilise, 7);
    EXPECT_EQ(r.insertion.bilan.blocs[0].libre, 9);
    std::vector<unsigned char> const pointeurs(r.rom.begin(), r.rom.begin() + 8);
    EXPECT_EQ(pointeurs, (std::vector<unsigned char>{0x40, 0, 0x44, 0, 0x40, 0, 0x40, 0}));
    EXPECT_EQ(r.rom[0x47], 0x00) << "the room after the texts takes the fill byte";
    EXPECT_EQ(r.rapports, "Bloc 1 ($40-$4F) : 7 octets utilisés, 9 libres\n");
}

TEST(InsertionJeu, CompactPlaceToutLaOuLOrdreNePeutPas) {
    Petit_jeu j;
    j.d.groupes[0].nombre = 3;
    j.d.textes = {{0x40, 0x44}, {0x48, 0x51}};
    j.d.espace = j.d.textes;
    std::string const script = "<PLAGE $40-$44>\n<PT0001>\nABCDE#<PLAGE $48-$51>\n<PT0002>\nABCD#<PT0003>\nABC#";
    Jeu::Options_insertion options;
    essai_jeu::Resultat_insertion const ordre = essai_jeu::inserer(j.rom, j.d, script, options);
    EXPECT_FALSE(ordre.insertion.bilan.ecrit);
    ASSERT_EQ(ordre.insertion.bilan.manquants.size(), 1u);
    EXPECT_EQ(ordre.insertion.bilan.manquants[0].pointeurs, std::vector<int>{2});
    EXPECT_TRUE(ordre.rom == j.rom);

    options.placement = Jeu::Mode_placement::compact;
    essai_jeu::Resultat_insertion const compact = essai_jeu::inserer(j.rom, j.d, script, options);
    EXPECT_TRUE(compact.insertion.bilan.ecrit) << compact.rapports;
    EXPECT_EQ(compact.rapports, "Bloc 1 ($40-$44) : 5 octets utilisés, 0 libres\n"
                                "Bloc 2 ($48-$51) : 10 octets utilisés, 0 libres\n");
    std::vector<unsigned char> const pointeurs(compact.rom.begin(), compact.rom.begin() + 6);
    EXPECT_EQ(pointeurs, (std::vector<unsigned char>{0x48, 0, 0x40, 0, 0x4E, 0}));
}

TEST(InsertionJeu, UnTexteDOuvertureTropLongPourSaPlageNEstPasEcrit) {
    Petit_jeu j;
    std::string const script = "<PLAGE $40-$4F>\nABCDEFGHIJKLMNOPQ#<PT0001>\nA#";
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, script);
    EXPECT_FALSE(r.insertion.bilan.ecrit);
    ASSERT_EQ(r.insertion.bilan.manquants.size(), 1u);
    EXPECT_TRUE(r.insertion.bilan.manquants[0].pointeurs.empty());
    EXPECT_EQ(r.insertion.bilan.manquants[0].taille, 18);
    EXPECT_EQ(r.rapports, "Bloc 1 ($40-$4F) : 2 octets utilisés, 14 libres\n"
                          "Le texte du début de la plage textes[1] (18 octets) ne tient pas dans la plage\n"
                          "Erreur, 1 texte(s) sans place : rien n'a été écrit\n");
    EXPECT_TRUE(r.rom == j.rom);
}

TEST(InsertionJeu, LeScriptEstRefuseSansRienPlacer) {
    struct Cas {
        char const* script;
        char const* message;
    };
    Cas const cas[] = {
        {"<PLAGE $40-$4E>\n<PT0001>\nA#", "Erreur, la marque '<PLAGE $40-$4E>' du script ne désigne aucune plage de textes de la description\n"},
        {"<PLAGE $40-$4F>\nA#<PLAGE $40-$4F>\nB#", "Erreur, la plage textes[1] est marquée deux fois dans le script\n"},
        {"A#<PLAGE $40-$4F>\n", "Erreur, le script commence par un texte qu'aucun pointeur ne désigne, avant toute marque de plage\n"},
    };
    for (Cas const& c : cas) {
        Petit_jeu j;
        essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, c.script);
        EXPECT_TRUE(r.insertion.refusee);
        EXPECT_FALSE(r.insertion.bilan.ecrit);
        EXPECT_EQ(r.rapports, c.message);
        EXPECT_TRUE(r.rom == j.rom);
    }
}

TEST(InsertionJeu, CeQueLeScriptNeNommePasEstSignale) {
    Petit_jeu j;
    // Pointers 2 to 4 designate the range, which is rewritten; pointer 1 lies outside it.
    for (int n = 0; n < 4; ++n) {
        j.rom[static_cast<std::size_t>(2 * n)] = static_cast<unsigned char>(n == 0 ? 0x10 : 0x40 + n);
        j.rom[static_cast<std::size_t>(2 * n + 1)] = 0;
    }
    std::string const script = "<PT0001>\nA#<PLAGE $40-$4F>\nTITRE#<PT0009>\n<PT0000>\nB#<PT0001>\nC#";
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(j.rom, j.d, script);
    EXPECT_EQ(r.rapports,
              "Erreur : le pointeur numéro 9 ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n"
              "Erreur : le pointeur numéro 0 ne sera pas inseré : son numéro est inférieur à 1\n"
              "Attention, le pointeur 1 est repéré plusieurs fois dans le script : seule sa dernière balise compte\n"
              "Bloc 1 ($40-$4F) : 12 octets utilisés, 4 libres\n"
              "Attention, les pointeurs 2 à 4, qu'aucune balise ne nomme, désignent de la place que l'insertion récrit\n");
    EXPECT_EQ(r.rom[0], 0x4A) << "pointer 1 takes its last text, after TITRE# and B#";
    std::string const ecrit(r.rom.begin() + 0x40, r.rom.begin() + 0x4C);
    EXPECT_EQ(ecrit, std::string("TITRE\0A\0B\0C\0", 12));
}

TEST(ExtractionJeu, LesPointeursSansTexteSontSignalesParSuites) {
    Petit_jeu j;
    j.d.groupes[0].nombre = 6;
    j.rom[0x40] = 'A';
    j.rom[0x41] = 0;
    // Pointer 1 inside the range, 2 and 3 outside it, 4 where 1 is, 5 past the range, 6 at its start.
    unsigned char const valeurs[] = {0x41, 0x30, 0x31, 0x41, 0x50, 0x40};
    for (int n = 0; n < 6; ++n) j.rom[static_cast<std::size_t>(2 * n)] = valeurs[n], j.rom[static_cast<std::size_t>(2 * n + 1)] = 0;
    std::string rapports;
    std::string const script = essai_jeu::extraire(j.rom, j.d, &rapports);
    EXPECT_EQ(script.substr(0, 45), "<PLAGE $40-$4F>\n<PT0006>\nA<PT0001>\n<PT0004>\n#");
    EXPECT_EQ(rapports,
              "Attention, les pointeurs 2 à 3 ne désignent le début d'aucun texte des plages\n"
              "Attention, le pointeur 5 ne désigne le début d'aucun texte des plages\n");
}

}  // namespace
