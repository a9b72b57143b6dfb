// extraire_jeu and inserer_jeu, run by the built program on a small ROM: every field of a
// description and of the options is checked before any file is touched, and what is accepted
// reaches the operations as the script wrote it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/octets.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::octets;
using test_support::run_script;
using test_support::Scratch;

std::string const zeros(8, '\0');

// 48 bytes: at 0 two 2-byte pointers (offset - $10), at 8 and 10 the low and high bytes of a
// split pointer, at $0C a 1-byte pointer (offset - $10); from $10 the texts "AB", "CD", "E".
std::string const rom = octets({0x00, 0x00, 0x03, 0x00, 0, 0, 0, 0, 0x16, 0, 0x00, 0, 0x06, 0, 0, 0}) +
                        "AB" + octets({0}) + "CD" + octets({0}) + "E" + octets({0}) + zeros + zeros + zeros;

// The translation: pointers 3 and 4 now share the text of pointer 1.
std::string const traduction =
    "<PLAGE $10-$17>\n<PT0001>\nAB<FIN>\n<PT0002>\nFFFF<FIN>\n<PT0003>\n<PT0004>\nAB<FIN>\n";

void ecrire_monde(Scratch const& d) {
    d.write("jeu.rom", rom);
    d.write("jeu.tbl", "00=<FIN>\\n\n41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n");
    d.write("trad.txt", traduction);
}

// That ROM's layout with every kind of group; the profile's shift of $10 is given as plus and
// moins, so that each of them counts, in both directions.
std::string const description = R"(
jeu = { rom = 'jeu.rom', table = 'jeu.tbl', textes = { {0x10, 0x17} }, espace = { {0x10, 0x17}, {0x20, 0x27} },
  remplissage = 0xEE,
  pointeurs = { { adresse = 0, nombre = 2, profil = 'SNES16', plus = 0x18, moins = 0x08 },
                { octets = {8, 10}, nombre = 1 },
                { liste = {0x0C}, taille = 1, formule_ext = 'X+$10', formule_ins = 'X-$10' } } }
)";

TEST(CommandesJeu, ExtractsEveryGroupWhereTheDescriptionPutsIt) {
    Scratch d;
    ecrire_monde(d);
    auto const r = run_script(d, description + "print(select('#', extraire_jeu(jeu, 'script.txt')))\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "Extraction du fichier 'script.txt' à partir du fichier 'jeu.rom'...\n"
              "Extraction terminée !\n\n"
              "0\n");
    EXPECT_EQ(d.read("script.txt"),
              "<PLAGE $10-$17>\n<PT0001>\nAB<FIN>\n<PT0002>\nCD<FIN>\n<PT0003>\n<PT0004>\nE<FIN>\n");
    EXPECT_EQ(d.read("jeu.rom"), rom);
}

// The bilan the command returns, one line per field.
std::string const appel_et_bilan = R"(
local b = inserer_jeu(jeu, 'trad.txt', unpack(options, 1, options.n))
if b == nil then print('rien') return end
print('ecrit ' .. tostring(b.ecrit))
for _, x in ipairs(b.blocs) do print(string.format('bloc $%X-$%X %d %d', x.debut, x.fin, x.utilise, x.libre)) end
for _, m in ipairs(b.manquants) do print('manque ' .. table.concat(m.pointeurs, ',') .. ' ' .. m.taille) end
)";

TEST(CommandesJeu, InsertsAsTheOptionsSayAndReturnsTheBilan) {
    std::string const debut = "Insertion du fichier 'trad.txt' dans le fichier 'jeu.rom'...\n";
    std::string const fin = "Insertion terminée !\n\n";
    std::string const deux_blocs_pleins = "Bloc 1 ($10-$17) : 8 octets utilisés, 0 libres\n"
                                          "Bloc 2 ($20-$27) : 0 octets utilisés, 8 libres\n";
    std::string const sans_fusion = "Bloc 1 ($10-$17) : 8 octets utilisés, 0 libres\n"
                                    "Bloc 2 ($20-$27) : 3 octets utilisés, 5 libres\n";
    std::string const bilan_sans_fusion = "ecrit true\nbloc $10-$17 8 0\nbloc $20-$27 3 5\n";
    std::string const trop_long = "Bloc 1 ($10-$17) : 8 octets utilisés, 0 libres\n"
                                  "Le texte des pointeurs 3-4 (3 octets) ne tient dans aucun bloc où ses pointeurs "
                                  "peuvent le désigner\n";
    std::string const ab = "AB" + octets({0});
    std::string const ffff = "FFFF" + octets({0});
    std::string const ee(8, '\xEE');
    std::string const rom_sans_fusion = octets({0x00, 0x00, 0x03, 0x00, 0, 0, 0, 0, 0x20, 0, 0x00, 0, 0x10, 0, 0, 0}) +
                                        ab + ffff + zeros + ab + ee.substr(3) + zeros;
    struct Cas {
        char const* nom;
        std::string avant;    // Lua run before the call
        std::string options;  // the call's arguments after the script's name
        int status;
        std::string sortie;
        std::string rom;
    } const cas[] = {
        {"the defaults, in script order", "", "", 0, debut + sans_fusion + fin + bilan_sans_fusion, rom_sans_fusion},
        {"texts stored once", "", "{ fusionner = true }", 0,
         debut + deux_blocs_pleins + fin + "ecrit true\nbloc $10-$17 8 0\nbloc $20-$27 0 8\n",
         octets({0x00, 0x00, 0x03, 0x00, 0, 0, 0, 0, 0x10, 0, 0x00, 0, 0x00, 0, 0, 0}) + ab + ffff + zeros + ee + zeros},
        {"the largest text first", "", "{ fusionner = true, placement = 'compact' }", 0,
         debut + deux_blocs_pleins + fin + "ecrit true\nbloc $10-$17 8 0\nbloc $20-$27 0 8\n",
         octets({0x05, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0x15, 0, 0x00, 0, 0x05, 0, 0, 0}) + ffff + ab + zeros + ee + zeros},
        {"a simulation", "", "{ simulation = true, placement = 'ordre', partiel = false }", 0,
         debut + sans_fusion + fin + bilan_sans_fusion, rom},
        {"options given as nil", "", "nil", 0, debut + sans_fusion + fin + bilan_sans_fusion, rom_sans_fusion},
        {"too little room", "jeu.espace = { {0x10, 0x17} }\n", "", 2,
         debut + trop_long + "Erreur, 1 texte(s) sans place : rien n'a été écrit\n" + fin +
             "ecrit false\nbloc $10-$17 8 0\nmanque 3,4 3\n",
         rom},
        {"too little room, what fits written", "jeu.espace = { {0x10, 0x17} }\n", "{ partiel = true }", 2,
         debut + trop_long + "Attention, 1 texte(s) sans place n'ont pas été écrits : leurs pointeurs sont inchangés\n" +
             fin + "ecrit true\nbloc $10-$17 8 0\nmanque 3,4 3\n",
         rom.substr(0, 16) + ab + ffff + rom.substr(24)},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        // Packed with its count, so that an explicit nil is still passed.
        std::string const options = "options = { n = " + std::string(c.options.empty() ? "0" : "1") + ", " +
                                    c.options + " }\n";
        auto const r = run_script(d, description + c.avant + options + appel_et_bilan);
        EXPECT_EQ(r.status, c.status) << c.nom;
        EXPECT_EQ(r.out, c.sortie) << c.nom;
        EXPECT_EQ(d.read("jeu.rom"), c.rom) << c.nom;
    }
}

// A valid description of the test's ROM with the given fields changed; RETIRE removes one.
std::string const fabrique = R"(
RETIRE = {}
function jeu(champs)
  local d = { rom = 'jeu.rom', table = 'jeu.tbl', textes = { {0x10, 0x17} } }
  for k, v in pairs(champs or {}) do if v == RETIRE then d[k] = nil else d[k] = v end end
  return d
end
function groupe(g) return jeu{ pointeurs = { g } } end
)";

TEST(CommandesJeu, RefusesTheFirstFaultBeforeAnyWorkAndReturnsNothing) {
    std::string const entier_positif = "doit être un nombre entier de 0 à 2147483647\n";
    struct Cas {
        char const* appel;
        std::string message;
    } const cas[] = {
        // The arguments.
        {"extraire_jeu(jeu())", "La fonction \"extraire_jeu\" a un nombre d'argument incorrect\n"},
        {"extraire_jeu(jeu(), 'sortie.txt', {})", "La fonction \"extraire_jeu\" a un nombre d'argument incorrect\n"},
        {"inserer_jeu(jeu(), 'trad.txt', {}, {})", "La fonction \"inserer_jeu\" a un nombre d'argument incorrect\n"},
        {"extraire_jeu('jeu.rom', 'sortie.txt')", "Erreur, l'argument 1 est incorrect\n"},
        {"inserer_jeu(jeu(), {})", "Erreur, l'argument 2 doit être une chaine\n"},
        {"inserer_jeu(jeu(), 'trad.txt', 'compact')", "Erreur, l'argument 3 est incorrect\n"},

        // The description's own fields.
        {"extraire_jeu(jeu{ espaces = {} }, 'sortie.txt')",
         "Erreur, la description du jeu ne connaît pas le champ 'espaces'\n"},
        {"extraire_jeu(jeu{ [1] = 'jeu.rom' }, 'sortie.txt')",
         "Erreur, la description du jeu ne connaît pas le champ '[1]'\n"},
        {"extraire_jeu(jeu{ rom = RETIRE }, 'sortie.txt')", "Erreur, il manque le champ 'rom' à la description du jeu\n"},
        // Raw reads: a metatable cannot lend a missing field.
        {"extraire_jeu(setmetatable(jeu{ rom = RETIRE }, { __index = { rom = 'jeu.rom' } }), 'sortie.txt')",
         "Erreur, il manque le champ 'rom' à la description du jeu\n"},
        {"inserer_jeu(jeu{ textes = RETIRE }, 'trad.txt')",
         "Erreur, il manque le champ 'textes' à la description du jeu\n"},
        {"extraire_jeu(jeu{ rom = 5 }, 'sortie.txt')",
         "Erreur, le champ 'rom' de la description du jeu doit être un nom de fichier\n"},
        {"extraire_jeu(jeu{ table = 'jeu.tbl\\0x' }, 'sortie.txt')",
         "Erreur, le champ 'table' de la description du jeu doit être un nom de fichier\n"},
        {"extraire_jeu(jeu{ textes = {} }, 'sortie.txt')",
         "Erreur, le champ 'textes' de la description du jeu doit être une liste non vide de plages { debut, fin }\n"},
        {"extraire_jeu(jeu{ textes = { [1] = {0x10, 0x13}, [3] = {0x14, 0x17} } }, 'sortie.txt')",
         "Erreur, le champ 'textes' de la description du jeu doit être une liste non vide de plages { debut, fin }\n"},
        {"extraire_jeu(jeu{ textes = { {0x10, 0x13}, {0x14, 0x15, 0x17} } }, 'sortie.txt')",
         "Erreur, le champ 'textes[2]' de la description du jeu doit être une plage { debut, fin } de deux nombres "
         "entiers\n"},
        {"inserer_jeu(jeu{ espace = { {0x10, '0x17'} } }, 'trad.txt')",
         "Erreur, le champ 'espace[1][2]' de la description du jeu " + entier_positif},
        {"inserer_jeu(jeu{ espace = { {0x10, 0x17}, {-1, 0x27} } }, 'trad.txt')",
         "Erreur, le champ 'espace[2][1]' de la description du jeu " + entier_positif},
        {"extraire_jeu(jeu{ textes = { {0x10, 2^31} } }, 'sortie.txt')",
         "Erreur, le champ 'textes[1][2]' de la description du jeu " + entier_positif},
        {"inserer_jeu(jeu{ remplissage = 256 }, 'trad.txt')",
         "Erreur, le champ 'remplissage' de la description du jeu doit être un nombre entier de 0 à 255\n"},
        {"extraire_jeu(jeu{ pointeurs = { adresse = 0, nombre = 2 } }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs' de la description du jeu doit être une liste de groupes de pointeurs\n"},
        {"extraire_jeu(jeu{ pointeurs = { 5 } }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1]' de la description du jeu doit être une table décrivant un groupe de "
         "pointeurs\n"},

        // A group's fields.
        {"extraire_jeu(jeu{ pointeurs = { { adresse = 0, nombre = 2 }, { adresse = 4, nombre = 1, taile = 2 } } }, "
         "'sortie.txt')",
         "Erreur, la description du jeu ne connaît pas le champ 'pointeurs[2].taile'\n"},
        {"extraire_jeu(groupe{ nombre = 2 }, 'sortie.txt')",
         "Erreur, le groupe de pointeurs 1 doit avoir un seul des champs adresse, octets ou liste\n"},
        {"extraire_jeu(jeu{ pointeurs = { { adresse = 0, nombre = 2 }, { adresse = 4, liste = {4} } } }, "
         "'sortie.txt')",
         "Erreur, le groupe de pointeurs 2 doit avoir un seul des champs adresse, octets ou liste\n"},
        {"extraire_jeu(groupe{ adresse = 0 }, 'sortie.txt')",
         "Erreur, il manque le champ 'pointeurs[1].nombre' à la description du jeu\n"},
        {"extraire_jeu(groupe{ octets = {8, 10} }, 'sortie.txt')",
         "Erreur, il manque le champ 'pointeurs[1].nombre' à la description du jeu\n"},
        {"extraire_jeu(groupe{ adresse = 0.5, nombre = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].adresse' de la description du jeu " + entier_positif},
        {"extraire_jeu(groupe{ adresse = 0, nombre = -1 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].nombre' de la description du jeu " + entier_positif},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, taille = 5 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].taille' de la description du jeu doit être un nombre entier de 1 à 4\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, pas = 0 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].pas' de la description du jeu doit être un nombre entier de 1 à "
         "2147483647\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, ordre = 1 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].ordre' de la description du jeu doit être true ou false\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, formule_ext = 5, formule_ins = 'X' }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].formule_ext' de la description du jeu doit être une formule (une chaine sans "
         "octet nul)\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, formule_ext = 'X+$10' }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].formule_ext' de la description du jeu ne va pas sans le champ "
         "'pointeurs[1].formule_ins'\n"},
        {"inserer_jeu(groupe{ adresse = 0, nombre = 2, formule_ins = 'X-$10' }, 'trad.txt')",
         "Erreur, le champ 'pointeurs[1].formule_ins' de la description du jeu ne va pas sans le champ "
         "'pointeurs[1].formule_ext'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, plus = 0x10 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].plus' de la description du jeu ne va pas sans le champ "
         "'pointeurs[1].profil'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = 'SNES16', taille = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].taille' de la description du jeu ne peut pas être donné avec le champ "
         "'pointeurs[1].profil'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = 'SNES16', ordre = true }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].ordre' de la description du jeu ne peut pas être donné avec le champ "
         "'pointeurs[1].profil'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = 'SNES16', formule_ins = 'X' }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].formule_ins' de la description du jeu ne peut pas être donné avec le champ "
         "'pointeurs[1].profil'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = 'snes16' }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].profil' de la description du jeu nomme un profil inconnu : 'snes16'\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = true }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].profil' de la description du jeu doit être un nom de profil\n"},
        {"extraire_jeu(groupe{ adresse = 0, nombre = 2, profil = 'SNES16', moins = 2^32 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].moins' de la description du jeu doit être un nombre entier de -2147483648 à "
         "4294967295\n"},
        {"extraire_jeu(groupe{ octets = {1, 2, 3, 4, 5}, nombre = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].octets' de la description du jeu doit être une liste de 1 à 4 positions, une "
         "par octet d'un pointeur\n"},
        {"extraire_jeu(groupe{ octets = {8, -10}, nombre = 1 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].octets[2]' de la description du jeu " + entier_positif},
        {"extraire_jeu(groupe{ octets = {8, 10}, nombre = 1, taille = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].taille' de la description du jeu ne peut pas être donné avec le champ "
         "'pointeurs[1].octets'\n"},
        {"extraire_jeu(groupe{ octets = {8, 10}, nombre = 1, profil = 'SNES24-HighRom' }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].octets' de la description du jeu doit donner 3 positions, une par octet d'un "
         "pointeur du profil 'SNES24-HighRom'\n"},
        {"extraire_jeu(groupe{ liste = {}, taille = 1 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].liste' de la description du jeu doit être une liste non vide de nombres "
         "entiers\n"},
        {"extraire_jeu(groupe{ liste = {0, 2, 0x0C}, nombre = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].nombre' de la description du jeu doit valoir 3, le nombre de positions du "
         "champ 'pointeurs[1].liste'\n"},
        {"extraire_jeu(groupe{ liste = {0, 2}, pas = 2 }, 'sortie.txt')",
         "Erreur, le champ 'pointeurs[1].pas' de la description du jeu ne peut pas être donné avec le champ "
         "'pointeurs[1].liste'\n"},

        // The options.
        {"inserer_jeu(jeu(), 'trad.txt', { simuler = true })", "Erreur, inserer_jeu ne connaît pas le champ "
                                                               "'options.simuler'\n"},
        {"inserer_jeu(jeu(), 'trad.txt', { placement = 'taille' })",
         "Erreur, le champ 'options.placement' de inserer_jeu doit être \"ordre\" ou \"compact\"\n"},
        {"inserer_jeu(jeu(), 'trad.txt', { partiel = 'oui' })",
         "Erreur, le champ 'options.partiel' de inserer_jeu doit être true ou false\n"},
        // The description is checked before the options.
        {"inserer_jeu(jeu{ rom = RETIRE }, 'trad.txt', { simuler = true })",
         "Erreur, il manque le champ 'rom' à la description du jeu\n"},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, fabrique + "print(select('#', " + c.appel + "))\n");
        EXPECT_EQ(r.out, c.message + "0\n") << c.appel;
        EXPECT_EQ(r.status, 2) << c.appel;
        EXPECT_TRUE(test_support::snapshot_without_scripts(d) == avant) << c.appel << ": a file was written or changed";
    }
}

// What only the ROM, the table and the script can tell is refused before anything is read or
// written as well, framed by the command's messages.
TEST(CommandesJeu, RefusesWhatTheFilesCannotHoldAndChangesNothing) {
    struct Cas {
        char const* appel;
        std::string message;
    } const cas[] = {
        {"jeu{ textes = { {0x10, 0x30} } }", "Erreur, la plage textes[1] ($10-$30) sort de la rom de 48 octets\n"},
        {"jeu{ espace = { {0x10, 0x17}, {0x17, 0x20} } }", "Erreur, les plages espace[1] et espace[2] se chevauchent\n"},
        {"groupe{ adresse = 0x0E, nombre = 2 }", "Erreur, le pointeur 2 (groupe 1) est situé dans la plage textes[1]\n"},
        {"jeu{ pointeurs = { { adresse = 0, nombre = 2 }, { liste = {0x2F}, taille = 2 } } }",
         "Erreur, le pointeur 3 (groupe 2) est situé hors de la rom de 48 octets\n"},
        {"jeu{ pointeurs = { { adresse = 0, nombre = 2 }, { octets = {3, 8}, nombre = 1 } } }",
         "Erreur, les pointeurs 2 (groupe 1) et 3 (groupe 2) se partagent l'octet $3\n"},
        {"groupe{ adresse = 0, nombre = 2, formule_ext = '(X-$10', formule_ins = 'X+$10' }",
         "Erreur, la formule_ext '(X-$10' du groupe de pointeurs 1 ne peut pas être calculée :\n"
         "Erreur, il y a une erreur dans les paranthèses\n"},
        {"jeu{ rom = 'absente.rom' }", "fopen_error : Impossible d'ouvrir le fichier \"absente.rom\"\n\n"},
    };
    for (char const* commande : {"extraire_jeu", "inserer_jeu"}) {
        bool const extraction = commande[0] == 'e';
        std::string const script = extraction ? "sortie.txt" : "trad.txt";
        for (Cas const& c : cas) {
            Scratch d;
            ecrire_monde(d);
            auto const avant = test_support::snapshot_without_scripts(d);
            std::string const appel = std::string(commande) + "(" + c.appel + ", '" + script + "')";
            auto const r = run_script(d, fabrique + "print(select('#', " + appel + "))\n");
            std::string const cadre =
                extraction ? "Extraction du fichier 'sortie.txt' à partir du fichier '"
                           : "Insertion du fichier 'trad.txt' dans le fichier '";
            std::string const rom_nommee = std::string(c.appel).find("absente") != std::string::npos ? "absente.rom" : "jeu.rom";
            std::string const fin = extraction ? "Extraction terminée !\n\n" : "Insertion terminée !\n\n";
            EXPECT_EQ(r.out, cadre + rom_nommee + "'...\n" + c.message + fin + "0\n") << appel;
            EXPECT_EQ(r.status, 2) << appel;
            EXPECT_TRUE(test_support::snapshot_without_scripts(d) == avant) << appel << ": a file was written or changed";
        }
    }
    // A script whose marker names no range of the description.
    Scratch d;
    ecrire_monde(d);
    d.write("trad.txt", "<PLAGE $10-$18>\n<PT0001>\nAB<FIN>\n");
    auto const r = run_script(d, fabrique + "print(select('#', inserer_jeu(jeu(), 'trad.txt')))\n");
    EXPECT_EQ(r.out, "Insertion du fichier 'trad.txt' dans le fichier 'jeu.rom'...\n"
                     "Erreur, la marque '<PLAGE $10-$18>' du script ne désigne aucune plage de textes de la "
                     "description\nInsertion terminée !\n\n0\n");
    EXPECT_EQ(d.read("jeu.rom"), rom);
}

}  // namespace

namespace {

// A menu at $10 (pointer at 0): "AB", code F5 with an absolute pointer (offset - $10) to "CD"
// in the same range, code F6 07 with a pointer relative to its own bytes to "E" in a range of
// 1-byte prefixed strings at $20, which pointer 2 (debut_texte) designates past its prefix.
std::string const rom_menu = octets({0x10, 0x00, 0x21, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + "AB" +
                             octets({0xF5, 0x0A, 0x00, 0xF6, 0x07, 0x09, 0x00, 0x00}) + "CD" + octets({0, 0, 0, 0}) +
                             octets({0x01}) + "E" + octets({0x02}) + "FF" + octets({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

std::string const description_menu = R"(
jeu = { rom = 'jeu.rom', table = 'jeu.tbl', textes = { {0x10, 0x1F}, {0x20, 0x2F, longueur = 1} },
  pointeurs = { { adresse = 0, nombre = 1 }, { adresse = 2, nombre = 1, debut_texte = true } },
  integres = { { code = 'F5', formule_ext = 'X+$10', formule_ins = 'X-$10' },
               { code = 'F6', position = 1, taille = 2, ordre = true, formule_ext = 'X+P', formule_ins = 'X-P' } } }
)";

std::string const script_menu = "<PLAGE $10-$1F>\n<PT0001>\nAB<SAUT><#PT0003><MENU><07><#PT0004><FIN>\n<PT0003>\n"
                                "CD<FIN>\n<FIN>\n<FIN>\n<FIN>\n<PLAGE $20-$2F>\n<PT0002>\n<PT0004>\nE\nFF\n";

void ecrire_menu(Scratch const& d) {
    d.write("jeu.rom", rom_menu);
    d.write("jeu.tbl", "/00=<FIN>\n$F5=<SAUT>,2\n$F6=<MENU>,3\n41=A\n42=B\n43=C\n44=D\n45=E\n46=F\n");
}

TEST(CommandesJeu, EmbeddedPointersAndPrefixedStringsGoBackAsTheyCame) {
    Scratch d;
    ecrire_menu(d);
    auto const r = run_script(d, description_menu + "extraire_jeu(jeu, 'script.txt')\n"
                                                    "print(inserer_jeu(jeu, 'script.txt').ecrit)\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(d.read("script.txt"), script_menu);
    EXPECT_EQ(r.out, "Extraction du fichier 'script.txt' à partir du fichier 'jeu.rom'...\n"
                     "Attention, la plage textes[2] ne contient plus que des zéros à partir de $25 : ses chaînes "
                     "s'arrêtent là\n"
                     "Extraction terminée !\n\n"
                     "Insertion du fichier 'script.txt' dans le fichier 'jeu.rom'...\n"
                     "Bloc 1 ($10-$1F) : 16 octets utilisés, 0 libres\n"
                     "Bloc 2 ($20-$2F) : 5 octets utilisés, 11 libres\n"
                     "Insertion terminée !\n\n"
                     "true\n");
    EXPECT_EQ(d.read("jeu.rom"), rom_menu);

    // Translated: the choices change places and lengths, the menu's pointers follow them.
    d.write("trad.txt", "<PLAGE $10-$1F>\n<PT0001>\nA<SAUT><#PT0003><MENU><07><#PT0004><FIN>\n<PT0004>\nDDDD<FIN>\n"
                        "<PLAGE $20-$2F>\n<PT0002>\n<PT0003>\nCE\nFF\n");
    auto const t = run_script(d, description_menu + "inserer_jeu(jeu, 'trad.txt')\nextraire_jeu(jeu, 'relu.txt')\n");
    EXPECT_EQ(t.status, 0) << t.out;
    EXPECT_EQ(d.read("relu.txt"), "<PLAGE $10-$1F>\n<PT0001>\nA<SAUT><#PT0003><MENU><07><#PT0004><FIN>\n<PT0004>\n"
                                  "DDDD<FIN>\n<FIN>\n<FIN>\n<PLAGE $20-$2F>\n<PT0002>\n<PT0003>\nCE\n"
                                  "FF\n");
}

TEST(CommandesJeu, RefusesWhatEmbeddedCodesAndPrefixesCannotDo) {
    std::string const fin_ext = "Extraction terminée !\n\n0\n";
    std::string const debut_ext = "Extraction du fichier 'sortie.txt' à partir du fichier 'jeu.rom'...\n";
    std::string const debut_ins = "Insertion du fichier 'trad.txt' dans le fichier 'jeu.rom'...\n";
    std::string const fin_ins = "Insertion terminée !\n\n0\n";
    struct Cas {
        char const* avant;  // Lua run on the menu's description before the call
        char const* appel;
        std::string sortie;
    } const cas[] = {
        // The fields, before any file is opened.
        {"jeu.integres[1].taile = 2", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, la description du jeu ne connaît pas le champ 'integres[1].taile'\n0\n"},
        {"jeu.integres[2].code = 'F6X'", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, le champ 'integres[2].code' de la description du jeu doit être un code hexadécimal d'un octet ou "
         "plus, comme \"F5\"\n0\n"},
        {"jeu.integres = { 5 }", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, le champ 'integres[1]' de la description du jeu doit être une table décrivant un code à pointeur "
         "intégré\n0\n"},
        {"jeu.integres[1].plus = 1", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, le champ 'integres[1].plus' de la description du jeu ne va pas sans le champ "
         "'integres[1].profil'\n0\n"},
        {"jeu.textes[2].longueur = 3", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, le champ 'textes[2].longueur' de la description du jeu doit être un nombre entier de 1 à 2\n0\n"},
        {"jeu.textes[1].ordre = false", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, le champ 'textes[1].ordre' de la description du jeu ne va pas sans le champ "
         "'textes[1].longueur'\n0\n"},
        {"jeu.textes[2].prefixe = 1", "extraire_jeu(jeu, 'sortie.txt')",
         "Erreur, la description du jeu ne connaît pas le champ 'textes[2].prefixe'\n0\n"},
        {"jeu.espace = { {0x20, 0x2F, longueur = 1} }", "inserer_jeu(jeu, 'trad.txt')",
         "Erreur, le champ 'espace[1]' de la description du jeu doit être une plage { debut, fin } de deux nombres "
         "entiers\n0\n"},
        {"jeu.pointeurs[2].debut_texte = 1", "inserer_jeu(jeu, 'trad.txt')",
         "Erreur, le champ 'pointeurs[2].debut_texte' de la description du jeu doit être true ou false\n0\n"},
        // The codes against the table, once it is loaded.
        {"jeu.integres[2].position = 2", "extraire_jeu(jeu, 'sortie.txt')",
         debut_ext + "Erreur, les champs 'integres[2].taille' (2) et 'integres[2].position' (2) de la description du "
                     "jeu dépassent les 3 octet(s) de paramètres du code F6\n" + fin_ext},
        {"jeu.integres[1].code = '41'", "inserer_jeu(jeu, 'trad.txt')",
         debut_ins + "Erreur, le champ 'integres[1].code' de la description du jeu nomme le code 41, que la table ne "
                     "fait suivre d'aucun paramètre\n" + fin_ins},
        {"jeu.integres[1].code = 'F7'", "inserer_jeu(jeu, 'trad.txt')",
         debut_ins + "Erreur, le champ 'integres[1].code' de la description du jeu nomme le code F7, que la table ne "
                     "connaît pas\n" + fin_ins},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_menu(d);
        d.write("trad.txt", script_menu);
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, description_menu + c.avant + "\nprint(select('#', " + c.appel + "))\n");
        EXPECT_EQ(r.out, c.sortie) << c.avant;
        EXPECT_EQ(r.status, 2) << c.avant;
        EXPECT_TRUE(test_support::snapshot_without_scripts(d) == avant) << c.avant << ": a file was written or changed";
    }
}

TEST(CommandesJeu, AnInsertionThatCannotKeepItsReferencesWritesNothing) {
    struct Cas {
        char const* nom;
        std::string script;
        std::string messages;
        char const* bilan;
    } const cas[] = {
        {"a choice behind its relative pointer",
         "<PLAGE $10-$1F>\n<PT0004>\nDD<FIN>\n<PT0001>\nAB<SAUT><#PT0003><MENU><07><#PT0004><FIN>\n<PT0003>\nC<FIN>\n"
         "<PLAGE $20-$2F>\n<PT0002>\nE\n",
         "Bloc 1 ($10-$1F) : 15 octets utilisés, 1 libres\n"
         "Bloc 2 ($20-$2F) : 2 octets utilisés, 14 libres\n"
         "Erreur, les pointeurs intégrés 4 ne peuvent pas désigner leur texte là où il est placé\n"
         "Le texte des pointeurs 4 (3 octets) ne tient dans aucun bloc où ses pointeurs peuvent le désigner\n"
         "Le texte qui porte les pointeurs intégrés 4 (10 octets) n'est pas écrit : ils désignent un texte sans "
         "place\n"
         "Erreur, 2 texte(s) sans place : rien n'a été écrit\n",
         "false"},
        {"a string too long for its prefix",
         "<PLAGE $10-$1F>\n<PT0001>\nA<FIN>\n<PLAGE $20-$2F>\n<PT0002>\n" + std::string(256, 'E') + "\n",
         "Erreur, une chaîne du texte des pointeurs 2 fait 256 octets : trop pour sa longueur sur 1 octet(s)\n",
         "nil"},
        {"a reference to no tag", "<PLAGE $10-$1F>\n<PT0001>\nA<SAUT><#PT0007><FIN>\n",
         "Erreur, la référence '<#PT0007>' du script ne nomme aucune balise du script\n", "nil"},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_menu(d);
        d.write("trad.txt", c.script);
        auto const r = run_script(d, description_menu + "local b = inserer_jeu(jeu, 'trad.txt')\n"
                                                        "print(b and tostring(b.ecrit) or 'nil')\n");
        EXPECT_EQ(r.out, "Insertion du fichier 'trad.txt' dans le fichier 'jeu.rom'...\n" + c.messages +
                             "Insertion terminée !\n\n" + c.bilan + "\n")
            << c.nom;
        EXPECT_EQ(r.status, 2) << c.nom;
        EXPECT_EQ(d.read("jeu.rom"), rom_menu) << c.nom;
    }
}

// encodage = "court": "abcd" in two bytes (a, bcd) where longest match takes three (ab, c, d);
// the default keeps longest match's bytes.
TEST(CommandesJeu, TheShortestEncodingWritesFewerBytesWhenAsked) {
    std::string const rom = octets({0x10, 0x00}) + std::string(14, '\xEE') + octets({0x80, 0x63, 0x64, 0x00}) +
                            std::string(12, '\0');
    std::string const jeu = "jeu = { rom = 'jeu.rom', table = 'jeu.tbl', textes = { {0x10, 0x1F} },\n"
                            "  pointeurs = { { adresse = 0, nombre = 1 } } }\n";
    struct Cas {
        char const* options;
        std::string attendu;
        long long utilise;
    };
    Cas const cas[] = {
        {"nil", octets({0x80, 0x63, 0x64, 0x00}), 4},
        {"{ encodage = 'long' }", octets({0x80, 0x63, 0x64, 0x00}), 4},
        {"{ encodage = 'court' }", octets({0x61, 0x81, 0x00, 0x00}), 3},
    };
    for (Cas const& c : cas) {
        Scratch d;
        d.write("jeu.rom", rom);
        d.write("jeu.tbl", "00=<FIN>\\n\n61=a\n62=b\n63=c\n64=d\n80=ab\n81=bcd\n");
        d.write("script.txt", "<PLAGE $10-$1F>\n<PT0001>\nabcd<FIN>\n");
        auto const r = run_script(d, jeu + "print(inserer_jeu(jeu, 'script.txt', " + c.options + ").blocs[1].utilise)\n");
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("\n" + std::to_string(c.utilise) + "\n"), std::string::npos) << c.options << r.out;
        EXPECT_EQ(d.read("jeu.rom").substr(0x10, 4), c.attendu) << c.options;
    }
}

TEST(CommandesJeu, AnEncodingItDoesNotKnowOrCannotUseIsRefused) {
    struct Cas {
        char const* appel;
        char const* message;
    };
    Cas const cas[] = {
        {"inserer_jeu(jeu, 'trad.txt', { encodage = 'moyen' })",
         "Erreur, le champ 'options.encodage' de inserer_jeu doit \xEAtre \"long\" ou \"court\"\n"},
        {"jeu.integres = { { code = 'F5', taille = 2 } }\ninserer_jeu(jeu, 'trad.txt', { encodage = 'court' })",
         "Erreur, encodage = \"court\" ne lit pas les renvois des pointeurs int\xE9gr\xE9s (integres) : prenez "
         "l'encodage \"long\"\n"},
    };
    for (Cas const& c : cas) {
        Scratch d;
        ecrire_monde(d);
        auto const avant = test_support::snapshot_without_scripts(d);
        auto const r = run_script(d, description + c.appel + "\n");
        EXPECT_EQ(r.out, c.message) << c.appel;
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(test_support::snapshot_without_scripts(d), avant);
    }
}

}  // namespace
