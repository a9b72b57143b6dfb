#include "apercu/mise-en-page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apercu/police_de_test.h"
#include "reformat/mesure.h"

namespace {

using namespace Apercu;

struct Monde {
    std::vector<unsigned char> rom = Police_de_test::rom();
    Insereur::Table_ins codes;
    Auto_LB::Table_ALB largeurs;
    Police police{rom, Police_de_test::adresse_police, Police_de_test::premier};

    Monde() {
        EXPECT_TRUE(codes.charger(Police_de_test::table_caracteres()).empty());
        EXPECT_TRUE(largeurs.charger(Police_de_test::table_largeurs()).empty());
    }

    Mise_en_page placer(std::string const& script, int largeur = 60, int lignes = 2, int par_page = 64) {
        Parametres p;
        p.largeur = largeur;
        p.lignes = lignes;
        p.par_page = par_page;
        return mettre_en_page(script, codes, largeurs, police, p);
    }
};

std::vector<int> abscisses(Ligne_placee const& ligne) {
    std::vector<int> x;
    for (Trace const& t : ligne.traces) x.push_back(t.x - ligne.traces.front().x);
    return x;
}

// Each character at its advance, a space of the space's width, the width the reformatter
// measures; the line's position is its first cell's.
TEST(MiseEnPage, ThePenMovesAsTheReformatterMeasures) {
    Monde monde;
    std::string const script = "<PT0001>\nAb il\nx<FIN>\n";
    Mise_en_page const m = monde.placer(script);
    ASSERT_EQ(m.boites.size(), 1u);
    ASSERT_EQ(m.boites[0].lignes.size(), 2u);
    Ligne_placee const& premiere = m.boites[0].lignes[0];
    EXPECT_EQ(abscisses(premiere), (std::vector<int>{0, 7, 7 + 6 + 4, 7 + 6 + 4 + 3}));
    EXPECT_EQ(premiere.largeur, 7 + 6 + 4 + 3 + 3);
    EXPECT_EQ(premiere.texte, "Ab il");
    Auto_LB::Mesure const mesure = Auto_LB::mesurer(monde.largeurs, script);
    EXPECT_EQ(premiere.largeur, mesure.blocs[0].boites[0].lignes[0].largeur);
    EXPECT_EQ(premiere.x, m.boites[0].x);
    EXPECT_EQ(premiere.y, m.boites[0].y);
    EXPECT_EQ(m.boites[0].lignes[1].y, premiere.y + 12);
    EXPECT_EQ(m.problemes, 0);
    EXPECT_TRUE(m.rapports.empty());
}

TEST(MiseEnPage, SequencesMarksAndCentring) {
    Monde monde;
    struct Cas {
        char const* nom;
        std::string ligne;
        std::vector<int> abscisses;
        long long largeur;
        int decalage;  // of the first cell from the box's left edge
    } const cas[] = {
        // "ll" is 9 wide as a whole: its two letters share it, 4 then 5.
        {"a sequence measured whole", "alla", {0, 6, 10, 15}, 21, 0},
        // A mark the table measures advances by its width; one it does not know by 0.
        {"marks draw nothing", "a<Nom>b<Autre>c", {0, 26, 32}, 38, 0},
        // (60 − 12) / (2 × 4) = 6 spaces of 4 before "ab".
        {"centred as the reformatter centres", "<Centrer>ab", {0, 6}, 12, 24},
        {"a centred line too wide for a margin", "<Centrer>aaaaaaaaaaaa", {0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66},
         72, 0},
    };
    for (Cas const& c : cas) {
        Mise_en_page const m = monde.placer("<PT0001>\n" + c.ligne + "<FIN>\n");
        ASSERT_EQ(m.boites.size(), 1u) << c.nom;
        Ligne_placee const& ligne = m.boites[0].lignes[0];
        EXPECT_EQ(abscisses(ligne), c.abscisses) << c.nom;
        EXPECT_EQ(ligne.largeur, c.largeur) << c.nom;
        EXPECT_EQ(ligne.x - m.boites[0].x, c.decalage) << c.nom;
        EXPECT_EQ(ligne.texte, c.ligne) << c.nom;
    }
}

// A character the font cannot show is a hollow box that advances by 12, and a problem.
TEST(MiseEnPage, CharactersTheFontCannotShowAreHollowBoxesAndProblems) {
    Monde monde;
    struct Cas {
        char const* nom;
        std::string caractere;
        Rapport rapport;
    } const cas[] = {
        {"no width", "q", Rapport(Message::glyphe_sans_largeur, {2, 1, 1, "q"})},
        {"no one-byte code", "#", Rapport(Message::glyphe_sans_code, {2, 1, 1, "#"})},
        {"a code below the font's first", "~", Rapport(Message::glyphe_hors_police, {2, 1, 1, "~", 0x10})},
    };
    for (Cas const& c : cas) {
        Mise_en_page const m = monde.placer("<PT0002>\na" + c.caractere + "b<FIN>\n");
        Ligne_placee const& ligne = m.boites[0].lignes[0];
        ASSERT_EQ(ligne.traces.size(), 3u) << c.nom;
        EXPECT_EQ(ligne.traces[1].code, -1) << c.nom;
        EXPECT_EQ(abscisses(ligne), (std::vector<int>{0, 6, 18})) << c.nom;
        EXPECT_EQ(ligne.largeur, 24) << c.nom;
        EXPECT_EQ(m.problemes, 1) << c.nom;
        EXPECT_EQ(formater(m.rapports), formater(c.rapport)) << c.nom;
    }
}

TEST(MiseEnPage, CountsWideLinesFullBoxesAndBreaksBoxes) {
    Monde monde;
    // Box 1: "aaaaaaaaaaa" is 66 wide for 60; box 2 holds three lines for two.
    Mise_en_page const m = monde.placer("<PT0003>\n<PT0004>\naaaaaaaaaaa\nb<BOITE>\nc\nd\ne<FIN>\n");
    ASSERT_EQ(m.boites.size(), 2u);
    EXPECT_EQ(m.boites[0].pointeurs, (std::vector<int>{3, 4}));
    EXPECT_EQ(m.boites[1].lignes.size(), 3u);
    EXPECT_FALSE(m.boites[1].lignes[1].en_trop);
    EXPECT_TRUE(m.boites[1].lignes[2].en_trop);
    // The line past the count is drawn below the box's frame.
    EXPECT_EQ(m.boites[1].lignes[2].y, m.boites[1].y + 2 * 12 + 1);
    EXPECT_GT(m.boites[1].y, m.boites[0].y + 2 * 12);
    EXPECT_EQ(m.problemes, 2);
    EXPECT_EQ(formater(m.rapports),
              formater(Rapports{Rapport(Message::ligne_trop_large, {3, 1, 1, 66LL, 60, "aaaaaaaaaaa"}),
                                Rapport(Message::boite_trop_pleine, {3, 2, 3, 2})}));
}

TEST(MiseEnPage, RendersTheBlocksOfTheChosenPointersOnPagesOfTheirSize) {
    Monde monde;
    std::string const script = "hors bloc\n<PT0001>\na<FIN>\n<PT0002>\nb<BOITE>\nc<FIN>\n<PT0003>\nd";
    Parametres p;
    p.largeur = 40;
    p.lignes = 1;
    p.par_page = 2;
    Mise_en_page const tout = mettre_en_page(script, monde.codes, monde.largeurs, monde.police, p);
    ASSERT_EQ(tout.boites.size(), 4u);
    ASSERT_EQ(tout.pages.size(), 2u);
    EXPECT_EQ(tout.boites[1].page, 1);
    EXPECT_EQ(tout.boites[2].page, 2);
    EXPECT_EQ(tout.boites[2].y, tout.boites[0].y) << "a page starts at its top";
    // A block without FIN is still shown, with the warning the check gives.
    EXPECT_EQ(formater(tout.rapports), formater(Rapport(Message::bloc_sans_fin_verifie, {3})));
    p.filtre = true;
    p.premier_pointeur = 2;
    p.dernier_pointeur = 2;
    Mise_en_page const choisi = mettre_en_page(script, monde.codes, monde.largeurs, monde.police, p);
    ASSERT_EQ(choisi.boites.size(), 2u);
    EXPECT_EQ(choisi.boites[0].lignes[0].texte, "b");
    EXPECT_EQ(choisi.boites[1].lignes[0].texte, "c");
    EXPECT_EQ(choisi.pages.size(), 1u);
}

TEST(MiseEnPage, RefusesBoxesOfNothingAndFontsOutsideTheRom) {
    Monde monde;
    Parametres bon;
    bon.largeur = 10;
    bon.lignes = 1;
    EXPECT_FALSE(verifier(bon, monde.police, monde.codes).has_value());
    struct Cas {
        char const* nom;
        int largeur, lignes, par_page;
        long long adresse;
        int premier;
        std::size_t taille_rom;
        Message message;
    } const cas[] = {
        {"no width", 0, 1, 64, Police_de_test::adresse_police, 0x20, 0, Message::apercu_boite_vide},
        {"no line", 10, 0, 64, Police_de_test::adresse_police, 0x20, 0, Message::apercu_boite_vide},
        {"no box per page", 10, 1, 0, Police_de_test::adresse_police, 0x20, 0, Message::apercu_page_vide},
        {"too many boxes per page", 10, 1, 1025, Police_de_test::adresse_police, 0x20, 0, Message::apercu_page_vide},
        {"a box too wide", 4097, 1, 64, Police_de_test::adresse_police, 0x20, 0, Message::apercu_boite_trop_grande},
        {"a box of too many lines", 10, 257, 64, Police_de_test::adresse_police, 0x20, 0,
         Message::apercu_boite_trop_grande},
        {"a first code past a byte", 10, 1, 64, Police_de_test::adresse_police, 256, 0, Message::apercu_premier_code},
        {"the font past the end", 10, 1, 64, 1 << 20, 0x20, 0, Message::apercu_police_hors_rom},
        // The table's highest one-byte code is 7D ("}"): its tile must be whole in the ROM, not
        // the two unused ones after it.
        {"the last code cut", 10, 1, 64, Police_de_test::adresse_police, 0x20, 37, Message::apercu_police_hors_rom},
        {"only unused codes cut", 10, 1, 64, Police_de_test::adresse_police, 0x20, 36, Message::nombre_de_messages},
    };
    for (Cas const& c : cas) {
        std::vector<unsigned char> rom = monde.rom;
        rom.resize(rom.size() - c.taille_rom);
        Police const police(rom, c.adresse, c.premier);
        Parametres p;
        p.largeur = c.largeur;
        p.lignes = c.lignes;
        p.par_page = c.par_page;
        std::optional<Rapport> const refus = verifier(p, police, monde.codes);
        if (c.message == Message::nombre_de_messages) {
            EXPECT_FALSE(refus.has_value()) << c.nom;
            continue;
        }
        ASSERT_TRUE(refus.has_value()) << c.nom;
        EXPECT_EQ(refus->message, c.message) << c.nom;
    }
}

// A script whose keywords the table does not know is one endless line or one endless box:
// its problems are all counted, but its picture keeps a sensible size.
TEST(MiseEnPage, AnEndlessLineOrBoxMakesABoundedPicture) {
    Monde monde;
    std::string lignes;
    for (int l = 0; l < 200; ++l) lignes += "ab\n";
    Mise_en_page const m = monde.placer("<PT0001>\n" + std::string(5000, 'a') + "\n" + lignes + "<FIN>\n", 60, 2);
    ASSERT_EQ(m.boites.size(), 1u);
    Boite_placee const& boite = m.boites[0];
    EXPECT_EQ(boite.lignes[0].largeur, 5000 * 6);
    EXPECT_LE(m.pages[0].largeur, 60 + 480 + 12 + 2 * 5 + 12);
    EXPECT_EQ(m.pages[0].hauteur, boite.y + (2 + 64) * 12 + 2 + 4);
    EXPECT_EQ(boite.lignes[65].y, boite.y + 65 * 12 + 1) << "the last line drawn";
    EXPECT_EQ(boite.lignes[66].x, -1) << "not drawn";
    EXPECT_EQ(boite.lignes[66].y, -1);
    EXPECT_EQ(m.problemes, 2);
    Image_rvb const image = dessiner(m, 0, monde.police, Parametres{60, 2});
    EXPECT_EQ(image.largeur(), m.pages[0].largeur);
}

// The picture: a black text area in a grey frame; glyph pixels white inside the width, red
// past it and on every line past the count; glyphs never erase each other's lit pixels.
TEST(Dessin, DrawsGlyphsTransparentlyWhiteInsideRedOutside) {
    Monde monde;
    Parametres p;
    p.largeur = 16;
    p.lignes = 1;
    Mise_en_page const m = mettre_en_page("<PT0001>\nMab\nW<FIN>\n", monde.codes, monde.largeurs, monde.police, p);
    Image_rvb const image = dessiner(m, 0, monde.police, p);
    Boite_placee const& boite = m.boites[0];
    auto const rvb = [&](int x, int y) {
        Couleur const c = image.lire(x, y);
        return (c.r << 16) | (c.v << 8) | c.b;
    };
    // The frame around the text area.
    EXPECT_EQ(rvb(boite.x - 1, boite.y - 1), 0x808080);
    EXPECT_EQ(rvb(boite.x + p.largeur, boite.y + 1), 0x808080);
    // "M" fills its 12 columns and advances by 7; "a" at 7 (5 lit columns), "b" at 13 (5 lit
    // columns, the last two past the width of 16).
    int const y = boite.lignes[0].y;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(rvb(boite.x + i, y), 0xFFFFFF) << "M's top row, not erased by a: " << i;
    EXPECT_EQ(rvb(boite.x + 12, y), 0x000000);
    for (int i = 13; i < 18; ++i) EXPECT_EQ(rvb(boite.x + i, y + 2), i < 16 ? 0xFFFFFF : 0xFF0000) << i;
    EXPECT_EQ(rvb(boite.x + 18, y + 2), 0xFFFFFF) << "b's blank column, on the page";
    EXPECT_EQ(rvb(boite.x + 15, y + 1), 0x000000) << "b's unlit row, in the box";
    // The second line is one too many: below the frame, wholly red.
    Ligne_placee const& en_trop = boite.lignes[1];
    EXPECT_EQ(en_trop.y, boite.y + 12 + 1);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(rvb(en_trop.x + i, en_trop.y + 2), 0xFF0000) << i;
    EXPECT_EQ(rvb(en_trop.x + 9, en_trop.y + 2), 0xFFFFFF) << "the page's background";
    EXPECT_EQ(rvb(en_trop.x, en_trop.y), 0xFFFFFF) << "W's unlit top row";
}

}  // namespace
