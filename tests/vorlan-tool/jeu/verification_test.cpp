#include "jeu/verification.h"

#include <gtest/gtest.h>

#include <functional>

#include "disposition_de_test.h"

namespace {

TEST(VerificationJeu, LaDispositionDeTestEstAcceptee) {
    essai_jeu::Jeu_de_test const j = essai_jeu::construire();
    EXPECT_EQ(formater(Jeu::verifier(j.description, static_cast<long long>(j.rom.size()))), "");
}

TEST(VerificationJeu, ChaqueDefautEstRefuseEnLeNommant) {
    struct Cas {
        std::function<void(Jeu::Description&)> changer;
        char const* message;
    };
    Cas const cas[] = {
        {[](Jeu::Description& d) { d.textes[1] = {0x28010, 0x28000}; },
         "Erreur, la plage textes[2] ($28010-$28000) commence après sa fin\n"},
        {[](Jeu::Description& d) { d.espace.push_back({0x3F000, 0x40000}); },
         "Erreur, la plage espace[4] ($3F000-$40000) sort de la rom de 262144 octets\n"},
        {[](Jeu::Description& d) { d.textes.push_back({0x40000, 0x40001}); },
         "Erreur, la plage textes[4] ($40000-$40001) sort de la rom de 262144 octets\n"},
        {[](Jeu::Description& d) { d.textes.push_back({0x28003, 0x28004}); },
         "Erreur, les plages textes[2] et textes[4] se chevauchent\n"},
        {[](Jeu::Description& d) { d.espace.push_back({0x0, 0x10000}); },
         "Erreur, les plages espace[1] et espace[4] se chevauchent\n"},
        {[](Jeu::Description& d) { d.groupes[2].formule_ins = "(X-P"; },
         "Erreur, la formule_ins '(X-P' du groupe de pointeurs 3 ne peut pas être calculée :\n"
         "Erreur, il y a une erreur dans les paranthèses\n"},
        {[](Jeu::Description& d) { d.groupes[0].formule_ext = "X+"; },
         "Erreur, la formule_ext 'X+' du groupe de pointeurs 1 ne peut pas être calculée :\n"
         "math_error : La formule est incorrecte, calcul arrêté.\n"},
        {[](Jeu::Description& d) { d.groupes[3].liste[2] = 0x3FFFE; },
         "Erreur, le pointeur 291 (groupe 4) est situé hors de la rom de 262144 octets\n"},
        {[](Jeu::Description& d) { d.groupes[0].nombre = 0x10000; },
         "Erreur, le pointeur 65536 (groupe 1) est situé hors de la rom de 262144 octets\n"},
        {[](Jeu::Description& d) { d.groupes[0].pas = 1; },
         "Erreur, les pointeurs 1 (groupe 1) et 2 (groupe 1) se partagent l'octet $8001\n"},
        {[](Jeu::Description& d) { d.groupes[3].liste[1] = 0x9801; },
         "Erreur, les pointeurs 162 (groupe 3) et 290 (groupe 4) se partagent l'octet $9801\n"},
        {[](Jeu::Description& d) { d.groupes[2].octets[1] = 0x28100; },
         "Erreur, le pointeur 161 (groupe 3) est situé dans la plage textes[2]\n"},
        {[](Jeu::Description& d) { d.espace.push_back({0x1235, 0x1235}); },
         "Erreur, le pointeur 289 (groupe 4) est situé dans la plage espace[4]\n"},
    };
    for (Cas const& c : cas) {
        essai_jeu::Jeu_de_test j = essai_jeu::construire();
        c.changer(j.description);
        EXPECT_EQ(formater(Jeu::verifier(j.description, static_cast<long long>(j.rom.size()))), c.message);
    }
}

}  // namespace
