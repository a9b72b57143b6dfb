// The HTML pieces of the proof sheet: escaping, anchors and relative URLs.
#include <gtest/gtest.h>

#include <string>

#include "epreuve/html.h"

namespace {

TEST(EpreuveHtml, EscapesEveryCharacterWithAMeaning) {
    struct Cas {
        char const* texte;
        char const* attendu;
    };
    Cas const cas[] = {
        {"<b>", "&lt;b&gt;"},
        {"A & B", "A &amp; B"},
        {"\"c'est\"", "&quot;c&#39;est&quot;"},
        {"&amp;", "&amp;amp;"},
        {"d\xc3\xa9j\xc3\xa0\n<FIN>", "d\xc3\xa9j\xc3\xa0\n&lt;FIN&gt;"},
        {"", ""},
    };
    for (Cas const& c : cas) EXPECT_EQ(Epreuve::echapper(c.texte), c.attendu) << c.texte;
}

TEST(EpreuveHtml, AnchorsNameTheFirstTagOrTheRange) {
    struct Cas {
        char const* identifiant;
        char const* ancre;
    };
    Cas const cas[] = {
        {"PT0005", "PT0005"},
        {"PT0005 PT0006", "PT0005"},
        {"PLAGE $10000-$17FFF", "PLAGE-10000"},
        {"PT0005 #2", "PT0005-2"},
        {"PT0005 PT0006 #3", "PT0005-3"},
        {"LIGNE 3", "LIGNE-3"},
        {"TEXTE", "TEXTE"},
    };
    for (Cas const& c : cas) EXPECT_EQ(Epreuve::ancre(c.identifiant), c.ancre) << c.identifiant;
}

TEST(EpreuveHtml, UrlsKeepPathsAndEncodeTheRest) {
    EXPECT_EQ(Epreuve::en_url("epreuve-images/page-001.png"), "epreuve-images/page-001.png");
    EXPECT_EQ(Epreuve::en_url("mon jeu#1-images/page-001.png"), "mon%20jeu%231-images/page-001.png");
    EXPECT_EQ(Epreuve::en_url("\xe9t\xe9\"/a.png"), "%E9t%E9%22/a.png");
}

}  // namespace
