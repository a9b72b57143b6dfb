// epreuve, run by the built program with the preview's test font: what it prints, the page it
// writes, and every picture the page names decoded with libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <map>
#include <regex>
#include <string>

#include "apercu/police_de_test.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;

std::string const original = "<PT0001>\nHello<FIN>\n<PT0002>\n<b> & \"c'est\"<FIN>\n<PT0003>\nshort<FIN>\n";
std::string const traduction =
    "<PT0001>\nBonjour<FIN>\n<PT0002>\n<b> & \"c'est\"<FIN>\n<PT0003>\nabcdefghijklmnop\nb\nc<FIN>\n";

void ecrire_monde(Scratch const& d) {
    std::vector<unsigned char> const rom = Police_de_test::rom();
    d.write("jeu.rom", std::string(rom.begin(), rom.end()));
    d.write("jeu.tbl", Police_de_test::table_caracteres());
    d.write("largeurs.tbl", Police_de_test::table_largeurs() + "&=4\n\"=2\n'=2\n");
    d.write("script.txt", original);
    d.write("script-fr.txt", traduction);
}

std::string appel(std::string const& champs_en_plus) {
    return "local r = epreuve{ script = 'script-fr.txt', original = 'script.txt', table = 'jeu.tbl', "
           "largeurs = 'largeurs.tbl', largeur = 60, lignes = 2, sortie = 'epreuve.html', "
           "police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20 }" +
           champs_en_plus +
           " }\n"
           "if r == nil then print('rien') return end\n"
           "print('R ' .. r.page .. ' ' .. r.sections .. ' ' .. r.problemes .. ' ' .. r.pages .. ' ' .. #r.boites)\n";
}

// The size of a PNG file, 0 × 0 when it does not decode whole.
std::pair<int, int> taille_png(std::string const& octets) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, octets.data(), octets.size())) return {0, 0};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {0, 0};
    return {static_cast<int>(image.width), static_cast<int>(image.height)};
}

TEST(CommandeEpreuve, WritesThePageAndEveryPictureItNames) {
    Scratch d;
    ecrire_monde(d);
    auto const r = run_script(d, appel(", titre = 'Jeu : \"traduction\" & <essai>'"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "Épreuve du script 'script-fr.txt'...\n"
              "Ligne trop large : pointeur 3, boîte 1, ligne 1 : largeur 90 pour 60 (\"abcdefghijklmnop\")\n"
              "Boîte trop pleine : pointeur 3, boîte 1 : 3 lignes pour 2\n"
              "2 problème(s) trouvé(s)\n"
              "3 texte(s), 3 boîte(s) sur 1 image(s) : page 'epreuve.html'\n"
              "Épreuve terminée !\n\n"
              "R epreuve.html 3 2 1 3\n");
    std::string const page = d.read("epreuve.html");
    EXPECT_NE(page.find("<title>Jeu : &quot;traduction&quot; &amp; &lt;essai&gt;</title>"), std::string::npos);
    for (char const* texte : {"Hello&lt;FIN&gt;", "Bonjour&lt;FIN&gt;", "&lt;b&gt; &amp; &quot;c&#39;est&quot;&lt;FIN&gt;",
                              "short&lt;FIN&gt;", "abcdefghijklmnop\nb\nc&lt;FIN&gt;"})
        EXPECT_NE(page.find(texte), std::string::npos) << texte;
    EXPECT_NE(page.find("Ligne trop large : pointeur 3, bo\xc3\xaete 1, ligne 1 : largeur 90 pour 60 "
                        "(&quot;abcdefghijklmnop&quot;)"),
              std::string::npos);
    EXPECT_NE(page.find("Bo\xc3\xaete trop pleine : pointeur 3, bo\xc3\xaete 1 : 3 lignes pour 2"), std::string::npos);
    std::map<std::string, int> comptes;
    std::regex const compte("<span data-compte=\"([a-z-]+)\">([0-9]+)</span>");
    for (std::sregex_iterator i(page.begin(), page.end(), compte), fin; i != fin; ++i)
        comptes[(*i)[1]] = std::stoi((*i)[2]);
    std::map<std::string, int> const attendus = {{"textes", 3},   {"boites", 3},     {"problemes", 2},
                                                 {"lignes-trop-larges", 1}, {"boites-trop-pleines", 1},
                                                 {"traduits", 2}, {"non-traduits", 1}};
    EXPECT_EQ(comptes, attendus);
    for (char const* ancre : {"id=\"PT0001\"", "id=\"PT0002\"", "id=\"PT0003\""})
        EXPECT_NE(page.find(ancre), std::string::npos) << ancre;
    std::regex const image("<img src=\"([^\"]+)\" alt=\"\" width=\"[0-9]+\" height=\"[0-9]+\" data-largeur=\"([0-9]+)\" "
                           "data-hauteur=\"([0-9]+)\"");
    int images = 0;
    for (std::sregex_iterator i(page.begin(), page.end(), image), fin; i != fin; ++i, ++images) {
        std::string const nom = (*i)[1];
        ASSERT_TRUE(d.exists(nom)) << nom;
        EXPECT_EQ(taille_png(d.read(nom)), std::make_pair(std::stoi((*i)[2]), std::stoi((*i)[3]))) << nom;
    }
    EXPECT_EQ(images, 3);
    EXPECT_TRUE(d.exists("epreuve-images/page-001.png"));
}

// Texts and title in UTF-8 stay as they are; in Latin-1 they are converted.
TEST(CommandeEpreuve, TextsComeOutInUtf8FromEitherCharacterSet) {
    Scratch d;
    ecrire_monde(d);
    d.write("script.txt", "<PT0001>\nd\xe9j\xe0<FIN>\n");
    d.write("script-fr.txt", "<PT0001>\nd\xe9j\xe0<FIN>\n");
    d.write("script-utf8.txt", "<PT0001>\nd\xc3\xa9j\xc3\xa0<FIN>\n");
    std::string const deux = appel(", titre = '\xe9t\xe9'") +
                             "epreuve{ script = 'script-utf8.txt', table = 'jeu.tbl', largeurs = 'largeurs.tbl', "
                             "largeur = 60, lignes = 2, sortie = 'utf8.html', encodage = 'utf8', titre = '\xc3\xa9t\xc3\xa9', "
                             "police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20 } }\n";
    auto const r = run_script(d, deux);
    EXPECT_EQ(r.status, 0) << r.out;
    for (char const* nom : {"epreuve.html", "utf8.html"}) {
        std::string const page = d.read(nom);
        EXPECT_NE(page.find("<title>\xc3\xa9t\xc3\xa9</title>"), std::string::npos) << nom;
        EXPECT_NE(page.find(">d\xc3\xa9j\xc3\xa0&lt;FIN&gt;</pre>"), std::string::npos) << nom;
    }
    EXPECT_TRUE(d.exists("utf8-images/page-001.png"));
}

// Each refusal prints why and leaves every file as it was, no page and no folder written.
TEST(CommandeEpreuve, RefusalsWriteNothing) {
    struct Cas {
        char const* nom;
        std::string traduction;  // of script-fr.txt
        std::string champs;
        std::string sortie;
    };
    std::string const debut = "Épreuve du script 'script-fr.txt'...\n";
    std::string const fin = "Épreuve terminée !\n\nrien\n";
    Cas const cas[] = {
        {"a text the translation lacks", "<PT0001>\nBonjour<FIN>\n", "",
         debut + "Erreur, le script traduit 'script-fr.txt' n'a pas le texte PT0002 du script 'script.txt' : rien "
                 "n'est écrit\n" + fin},
        {"a text the original lacks", traduction + "<PT0009>\nx<FIN>\n", "",
         debut + "Erreur, le script traduit 'script-fr.txt' a un texte PT0009 que le script 'script.txt' n'a pas : "
                 "rien n'est écrit\n" + fin},
        {"an unknown field", traduction, ", par_page = 3", "Erreur, epreuve ne connaît pas le champ 'par_page'\nrien\n"},
        {"a misspelt field of the font", traduction, ", largeurs_rom = { adresse = 0, debut = 1 }",
         "Erreur, epreuve ne connaît pas le champ 'largeurs_rom.debut'\nrien\n"},
        {"a width table address that is no number", traduction, ", largeurs_rom = { adresse = 'x' }",
         "Erreur, le champ 'largeurs_rom.adresse' de epreuve doit être un nombre entier\nrien\n"},
        {"a bad character set", traduction, ", encodage = 'ascii'",
         "Erreur, le champ 'encodage' de epreuve doit valoir \"latin1\" ou \"utf8\"\nrien\n"},
        {"a Latin-1 script read as UTF-8", "<PT0001>\n\xe9<FIN>\n", ", encodage = 'utf8'",
         debut + "Erreur, le fichier 'script-fr.txt' n'est pas de l'UTF-8 valide (octet 9) : rien n'est écrit\n" +
             fin},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        d.write("script-fr.txt", c.traduction);
        auto const avant = d.snapshot();
        auto const r = run_script(d, appel(c.champs));
        EXPECT_EQ(r.out, c.sortie) << c.nom;
        EXPECT_NE(r.status, 0) << c.nom;
        EXPECT_EQ(test_support::snapshot_without_scripts(d).size(), avant.size()) << c.nom;
        EXPECT_FALSE(d.exists("epreuve.html")) << c.nom;
        EXPECT_FALSE(d.exists("epreuve-images")) << c.nom;
    }
}

// A page named as one of the inputs would destroy it: refused before any work.
TEST(CommandeEpreuve, APageThatIsAnInputIsRefused) {
    Scratch d;
    ecrire_monde(d);
    std::string script = appel("");
    script.replace(script.find("'epreuve.html'"), 14, "'script.txt'");
    auto const r = run_script(d, script);
    EXPECT_EQ(d.read("script.txt"), original);
    EXPECT_NE(r.out.find("script.txt"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rien\n"), std::string::npos) << r.out;
    EXPECT_FALSE(d.exists("script-images"));
}

}  // namespace
