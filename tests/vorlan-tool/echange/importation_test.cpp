#include "echange/importation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "echange/csv.h"
#include "echange/exportation.h"
#include "echange/po.h"

namespace {

using Echange::Ligne_echange;

std::string const script = "<PT0001>\nBonjour<FIN>\n<PT0002>\n<ROUGE>Le roi<BLANC> attend.<FIN>\n<PT0003>\nNon<FIN>\n";

Ligne_echange ligne(std::string id, std::string original, std::string traduction, bool flou = false) {
    return Ligne_echange{std::move(id), std::move(original), std::move(traduction), flou, ""};
}

Echange::Importation importer(std::vector<Ligne_echange> const& lignes, Echange::Demande_import d = {}) {
    d.format = Echange::Format::csv;
    d.nom_fichier = "jeu.csv";
    return Echange::importer(Echange::ecrire_csv(lignes), script, d);
}

struct Comptes_attendus {
    int traduits, flous, non_traduits, refuses, avertissements;
};

void verifier_comptes(Echange::Comptes const& c, Comptes_attendus const& a, char const* nom) {
    EXPECT_EQ(c.traduits, a.traduits) << nom;
    EXPECT_EQ(c.flous, a.flous) << nom;
    EXPECT_EQ(c.non_traduits, a.non_traduits) << nom;
    EXPECT_EQ(c.refuses, a.refuses) << nom;
    EXPECT_EQ(c.avertissements, a.avertissements) << nom;
}

// Each check of one entry, with its message, its count and what the script then holds.
TEST(Importation, EachCheckWithItsMessage) {
    Ligne_echange const deux = ligne("PT0002", "<ROUGE>Le roi<BLANC> attend.<FIN>", "<ROUGE>The king<BLANC> waits.<FIN>");
    Ligne_echange const trois = ligne("PT0003", "Non<FIN>", "No<FIN>");
    struct Cas {
        char const* nom;
        Ligne_echange entree;
        std::string messages;
        Comptes_attendus comptes;
        std::string texte_un;  // PT0001's text afterwards
    };
    Cas const cas[] = {
        {"applied", ligne("PT0001", "Bonjour<FIN>", "Hello<FIN>"), "", {3, 0, 0, 0, 0}, "Hello<FIN>"},
        {"fuzzy", ligne("PT0001", "Bonjour<FIN>", "Hello<FIN>", true), "", {2, 1, 0, 0, 0}, "Hello<FIN>"},
        {"empty", ligne("PT0001", "Bonjour<FIN>", ""), "", {2, 0, 1, 0, 0}, "Bonjour<FIN>"},
        {"unknown identifier", ligne("PT0009", "x", "y"),
         "Erreur, l'entrée PT0009 n'est pas un texte du script : elle est refusée\n"
         "Attention, aucune entrée ne traduit le texte PT0001 : il garde son original\n",
         {2, 0, 1, 1, 0}, "Bonjour<FIN>"},
        {"original changed", ligne("PT0001", "Salut<FIN>", "Hi<FIN>"),
         "Erreur, l'original de l'entrée PT0001 n'est plus le texte du script : elle n'est pas appliquée "
         "(forcer = true l'appliquerait)\n",
         {2, 0, 0, 1, 0}, "Bonjour<FIN>"},
        {"codes", ligne("PT0001", "Bonjour<FIN>", "Hello<ROUGE>"),
         "Attention, les codes de contrôle de la traduction de PT0001 ne sont pas ceux de l'original : <ROUGE> au "
         "lieu de <FIN>\n",
         {3, 0, 0, 0, 1}, "Hello<ROUGE>"},
        {"code missing", ligne("PT0001", "Bonjour<FIN>", "Hello"),
         "Attention, les codes de contrôle de la traduction de PT0001 ne sont pas ceux de l'original : rien au lieu "
         "de <FIN>\n",
         {3, 0, 0, 0, 1}, "Hello"},
        {"line breaks are free", ligne("PT0001", "Bonjour<FIN>", "Hel\nlo<FIN>"), "", {3, 0, 0, 0, 0}, "Hel\nlo<FIN>"},
        {"outside Latin-1", ligne("PT0001", "Bonjour<FIN>", "C\xC5\x93ur<FIN>"),
         "Erreur, la traduction de PT0001 contient le caractère U+0153, que le latin1 n'a pas : elle n'est pas "
         "appliquée\n",
         {2, 0, 0, 1, 0}, "Bonjour<FIN>"},
        {"cuts the script", ligne("PT0001", "Bonjour<FIN>", "Hello\n<PT0003>\nNo<FIN>"),
         "Erreur, la traduction de PT0001 contient une balise de pointeur ou une marque de plage en début de ligne : "
         "elle n'est pas appliquée\n",
         {2, 0, 0, 1, 0}, "Bonjour<FIN>"},
    };
    for (Cas const& c : cas) {
        Echange::Importation const r = importer({c.entree, deux, trois});
        ASSERT_TRUE(r.script) << c.nom;
        EXPECT_EQ(formater(r.rapports), c.messages) << c.nom;
        verifier_comptes(r.comptes, c.comptes, c.nom);
        Echange::Script_en_entrees const lu(*r.script, Echange::Forme::balises);
        ASSERT_EQ(lu.entrees().size(), 3u) << c.nom;
        EXPECT_EQ(lu.entrees()[0].texte, c.texte_un) << c.nom;
        EXPECT_EQ(lu.entrees()[1].texte, "<ROUGE>The king<BLANC> waits.<FIN>") << c.nom;
    }
}

TEST(Importation, ForcedFuzzyRepeatedAndUncovered) {
    Echange::Demande_import d;
    d.forcer = true;
    d.appliquer_flous = false;
    Echange::Importation const r = importer({ligne("PT0001", "Salut<FIN>", "Hi<FIN>"),
                                             ligne("PT0001", "Bonjour<FIN>", "Hello<FIN>"),
                                             ligne("PT0003", "Non<FIN>", "No<FIN>", true)},
                                            d);
    ASSERT_TRUE(r.script);
    EXPECT_EQ(formater(r.rapports),
              "Attention, l'original de l'entrée PT0001 n'est plus le texte du script : elle est appliquée quand même "
              "(forcer = true)\n"
              "Erreur, l'entrée PT0001 est donnée une seconde fois : elle est refusée\n"
              "Attention, aucune entrée ne traduit le texte PT0002 : il garde son original\n");
    verifier_comptes(r.comptes, {1, 0, 2, 1, 1}, "forced");
    EXPECT_EQ(*r.script, "<PT0001>\nHi<FIN>\n<PT0002>\n<ROUGE>Le roi<BLANC> attend.<FIN>\n<PT0003>\nNon<FIN>\n");
    EXPECT_EQ(r.comptes.pourcentage(), "25,0");
}

TEST(Importation, TableAndGlossary) {
    Insereur::Table_ins table;
    table.charger("41=A\n42=B\n20= \nFF=<FIN>\n");
    Echange::Demande_import d;
    d.table = &table;
    d.glossaire = {{"roi", "king"}, {"Non", "No"}, {"absent", "x"}};
    Echange::Importation const r =
        importer({ligne("PT0001", "Bonjour<FIN>", "AB A<FIN>"), ligne("PT0002", "<ROUGE>Le roi<BLANC> attend.<FIN>", "AC<FIN>"),
                  ligne("PT0003", "Non<FIN>", "B<FIN>")},
                 d);
    ASSERT_TRUE(r.script);
    EXPECT_EQ(formater(r.rapports),
              "Erreur, la traduction de PT0002 contient \"C\", que la table ne sait pas encoder : elle n'est pas "
              "appliquée\n"
              "Attention, la traduction de PT0003 ne contient pas 'No', que le glossaire impose pour 'Non'\n");
}

TEST(Importation, FixedListOneWordPerLine) {
    Echange::Demande_import d;
    d.format = Echange::Format::csv;
    d.forme = Echange::Forme::fixe;
    d.nom_fichier = "mots.csv";
    std::string const mots = "Potion__\nEpee____\n";
    Echange::Importation const r = Echange::importer(
        Echange::ecrire_csv({ligne("LIGNE 1", "Potion__", "Elixir"), ligne("LIGNE 2", "Epee____", "Lame\nlongue")}), mots, d);
    ASSERT_TRUE(r.script);
    EXPECT_EQ(*r.script, "Elixir\nEpee____\n");
    EXPECT_EQ(formater(r.rapports),
              "Erreur, la traduction de LIGNE 2 tient sur plusieurs lignes, un mot de liste fixe sur une seule : elle "
              "n'est pas appliquée\n");
}

TEST(Importation, AFileRefusedWholeGivesNoScript) {
    struct Cas {
        Echange::Format format;
        std::string octets;
        char const* message;
    };
    Cas const cas[] = {
        {Echange::Format::csv, "id,original\r\n",
         "Erreur, le fichier 'jeu' ne commence pas par la ligne d'en-tête 'id,original,traduction,statut,notes' : rien "
         "n'est écrit\n"},
        {Echange::Format::csv, "id,original,traduction,statut,notes\r\nPT1,a\r\n",
         "Erreur, la ligne 2 du fichier 'jeu' n'a pas 5 colonnes : rien n'est écrit\n"},
        {Echange::Format::po, "msgid \"a\n", "Erreur, la ligne 1 du fichier 'jeu' n'est pas du PO valide : rien n'est écrit\n"},
        {Echange::Format::tsv, "id\t\xE9t\xE9\n",
         "Erreur, le fichier 'jeu' n'est pas de l'UTF-8 valide (octet 3) : rien n'est écrit\n"},
    };
    for (Cas const& c : cas) {
        Echange::Demande_import d;
        d.format = c.format;
        d.nom_fichier = "jeu";
        Echange::Importation const r = Echange::importer(c.octets, script, d);
        EXPECT_FALSE(r.script);
        EXPECT_EQ(formater(r.rapports), c.message);
    }
}

TEST(Exportation, TranslationsPairedAndRefusals) {
    Echange::Demande_export d;
    d.format = Echange::Format::csv;
    d.nom_script = "script.txt";
    d.nom_traduction = "fr.txt";
    std::string const fr = "<PT0003>\nNo<FIN>\n<PT0001>\nBonjour<FIN>\n<PT0002>\nThe king<FIN>\n";
    Echange::Exportation const e = Echange::exporter(script, &fr, d);
    ASSERT_TRUE(e.octets);
    EXPECT_EQ(e.entrees, 3);
    EXPECT_EQ(*e.octets,
              "\xEF\xBB\xBFid,original,traduction,statut,notes\r\n"
              "PT0001,Bonjour<FIN>,Bonjour<FIN>,traduit,pointeur 1\r\n"
              "PT0002,<ROUGE>Le roi<BLANC> attend.<FIN>,The king<FIN>,traduit,pointeur 2\r\n"
              "PT0003,Non<FIN>,No<FIN>,traduit,pointeur 3\r\n");

    std::string const court = "<PT0001>\nHello<FIN>\n<PT0002>\nThe king<FIN>\n";
    EXPECT_EQ(formater(Echange::exporter(script, &court, d).rapports),
              "Erreur, le script traduit 'fr.txt' n'a pas le texte PT0003 du script 'script.txt' : rien n'est écrit\n");
    std::string const long_ = fr + "<PT0004>\nMore<FIN>\n";
    EXPECT_EQ(formater(Echange::exporter(script, &long_, d).rapports),
              "Erreur, le script traduit 'fr.txt' a un texte PT0004 que le script 'script.txt' n'a pas : rien n'est écrit\n");
    d.encodage = Echange::Encodage::utf8;
    Echange::Exportation const refus = Echange::exporter("<PT0001>\n\xE9t\xE9\n", nullptr, d);
    EXPECT_FALSE(refus.octets);
    EXPECT_EQ(formater(refus.rapports),
              "Erreur, le fichier 'script.txt' n'est pas de l'UTF-8 valide (octet 9) : rien n'est écrit\n");
}

TEST(Exportation, NotesSayWhereTheTextLies) {
    Echange::Script_en_entrees const s("<PLAGE $10000-$17FFF>\n<PT0005>\n<PT0006>\nA\n", Echange::Forme::balises);
    EXPECT_EQ(Echange::notes(s.entrees()[0], Echange::Forme::balises, std::nullopt), "pointeurs 5, 6 ; plage $10000-$17FFF");
    Echange::Script_en_entrees const f("a\nb\n", Echange::Forme::fixe);
    EXPECT_EQ(Echange::notes(f.entrees()[1], Echange::Forme::fixe, std::nullopt), "ligne 2");
}

}  // namespace
