#include "echange/entrees-script.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using Echange::Forme;
using Echange::Script_en_entrees;

struct Attendu {
    std::string identifiant;
    std::vector<long long> pointeurs;
    std::string texte;
    long long plage_debut = -1;
};

// Each script cut into its entries, and put back byte for byte from them.
TEST(EntreesScript, CutsAtTagsMarkersAndLines) {
    struct Cas {
        char const* nom;
        std::string script;
        Forme forme;
        std::vector<Attendu> entrees;
    };
    Cas const cas[] = {
        {"tags", "<PT0001>\nA<FIN>\n<PT0003>\n<PT0002>\nB\nC<FIN>\n", Forme::balises,
         {{"PT0001", {1}, "A<FIN>"}, {"PT0003 PT0002", {3, 2}, "B\nC<FIN>"}}},
        {"no final line feed", "<PT0001>\nA", Forme::balises, {{"PT0001", {1}, "A"}}},
        {"empty text between groups", "<PT0001>\n\n<PT0002>\nB\n", Forme::balises,
         {{"PT0001", {1}, ""}, {"PT0002", {2}, "B"}}},
        {"no tag", "Tout le texte\n", Forme::balises, {{"TEXTE", {}, "Tout le texte"}}},
        {"text before the first tag", "avant\n<PT10000>\nX\n", Forme::balises,
         {{"TEXTE", {}, "avant"}, {"PT10000", {10000}, "X"}}},
        {"markers", "<PLAGE $10-$1F>\n<PT0001>\nA\n<PLAGE $20-$2F>\nlibre\n<PT0002>\nB\n", Forme::balises,
         {{"PT0001", {1}, "A", 0x10}, {"PLAGE $20-$2F", {}, "libre", 0x20}, {"PT0002", {2}, "B", 0x20}}},
        {"a tag inside a line is text", "<PT0001>\nA <PT0002>\nB\n", Forme::balises,
         {{"PT0001", {1}, "A <PT0002>\nB"}}},
        {"a tag met twice", "<PT0001>\nA\n<PT0001>\nB\n", Forme::balises,
         {{"PT0001", {1}, "A"}, {"PT0001 #2", {1}, "B"}}},
        {"fixed list", "Potion__\n\nEpee____", Forme::fixe,
         {{"LIGNE 1", {}, "Potion__"}, {"LIGNE 2", {}, ""}, {"LIGNE 3", {}, "Epee____"}}},
        {"fixed list keeps tags as words", "<PT0001>\nA\n", Forme::fixe,
         {{"LIGNE 1", {}, "<PT0001>"}, {"LIGNE 2", {}, "A"}}},
        {"empty", "", Forme::balises, {}},
    };
    for (Cas const& c : cas) {
        Script_en_entrees const s(c.script, c.forme);
        ASSERT_EQ(s.entrees().size(), c.entrees.size()) << c.nom;
        std::vector<std::string> textes;
        for (std::size_t k = 0; k < c.entrees.size(); ++k) {
            Echange::Entree const& e = s.entrees()[k];
            EXPECT_EQ(e.identifiant, c.entrees[k].identifiant) << c.nom;
            EXPECT_EQ(e.pointeurs, c.entrees[k].pointeurs) << c.nom;
            EXPECT_EQ(e.texte, c.entrees[k].texte) << c.nom;
            EXPECT_EQ(e.plage ? e.plage->debut : -1, c.entrees[k].plage_debut) << c.nom;
            EXPECT_EQ(s.chercher(e.identifiant), k) << c.nom;
            textes.push_back(e.texte);
        }
        EXPECT_EQ(s.recomposer(textes), c.script) << c.nom;
    }
}

TEST(EntreesScript, PutsEachTextInItsPlace) {
    Script_en_entrees const s("<PLAGE $0-$F>\n<PT0001>\nA<FIN>\n<PT0002>\nB<FIN>", Forme::balises);
    EXPECT_EQ(s.recomposer({"Un\ndeux<FIN>", "Trois<FIN>"}), "<PLAGE $0-$F>\n<PT0001>\nUn\ndeux<FIN>\n<PT0002>\nTrois<FIN>");
    EXPECT_FALSE(s.chercher("PT0003"));
    // A text that was empty before a marker gets the line feed that keeps the marker a line.
    Script_en_entrees const vide("<PT0001>\n<PLAGE $0-$F>\n<PT0002>\nB\n", Forme::balises);
    EXPECT_EQ(vide.recomposer({"", "B"}), "<PT0001>\n<PLAGE $0-$F>\n<PT0002>\nB\n");
    EXPECT_EQ(vide.recomposer({"x", "B"}), "<PT0001>\nx\n<PLAGE $0-$F>\n<PT0002>\nB\n");
}

TEST(EntreesScript, PairsAnOriginalWithItsTranslationByTags) {
    Script_en_entrees const original("<PT0001>\nA\n<PT0002>\nB\n", Forme::balises);
    Script_en_entrees const meme_ordre("<PT0001>\nUn\n<PT0002>\nDeux\n", Forme::balises);
    Script_en_entrees const autre_ordre("<PT0002>\nDeux\n<PT0001>\nUn\n", Forme::balises);
    Script_en_entrees const sans_deux("<PT0001>\nUn\n", Forme::balises);
    Script_en_entrees const en_trop("<PT0001>\nUn\n<PT0002>\nDeux\n<PT0009>\nNeuf\n", Forme::balises);
    Script_en_entrees const partage("<PT0001>\n<PT0002>\nUn\n", Forme::balises);

    EXPECT_EQ(std::get<std::vector<std::size_t>>(Echange::appairer(original, meme_ordre)), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(std::get<std::vector<std::size_t>>(Echange::appairer(original, autre_ordre)), (std::vector<std::size_t>{1, 0}));
    auto const manque = std::get<Echange::Ecart_de_balises>(Echange::appairer(original, sans_deux));
    EXPECT_EQ(manque.identifiant, "PT0002");
    EXPECT_TRUE(manque.dans_l_original);
    auto const trop = std::get<Echange::Ecart_de_balises>(Echange::appairer(original, en_trop));
    EXPECT_EQ(trop.identifiant, "PT0009");
    EXPECT_FALSE(trop.dans_l_original);
    // Tags grouped otherwise make other texts.
    EXPECT_EQ(std::get<Echange::Ecart_de_balises>(Echange::appairer(original, partage)).identifiant, "PT0001");
}

TEST(EntreesScript, TellsATextThatWouldCutTheScript) {
    struct Cas {
        char const* texte;
        bool coupe;
    };
    Cas const cas[] = {
        {"Bonjour<FIN>", false},        {"a\n<PT0004>", true},      {"<PT0004>", true},
        {"a <PT0004>", false},          {"<PLAGE $10-$1F>", true}, {"x\n<PLAGE $10-$1F>\ny", true},
        {"<PT>", false},                {"<#PT0003>", false},      {"", false},
    };
    for (Cas const& c : cas) EXPECT_EQ(Echange::coupe_le_script(c.texte), c.coupe) << c.texte;
}

}  // namespace
