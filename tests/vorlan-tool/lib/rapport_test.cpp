#include "lib/rapport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A report prints exactly what printf would have printed with the same format and arguments.
TEST(Rapport, FormatsLikePrintf) {
    struct Cas {
        Rapport rapport;
        std::string attendu;
    };
    Cas const cas[] = {
        {Rapport(Message::extraction_fin), "Extraction terminée !\n\n"},
        {Rapport(Message::argument_chaine, {3}), "Erreur, l'argument 3 doit être une chaine\n"},
        {Rapport(Message::extraction_debut, {"s %d.txt", "r%s"}),
         "Extraction du fichier 's %d.txt' à partir du fichier 'r%s'...\n"},
        {Rapport(Message::espace_insuffisant, {5000000000LL}), "Espace insuffisant, il manque 5000000000 octets...\n"},
        {Rapport(Message::octets_restants, {-2}), "-2 octets restants\n"},
        // Widths and right alignment.
        {Rapport(Message::mte_mot, {4, 12, -3, "abcd"}),
         "Taille :        4  Apparitions :       12  Score :       -3   \"abcd\"\n"},
        {Rapport(Message::mot_supprime, {"mot", 3, 0}), "Mot :        mot   Taille :  3   Apparitions : 0\n"},
        // %c takes the low byte, as printf does with an int.
        {Rapport(Message::dte_paire, {0xE9, 'a', 7}), "\"\xE9" "a\"\t7\n"},
        {Rapport(Message::alb_caractere_inconnu, {-23, "\\n"}), "Le caractère '\xE9' est inconnu (\"\\n\")\n"},
    };
    for (Cas const& c : cas) EXPECT_EQ(formater(c.rapport), c.attendu) << texte_du_message(c.rapport.message);
}

TEST(Rapport, ACharacterZeroIsOneNulByteAndATextEndsAtItsFirstNul) {
    EXPECT_EQ(formater(Rapport(Message::dte_paire, {0, 0, 0})), std::string("\"\0\0\"\t0\n", 7));
    EXPECT_EQ(formater(Rapport(Message::entree_vide, {std::string("4\0" "1", 3), ""})),
              "Une entrée vide a été detectée (\"4=\")\n");
}

TEST(Rapport, ReportsFollowOneAnother) {
    Rapports const rapports = {Rapport(Message::dte_entete), Rapport(Message::dte_score, {9})};
    EXPECT_EQ(formater(rapports), "DTE\tApparitions\nScore : 9\n");
    EXPECT_EQ(formater(Rapports{}), "");
}

// A report that does not match its message is a fault of the program, never a garbled line.
TEST(Rapport, ArgumentsThatDoNotMatchTheMessageAreRefused) {
    EXPECT_THROW(formater(Rapport(Message::argument_chaine)), std::logic_error);
    EXPECT_THROW(formater(Rapport(Message::argument_chaine, {"3"})), std::logic_error);
    EXPECT_THROW(formater(Rapport(Message::extraction_debut, {1, 2})), std::logic_error);
    EXPECT_THROW(formater(Rapport(Message::extraction_fin, {1})), std::logic_error);
}

// Every message whose text holds no conversion prints as it stands, and every other one
// refuses to print without its arguments: no text of the catalogue is a broken format.
TEST(Rapport, EveryTextOfTheCatalogueIsAUsableFormat) {
    for (int k = 0; k < static_cast<int>(Message::nombre_de_messages); ++k) {
        Message const m = static_cast<Message>(k);
        std::string const texte = texte_du_message(m);
        bool conversion = false;
        for (std::size_t i = 0; i + 1 < texte.size(); ++i) {
            if (texte[i] != '%') continue;
            if (texte[i + 1] == '%') {
                ++i;
                continue;
            }
            conversion = true;
        }
        if (conversion)
            EXPECT_THROW(formater(Rapport(m)), std::logic_error) << texte;
        else
            EXPECT_EQ(formater(Rapport(m)), texte);
    }
}

}  // namespace
