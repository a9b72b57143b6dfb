#include "decouverte/recherche-relative.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "decouverte/motif.h"
#include "lib/entiers.h"
#include "motifs_de_test.h"

namespace {

using Decouverte::Motif;
using Decouverte::Motif_refuse;
using Decouverte::Position;
using Decouverte::Recherche;
using Decouverte::Resultat_relatif;
using Decouverte::Trouvaille;
using essai_relatif::motif;
using Sorte = Position::Sorte;

// An encoding of a motif's characters: a base per alphabet, a value per other character.
struct Codage {
    std::vector<long long> bases;
    std::vector<std::uint32_t> autres;
};

long long code(Motif const& m, Codage const& c, std::size_t i) {
    Position const& p = m.positions[i];
    return p.sorte == Sorte::lettre ? c.bases[p.indice] + p.rang : c.autres[p.indice];
}

// Bases and values at random, the codes of the phrase's distinct characters all distinct and
// within the values' range.
Codage tirer(Motif const& m, long long maximum, std::mt19937& alea) {
    for (;;) {
        Codage c;
        for (Decouverte::Alphabet const& a : m.alphabets) {
            long long const place = maximum - static_cast<long long>(a.lettres.size()) + 1;
            c.bases.push_back(std::uniform_int_distribution<long long>(0, place)(alea));
        }
        for (std::size_t k = 0; k < m.autres.size(); ++k)
            c.autres.push_back(static_cast<std::uint32_t>(std::uniform_int_distribution<long long>(0, maximum)(alea)));
        std::map<std::string, long long> codes;
        std::set<long long> valeurs;
        for (std::size_t i = 0; i < m.positions.size(); ++i)
            if (m.positions[i].sorte != Sorte::joker && codes.emplace(m.caracteres[i], code(m, c, i)).second)
                valeurs.insert(code(m, c, i));
        if (valeurs.size() == codes.size()) return c;
    }
}

std::vector<unsigned char> octets_au_hasard(std::size_t taille, std::mt19937& alea) {
    std::vector<unsigned char> rom(taille);
    for (unsigned char& o : rom) o = static_cast<unsigned char>(alea());
    return rom;
}

// Writes the phrase at `adresse` under the encoding, the joker as any value.
void planter(std::vector<unsigned char>& rom, Motif const& m, Codage const& c, long long adresse, int largeur,
             Ordre_octets ordre, std::mt19937& alea) {
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        std::uint32_t const v = m.positions[i].sorte == Sorte::joker ? static_cast<std::uint32_t>(alea())
                                                                     : static_cast<std::uint32_t>(code(m, c, i));
        ASSERT_TRUE(ecrire_entier_borne(rom, adresse + static_cast<long long>(i) * largeur, largeur, ordre, v));
    }
}

std::vector<long long> adresses(Resultat_relatif const& r) {
    std::vector<long long> a;
    for (Trouvaille const& t : r.trouvailles) a.push_back(t.adresse);
    return a;
}

Recherche recherche(int largeur, Ordre_octets ordre = Ordre_octets::petit_boutiste) {
    Recherche r;
    r.largeur = largeur;
    r.ordre = ordre;
    return r;
}

bool egales(Trouvaille const& a, Trouvaille const& b) {
    return a.adresse == b.adresse && a.valeurs == b.valeurs && a.bases == b.bases && a.autres == b.autres;
}

void expect_identiques(Resultat_relatif const& a, Resultat_relatif const& b) {
    EXPECT_EQ(a.total, b.total);
    ASSERT_EQ(a.trouvailles.size(), b.trouvailles.size());
    for (std::size_t i = 0; i < a.trouvailles.size(); ++i)
        EXPECT_TRUE(egales(a.trouvailles[i], b.trouvailles[i])) << "hit " << i << " at " << a.trouvailles[i].adresse;
}

TEST(Motif, UnTexteSeLitEnUtf8QuandIlEnEstEntierement) {
    struct Cas {
        std::string texte;
        bool utf8;
        std::vector<std::string> caracteres;
    };
    Cas const cas[] = {
        {"abc", true, {"a", "b", "c"}},
        {"\xC3\xA9t\xC3\xA9", true, {"\xC3\xA9", "t", "\xC3\xA9"}},
        {"\xE3\x81\x93\xF0\x9F\x98\x80", true, {"\xE3\x81\x93", "\xF0\x9F\x98\x80"}},
        {"\xE9t\xE9", false, {"\xE9", "t", "\xE9"}},
        // One bad sequence makes the whole text Latin-1, its valid sequences included.
        {"\xC3\xA9\xE9", false, {"\xC3", "\xA9", "\xE9"}},
        {"\xC0\x80", false, {"\xC0", "\x80"}},                       // overlong
        {"\xED\xA0\x80", false, {"\xED", "\xA0", "\x80"}},           // a surrogate
        {"\xF4\x90\x80\x80", false, {"\xF4", "\x90", "\x80", "\x80"}},  // past U+10FFFF
        {"a\xE3\x81", false, {"a", "\xE3", "\x81"}},                 // cut short
    };
    for (Cas const& c : cas) {
        bool utf8 = !c.utf8;
        EXPECT_EQ(Decouverte::caracteres(c.texte, utf8), c.caracteres) << c.texte;
        EXPECT_EQ(utf8, c.utf8) << c.texte;
    }
}

TEST(Motif, ChaqueCaractereTrouveSaPlace) {
    Motif const m = motif("Le 2e*jour !", "*");
    struct Attendu {
        Sorte sorte;
        std::size_t indice;
        long long rang;
    };
    Attendu const attendus[] = {
        {Sorte::lettre, 0, 11}, {Sorte::lettre, 1, 4},  {Sorte::autre, 0, 0},  {Sorte::lettre, 2, 2},
        {Sorte::lettre, 1, 4},  {Sorte::joker, 0, 0},   {Sorte::lettre, 1, 9}, {Sorte::lettre, 1, 14},
        {Sorte::lettre, 1, 20}, {Sorte::lettre, 1, 17}, {Sorte::autre, 0, 0},  {Sorte::autre, 1, 0},
    };
    ASSERT_EQ(m.positions.size(), std::size(attendus));
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        EXPECT_EQ(m.positions[i].sorte, attendus[i].sorte) << i;
        if (attendus[i].sorte == Sorte::joker) continue;
        EXPECT_EQ(m.positions[i].indice, attendus[i].indice) << i;
        EXPECT_EQ(m.positions[i].rang, attendus[i].rang) << i;
    }
    EXPECT_EQ(m.autres, (std::vector<std::string>{" ", "!"}));
    EXPECT_EQ(m.alphabets.size(), 3u);

    // A list given holds its letters before the alphabets of base: "e" and its accented form
    // are tied there, and the accented letter of no list is another character.
    Motif const e = motif("\xC3\xA9t\xC3\xA9 \xC3\xA0", "", {"abcdefghijklmnopqrstuvwxyz\xC3\xA9"});
    ASSERT_EQ(e.alphabets.size(), 4u);
    EXPECT_TRUE(e.utf8);
    EXPECT_EQ(e.positions[0].indice, 3u);
    EXPECT_EQ(e.positions[0].rang, 26);
    EXPECT_EQ(e.positions[1].indice, 3u);
    EXPECT_EQ(e.positions[1].rang, 19);
    EXPECT_EQ(e.positions[4].sorte, Sorte::autre);
    EXPECT_EQ(e.autres, (std::vector<std::string>{" ", "\xC3\xA0"}));
}

TEST(Motif, CeQuiNeDonneAucuneDifferenceEstRefuse) {
    struct Cas {
        std::string texte;
        std::string joker;
        std::optional<Motif_refuse> refus;
    };
    Cas const cas[] = {
        {"", "*", Motif_refuse::vide},
        {"Ab1", "*", Motif_refuse::sans_difference},
        {"a B-1", "*", Motif_refuse::sans_difference},
        {"a**", "*", Motif_refuse::sans_difference},
        {"***", "*", Motif_refuse::sans_difference},
        {"  ", "", Motif_refuse::sans_difference},
        {"aa", "*", std::nullopt},
        {"a*a", "*", std::nullopt},
        {"a a", "", std::nullopt},
        {"ab", "**", Motif_refuse::joker_incorrect},
    };
    for (Cas const& c : cas) {
        auto const lu = Decouverte::lire_motif(c.texte, c.joker, {});
        if (c.refus) {
            ASSERT_TRUE(std::holds_alternative<Motif_refuse>(lu)) << c.texte;
            EXPECT_EQ(std::get<Motif_refuse>(lu), *c.refus) << c.texte;
        } else {
            EXPECT_TRUE(std::holds_alternative<Motif>(lu)) << c.texte;
        }
    }
    using Valeurs = std::vector<long long>;
    EXPECT_EQ(std::get<Motif_refuse>(Decouverte::motif_de_valeurs(Valeurs{})), Motif_refuse::vide);
    EXPECT_EQ(std::get<Motif_refuse>(Decouverte::motif_de_valeurs(Valeurs{5})), Motif_refuse::sans_difference);
    EXPECT_EQ(std::get<Motif_refuse>(Decouverte::motif_de_valeurs(Valeurs{1, 1LL << 60})),
              Motif_refuse::valeur_hors_limites);
    EXPECT_TRUE(std::holds_alternative<Motif>(Decouverte::motif_de_valeurs(Valeurs{3, 4})));
}

// Upper case, lower case and digits at bases drawn apart, with other characters and a joker,
// planted in random bytes; each place has an encoding of its own.
TEST(RechercheRelative, TrouveLaPhraseSousDesCodesAuHasard) {
    struct Cas {
        int largeur;
        Ordre_octets ordre;
        std::vector<long long> adresses;
    };
    Cas const cas[] = {
        {1, Ordre_octets::petit_boutiste, {0, 517, 3000}},
        {2, Ordre_octets::petit_boutiste, {6, 1001, 2914}},
        {2, Ordre_octets::grand_boutiste, {3, 1200, 2925}},
    };
    Motif const m = motif("Salle 12 : Vous*avez 3 cl\xE9s.", "*");
    ASSERT_FALSE(m.utf8);
    std::mt19937 alea(7);
    for (Cas const& c : cas) {
        long long const maximum = c.largeur == 1 ? 0xFF : 0xFFFF;
        std::vector<unsigned char> rom = octets_au_hasard(3000 + m.positions.size() * 2, alea);
        std::vector<Codage> codages;
        for (long long a : c.adresses) {
            codages.push_back(tirer(m, maximum, alea));
            planter(rom, m, codages.back(), a, c.largeur, c.ordre, alea);
        }
        Resultat_relatif const r = Decouverte::chercher_relatif(rom, m, recherche(c.largeur, c.ordre), 2);
        ASSERT_EQ(adresses(r), c.adresses) << "largeur " << c.largeur;
        EXPECT_EQ(r.total, c.adresses.size());
        for (std::size_t k = 0; k < c.adresses.size(); ++k) {
            Trouvaille const& t = r.trouvailles[k];
            EXPECT_EQ(t.bases, (std::vector<std::optional<long long>>(codages[k].bases.begin(), codages[k].bases.end())));
            EXPECT_EQ(t.autres, codages[k].autres);
            ASSERT_EQ(t.valeurs.size(), m.positions.size());
            for (std::size_t i = 0; i < m.positions.size(); ++i) {
                if (m.positions[i].sorte == Sorte::joker) continue;
                EXPECT_EQ(t.valeurs[i], code(m, codages[k], i));
            }
        }
    }
}

TEST(RechercheRelative, UnAlphabetDeKanaSurDeuxOctets) {
    std::string const phrase = essai_relatif::kana(9) + essai_relatif::kana(45) + essai_relatif::kana(21) +
                               essai_relatif::kana(16) + essai_relatif::kana(25) + essai_relatif::utf8(0x3001) +
                               essai_relatif::kana(13) + essai_relatif::kana(5) + essai_relatif::kana(1);
    Motif const m = motif(phrase, "", {essai_relatif::kana_en_texte()});
    ASSERT_TRUE(m.utf8);
    ASSERT_EQ(m.positions.size(), 9u);
    std::mt19937 alea(11);
    std::vector<unsigned char> rom = octets_au_hasard(4096, alea);
    Codage c;
    c.bases = {0, 0, 0, 0x0120};
    c.autres = {0x0001};
    planter(rom, m, c, 1235, 2, Ordre_octets::petit_boutiste, alea);
    Resultat_relatif const r = Decouverte::chercher_relatif(rom, m, recherche(2), 1);
    ASSERT_EQ(adresses(r), std::vector<long long>{1235});
    EXPECT_EQ(r.trouvailles[0].bases, (std::vector<std::optional<long long>>{{}, {}, {}, 0x0120}));
    EXPECT_EQ(r.trouvailles[0].autres, std::vector<std::uint32_t>{1});
    EXPECT_EQ(r.trouvailles[0].valeurs[1], 0x0120u + 45);
}

// Each ROM is the phrase's values alone: the one place to search is its start.
TEST(RechercheRelative, UnCaractereUneValeurEtDeuxCaracteresDeuxValeurs) {
    struct Cas {
        char const* phrase;
        std::vector<unsigned char> valeurs;
        bool trouvee;
    };
    Cas const cas[] = {
        {"ab ab", {5, 6, 9, 5, 6}, true},
        {"ab ab", {5, 6, 9, 5, 7}, false},
        {"ab a b", {5, 6, 9, 5, 9, 6}, true},
        {"ab a b", {5, 6, 9, 5, 8, 6}, false},   // two spaces under two values
        {"ab ab", {5, 6, 5, 5, 6}, false},       // the space under the code of "a"
        {"ab ab", {5, 6, 7, 5, 6}, true},        // under the code of "c", which the phrase lacks
        {"ab*ab", {5, 6, 5, 5, 6}, true},        // the joker takes part in nothing
        {"ab-,ab", {5, 6, 9, 9, 5, 6}, false},   // two other characters under one value
        {"ab-,ab", {5, 6, 9, 8, 5, 6}, true},
        {"ABab", {5, 6, 5, 6}, false},           // a capital and a small letter under one value
        {"ABab", {5, 6, 7, 8}, true},
        {"AB12", {5, 6, 6, 7}, false},
        {"AB12", {5, 6, 7, 8}, true},            // "0" would be 6 as "B" is: it is not in the phrase
        {"aa", {7, 7}, true},
        {"aa", {7, 8}, false},
        {"a*a", {7, 7, 7}, true},
    };
    for (Cas const& c : cas) {
        Resultat_relatif const r = Decouverte::chercher_relatif(c.valeurs, motif(c.phrase, "*"), recherche(1), 1);
        EXPECT_EQ(r.total, c.trouvee ? 1u : 0u) << c.phrase;
        EXPECT_EQ(adresses(r), c.trouvee ? std::vector<long long>{0} : std::vector<long long>{}) << c.phrase;
    }
}

TEST(RechercheRelative, LesBasesSontCellesQueLaTrouvailleImplique) {
    struct Cas {
        char const* phrase;
        int largeur;
        Ordre_octets ordre;
        std::vector<unsigned char> octets;
        std::vector<std::optional<long long>> bases;
    };
    Cas const cas[] = {
        {"xyz", 1, Ordre_octets::petit_boutiste, {0, 1, 2}, {{}, -23, {}}},
        {"ZZ9", 1, Ordre_octets::petit_boutiste, {255, 255, 0}, {230, {}, -9}},
        {"AB", 2, Ordre_octets::grand_boutiste, {0x01, 0x00, 0x01, 0x01}, {0x100, {}, {}}},
        {"yz", 2, Ordre_octets::petit_boutiste, {0x00, 0x00, 0x01, 0x00}, {{}, -24, {}}},
    };
    for (Cas const& c : cas) {
        Motif const m = motif(c.phrase);
        Resultat_relatif const r = Decouverte::chercher_relatif(c.octets, m, recherche(c.largeur, c.ordre), 1);
        ASSERT_EQ(r.trouvailles.size(), 1u) << c.phrase;
        EXPECT_EQ(r.trouvailles[0].bases, c.bases) << c.phrase;
    }
}

TEST(RechercheRelative, UneTrouvailleTientEntreDebutEtFin) {
    struct Cas {
        int largeur;
        long long debut;
        long long fin;
        std::vector<long long> attendues;
    };
    // Planted at 10, 20 and 30 as bytes (6 bytes each), at 11 and 40 as 16-bit values (12 each).
    Cas const cas[] = {
        {1, 0, -1, {10, 20, 30}},  {1, 10, 35, {10, 20, 30}}, {1, 11, 35, {20, 30}}, {1, 10, 34, {10, 20}},
        {1, 16, 29, {20}},         {1, 21, 25, {}},           {1, 20, 25, {20}},     {1, -5, 1000, {10, 20, 30}},
        {1, 30, 29, {}},           {2, 11, 22, {11}},         {2, 12, 60, {40}},     {2, 11, 50, {11}},
        {2, 0, 51, {11, 40}},      {2, 0, 50, {11}},
    };
    Motif const m = motif("Vorlan");
    std::mt19937 alea(3);
    Codage const c = tirer(m, 0xFF, alea);
    std::vector<unsigned char> octets = octets_au_hasard(64, alea);
    for (long long a : {10, 20, 30}) planter(octets, m, c, a, 1, Ordre_octets::petit_boutiste, alea);
    std::vector<unsigned char> mots = octets_au_hasard(64, alea);
    for (long long a : {11, 40}) planter(mots, m, c, a, 2, Ordre_octets::petit_boutiste, alea);
    for (Cas const& k : cas) {
        Recherche r = recherche(k.largeur);
        r.debut = k.debut;
        r.fin = k.fin;
        Resultat_relatif const resultat = Decouverte::chercher_relatif(k.largeur == 1 ? octets : mots, m, r, 2);
        EXPECT_EQ(adresses(resultat), k.attendues) << k.largeur << ": " << k.debut << "-" << k.fin;
    }
}

TEST(RechercheRelative, LeMaximumGardeLesPremieresEtToutEstCompte) {
    Motif const m = motif("Maison");
    std::mt19937 alea(5);
    Codage const c = tirer(m, 0xFFFF, alea);
    std::vector<unsigned char> rom = octets_au_hasard(4000, alea);
    std::vector<long long> plantees;
    // Every 37 bytes: both alignments, one after the other.
    for (long long a = 100; plantees.size() < 50; a += 37) {
        planter(rom, m, c, a, 2, Ordre_octets::grand_boutiste, alea);
        plantees.push_back(a);
    }
    for (std::size_t maximum : {std::size_t{0}, std::size_t{7}, std::size_t{50}, std::size_t{1000}}) {
        Recherche r = recherche(2, Ordre_octets::grand_boutiste);
        r.maximum = maximum;
        Resultat_relatif const resultat = Decouverte::chercher_relatif(rom, m, r, 2);
        EXPECT_EQ(resultat.total, 50u);
        std::size_t const gardees = std::min<std::size_t>(maximum, 50);
        EXPECT_EQ(adresses(resultat), std::vector<long long>(plantees.begin(), plantees.begin() + gardees));
    }
}

// Phrases one after the other over a whole ROM of several blocks: wherever the blocks are cut,
// some phrase straddles the cut.
TEST(RechercheRelative, LeNombreDeFilsNeChangeRien) {
    Motif const m = motif("Bienvenue*au village", "*");
    for (int largeur : {1, 2}) {
        std::mt19937 alea(static_cast<unsigned>(largeur));
        std::vector<unsigned char> rom = octets_au_hasard((1u << 20) + 13, alea);
        long long const etendue = static_cast<long long>(m.positions.size()) * largeur;
        std::vector<long long> plantees;
        for (long long a = 5; a + etendue <= static_cast<long long>(rom.size());
             a += etendue + static_cast<long long>(alea() % 4)) {
            planter(rom, m, tirer(m, largeur == 1 ? 0xFF : 0xFFFF, alea), a, largeur, Ordre_octets::petit_boutiste,
                    alea);
            plantees.push_back(a);
        }
        Recherche r = recherche(largeur);
        r.maximum = plantees.size();
        Resultat_relatif const un = Decouverte::chercher_relatif(rom, m, r, 1);
        EXPECT_EQ(adresses(un), plantees);
        for (unsigned fils : {2u, 5u}) expect_identiques(un, Decouverte::chercher_relatif(rom, m, r, fils));
        r.maximum = 1000;
        r.debut = 70001;
        r.fin = 900000;
        Resultat_relatif const borne = Decouverte::chercher_relatif(rom, m, r, 1);
        EXPECT_EQ(borne.trouvailles.size(), 1000u);
        for (unsigned fils : {2u, 5u}) expect_identiques(borne, Decouverte::chercher_relatif(rom, m, r, fils));
    }
}

TEST(RechercheRelative, LeBalayageDeValeurs) {
    Motif const m = std::get<Motif>(Decouverte::motif_de_valeurs({12, 15, 15, 9}));
    std::vector<unsigned char> octets = {0, 52, 55, 55, 49, 7, 10, 10, 4, 52, 55, 56, 49};
    Resultat_relatif const r = Decouverte::chercher_relatif(octets, m, recherche(1), 1);
    ASSERT_EQ(adresses(r), (std::vector<long long>{1, 5}));
    EXPECT_EQ(r.trouvailles[0].bases, std::vector<std::optional<long long>>{40});
    EXPECT_EQ(r.trouvailles[1].bases, std::vector<std::optional<long long>>{-5});
    EXPECT_EQ(r.trouvailles[1].valeurs, (std::vector<std::uint32_t>{7, 10, 10, 4}));

    std::vector<unsigned char> mots = {0xAA, 0x10, 0x0C, 0x10, 0x0F, 0x10, 0x0F, 0x10, 0x09};
    Resultat_relatif const r2 = Decouverte::chercher_relatif(mots, m, recherche(2, Ordre_octets::grand_boutiste), 1);
    ASSERT_EQ(adresses(r2), std::vector<long long>{1});
    EXPECT_EQ(r2.trouvailles[0].bases, std::vector<std::optional<long long>>{0x1000});
}

TEST(RechercheRelative, LesTrouvaillesSeGroupentParTable) {
    Motif const m = motif("Le roi Lear");
    std::mt19937 alea(9);
    Codage const a = tirer(m, 0xFF, alea);
    Codage const b = tirer(m, 0xFF, alea);
    // The same letters, the space under the first value no character of the phrase has.
    Codage espace_ailleurs = a;
    std::set<long long> prises;
    for (std::size_t i = 0; i < m.positions.size(); ++i) prises.insert(code(m, a, i));
    while (prises.count(espace_ailleurs.autres[0]) > 0) espace_ailleurs.autres[0] = (espace_ailleurs.autres[0] + 1) % 0x100;
    std::vector<unsigned char> rom = octets_au_hasard(200, alea);
    planter(rom, m, a, 10, 1, Ordre_octets::petit_boutiste, alea);
    planter(rom, m, b, 50, 1, Ordre_octets::petit_boutiste, alea);
    planter(rom, m, espace_ailleurs, 90, 1, Ordre_octets::petit_boutiste, alea);
    planter(rom, m, a, 130, 1, Ordre_octets::petit_boutiste, alea);
    Resultat_relatif const r = Decouverte::chercher_relatif(rom, m, recherche(1), 1);
    ASSERT_EQ(adresses(r), (std::vector<long long>{10, 50, 90, 130}));
    EXPECT_EQ(Decouverte::grouper(r), (std::vector<std::vector<std::size_t>>{{0, 3}, {1}, {2}}));
}

}  // namespace
