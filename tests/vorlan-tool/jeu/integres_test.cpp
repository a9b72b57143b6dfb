// Pointers embedded in the text: a menu whose choices are codes with a pointer in their
// parameters, extracted as references to the texts they designate and put back where they
// can still reach them.
#include <gtest/gtest.h>

#include "disposition_de_test.h"
#include "jeu/integres.h"
#include "tables/extracteur-table.h"

namespace {

std::vector<unsigned char> octets(std::string const& texte) {
    std::vector<unsigned char> v;
    for (char c : texte) v.push_back(c == '#' ? 0 : static_cast<unsigned char>(c));
    return v;
}

void poser(std::vector<unsigned char>& rom, std::size_t position, std::vector<unsigned char> const& v) {
    std::copy(v.begin(), v.end(), rom.begin() + static_cast<long>(position));
}

// A menu at $40 (designated by the one 2-byte pointer at 0): "CHOIX", F5 with an absolute
// pointer (offset - $40) to OUI in the same range, F6 07 with a pointer relative to its own
// bytes to NON in a second range, which no group designates.
struct Menu {
    Jeu::Description d;
    std::vector<unsigned char> rom = std::vector<unsigned char>(0x100, 0xEE);

    Menu() {
        Jeu::Groupe g;
        g.nombre = 1;
        d.groupes.push_back(g);
        Jeu::Integre absolu;
        absolu.code = {0xF5};
        absolu.formule_ext = "X+$40";
        absolu.formule_ins = "X-$40";
        Jeu::Integre relatif;
        relatif.code = {0xF6};
        relatif.position = 1;
        relatif.formule_ext = "X+P";
        relatif.formule_ins = "X-P";
        d.integres = {absolu, relatif};
        // $40: C H O I X F5 0D 00 F6 07 36 00 #  -> OUI# at $4D, NON# at $80 ($80 - $4A = $36)
        poser(rom, 0, {0x40, 0x00});
        poser(rom, 0x40, octets("CHOIX"));
        poser(rom, 0x45, {0xF5, 0x0D, 0x00, 0xF6, 0x07, 0x36, 0x00, 0x00});
        poser(rom, 0x4D, octets("OUI#"));
        poser(rom, 0x80, octets("NON#"));
        d.textes = {{0x40, 0x50}, {0x80, 0x83}};
        d.espace = d.textes;
    }
};

std::string const script_du_menu = "<PLAGE $40-$50>\n<PT0001>\nCHOIX<SAUT><#PT0002><MENU><07><#PT0003>#<PT0002>\nOUI#"
                                   "<PLAGE $80-$83>\n<PT0003>\nNON#";

TEST(IntegresJeu, UnMenuSExtraitEnReferencesEtRevientIdentique) {
    Menu const m;
    std::string rapports;
    std::string const script = essai_jeu::extraire(m.rom, m.d, &rapports);
    EXPECT_EQ(rapports, "");
    EXPECT_EQ(script, script_du_menu);
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(m.rom, m.d, script);
    EXPECT_TRUE(r.insertion.bilan.ecrit) << r.rapports;
    EXPECT_TRUE(r.rom == m.rom);
}

TEST(IntegresJeu, UneTraductionDeplaceLesChoixEtSesPointeursLesSuivent) {
    Menu m;
    // The choices swap ranges; the menu grows so that OUI moves too.
    std::string const traduction = "<PLAGE $40-$50>\n<PT0001>\nMENU<SAUT><#PT0002><MENU><07><#PT0003>#<PT0003>\nNON#"
                                   "<PLAGE $80-$83>\n<PT0002>\nOUI#";
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(m.rom, m.d, traduction);
    ASSERT_TRUE(r.insertion.bilan.ecrit) << r.rapports;
    std::vector<unsigned char> const menu(r.rom.begin() + 0x40, r.rom.begin() + 0x50);
    // NON# lands at $4C: the absolute pointer holds $80 - $40, the relative one $4C - $49.
    EXPECT_EQ(menu, (std::vector<unsigned char>{'M', 'E', 'N', 'U', 0xF5, 0x40, 0x00, 0xF6, 0x07, 0x03, 0x00, 0x00,
                                                'N', 'O', 'N', 0x00}));
    std::string const apres_non = "NON#";
    std::string attendu = traduction;
    attendu.insert(attendu.find(apres_non) + apres_non.size(), "#");  // the fill byte of the room left
    EXPECT_EQ(essai_jeu::extraire(r.rom, m.d), attendu) << "re-extracted, the translation";
}

TEST(IntegresJeu, CeQueLesReferencesNePeuventAtteindreEstRefuseOuLaisse) {
    Menu m;
    // NON# in the first range would be behind its relative pointer, which cannot go back.
    std::string const derriere = "<PLAGE $40-$50>\n<PT0003>\nNON#<PT0001>\nCHOIX<SAUT><#PT0002><MENU><07><#PT0003>#"
                                 "<PLAGE $80-$83>\n<PT0002>\nOUI#";
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(m.rom, m.d, derriere);
    EXPECT_FALSE(r.insertion.bilan.ecrit);
    EXPECT_TRUE(r.rom == m.rom);
    EXPECT_EQ(r.rapports, "Bloc 1 ($40-$50) : 17 octets utilisés, 0 libres\n"
                          "Bloc 2 ($80-$83) : 4 octets utilisés, 0 libres\n"
                          "Erreur, les pointeurs intégrés 3 ne peuvent pas désigner leur texte là où il est placé\n"
                          "Le texte des pointeurs 3 (4 octets) ne tient dans aucun bloc où ses pointeurs peuvent le "
                          "désigner\n"
                          "Le texte qui porte les pointeurs intégrés 3 (13 octets) n'est pas écrit : ils désignent un "
                          "texte sans place\n"
                          "Erreur, 2 texte(s) sans place : rien n'a été écrit\n");
    // Partial: the menu and NON are left out, OUI is written.
    Jeu::Options_insertion partiel;
    partiel.partiel = true;
    essai_jeu::Resultat_insertion const p = essai_jeu::inserer(m.rom, m.d, derriere, partiel);
    EXPECT_TRUE(p.insertion.bilan.ecrit);
    EXPECT_EQ(p.insertion.bilan.manquants.size(), 2u);
    EXPECT_EQ(std::vector<unsigned char>(p.rom.begin() + 0x80, p.rom.begin() + 0x84), octets("OUI#"));
    EXPECT_EQ(p.rom[0], 0x40) << "the menu's pointer unchanged";

    // A reference names a tag of the script or nothing is placed.
    essai_jeu::Resultat_insertion const sans = essai_jeu::inserer(m.rom, m.d, "<PLAGE $40-$50>\n<PT0001>\nA<SAUT><#PT0009>#");
    EXPECT_TRUE(sans.insertion.refusee);
    EXPECT_EQ(sans.rapports, "Erreur, la référence '<#PT0009>' du script ne nomme aucune balise du script\n");
    EXPECT_TRUE(sans.rom == m.rom);
}

TEST(IntegresJeu, UneCibleHorsDesTextesResteBruteEtSonNumeroInutilise) {
    Menu m;
    m.rom[0x46] = 0x60;  // F5 now designates $A0, outside every range
    std::string rapports;
    std::string const script = essai_jeu::extraire(m.rom, m.d, &rapports);
    EXPECT_EQ(rapports, "Attention, le pointeur intégré 2 (à $46) ne désigne le début d'aucun texte des plages : ses "
                        "paramètres restent bruts\n");
    EXPECT_EQ(script, "<PLAGE $40-$50>\n<PT0001>\nCHOIX<SAUT><60><00><MENU><07><#PT0003>#OUI#<PLAGE $80-$83>\n"
                      "<PT0003>\nNON#");
    EXPECT_TRUE(essai_jeu::inserer(m.rom, m.d, script).rom == m.rom);
}

TEST(IntegresJeu, DesTextesIdentiquesNeSontFusionnesQueSiLeursReferencesLeSont) {
    Menu m;
    m.d.groupes[0].nombre = 3;
    m.d.espace = {{0x40, 0x5F}};
    // The first and third texts are the same once written; the second designates another text.
    std::string const script = "<PLAGE $40-$50>\n<PT0001>\nA<SAUT><#PT0004>#<PT0002>\nA<SAUT><#PT0005>#"
                               "<PT0003>\nA<SAUT><#PT0004>#<PT0004>\nOUI#<PT0005>\nOUI#";
    Jeu::Options_insertion fusion;
    fusion.fusionner = true;
    essai_jeu::Resultat_insertion const r = essai_jeu::inserer(m.rom, m.d, script, fusion);
    ASSERT_TRUE(r.insertion.bilan.ecrit) << r.rapports;
    EXPECT_EQ(r.insertion.bilan.blocs[0].utilise, 14);
    EXPECT_EQ(std::vector<unsigned char>(r.rom.begin(), r.rom.begin() + 6),
              (std::vector<unsigned char>{0x40, 0, 0x45, 0, 0x40, 0}));
    EXPECT_EQ(r.rom[0x42], 0x0A) << "OUI# stored once at $4A, both references designating it";
    EXPECT_EQ(r.rom[0x47], 0x0A);
}

TEST(IntegresJeu, LesCodesSontVerifiesContreLaTable) {
    Extracteur::Table_ext table;
    table.charger(essai_jeu::table);
    struct Cas {
        std::vector<unsigned char> code;
        int taille;
        int position;
        char const* message;
    } const cas[] = {
        {{0xF5}, 2, 0, ""},
        {{0xF6}, 2, 1, ""},
        {{0xF7}, 2, 0, "Erreur, le champ 'integres[1].code' de la description du jeu nomme le code F7, que la table ne connaît pas\n"},
        {{0x41}, 1, 0, "Erreur, le champ 'integres[1].code' de la description du jeu nomme le code 41, que la table ne fait suivre d'aucun paramètre\n"},
        {{0xF5}, 2, 1, "Erreur, les champs 'integres[1].taille' (2) et 'integres[1].position' (1) de la description du jeu dépassent les 2 octet(s) de paramètres du code F5\n"},
        {{0xF6}, 4, 0, "Erreur, les champs 'integres[1].taille' (4) et 'integres[1].position' (0) de la description du jeu dépassent les 3 octet(s) de paramètres du code F6\n"},
    };
    for (Cas const& c : cas) {
        Jeu::Description d;
        Jeu::Integre i;
        i.code = c.code;
        i.taille = c.taille;
        i.position = c.position;
        d.integres = {i};
        EXPECT_EQ(formater(Jeu::verifier_integres(d, table)), c.message);
    }
    Jeu::Description deux;
    deux.integres.resize(2);
    deux.integres[0].code = deux.integres[1].code = {0xF5};
    EXPECT_EQ(formater(Jeu::verifier_integres(deux, table)),
              "Erreur, les champs 'integres[1].code' et 'integres[2].code' de la description du jeu nomment le même "
              "code F5\n");
}

}  // namespace
