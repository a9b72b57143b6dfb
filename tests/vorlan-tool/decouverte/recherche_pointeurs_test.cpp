#include "decouverte/recherche-pointeurs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "decouverte/correspondances.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/extraction-jeu.h"
#include "rom_de_test.h"
#include "tables/extracteur-table.h"

namespace {

using Decouverte::Correspondance;
using Decouverte::Groupe_trouve;
using essai_pointeurs::Rom_de_test;
using essai_pointeurs::suite;

constexpr auto petit = Ordre_octets::petit_boutiste;
constexpr auto grand = Ordre_octets::grand_boutiste;

std::string const table_lettres = [] {
    std::string t = "00=#\n";
    char ligne[8];
    for (char c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", static_cast<unsigned>(c), c);
        t += ligne;
    }
    return t;
}();

std::vector<Groupe_trouve> chercher(Rom_de_test const& rom, int minimum = 8, std::vector<long long> ecarts = {},
                                    unsigned fils = 2) {
    Decouverte::Demande_pointeurs d;
    d.debuts = rom.debuts();
    d.minimum = minimum;
    d.ecarts = std::move(ecarts);
    return Decouverte::chercher_pointeurs(rom.octets(), d, fils);
}

// The string that Jeu::extraire shows after each pointer's tag (up to its end code "#"), by
// pointer number.
std::map<int, std::string> textes_extraits(Rom_de_test const& rom, Jeu::Groupe const& groupe) {
    Jeu::Description d;
    d.textes = rom.plages();
    d.espace = rom.plages();
    d.groupes = {groupe};
    Extracteur::Table_ext table;
    table.charger(table_lettres);
    std::string const script = Jeu::extraire(table, rom.octets(), d).script;
    std::map<int, std::string> textes;
    std::vector<int> en_attente;
    for (std::size_t p = 0; p < script.size();) {
        if (script[p] == '<') {
            std::size_t const fin = script.find('\n', p);
            int numero = 0;
            if (std::sscanf(script.c_str() + p, "<PT%d>", &numero) == 1) en_attente.push_back(numero);
            p = fin + 1;
            continue;
        }
        std::size_t const fin = script.find_first_of("#<", p);
        if (fin != std::string::npos && script[fin] == '#')
            for (int n : en_attente) textes[n] = script.substr(p, fin + 1 - p);
        en_attente.clear();
        p = fin == std::string::npos ? script.size() : script[fin] == '#' ? fin + 1 : fin;
    }
    return textes;
}

// Slot i of the group found designates cibles[i] when a description takes the group as it is,
// and its insertion formula gives the slot's value back from there.
void verifier_designation(Rom_de_test const& rom, Jeu::Groupe const& g, std::vector<long long> const& cibles) {
    ASSERT_EQ(g.nombre, static_cast<int>(cibles.size()));
    std::map<int, std::string> attendus;
    for (std::size_t i = 0; i < cibles.size(); ++i)
        attendus[static_cast<int>(i) + 1] = essai_pointeurs::texte_a(rom.octets(), cibles[i]);
    EXPECT_EQ(textes_extraits(rom, g), attendus);
    Jeu::Conversion const conversion(g);
    for (int i = 0; i < g.nombre; ++i)
        EXPECT_EQ(conversion.valeur(cibles[static_cast<std::size_t>(i)], Jeu::emplacement(g, i)),
                  Jeu::lire_pointeur(rom.octets(), g, i))
            << "slot " << i;
}

std::vector<long long> tranche(std::vector<long long> const& v, std::size_t debut, std::size_t nombre) {
    return {v.begin() + static_cast<long>(debut), v.begin() + static_cast<long>(debut + nombre)};
}

// --- The mappings' arithmetic ---

// The finder computes every slot natively; what it computes must be what Calcul gives for the
// formulas it reports, on every value a slot of each size can hold.
TEST(Correspondances, LaPositionEtLaValeurSontCellesQueCalculDonne) {
    using Decouverte::Forme;
    std::vector<Forme> formes;
    auto forme = [](Correspondance c, long long k, long long base = 0, long long fenetre = 0, long long entete = 0,
                    bool modulaire = false) {
        Forme f;
        f.correspondance = c;
        f.constante = k;
        f.base = base;
        f.fenetre = fenetre;
        f.entete = entete;
        f.ins_modulaire = modulaire;
        return f;
    };
    for (bool m : {false, true}) {
        for (long long k : {0LL, 5LL, -5LL, 0x1F00LL, -0x1F00LL, 0x7FFFFFFFLL, 0x80000000LL, 0xFFFFFFFFLL, -0xFFFFFFFFLL})
            formes.push_back(forme(Correspondance::lineaire, k, 0, 0, 0, m));
        for (long long k : {0LL, 2LL, -2LL, -0x10000LL, 0x80000000LL})
            formes.push_back(forme(Correspondance::relative, k, 0, 0, 0, m));
    }
    formes.push_back(forme(Correspondance::gba, 0x08000000));
    formes.push_back(forme(Correspondance::hirom_c0, 0xC00000));
    formes.push_back(forme(Correspondance::hirom_c0, 0xBFFE00, 0, 0, 0x200));
    formes.push_back(forme(Correspondance::hirom_40, 0x400000));
    for (long long h : {0LL, 0x200LL}) {
        formes.push_back(forme(Correspondance::lorom_00, 0, 0, 0, h));
        formes.push_back(forme(Correspondance::lorom_80, 0, 0, 0, h));
    }
    formes.push_back(forme(Correspondance::banque_lorom, 0, 0x18000, 0x8000));
    formes.push_back(forme(Correspondance::banque_lorom, 0, 0x200, 0x8000, 0x200));
    formes.push_back(forme(Correspondance::banque_hirom, 0, 0x20000, 0));
    formes.push_back(forme(Correspondance::banque_hirom, 0, 0, 0));
    formes.push_back(forme(Correspondance::banque_gb, 0, 0x14000, 0x4000));
    formes.push_back(forme(Correspondance::banque_nes_4000, 0, 0xC010, 0xC000, 0x10));
    formes.push_back(forme(Correspondance::banque_nes_2000, 0, 0xC010, 0xA000, 0x10));
    formes.push_back(forme(Correspondance::banque_nes_2000, 0, 0, 0xE000));

    std::vector<std::uint32_t> valeurs = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFF, 0x800000, 0xC00000,
                                          0xFFFFFF, 0x08000000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF};
    Rom_de_test hasard(0, 7);
    for (int n = 0; n < 300; ++n) valeurs.push_back(hasard.hasard(0x10000) << 16 | hasard.hasard(0x10000));
    long long const emplacements[] = {0, 3, 0x1234, 0x7FFFFFF0};
    for (Forme const& f : formes) {
        for (int taille = 2; taille <= 4; ++taille) {
            Jeu::Groupe g;
            g.taille = taille;
            g.formule_ext = Decouverte::formule_ext(f);
            g.formule_ins = Decouverte::formule_ins(f);
            Jeu::Conversion const calcul(g);
            std::string const nom = g.formule_ext + " / " + g.formule_ins + ", " + std::to_string(taille) + " bytes";
            for (std::uint32_t brute : valeurs) {
                std::uint32_t const v = taille == 4 ? brute : brute & ((1u << (8 * taille)) - 1);
                for (long long p : emplacements) {
                    std::optional<long long> const position = Decouverte::position(f, v, p);
                    ASSERT_EQ(position, calcul.position(v, p)) << nom << ", value " << v << ", P " << p;
                    for (long long o : {position.value_or(0), static_cast<long long>(brute % 0x1000000), 0x7FFFFFFFLL})
                        ASSERT_EQ(Decouverte::valeur(f, o, p, taille), calcul.valeur(o, p))
                            << nom << ", offset " << o << ", P " << p;
                }
            }
        }
    }
}

TEST(Correspondances, LesFormulesDesConsolesSontCellesDeLeursProfils) {
    struct Cas {
        Decouverte::Forme forme;
        char const* ext;
        char const* ins;
    };
    Cas const cas[] = {
        {{Correspondance::lorom_00}, "(X/$10000)*$8000+X%$8000", "((X/$8000)*$10000)+(X%$8000)+$8000"},
        {{Correspondance::lorom_80}, "(X/$10000-$80)*$8000+X%$8000", "(((X/$8000)+$80)*$10000)+(X%$8000)+$8000"},
        {{Correspondance::hirom_c0, 0xC00000}, "X-$C00000", "X+$C00000"},
        {{Correspondance::lorom_00, 0, 0, 0, 0x200}, "(X/$10000)*$8000+X%$8000+$200",
         "(((X-$200)/$8000)*$10000)+((X-$200)%$8000)+$8000"},
        {{Correspondance::relative, -2}, "X+P+$2", "X-P-$2"},
        {{Correspondance::banque_gb, 0, 0x14000, 0x4000}, "X-$4000+($7FFF-X)*0+$14000", "X-$14000+$4000"},
        {{Correspondance::banque_lorom, 0, 0x18000, 0x8000}, "X-$8000+$18000", "X-$18000+$8000"},
        {{Correspondance::banque_hirom, 0, 0x20000, 0}, "X+$20000", "X-$20000"},
        {{Correspondance::banque_nes_2000, 0, 0xC010, 0xA000, 0x10}, "X-$A000+($BFFF-X)*0+$C010", "X-$C010+$A000"},
        {{Correspondance::lineaire, -0x1F00}, "X+$1F00", "X-$1F00"},
        {{Correspondance::relative, 0, 0, 0, 0, true}, "X+P", "X+P*$FFFFFFFF"},
    };
    for (Cas const& c : cas) {
        EXPECT_EQ(Decouverte::formule_ext(c.forme), c.ext);
        EXPECT_EQ(Decouverte::formule_ins(c.forme), c.ins);
    }
}

// --- Each mapping found ---

struct Cas_table {
    char const* nom;
    Jeu::Groupe table;
    long long textes;   // where its text range begins
    bool melangee;      // targets in no string order
    Correspondance correspondance;
    long long constante;
    long long taille_rom = 0x40000;
    long long entete = 0;  // 0x10: an iNES header is written
    std::vector<long long> ecarts = {};
};

Rom_de_test construire(Cas_table const& c, std::vector<long long>& cibles) {
    Rom_de_test rom(c.taille_rom, 99);
    if (c.entete == 0x10) rom.ecrire_entete_ines();
    std::vector<long long> const debuts = rom.ecrire_textes(c.textes, 300, 3, 20);
    cibles = tranche(debuts, 20, static_cast<std::size_t>(c.table.nombre));
    if (c.melangee) cibles = rom.melanger(cibles);
    rom.ecrire_table(c.table, cibles);
    return rom;
}

TEST(RecherchePointeurs, ChaqueCorrespondanceEstTrouvee) {
    using essai_pointeurs::banque;
    using essai_pointeurs::eclate;
    using essai_pointeurs::lineaire;
    using essai_pointeurs::relative;
    std::vector<Cas_table> const cas = {
        {"plain offsets, any order", suite(0x8000, 40, 3, 3, petit, lineaire(0)), 0x28000, true, Correspondance::lineaire, 0},
        {"a constant found from string order", suite(0x8000, 40, 2, 2, petit, lineaire(-0x1F00)), 0x9000, false,
         Correspondance::lineaire, -0x1F00},
        {"4 bytes big-endian, a constant above 2^31", suite(0x8000, 40, 4, 4, grand, lineaire(0x80000000LL)),
         0x28000, false, Correspondance::lineaire, 0x80000000LL},
        {"LoROM $00, any order", suite(0x8000, 40, 3, 3, petit, essai_pointeurs::lorom_00()), 0x28000, true,
         Correspondance::lorom_00, 0},
        {"LoROM $80, one slot in four bytes", suite(0x8000, 40, 3, 4, petit, essai_pointeurs::lorom_80()), 0x28000, true,
         Correspondance::lorom_80, 0},
        {"LoROM $00 after a copier's header",
         suite(0x8200, 40, 3, 3, petit, essai_pointeurs::lorom_00(0x200)),
         0x28200, true, Correspondance::lorom_00, 0, 0x40200},
        {"HiROM $C0 big-endian", suite(0x8000, 40, 3, 3, grand, essai_pointeurs::hirom_c0()), 0x28000, true,
         Correspondance::hirom_c0, 0xC00000},
        {"HiROM $40, one slot in six bytes", suite(0x8000, 40, 3, 6, petit, essai_pointeurs::hirom_40()), 0x28000, true,
         Correspondance::hirom_40, 0x400000},
        // Its low three bytes, read as plain offsets, reach the same starts: the wider wins.
        {"GBA, one slot in eight bytes", suite(0x8000, 40, 4, 8, petit, essai_pointeurs::gba()), 0x28000, true,
         Correspondance::gba, 0x08000000},
        {"Game Boy bank 5", suite(0x4000, 40, 2, 2, petit, banque(0x4000, 0x14000, 0x4000)), 0x14100, true,
         Correspondance::banque_gb, 0x4000 - 0x14000},
        // Its targets on both sides of $E010, where a bank of $2000 would end.
        {"NES bank of $4000 after an iNES header", suite(0x2000, 40, 2, 2, petit, banque(0x4000, 0xC010, 0x8000)),
         0xDE80, true, Correspondance::banque_nes_4000, 0x8000 - 0xC010, 0x40000, 0x10},
        {"NES bank of $2000 seen at $A000, big-endian", suite(0x2000, 40, 2, 2, grand, banque(0x2000, 0xC010, 0xA000)),
         0xC110, true, Correspondance::banque_nes_2000, 0xA000 - 0xC010, 0x40000, 0x10},
        // Its targets on both sides of $1C000, where banks of $2000 and $4000 would end.
        {"LoROM bank of $8000, 2 bytes", suite(0x8000, 40, 2, 2, petit, banque(0x8000, 0x18000, 0x8000)), 0x1BF00,
         true, Correspondance::banque_lorom, 0x8000 - 0x18000},
        {"HiROM bank of $10000, 2 bytes in four", suite(0x8000, 40, 2, 4, petit, banque(0x10000, 0x20000, 0)), 0x20100,
         true, Correspondance::banque_hirom, -0x20000},
        {"relative to the slot, any order", suite(0x8000, 40, 2, 2, petit, relative()), 0x9000, true,
         Correspondance::relative, 0},
        {"relative with a constant from string order, big-endian", suite(0x8000, 40, 2, 2, grand, relative(-2)),
         0x9000, false, Correspondance::relative, -2},
        {"split at $80 bytes", eclate(0x8000, 0x8080, 40, 1, banque(0x4000, 0x14000, 0x4000)), 0x14100, true,
         Correspondance::banque_gb, 0x4000 - 0x14000, 0x40000, 0, {0x80}},
    };
    for (Cas_table const& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<long long> cibles;
        Rom_de_test const rom = construire(c, cibles);
        std::vector<Groupe_trouve> const groupes = chercher(rom, 8, c.ecarts);
        // No other reading of the same bytes, nothing from the random bytes around.
        ASSERT_EQ(groupes.size(), 1u);
        Groupe_trouve const& t = groupes[0];
        Jeu::Groupe const& g = t.groupe;
        EXPECT_EQ(g.disposition, c.table.disposition);
        EXPECT_EQ(g.adresse, c.table.adresse);
        EXPECT_EQ(g.octets, c.table.octets);
        EXPECT_EQ(g.nombre, c.table.nombre);
        EXPECT_EQ(g.taille, c.table.taille);
        EXPECT_EQ(g.pas, c.table.pas);
        EXPECT_EQ(g.ordre, c.table.ordre);
        EXPECT_EQ(g.formule_ext, c.table.formule_ext);
        EXPECT_EQ(g.formule_ins, c.table.formule_ins);
        EXPECT_EQ(g.decalage_ins, 0);
        EXPECT_EQ(t.correspondance, c.correspondance);
        EXPECT_EQ(t.constante, c.constante);
        EXPECT_EQ(t.entete, c.taille_rom % 0x400 == 0x200 ? 0x200 : c.entete);
        EXPECT_EQ(t.atteintes, c.table.nombre);
        EXPECT_EQ(t.manques, 0);
        verifier_designation(rom, g, cibles);
    }
}

TEST(RecherchePointeurs, UneTableEclateeNestCherQueAuxEcartsDonnes) {
    Rom_de_test rom(0x40000, 5);
    std::vector<long long> const debuts = rom.ecrire_textes(0x9000, 100, 3, 20);
    Jeu::Groupe const table = essai_pointeurs::eclate(0x8000, 0x8000 - 0x300, 60, 2, essai_pointeurs::lineaire(-0x1F00));
    rom.ecrire_table(table, tranche(debuts, 10, 60));
    EXPECT_TRUE(chercher(rom).empty());
    EXPECT_TRUE(chercher(rom, 8, {0x300, 0x100}).empty());
    std::vector<Groupe_trouve> const groupes = chercher(rom, 8, {0x100, -0x300});
    ASSERT_EQ(groupes.size(), 1u);
    EXPECT_EQ(groupes[0].groupe.disposition, Jeu::Disposition::eclate);
    EXPECT_EQ(groupes[0].groupe.octets, (std::vector<long long>{0x8000, 0x8000 - 0x300}));
    EXPECT_EQ(groupes[0].groupe.pas, 2);
    verifier_designation(rom, groupes[0].groupe, tranche(debuts, 10, 60));
}

// Sixteen slots of a split table at distance 8, each designating a start: slot i's high byte
// is slot i + 8's low byte. No group may use a byte twice, so the run comes back cut in two
// and only one half can keep the bytes they share.
TEST(RecherchePointeurs, UneTableEclateeNUtiliseJamaisUnOctetDeuxFois) {
    std::vector<unsigned char> rom(0x10000, 0);
    Decouverte::Demande_pointeurs d;
    d.ecarts = {8};
    for (int i = 0; i < 8; ++i) {
        rom[static_cast<std::size_t>(0x4000 + i)] = static_cast<unsigned char>(0x10 * (i + 1));
        rom[static_cast<std::size_t>(0x4008 + i)] = 0x90;
        rom[static_cast<std::size_t>(0x4010 + i)] = static_cast<unsigned char>(0x91 + i);
        d.debuts.push_back(0x9000 + 0x10 * (i + 1));
        d.debuts.push_back(0x9190 + 0x100 * i);
    }
    std::sort(d.debuts.begin(), d.debuts.end());
    std::vector<Groupe_trouve> const groupes = Decouverte::chercher_pointeurs(rom, d, 2);
    ASSERT_EQ(groupes.size(), 1u);
    EXPECT_EQ(groupes[0].groupe.disposition, Jeu::Disposition::eclate);
    EXPECT_EQ(groupes[0].groupe.octets, (std::vector<long long>{0x4000, 0x4008}));
    EXPECT_EQ(groupes[0].groupe.nombre, 8);
    EXPECT_EQ(groupes[0].groupe.pas, 1);
    EXPECT_EQ(groupes[0].atteintes, 8);
}

// --- Misses, length, decoys ---

struct Attendu {
    long long adresse;
    int nombre;
    int atteintes;
    int manques;
};

void verifier_groupes(std::vector<Groupe_trouve> const& groupes, std::vector<Attendu> const& attendus) {
    ASSERT_EQ(groupes.size(), attendus.size());
    for (std::size_t k = 0; k < attendus.size(); ++k) {
        SCOPED_TRACE("group " + std::to_string(k));
        EXPECT_EQ(groupes[k].groupe.adresse, attendus[k].adresse);
        EXPECT_EQ(groupes[k].groupe.nombre, attendus[k].nombre);
        EXPECT_EQ(groupes[k].atteintes, attendus[k].atteintes);
        EXPECT_EQ(groupes[k].manques, attendus[k].manques);
    }
}

// A LoROM $80 table of 40 slots at $8000, in no order, whose slots `manques` designate the
// second byte of their string instead: the extraction shows the rest of the string there.
Rom_de_test table_a_manques(std::vector<int> const& manques, std::vector<long long>& cibles) {
    Rom_de_test rom(0x40000, 3);
    std::vector<long long> const debuts = rom.ecrire_textes(0x28000, 100, 3, 20);
    cibles = rom.melanger(tranche(debuts, 30, 40));
    for (int m : manques) cibles[static_cast<std::size_t>(m)] += 1;
    rom.ecrire_table(suite(0x8000, 40, 3, 3, petit, essai_pointeurs::lorom_80()), cibles);
    return rom;
}

TEST(RecherchePointeurs, LesManquesSontAdmisEspacesEtJamaisAuxBouts) {
    struct Cas {
        char const* nom;
        std::vector<int> manques;
        std::vector<Attendu> attendus;
    };
    Cas const cas[] = {
        {"eight slots apart and more", {5, 20, 28}, {{0x8000, 40, 37, 3}}},
        {"at both ends: left out", {0, 39}, {{0x8003, 38, 38, 0}}},
        // The run stops at the second; the slots after it make a table of their own.
        {"three slots apart", {10, 13}, {{0x8000 + 14 * 3, 26, 26, 0}, {0x8000, 13, 12, 1}}},
        {"side by side", {20, 21}, {{0x8000, 20, 20, 0}, {0x8000 + 22 * 3, 18, 18, 0}}},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<long long> cibles;
        Rom_de_test const rom = table_a_manques(c.manques, cibles);
        std::vector<Groupe_trouve> const groupes = chercher(rom);
        verifier_groupes(groupes, c.attendus);
        if (groupes.size() == 1) {
            std::size_t const premier = static_cast<std::size_t>((groupes[0].groupe.adresse - 0x8000) / 3);
            verifier_designation(rom, groupes[0].groupe, tranche(cibles, premier, static_cast<std::size_t>(groupes[0].groupe.nombre)));
        }
    }
}

TEST(RecherchePointeurs, UneSeriePlusCourteQueLeMinimumEstIgnoree) {
    Rom_de_test rom(0x40000, 4);
    std::vector<long long> const debuts = rom.ecrire_textes(0x28000, 100, 3, 20);
    rom.ecrire_table(suite(0x8000, 7, 3, 3, petit, essai_pointeurs::lorom_80()), tranche(debuts, 50, 7));
    EXPECT_TRUE(chercher(rom, 8).empty());
    verifier_groupes(chercher(rom, 7), {{0x8000, 7, 7, 0}});
}

TEST(RecherchePointeurs, LesLeurresNeDonnentRien) {
    Rom_de_test rom(0x100000, 6);
    std::vector<long long> const debuts = rom.ecrire_textes(0x40000, 1500, 3, 30);
    std::vector<long long> const autres = rom.ecrire_textes(0xA0000, 1500, 3, 30);
    // Evenly spaced starts, and stretches of equal bytes that, read relative to their slots,
    // step as they do. (Nine bytes apart: with a power of two, the letter and end code pairs
    // of the strings themselves read as 2-byte values that designate starts.)
    rom.ecrire_textes(0xE0000, 500, 8, 8);
    rom.ecrire(0xC0000, std::vector<unsigned char>(0x10000, 0));
    rom.ecrire(0xD0000, std::vector<unsigned char>(0x10000, 0xFF));
    // Values in steps that no two consecutive starts are apart.
    Jeu::Groupe const pas_reguliers = suite(0x8000, 200, 2, 2, petit, essai_pointeurs::lineaire(0));
    for (int i = 0; i < 200; ++i) rom.ecrire_valeur(pas_reguliers, i, static_cast<std::uint32_t>(0x8000 + 37 * i));
    // Tables into the text that designate no start.
    rom.ecrire_leurre(suite(0x10000, 200, 3, 3, petit, essai_pointeurs::lorom_00()), debuts);
    rom.ecrire_leurre(suite(0x11000, 200, 2, 4, grand, essai_pointeurs::banque(0x8000, 0xA0000, 0x8000)), autres);
    std::vector<Groupe_trouve> const groupes = chercher(rom, 8, {0x100, 0x200});
    for (Groupe_trouve const& g : groupes)
        ADD_FAILURE() << "a group at " << g.groupe.adresse << ", " << g.groupe.nombre << " slots of " << g.groupe.taille
                      << " bytes every " << g.groupe.pas << ": " << g.groupe.formule_ext << ", " << g.atteintes
                      << " starts";
}

// --- Order and threads ---

TEST(RecherchePointeurs, LesGroupesSontClassesParChainesAtteintesPuisParRegularite) {
    Rom_de_test rom(0x80000, 8);
    std::vector<long long> const debuts = rom.ecrire_textes(0x40000, 300, 3, 20);
    std::vector<long long> const hasard = rom.melanger(debuts);
    auto cibles = [&](std::size_t debut, std::size_t nombre) { return tranche(hasard, debut, nombre); };
    rom.ecrire_table(suite(0x1000, 20, 3, 3, petit, essai_pointeurs::lorom_00()), cibles(0, 20));
    rom.ecrire_table(suite(0x2000, 50, 4, 4, petit, essai_pointeurs::gba()), cibles(20, 50));
    // 50 slots, two of them designating no start.
    std::vector<long long> avec_manques = cibles(70, 50);
    avec_manques[10] += 1;
    avec_manques[30] += 1;
    rom.ecrire_table(suite(0x3000, 50, 3, 3, grand, essai_pointeurs::hirom_c0()), avec_manques);
    rom.ecrire_table(suite(0x4000, 48, 3, 3, petit, essai_pointeurs::lorom_80()), cibles(120, 48));
    // 25 starts reached by 30 slots, five of them twice; and by 25 slots.
    std::vector<long long> repetees = cibles(170, 25);
    repetees.insert(repetees.end(), repetees.begin(), repetees.begin() + 5);
    rom.ecrire_table(suite(0x5000, 30, 3, 3, petit, essai_pointeurs::lorom_00()), repetees);
    rom.ecrire_table(suite(0x6000, 25, 3, 3, petit, essai_pointeurs::lorom_00()), cibles(200, 25));
    verifier_groupes(chercher(rom), {{0x2000, 50, 50, 0},
                                     {0x4000, 48, 48, 0},
                                     {0x3000, 50, 48, 2},
                                     {0x6000, 25, 25, 0},
                                     {0x5000, 30, 25, 0},
                                     {0x1000, 20, 20, 0}});
}

TEST(RecherchePointeurs, LeResultatNeDependPasDuNombreDeFils) {
    Rom_de_test rom(0x400000, 10);
    std::vector<long long> const textes = rom.ecrire_textes(0x200000, 400, 3, 30);
    std::vector<long long> const banque = rom.ecrire_textes(0x14100, 300, 3, 20);
    std::vector<long long> const proches = rom.ecrire_textes(0x3F8000, 300, 3, 20);
    rom.ecrire_table(suite(0x1000, 100, 3, 3, petit, essai_pointeurs::lorom_00()), rom.melanger(tranche(textes, 0, 100)));
    rom.ecrire_table(suite(0x103FF0, 100, 4, 8, petit, essai_pointeurs::gba()), tranche(textes, 100, 100));
    rom.ecrire_table(suite(0x203FF8, 300, 2, 2, petit, essai_pointeurs::banque(0x4000, 0x14000, 0x4000)), banque);
    rom.ecrire_table(suite(0x3F0000, 300, 2, 4, grand, essai_pointeurs::relative()), rom.melanger(proches));
    rom.ecrire_table(suite(0x300000, 200, 3, 6, grand, essai_pointeurs::lineaire(-0x1F00)), tranche(textes, 200, 200));
    Decouverte::Demande_pointeurs d;
    d.debuts = rom.debuts();
    std::vector<Groupe_trouve> const un = Decouverte::chercher_pointeurs(rom.octets(), d, 1);
    ASSERT_EQ(un.size(), 5u);
    for (unsigned fils : {2u, 3u, 8u}) {
        std::vector<Groupe_trouve> const autre = Decouverte::chercher_pointeurs(rom.octets(), d, fils);
        ASSERT_EQ(autre.size(), un.size()) << fils << " threads";
        for (std::size_t k = 0; k < un.size(); ++k) {
            Jeu::Groupe const& a = un[k].groupe;
            Jeu::Groupe const& b = autre[k].groupe;
            EXPECT_TRUE(a.disposition == b.disposition && a.adresse == b.adresse && a.octets == b.octets &&
                        a.nombre == b.nombre && a.taille == b.taille && a.pas == b.pas && a.ordre == b.ordre &&
                        a.formule_ext == b.formule_ext && a.formule_ins == b.formule_ins &&
                        un[k].correspondance == autre[k].correspondance && un[k].constante == autre[k].constante &&
                        un[k].atteintes == autre[k].atteintes && un[k].manques == autre[k].manques)
                << fils << " threads, group " << k;
        }
    }
}

}  // namespace
