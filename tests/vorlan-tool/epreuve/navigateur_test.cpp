// The proof sheet opened in a real browser, headless Chromium: from the DOM it produced once the
// page's script ran, no script error, every picture loaded at its own size, and each filter of
// the fragment showing exactly its sections; a screenshot of the page's top that is not blank.
// Skipped, with a message, when Chromium cannot start.
#include <gtest/gtest.h>
#include <png.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "apercu/police_de_test.h"
#include "support/process.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::Scratch;

// Its own diagnostics go nowhere: the test reads what it prints on its standard output.
std::string const chromium =
    "command -v chromium >/dev/null || exit 127; "
    "exec chromium --headless --no-sandbox --disable-gpu --user-data-dir=\"$PWD/profil\" \"$@\" 2>/dev/null";

test_support::RunResult ouvrir(Scratch const& d, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-c", chromium, "chromium"});
    return test_support::run("/bin/sh", arguments, d.dir());
}

// Tried once: each start of the browser costs about a second.
bool chromium_demarre() {
    static bool const demarre = [] {
        Scratch d;
        d.write("t.html", "<!DOCTYPE html><p>t</p>");
        return ouvrir(d, {"--dump-dom", "file://" + d.path("t.html")}).out.find("<p>t</p>") != std::string::npos;
    }();
    return demarre;
}

// Three texts: PT0001 translated, PT0002 left untranslated, PT0003 translated with two
// problems.
void ecrire_epreuve(Scratch const& d) {
    std::vector<unsigned char> const rom = Police_de_test::rom();
    d.write("jeu.rom", std::string(rom.begin(), rom.end()));
    d.write("jeu.tbl", Police_de_test::table_caracteres());
    d.write("largeurs.tbl", Police_de_test::table_largeurs() + "&=4\n\"=2\n'=2\n");
    d.write("script.txt", "<PT0001>\nHello<FIN>\n<PT0002>\nSame<FIN>\n<PT0003>\nshort<FIN>\n");
    d.write("script-fr.txt", "<PT0001>\nBonjour<FIN>\n<PT0002>\nSame<FIN>\n<PT0003>\nabcdefghijklmnop\nb\nc<FIN>\n");
    auto const r = test_support::run_script(
        d, "assert(epreuve{ script = 'script-fr.txt', original = 'script.txt', table = 'jeu.tbl', "
           "largeurs = 'largeurs.tbl', largeur = 60, lignes = 2, sortie = 'epreuve.html', "
           "police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20 } })\n");
    ASSERT_EQ(r.status, 0) << r.out;
}

// The ids of the sections the filter leaves shown.
std::set<std::string> montrees(std::string const& dom) {
    std::set<std::string> ids;
    std::regex const section("<section class=\"texte\" id=\"([^\"]+)\"([^>]*)>");
    for (std::sregex_iterator i(dom.begin(), dom.end(), section), fin; i != fin; ++i)
        if (std::string((*i)[2]).find(" hidden") == std::string::npos) ids.insert((*i)[1]);
    return ids;
}

TEST(EpreuveNavigateur, FiltersImagesAndScriptWorkInChromium) {
    if (!chromium_demarre()) GTEST_SKIP() << "chromium cannot start here: the browser tests are skipped";
    Scratch d;
    ecrire_epreuve(d);
    struct Cas {
        char const* fragment;
        std::set<std::string> sections;
    };
    Cas const cas[] = {
        {"#tout", {"PT0001", "PT0002", "PT0003"}},
        {"#problemes", {"PT0003"}},
        {"#non-traduits", {"PT0002"}},
    };
    for (Cas const& c : cas) {
        std::string const dom = ouvrir(d, {"--dump-dom", "file://" + d.path("epreuve.html") + c.fragment}).out;
        // The page's script marks the root element.
        std::smatch racine;
        ASSERT_TRUE(std::regex_search(dom, racine, std::regex("<html[^>]*>"))) << c.fragment;
        EXPECT_NE(racine.str().find("data-script=\"pret\""), std::string::npos) << c.fragment << racine.str();
        EXPECT_EQ(racine.str().find("data-erreurs"), std::string::npos) << c.fragment << racine.str();
        EXPECT_NE(racine.str().find(std::string("data-filtre=\"") + (c.fragment + 1) + "\""), std::string::npos)
            << c.fragment;
        EXPECT_EQ(montrees(dom), c.sections) << c.fragment;
        std::regex const image("data-largeur=\"([0-9]+)\" data-hauteur=\"([0-9]+)\"[^>]*data-naturel=\"([^\"]+)\"");
        int images = 0;
        for (std::sregex_iterator i(dom.begin(), dom.end(), image), fin; i != fin; ++i, ++images)
            EXPECT_EQ(std::string((*i)[3]), std::string((*i)[1]) + "x" + std::string((*i)[2])) << c.fragment;
        EXPECT_EQ(images, 3) << c.fragment;
    }
}

// The top of the page drawn: more than one colour.
TEST(EpreuveNavigateur, TheTopOfThePageIsNotBlank) {
    if (!chromium_demarre()) GTEST_SKIP() << "chromium cannot start here: the browser tests are skipped";
    Scratch d;
    ecrire_epreuve(d);
    ouvrir(d, {"--screenshot=" + d.path("haut.png"), "--window-size=800,600", "file://" + d.path("epreuve.html")});
    ASSERT_TRUE(d.exists("haut.png"));
    std::string const octets = d.read("haut.png");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, octets.data(), octets.size()));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    std::set<int> couleurs;
    for (std::size_t k = 0; k + 2 < pixels.size(); k += 3)
        couleurs.insert((pixels[k] << 16) | (pixels[k + 1] << 8) | pixels[k + 2]);
    EXPECT_GT(couleurs.size(), 2u);
}

}  // namespace
