// The proof sheet's content and page, from a layout made with the preview's test font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apercu/mise-en-page.h"
#include "apercu/police_de_test.h"
#include "echange/entrees-script.h"
#include "epreuve/feuille.h"
#include "epreuve/page-html.h"

namespace {

// Three texts: one translated, one left as its original (with characters HTML escapes), one
// whose line is too wide for the box of 60 pixels and whose box holds too many lines.
std::string const original = "<PT0001>\nHello<FIN>\n<PT0002>\n<b> & \"c'est\"<FIN>\n<PT0003>\nshort<FIN>\n";
std::string const traduction =
    "<PT0001>\nBonjour<FIN>\n<PT0002>\n<b> & \"c'est\"<FIN>\n<PT0003>\nabcdefghijklmnop\nb\nc<FIN>\n";

struct Monde {
    std::vector<unsigned char> rom = Police_de_test::rom();
    Insereur::Table_ins codes;
    Auto_LB::Table_ALB largeurs;
    Apercu::Police police{rom, Police_de_test::adresse_police, Police_de_test::premier};
    Apercu::Parametres parametres;
    Apercu::Mise_en_page m;
    Echange::Script_en_entrees entrees{traduction, Echange::Forme::balises};
    std::vector<std::string> originaux;

    Monde() {
        codes.charger(Police_de_test::table_caracteres());
        largeurs.charger(Police_de_test::table_largeurs() + "&=4\n\"=2\n'=2\n");
        parametres.largeur = 60;
        parametres.lignes = 2;
        parametres.par_page = 2;
        m = Apercu::mettre_en_page(traduction, codes, largeurs, police, parametres);
        Echange::Script_en_entrees const script_original(original, Echange::Forme::balises);
        for (Echange::Entree const& e : script_original.entrees()) originaux.push_back(e.texte);
    }
};

TEST(EpreuveFeuille, CountsTextsBoxesProblemsAndUntranslatedTexts) {
    Monde monde;
    Epreuve::Feuille const f =
        Epreuve::composer("Jeu", monde.entrees, &monde.originaux, monde.m, Echange::Encodage::latin1);
    ASSERT_EQ(f.sections.size(), 3u);
    EXPECT_EQ(f.comptes.textes, 3);
    EXPECT_EQ(f.comptes.boites, 3);
    EXPECT_EQ(f.comptes.problemes, 2);
    EXPECT_EQ(f.comptes.par_sorte.at(Message::ligne_trop_large), 1);
    EXPECT_EQ(f.comptes.par_sorte.at(Message::boite_trop_pleine), 1);
    EXPECT_EQ(f.comptes.traduits, 2);
    EXPECT_EQ(f.comptes.non_traduits, 1);
    EXPECT_TRUE(f.sections[0].traduit);
    EXPECT_FALSE(f.sections[1].traduit);
    EXPECT_EQ(f.sections[1].ancre, "PT0002");
    EXPECT_EQ(*f.sections[0].original, "Hello<FIN>");
    Epreuve::Section const& trop = f.sections[2];
    EXPECT_EQ(trop.nombre_de_problemes, 2);
    ASSERT_EQ(trop.problemes.size(), 2u);
    EXPECT_NE(trop.problemes[0].find("pointeur 3, bo\xc3\xaete 1, ligne 1"), std::string::npos) << trop.problemes[0];
    ASSERT_EQ(trop.lignes_fautives.size(), 1u);
    EXPECT_EQ(trop.lignes_fautives[0].boite, 1);
    EXPECT_EQ(trop.lignes_fautives[0].ligne, 1);
    EXPECT_EQ(f.sections[0].nombre_de_problemes, 0);
}

// Without an original nothing is counted as untranslated, and the page offers no such filter.
TEST(EpreuveFeuille, WithoutAnOriginalNoTextIsUntranslated) {
    Monde monde;
    Epreuve::Feuille const f = Epreuve::composer("Jeu", monde.entrees, nullptr, monde.m, Echange::Encodage::latin1);
    EXPECT_FALSE(f.comptes.avec_original);
    EXPECT_EQ(f.comptes.non_traduits, 0);
    EXPECT_FALSE(f.sections[1].original);
    std::string const page =
        Epreuve::page_html(f, monde.m, {"i/page-001.png", "i/page-002.png"}, Echange::Encodage::latin1);
    EXPECT_EQ(page.find("#non-traduits"), std::string::npos);
    EXPECT_EQ(page.find("data-traduit=\""), std::string::npos);
}

// The page: title and texts in UTF-8 and escaped, one anchored section per text, each box a
// cut of its page's picture at twice its size, the offending line marked.
TEST(EpreuveFeuille, ThePageHoldsEveryTextEscapedAndEveryBoxFromItsPicture) {
    Monde monde;
    Epreuve::Feuille const f =
        Epreuve::composer("Jeu : \xe9preuve <1>", monde.entrees, &monde.originaux, monde.m, Echange::Encodage::latin1);
    ASSERT_EQ(monde.m.pages.size(), 2u);
    std::string const page =
        Epreuve::page_html(f, monde.m, {"i/page-001.png", "i/page-002.png"}, Echange::Encodage::latin1);
    EXPECT_NE(page.find("<title>Jeu : \xc3\xa9preuve &lt;1&gt;</title>"), std::string::npos);
    for (char const* id : {"PT0001", "PT0002", "PT0003"})
        EXPECT_NE(page.find(std::string("<section class=\"texte\" id=\"") + id + "\""), std::string::npos) << id;
    EXPECT_NE(page.find("id=\"PT0002\" data-problemes=\"0\" data-traduit=\"non\""), std::string::npos);
    EXPECT_NE(page.find("id=\"PT0003\" data-problemes=\"2\" data-traduit=\"oui\""), std::string::npos);
    EXPECT_NE(page.find("&lt;b&gt; &amp; &quot;c&#39;est&quot;&lt;FIN&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<b> &"), std::string::npos);
    EXPECT_NE(page.find("<pre class=\"original\">Hello&lt;FIN&gt;</pre>"), std::string::npos);
    EXPECT_NE(page.find("<pre class=\"traduction\">abcdefghijklmnop\nb\nc&lt;FIN&gt;</pre>"), std::string::npos);
    EXPECT_NE(page.find("<li class=\"fautive\">abcdefghijklmnop</li>"), std::string::npos);
    EXPECT_NE(page.find("<li class=\"fautive\">c</li>"), std::string::npos);
    EXPECT_NE(page.find("<li>Bonjour</li>"), std::string::npos);
    EXPECT_NE(page.find("<span data-compte=\"non-traduits\">1</span>"), std::string::npos);
    EXPECT_NE(page.find("<span data-compte=\"lignes-trop-larges\">1</span>"), std::string::npos);
    // The third box is alone on the second page: cut from its label's top to the page's bottom.
    Apercu::Page const& seconde = monde.m.pages[1];
    Apercu::Boite_placee const& boite = monde.m.boites[2];
    std::string const cadre = "height:" + std::to_string((seconde.hauteur - Apercu::haut_de_boite(boite)) * 2) +
                              "px\"><img src=\"i/page-002.png\" alt=\"\" width=\"" +
                              std::to_string(seconde.largeur * 2) + "\"";
    EXPECT_NE(page.find(cadre), std::string::npos) << cadre;
    // Nothing fetched from elsewhere.
    EXPECT_EQ(page.find("http"), std::string::npos);
    EXPECT_EQ(page.find(" src=\"/"), std::string::npos);
}

}  // namespace
