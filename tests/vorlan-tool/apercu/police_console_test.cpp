// The preview with the fonts of the consoles: glyphs in the tile formats of commun, their
// lit pixels drawn where the layout says, UTF-8 scripts read by whole characters, and the
// widths of a table in the ROM.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apercu/mise-en-page.h"
#include "apercu/police.h"

namespace {

using namespace Apercu;
using Bytes = std::vector<unsigned char>;

// Three gb-2bpp glyphs from code 0x41 at 0x10, each row a plane-0 byte then a plane-1 byte:
// "A" index 2 over rows 1-6 and columns 1-5, "B" index 1 at its top-left pixel, the third
// (the table's "é") index 3 at its bottom-right pixel. Then a width table at 0x40.
Bytes rom_deux_bits() {
    Bytes rom(0x10, 0);
    Bytes a(16, 0);
    for (int ligne = 1; ligne <= 6; ++ligne) a[static_cast<std::size_t>(2 * ligne + 1)] = 0x7C;
    Bytes b(16, 0);
    b[0] = 0x80;
    Bytes e(16, 0);
    e[14] = 0x01;
    e[15] = 0x01;
    for (Bytes const* g : {&a, &b, &e}) rom.insert(rom.end(), g->begin(), g->end());
    rom.resize(0x40, 0);
    rom.insert(rom.end(), {9, 4, 2});  // widths of codes 0x41, 0x42, 0x43
    return rom;
}

std::string latin1_vers_utf8(std::string const& texte) {
    std::string utf8;
    for (unsigned char c : texte) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | c >> 6);
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

struct Monde {
    Bytes rom = rom_deux_bits();
    Insereur::Table_ins codes;
    Auto_LB::Table_ALB largeurs;
    Forme forme;
    std::optional<Largeurs_rom> largeurs_rom;

    explicit Monde(bool utf8 = false, std::string const& tailles = "A=7\nB=5\n\xE9=6\n") {
        forme.format = Tuiles::chercher_format("gb-2bpp");
        forme.taille = Tuiles::Dimensions{8, 8};
        auto const texte = [utf8](std::string const& t) { return utf8 ? latin1_vers_utf8(t) : t; };
        EXPECT_TRUE(codes.charger(texte("41=A\n42=B\n43=\xE9\n")).empty());
        EXPECT_TRUE(largeurs.charger(texte(" =3\n\\n=LINEBREAK\n<BOITE>\\n=NEW_DEFAUT\n<FIN>\\n=FIN\n" + tailles)).empty());
    }

    Mise_en_page placer(std::string const& script, Police const& police, int largeur = 40) {
        Parametres p;
        p.largeur = largeur;
        p.lignes = 2;
        return mettre_en_page(script, codes, largeurs, police, p);
    }
};

bool blanc_en(Image_rvb const& image, int x, int y) {
    Couleur const c = image.lire(x, y);
    return c.r == 255 && c.v == 255 && c.b == 255;
}

TEST(PoliceConsole, ATwoBitEightByEightFontIsDrawnAtThePositionsReturned) {
    Monde monde;
    Police const police(monde.rom, 0x10, 0x41, monde.forme);
    ASSERT_EQ(verifier(Parametres{40, 2}, police, monde.codes), std::nullopt);
    Mise_en_page const m = monde.placer("<PT0001>\nAB\xE9\nA<FIN>\n", police);
    ASSERT_EQ(m.boites.size(), 1u);
    std::vector<Trace> const& t = m.boites[0].lignes[0].traces;
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].x - t[0].x, 7);
    EXPECT_EQ(t[2].x - t[1].x, 5);
    EXPECT_EQ(m.boites[0].lignes[0].largeur, 18);
    EXPECT_EQ(m.boites[0].lignes[1].y - m.boites[0].lignes[0].y, 8);  // the glyphs' height apart
    EXPECT_EQ(m.problemes, 0);

    Parametres p{40, 2};
    Image_rvb const image = dessiner(m, 0, police, p);
    // "A" up to where "B" begins, 7 pixels on.
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(blanc_en(image, t[0].x + i, t[0].y + j), j >= 1 && j <= 6 && i >= 1 && i <= 5) << i << "," << j;
    EXPECT_TRUE(blanc_en(image, t[1].x, t[1].y));
    EXPECT_FALSE(blanc_en(image, t[1].x + 1, t[1].y));
    EXPECT_TRUE(blanc_en(image, t[2].x + 7, t[2].y + 7));
    EXPECT_FALSE(blanc_en(image, t[2].x + 6, t[2].y + 7));
}

TEST(PoliceConsole, TheBlankIndexAndTheLineSpacingAreTheFonts) {
    Monde monde;
    monde.forme.fond = 2;
    monde.forme.interligne = 3;
    Police const police(monde.rom, 0x10, 0x41, monde.forme);
    Mise_en_page const m = monde.placer("<PT0001>\nA\nA<FIN>\n", police);
    EXPECT_EQ(m.boites[0].lignes[1].y - m.boites[0].lignes[0].y, 11);
    Trace const a = m.boites[0].lignes[0].traces.at(0);
    Image_rvb const image = dessiner(m, 0, police, Parametres{40, 2});
    EXPECT_TRUE(blanc_en(image, a.x, a.y));           // index 0 is lit now
    EXPECT_FALSE(blanc_en(image, a.x + 1, a.y + 1));  // index 2 is the blank
}

TEST(PoliceConsole, AFourBitEightBySixteenFontIsDrawnAtThePositionsReturned) {
    // md-4bpp, 8 × 16 as two 8 × 8 tiles one above the other, rows of 4 bytes, pixel 0 in the
    // high nibble: "A" index 5 down its left column, "B" index 15 at its bottom-right pixel.
    Bytes rom(8, 0);
    for (int ligne = 0; ligne < 16; ++ligne) rom.insert(rom.end(), {0x50, 0, 0, 0});
    Bytes b(64, 0);
    b[63] = 0x0F;
    rom.insert(rom.end(), b.begin(), b.end());
    Monde monde;
    monde.forme.format = Tuiles::chercher_format("md-4bpp");
    monde.forme.taille = Tuiles::Dimensions{8, 16};
    Police const police(rom, 8, 0x41, monde.forme);
    Mise_en_page const m = monde.placer("<PT0001>\nBA\nB<FIN>\n", police);
    std::vector<Trace> const& t = m.boites[0].lignes[0].traces;
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].x - t[0].x, 5);
    EXPECT_EQ(m.boites[0].lignes[1].y - m.boites[0].lignes[0].y, 16);
    Image_rvb const image = dessiner(m, 0, police, Parametres{40, 2});
    for (int j = 0; j < 16; ++j) {
        EXPECT_TRUE(blanc_en(image, t[1].x, t[1].y + j)) << j;
        EXPECT_FALSE(blanc_en(image, t[1].x + 1, t[1].y + j)) << j;
    }
    EXPECT_TRUE(blanc_en(image, t[0].x + 7, t[0].y + 15));
    EXPECT_FALSE(blanc_en(image, t[0].x + 7, t[0].y + 14));
    Trace const seconde = m.boites[0].lignes[1].traces.at(0);
    EXPECT_TRUE(blanc_en(image, seconde.x + 7, seconde.y + 15));
    // The box's text area is two lines of 16 pixels: black down to its last row.
    Boite_placee const& boite = m.boites[0];
    Couleur const fond = image.lire(boite.x + 39, boite.y + 31);
    EXPECT_EQ(fond.r + fond.v + fond.b, 0);
}

// A script, its table and its widths in UTF-8 give what their Latin-1 forms give: each "é"
// one character, drawn with its code's glyph and measured by its width, and the quote of a
// line too wide cut after 20 characters, not inside the 20th.
TEST(PoliceConsole, AUtf8ScriptAndTableGiveTheProblemsAndWidthsOfTheirLatin1Forms) {
    std::string const script =
        "<PT0001>\n\xE9" "A \xE9\xE9" "B\xE9\xE9\xE9\n\xE9Z\xE9<FIN>\n<PT0002>\nAAAAAAAAAAAAAAAAAAA\xE9\xE9\xE9" "A<FIN>\n";
    Monde latin1(false);
    Monde utf8(true);
    Police const police1(latin1.rom, 0x10, 0x41, latin1.forme);
    Police const police8(utf8.rom, 0x10, 0x41, utf8.forme);
    Mise_en_page const m1 = latin1.placer(script, police1);
    Mise_en_page const m8 = utf8.placer(latin1_vers_utf8(script), police8);
    EXPECT_EQ(m1.problemes, 3);  // two lines too wide, and "Z", which has no width
    EXPECT_EQ(m8.problemes, m1.problemes);
    ASSERT_EQ(m8.rapports.size(), m1.rapports.size());
    for (std::size_t k = 0; k < m1.rapports.size(); ++k) {
        EXPECT_EQ(m8.rapports[k].message, m1.rapports[k].message) << k;
        ASSERT_EQ(m8.rapports[k].arguments.size(), m1.rapports[k].arguments.size());
        for (std::size_t a = 0; a < m1.rapports[k].arguments.size(); ++a) {
            Argument const& un = m1.rapports[k].arguments[a];
            Argument const& huit = m8.rapports[k].arguments[a];
            if (un.est_texte())
                EXPECT_EQ(huit.texte(), latin1_vers_utf8(un.texte())) << k << " " << a;
            else
                EXPECT_EQ(huit.entier(), un.entier()) << k << " " << a;
        }
    }
    ASSERT_EQ(m8.boites.size(), m1.boites.size());
    for (std::size_t b = 0; b < m1.boites.size(); ++b)
        for (std::size_t l = 0; l < m1.boites[b].lignes.size(); ++l) {
            Ligne_placee const& un = m1.boites[b].lignes[l];
            Ligne_placee const& huit = m8.boites[b].lignes.at(l);
            EXPECT_EQ(huit.largeur, un.largeur) << b << " " << l;
            ASSERT_EQ(huit.traces.size(), un.traces.size());
            for (std::size_t k = 0; k < un.traces.size(); ++k) {
                EXPECT_EQ(huit.traces[k].x, un.traces[k].x);
                EXPECT_EQ(huit.traces[k].code, un.traces[k].code);
            }
        }
    EXPECT_EQ(m8.boites[0].lignes[0].largeur, 6 + 7 + 3 + 6 + 6 + 5 + 6 + 6 + 6);
}

TEST(PoliceConsole, AWidthTableInTheRomGivesTheWidthsTheLineBreakTableLacks) {
    Monde monde(false, "A=7\n");  // no width for "B" nor "é" in the line-break table
    monde.largeurs_rom = Largeurs_rom{0x40, 0x41};
    Police const police(monde.rom, 0x10, 0x41, monde.forme, monde.largeurs_rom);
    ASSERT_EQ(verifier(Parametres{40, 2}, police, monde.codes), std::nullopt);
    Mise_en_page const m = monde.placer("<PT0001>\nAB\xE9" "B<FIN>\n", police);
    std::vector<Trace> const& t = m.boites[0].lignes[0].traces;
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1].x - t[0].x, 7);  // the line-break table's width wins
    EXPECT_EQ(t[2].x - t[1].x, 4);
    EXPECT_EQ(t[3].x - t[2].x, 2);
    EXPECT_EQ(m.boites[0].lignes[0].largeur, 7 + 4 + 2 + 4);
    EXPECT_EQ(t[2].code, 0x43);
    EXPECT_EQ(m.problemes, 0);

    // A width table whose last code the table uses lies past the ROM is refused.
    Police const coupee(monde.rom, 0x10, 0x41, monde.forme, Largeurs_rom{0x41, 0x41});
    std::optional<Rapport> const refus = verifier(Parametres{40, 2}, coupee, monde.codes);
    ASSERT_TRUE(refus);
    EXPECT_EQ(refus->message, Message::apercu_largeurs_hors_rom);
}

}  // namespace
