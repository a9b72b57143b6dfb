// apercu, run by the built program with a font the test makes: the pages it writes are
// decoded with libpng and checked pixel for pixel at the positions the command returns.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "apercu/police_de_test.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

struct Image {
    int largeur = 0;
    int hauteur = 0;
    std::vector<unsigned char> rvb;

    int pixel(int x, int y) const {
        std::size_t const k = (static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur) + static_cast<std::size_t>(x)) * 3;
        return (rvb[k] << 16) | (rvb[k + 1] << 8) | rvb[k + 2];
    }
};

// Decoded by libpng's own reader, whatever the file's form.
Image lire_png(std::string const& octets) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Image lue;
    if (!png_image_begin_read_from_memory(&image, octets.data(), octets.size())) {
        ADD_FAILURE() << "not a PNG: " << image.message;
        return lue;
    }
    image.format = PNG_FORMAT_RGB;
    lue.largeur = static_cast<int>(image.width);
    lue.hauteur = static_cast<int>(image.height);
    lue.rvb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, lue.rvb.data(), 0, nullptr)) ADD_FAILURE() << image.message;
    return lue;
}

void ecrire_monde(Scratch const& d) {
    std::vector<unsigned char> const rom = Police_de_test::rom();
    d.write("jeu.rom", std::string(rom.begin(), rom.end()));
    d.write("jeu.tbl", Police_de_test::table_caracteres());
    d.write("largeurs.tbl", Police_de_test::table_largeurs());
}

// The call, then every line the command returns, one per printed line:
// "L box page x y width text".
std::string const appel_et_lignes = R"(
local r = apercu(demande)
if r == nil then print('rien') return end
print('problemes ' .. r.problemes .. ' pages ' .. r.pages)
for b, boite in ipairs(r.boites) do
  for _, l in ipairs(boite.lignes) do
    print('L ' .. b .. ' ' .. boite.page .. ' ' .. l.x .. ' ' .. l.y .. ' ' .. l.largeur .. ' ' .. l.texte)
  end
end
)";

std::string demande(std::string const& champs_en_plus) {
    return "demande = { script = 'script.txt', table = 'jeu.tbl', largeurs = 'largeurs.tbl', largeur = 40, "
           "lignes = 2, sortie = 'vue.png', police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20 }" +
           champs_en_plus + " }\n";
}

struct Ligne_rendue {
    int boite, page, x, y;
    long long largeur;
    std::string texte;
};

std::vector<Ligne_rendue> lignes_rendues(std::string const& sortie) {
    std::vector<Ligne_rendue> lignes;
    std::istringstream flux(sortie);
    std::string ligne;
    while (std::getline(flux, ligne)) {
        if (ligne.compare(0, 2, "L ") != 0) continue;
        std::istringstream champs(ligne.substr(2));
        Ligne_rendue l{};
        champs >> l.boite >> l.page >> l.x >> l.y >> l.largeur;
        champs.get();
        std::getline(champs, l.texte);
        lignes.push_back(l);
    }
    return lignes;
}

// Every pixel of a line's cells, from the font and the widths the test knows: lit pixels
// white inside the box, red past its width or on a line past its count; unlit ones black in
// the box, the frame's grey on its edge, the page's white elsewhere.
void verifier_ligne(Image const& image, Ligne_rendue const& l, int x_boite, int y_boite, int largeur, int lignes) {
    bool const en_trop = l.y >= y_boite + lignes * 12;
    std::vector<std::vector<bool>> allume(12, std::vector<bool>(static_cast<std::size_t>(l.largeur) + 12, false));
    int plume = 0;
    for (char c : l.texte) {
        Apercu::Glyphe const g = Police_de_test::glyphe(c);
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 12; ++i)
                if (g[static_cast<std::size_t>(j)] & (0x800 >> i)) allume[static_cast<std::size_t>(j)][static_cast<std::size_t>(plume + i)] = true;
        plume += Police_de_test::avance(c);
    }
    ASSERT_EQ(plume, l.largeur) << l.texte;
    for (int j = 0; j < 12; ++j)
        for (int i = 0; i < plume + 12; ++i) {
            int const x = l.x + i;
            int const y = l.y + j;
            bool const dans_la_boite = !en_trop && x < x_boite + largeur;
            int attendu = dans_la_boite ? 0x000000 : 0xFFFFFF;
            if (!en_trop && x == x_boite + largeur) attendu = 0x808080;
            if (allume[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)]) attendu = dans_la_boite ? 0xFFFFFF : 0xFF0000;
            ASSERT_EQ(image.pixel(x, y), attendu) << l.texte << " at " << i << "," << j;
        }
}

TEST(CommandeApercu, DrawsEachLineWhereItSaysPixelForPixel) {
    Scratch d;
    ecrire_monde(d);
    // Pointer 1: a centred line, then a box break; pointer 2: a line too wide for 40 pixels
    // and a box of three lines for two.
    d.write("script.txt", "<PT0001>\nab\n<Centrer>Ma<BOITE>\nbig<FIN>\n\n<PT0002>\nabcdefgh\nWa\nc<FIN>\n");
    auto const r = run_script(d, demande("") + appel_et_lignes);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "Aperçu du fichier 'script.txt'...\n"
              "Ligne trop large : pointeur 2, boîte 1, ligne 1 : largeur 48 pour 40 (\"abcdefgh\")\n"
              "Boîte trop pleine : pointeur 2, boîte 1 : 3 lignes pour 2\n"
              "2 problème(s) trouvé(s)\n"
              "3 boîte(s) sur 1 page(s) : de 'vue-001.png' à 'vue-001.png'\n"
              "Aperçu terminé !\n\n"
              "problemes 2 pages 1\n"
              "L 1 1 5 14 12 ab\n"
              "L 1 1 17 26 13 <Centrer>Ma\n"
              "L 2 1 5 55 15 big\n"
              "L 3 1 5 96 48 abcdefgh\n"
              "L 3 1 5 108 16 Wa\n"
              "L 3 1 5 121 6 c\n");
    ASSERT_TRUE(d.exists("vue-001.png"));
    EXPECT_FALSE(d.exists("vue.png"));
    Image const image = lire_png(d.read("vue-001.png"));
    std::vector<Ligne_rendue> lignes = lignes_rendues(r.out);
    ASSERT_EQ(lignes.size(), 6u);
    // "<Centrer>" draws nothing: the text drawn is what follows it, (40 − 13) / 8 = 3 spaces in.
    EXPECT_EQ(lignes[1].x, lignes[0].x + 3 * Police_de_test::espace);
    lignes[1].texte = "Ma";
    int const x_boite = lignes[0].x;
    int const y_boites[] = {lignes[0].y, lignes[2].y, lignes[3].y};
    for (Ligne_rendue const& l : lignes) verifier_ligne(image, l, x_boite, y_boites[l.boite - 1], 40, 2);
    // Each box's frame, one pixel around its text area of 40 × 24.
    for (int y : y_boites) {
        EXPECT_EQ(image.pixel(x_boite - 1, y - 1), 0x808080);
        EXPECT_EQ(image.pixel(x_boite + 40, y + 24), 0x808080);
        EXPECT_EQ(image.pixel(x_boite + 39, y + 23), 0x000000);
    }
}

TEST(CommandeApercu, NumbersEveryPageAndRendersOnlyTheChosenPointers) {
    Scratch d;
    ecrire_monde(d);
    d.write("script.txt", "<PT0001>\na<FIN>\n<PT0002>\nb<BOITE>\nc<FIN>\n<PT0003>\nd<FIN>\n");
    auto const toutes = run_script(d, demande(", par_page = 2") + appel_et_lignes);
    EXPECT_EQ(toutes.status, 0) << toutes.out;
    EXPECT_NE(toutes.out.find("4 boîte(s) sur 2 page(s) : de 'vue-001.png' à 'vue-002.png'\n"), std::string::npos)
        << toutes.out;
    EXPECT_NE(toutes.out.find("L 3 2 "), std::string::npos) << toutes.out;
    EXPECT_TRUE(d.exists("vue-002.png"));
    EXPECT_FALSE(d.exists("vue-003.png"));

    Scratch e;
    ecrire_monde(e);
    e.write("script.txt", "<PT0001>\na<FIN>\n<PT0002>\nb<BOITE>\nc<FIN>\n<PT0003>\nd<FIN>\n");
    auto const choisies = run_script(e, demande(", pointeurs = {2, 2}, sortie = 'choix'") + appel_et_lignes);
    EXPECT_NE(choisies.out.find("2 boîte(s) sur 1 page(s) : de 'choix-001.png' à 'choix-001.png'\n"),
              std::string::npos)
        << choisies.out;
    EXPECT_EQ(lignes_rendues(choisies.out).size(), 2u);
    EXPECT_EQ(lignes_rendues(choisies.out)[0].texte, "b");
}

// Characters the font cannot show are hollow boxes and problems; problems end in status 0.
TEST(CommandeApercu, ReportsEachCharacterTheFontCannotShow) {
    Scratch d;
    ecrire_monde(d);
    d.write("script.txt", "<PT0007>\naq#~<FIN>\n");
    auto const r = run_script(d, demande("") + appel_et_lignes);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "Aperçu du fichier 'script.txt'...\n"
              "Caractère sans largeur : pointeur 7, boîte 1, ligne 1 : 'q'\n"
              "Caractère sans code d'un octet : pointeur 7, boîte 1, ligne 1 : '#'\n"
              "Caractère hors de la police : pointeur 7, boîte 1, ligne 1 : '~' (code 10)\n"
              "Ligne trop large : pointeur 7, boîte 1, ligne 1 : largeur 42 pour 40 (\"aq#~\")\n"
              "4 problème(s) trouvé(s)\n"
              "1 boîte(s) sur 1 page(s) : de 'vue-001.png' à 'vue-001.png'\n"
              "Aperçu terminé !\n\n"
              "problemes 4 pages 1\n"
              "L 1 1 5 14 42 aq#~\n");
    Image const image = lire_png(d.read("vue-001.png"));
    // The hollow box of "q": a 12 × 12 outline 6 pixels into the line.
    Ligne_rendue const ligne = lignes_rendues(r.out).at(0);
    int const x = ligne.x + 6;
    int const y = ligne.y;
    EXPECT_EQ(image.pixel(x, y), 0xFFFFFF);
    EXPECT_EQ(image.pixel(x + 11, y + 11), 0xFFFFFF);
    EXPECT_EQ(image.pixel(x + 5, y + 5), 0x000000);
}

TEST(CommandeApercu, RefusesWhatItCannotRenderAndWritesNothing) {
    std::string const debut = "Aperçu du fichier 'script.txt'...\n";
    std::string const fin = "Aperçu terminé !\n\nrien\n";
    struct Cas {
        char const* nom;
        std::string appel;
        std::string sortie;
    } const cas[] = {
        {"no table", "demande = 5\n", "Erreur, apercu attend une table : apercu{ script = ..., table = ..., police = { rom = "
                                     "..., adresse = ..., premier = ... }, largeurs = ..., largeur = ..., lignes = ..., "
                                     "sortie = ... }\nrien\n"},
        {"a misspelt field", demande(", largueur = 3"), "Erreur, apercu ne connaît pas le champ 'largueur'\nrien\n"},
        {"a misspelt font field", demande("").replace(demande("").find("premier"), 7, "debut"),
         "Erreur, apercu ne connaît pas le champ 'police.debut'\nrien\n"},
        {"a width that is text", demande(", largeur = 'x'").replace(demande("").find("largeur = 40"), 12, "lignes = 2"),
         "Erreur, le champ 'largeur' de apercu doit être un nombre entier\nrien\n"},
        {"a negative font address", demande("").replace(demande("").find("0x40"), 4, "-1"),
         "Erreur, le champ 'police.adresse' de apercu doit être un nombre entier\nrien\n"},
        {"a missing script name", demande("").replace(demande("").find("script = 'script.txt', "), 23, ""),
         "Erreur, le champ 'script' de apercu doit être un nom de fichier\nrien\n"},
        {"a range of one number", demande(", pointeurs = {3}"),
         "Erreur, le champ 'pointeurs' de apercu doit être une table de deux numéros de pointeur { premier, dernier "
         "}\nrien\n"},
        {"a missing character table", demande("").replace(demande("").find("'jeu.tbl'"), 9, "'absente.tbl'"),
         debut + "Impossible d'ouvrir le fichier \"absente.tbl\"\n" + fin},
        {"a missing line-break table", demande("").replace(demande("").find("'largeurs.tbl'"), 14, "'absente.tbl'"),
         debut + "Impossible d'ouvrir le fichier \"absente.tbl\"\n" + fin},
        {"a box of no width", demande("").replace(demande("").find("largeur = 40"), 12, "largeur = 0"),
         debut + "Erreur, une boîte de l'aperçu doit avoir une largeur et un nombre de lignes d'au moins 1\n" + fin},
        {"no box per page", demande(", par_page = 0"),
         debut + "Erreur, une page de l'aperçu montre de 1 à 1024 boîtes\n" + fin},
        {"a box of 257 lines", demande("").replace(demande("").find("lignes = 2"), 10, "lignes = 257"),
         debut + "Erreur, une boîte de l'aperçu ne dépasse pas 4096 pixels de large ni 256 lignes\n" + fin},
        {"a font past the ROM", demande("").replace(demande("").find("0x40"), 4, "0x100"),
         debut + "Erreur, la police à l'adresse 0x100 (codes 20 à 7D) sort de la rom de 1792 octets\n" + fin},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        d.write("script.txt", "<PT0001>\na<FIN>\n");
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, c.appel + appel_et_lignes);
        EXPECT_EQ(r.out, c.sortie) << c.nom;
        EXPECT_EQ(r.status, 2) << c.nom;
        EXPECT_TRUE(test_support::snapshot_without_scripts(d) == avant) << c.nom << ": a file was written or changed";
    }
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

// The bundled example's translation, table and widths converted to UTF-8, as a new user would:
// its two problems and the width of the bridge's line, as in Latin-1.
TEST(CommandeApercu, TheExampleInUtf8GivesTheProblemsAndWidthsOfItsLatin1Form) {
    Scratch d;
    std::filesystem::path const exemples =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "examples";
    for (auto const& f : std::filesystem::directory_iterator(exemples))
        std::filesystem::copy(f.path(), d.path(f.path().filename().string()));
    ASSERT_EQ(test_support::run_vorlan(d, {"-e", "demo.lua"}).status, 0);
    for (char const* nom : {"demo-traduit.txt", "demo.tbl", "demo-largeurs.tbl"})
        d.write(std::string("utf8-") + nom, latin1_vers_utf8(d.read(nom)));
    std::string const appel = R"(
local function boites(prefixe)
  local r = apercu{script = prefixe .. 'demo-traduit.txt', table = prefixe .. 'demo.tbl',
                   police = {rom = ROM, adresse = POLICE, premier = 0x20},
                   largeurs = prefixe .. 'demo-largeurs.tbl', largeur = 192, lignes = 2, sortie = prefixe .. 'vue.png'}
  return r.problemes .. ' ' .. r.boites[4].lignes[1].largeur
end
print('RESULTAT ' .. boites('') .. ' / ' .. boites('utf8-'))
)";
    auto const r = run_script(d, appel, d.read("vorlan-tool.lua"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("RESULTAT 2 273 / 2 273\n"), std::string::npos) << r.out;
}

// A console font through the command: gb-2bpp glyphs of 8 × 8 from code 0x61, 16 bytes each
// ("a" index 1 at its top-left pixel, "b" index 3 at its bottom-right one), and the widths of
// a table in the ROM.
TEST(CommandeApercu, DrawsAConsoleFontWithTheWidthsOfItsRom) {
    Scratch d;
    std::string rom(0x20, '\0');
    std::string a(16, '\0');
    a[0] = static_cast<char>(0x80);
    std::string b(16, '\0');
    b[14] = b[15] = 0x01;
    rom += a + b;
    rom += std::string("\x05\x03", 2);  // the widths of "a" and "b", at 0x40
    d.write("jeu.rom", rom);
    d.write("jeu.tbl", "61=a\n62=b\n");
    d.write("largeurs.tbl", " =4\n\\n=LINEBREAK\n<BOITE>\\n=NEW_DEFAUT\n<FIN>\\n=FIN\n");
    d.write("script.txt", "<PT0001>\nab a\nb<FIN>\n");
    std::string const champs =
        "demande = { script = 'script.txt', table = 'jeu.tbl', largeurs = 'largeurs.tbl', largeur = 40, lignes = 2, "
        "sortie = 'vue.png', police = { rom = 'jeu.rom', adresse = 0x20, premier = 0x61, format = 'gb-2bpp', "
        "interligne = 2 }, largeurs_rom = { adresse = 0x40, premier = 0x61 } }\n";
    auto const r = run_script(d, champs + appel_et_lignes);
    EXPECT_EQ(r.status, 0) << r.out;
    std::vector<Ligne_rendue> const lignes = lignes_rendues(r.out);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_EQ(lignes[0].largeur, 5 + 3 + 4 + 5);
    EXPECT_EQ(lignes[1].y - lignes[0].y, 10);
    Image const image = lire_png(d.read("vue-001.png"));
    EXPECT_EQ(image.pixel(lignes[0].x, lignes[0].y), 0xFFFFFF);          // "a"
    EXPECT_EQ(image.pixel(lignes[0].x + 1, lignes[0].y), 0x000000);
    EXPECT_EQ(image.pixel(lignes[0].x + 5 + 7, lignes[0].y + 7), 0xFFFFFF);  // "b"
    EXPECT_EQ(image.pixel(lignes[1].x + 7, lignes[1].y + 7), 0xFFFFFF);
}

TEST(CommandeApercu, RefusesFontFieldsItCannotUse) {
    std::string const debut = "Aperçu du fichier 'script.txt'...\n";
    std::string const fin = "Aperçu terminé !\n\nrien\n";
    auto const police = [](std::string const& champs) {
        return "demande = { script = 'script.txt', table = 'jeu.tbl', largeurs = 'largeurs.tbl', largeur = 40, "
               "lignes = 2, sortie = 'vue.png', police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20" +
               champs + " } }\n";
    };
    struct Cas {
        char const* nom;
        std::string appel;
        std::string sortie;
    } const cas[] = {
        {"an unknown format", police(", format = 'snes'"),
         "Erreur, le champ 'police.format' de apercu doit être un nom de format : 1bpp-12, 1bpp, nes-2bpp, gb-2bpp, "
         "ngp-2bpp, vb-2bpp, snes-4bpp, gba-4bpp, md-4bpp, sms-4bpp, snes-8bpp, gba-8bpp\nrien\n"},
        {"a size the format cannot take", police(", format = 'gb-2bpp', largeur = 12"),
         "Erreur, le format de police 'gb-2bpp' ne prend pas des glyphes de 12 x 8 pixels (des multiples de 8 "
         "pixels, jusqu'à 1024)\nrien\n"},
        {"another size for the 12 x 12 form", police(", hauteur = 16"),
         "Erreur, le format de police '1bpp-12' ne prend pas des glyphes de 12 x 16 pixels (12 x 12 "
         "seulement)\nrien\n"},
        {"an unknown order", police(", format = 'gb-2bpp', ordre = 'rangs'"),
         "Erreur, le champ 'police.ordre' de apercu doit être \"lignes\" ou \"colonnes\"\nrien\n"},
        {"a blank index past a byte", police(", fond = 256"),
         "Erreur, le champ 'police.fond' de apercu doit être un nombre entier\nrien\n"},
        {"a width table past the ROM",
         police("").replace(police("").find(" } }"), 4, " }, largeurs_rom = { adresse = 0x6F0 } }"),
         debut + "Erreur, la table des largeurs à l'adresse 0x6F0 (codes 00 à 7D) sort de la rom de 1792 octets\n" +
             fin},
        {"a misspelt width table field",
         police("").replace(police("").find(" } }"), 4, " }, largeurs_rom = { adresse = 0, debut = 1 } }"),
         "Erreur, apercu ne connaît pas le champ 'largeurs_rom.debut'\nrien\n"},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        d.write("script.txt", "<PT0001>\na<FIN>\n");
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, c.appel + appel_et_lignes);
        EXPECT_EQ(r.out, c.sortie) << c.nom;
        EXPECT_EQ(r.status, 2) << c.nom;
        EXPECT_TRUE(test_support::snapshot_without_scripts(d) == avant) << c.nom << ": a file was written or changed";
    }
}

}  // namespace
