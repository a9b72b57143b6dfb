#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decodeurs_temoins.h"
#include "paires.h"
#include "patchs/ips-decodeur.h"
#include "patchs/ips-encodeur.h"

namespace {

using paires::Octets;
using paires::octets;

Octets patch_ips(std::string const& corps) { return octets("PATCH" + corps + "EOF"); }

std::string be(std::uint32_t v, int n) {
    std::string s;
    for (int k = n - 1; k >= 0; --k) s += static_cast<char>(v >> (8 * k));
    return s;
}

// Every patch the encoder writes gives the modified ROM back through the test's own applier
// and through the shipped decoder, and keeps the format's rules: no record at 0x454F46, a
// truncation size exactly when the ROM gets shorter, the records it reports.
void verifier_aller_retour(paires::Paire const& p) {
    SCOPED_TRACE(p.nom);
    IPS::Creation const c = IPS::creer(p.original, p.modifie);
    ASSERT_EQ(c.statut, IPS::Statut_creation::ok);
    auto const lu = temoin::appliquer_ips(p.original, c.patch);
    ASSERT_TRUE(lu.has_value()) << "the test's applier cannot read the patch";
    EXPECT_TRUE(lu->rom == p.modifie);
    std::size_t rle = 0;
    for (auto const& e : lu->enregistrements) {
        EXPECT_NE(e.adresse, 0x454F46u);
        EXPECT_LE(e.adresse + e.taille, p.modifie.size()) << "a record writes past the modified ROM";
        rle += e.rle;
    }
    EXPECT_EQ(lu->enregistrements.size(), c.enregistrements);
    EXPECT_EQ(rle, c.enregistrements_rle);
    EXPECT_EQ(lu->troncature.has_value(), p.modifie.size() < p.original.size());
    EXPECT_EQ(c.troncature, p.modifie.size() < p.original.size());

    IPS::Application const a = IPS::appliquer(p.original, c.patch);
    ASSERT_EQ(a.statut, IPS::Statut::ok);
    EXPECT_TRUE(a.rom == p.modifie);
    EXPECT_EQ(a.enregistrements, c.enregistrements);
}

TEST(PatchIPS, EveryPatchWrittenGivesTheModifiedRomBack) {
    for (paires::Paire const& p : paires::variees()) verifier_aller_retour(p);
    for (paires::Paire const& p : paires::aleatoires_petites(300, 21)) verifier_aller_retour(p);
}

// The smallest patch for each shape, byte for byte.
TEST(PatchIPS, EncoderWritesTheShortestRecords) {
    struct Cas {
        char const* nom;
        Octets original;
        Octets modifie;
        Octets patch;
    };
    Octets const zeros(16, 0);
    auto avec = [&](std::size_t taille, std::initializer_list<std::pair<std::size_t, unsigned char>> octets) {
        Octets o(taille, 0);
        for (auto const& [p, v] : octets) o[p] = v;
        return o;
    };
    Octets run(2000, 0);
    std::fill(run.begin() + 10, run.begin() + 1010, 'X');
    Octets litteral_puis_run = zeros;
    std::copy_n("ABCZZZZZZZZZZZZ", 15, litteral_puis_run.begin());
    Octets run_eof(0x455000, 0);
    std::fill(run_eof.begin() + 0x454F46, run_eof.begin() + 0x454F46 + 100, 7);
    Cas const cas[] = {
        {"nothing changed", zeros, zeros, patch_ips("")},
        {"a gap of 2 unchanged bytes is taken into the record", zeros, avec(16, {{2, 'A'}, {5, 'B'}}),
         patch_ips(be(2, 3) + be(4, 2) + std::string("A\0\0B", 4))},
        {"a gap of 6 is not: two records are shorter", zeros, avec(16, {{2, 'A'}, {9, 'B'}}),
         patch_ips(be(2, 3) + be(1, 2) + "A" + be(9, 3) + be(1, 2) + "B")},
        {"a run becomes one RLE record", Octets(2000, 0), run, patch_ips(be(10, 3) + be(0, 2) + be(1000, 2) + "X")},
        {"literal bytes, then a run", zeros, litteral_puis_run,
         patch_ips(be(0, 3) + be(3, 2) + "ABC" + be(3, 3) + be(0, 2) + be(12, 2) + "Z")},
        {"a shorter ROM ends with its length", Octets(10, 1), Octets(6, 1), octets("PATCHEOF" + be(6, 3))},
        {"bytes past the original's end are written, zeros too", Octets(4, 1), avec(7, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}),
         patch_ips(be(4, 3) + be(3, 2) + std::string(3, '\0'))},
        {"a record due at 0x454F46 starts one byte earlier", Octets(0x454F50, 0), avec(0x454F50, {{0x454F46, 1}}),
         patch_ips(be(0x454F45, 3) + be(2, 2) + std::string("\0\1", 2))},
        {"so does a run due there, the byte before it a literal", Octets(0x455000, 0), run_eof,
         patch_ips(be(0x454F45, 3) + be(2, 2) + std::string("\0\7", 2) + be(0x454F47, 3) + be(0, 2) + be(99, 2) +
                   "\7")},
    };
    for (Cas const& c : cas) {
        IPS::Creation const creation = IPS::creer(c.original, c.modifie);
        EXPECT_TRUE(creation.patch == c.patch) << c.nom;
        EXPECT_TRUE(IPS::appliquer(c.original, creation.patch).rom == c.modifie) << c.nom;
    }
}

TEST(PatchIPS, EncoderSplitsLongChangesIntoRecordsOf65535BytesAtMost) {
    Octets const original = paires::aleatoires(140000, 31);
    Octets modifie = original;
    for (unsigned char& o : modifie) o = static_cast<unsigned char>(~o);
    Octets run = original;
    std::fill(run.begin() + 1000, run.begin() + 135000, 0xAB);
    for (Octets const* m : {&modifie, &run}) {
        IPS::Creation const c = IPS::creer(original, *m);
        auto const lu = temoin::appliquer_ips(original, c.patch);
        ASSERT_TRUE(lu.has_value());
        EXPECT_TRUE(lu->rom == *m);
        ASSERT_EQ(lu->enregistrements.size(), 3u);
        EXPECT_EQ(lu->enregistrements[0].taille, 65535u);
        EXPECT_EQ(lu->enregistrements[1].taille, 65535u);
        EXPECT_EQ(lu->enregistrements[0].rle, m == &run);
    }
}

TEST(PatchIPS, EncoderRefusesWhatOffsetsCannotReach) {
    Octets const seize(std::size_t{16} << 20, 0);
    Octets plus_un(seize.size() + 1, 0);
    EXPECT_EQ(IPS::creer(seize, plus_un).statut, IPS::Statut_creation::modifie_trop_grand);
    EXPECT_EQ(IPS::creer(plus_un, seize).statut, IPS::Statut_creation::troncature_impossible);
    EXPECT_TRUE(IPS::creer(plus_un, seize).patch.empty());
    // 16 MiB exactly is the largest ROM offsets reach: its last byte is at 0xFFFFFF.
    Octets dernier = seize;
    dernier.back() = 1;
    IPS::Creation const c = IPS::creer(seize, dernier);
    ASSERT_EQ(c.statut, IPS::Statut_creation::ok);
    EXPECT_TRUE(c.patch == patch_ips(be(0xFFFFFF, 3) + be(1, 2) + "\1"));
}

TEST(PatchIPS, DecoderAppliesHandMadePatches) {
    struct Cas {
        char const* nom;
        std::string rom;
        Octets patch;
        std::string attendu;
    };
    Cas const cas[] = {
        {"a literal record", "abcdef", patch_ips(be(2, 3) + be(2, 2) + "XY"), "abXYef"},
        {"an RLE record", "abcdef", patch_ips(be(1, 3) + be(0, 2) + be(3, 2) + "z"), "azzzef"},
        {"a record past the end grows the ROM with zeros", "ab", patch_ips(be(5, 3) + be(2, 2) + "XY"),
         std::string("ab\0\0\0XY", 7)},
        {"an RLE record past the end too", "ab", patch_ips(be(3, 3) + be(0, 2) + be(2, 2) + "r"),
         std::string("ab\0rr", 5)},
        {"later records write over earlier ones", "abcd",
         patch_ips(be(0, 3) + be(2, 2) + "XY" + be(1, 3) + be(0, 2) + be(2, 2) + "z"), "Xzzd"},
        {"a truncation size cuts the ROM", "abcdef", octets("PATCHEOF" + be(3, 3)), "abc"},
        {"and applies after the records", "abcd", octets("PATCH" + be(8, 3) + be(1, 2) + "Z" + "EOF" + be(5, 3)),
         std::string("abcd\0", 5)},
        {"a truncation size beyond the end sets the length too", "ab", octets("PATCHEOF" + be(4, 3)),
         std::string("ab\0\0", 4)},
        {"a record just before 0x454F46 reaches over it", "", patch_ips(be(0x454F45, 3) + be(2, 2) + "EF"),
         std::string(0x454F45, '\0') + "EF"},
        {"an empty patch changes nothing", "abc", patch_ips(""), "abc"},
        {"three bytes after EOF are a truncation size, whatever they spell", "abcdef", octets("PATCHEOFEOF"),
         "abcdef" + std::string(0x454F46 - 6, '\0')},
    };
    for (Cas const& c : cas) {
        IPS::Application const a = IPS::appliquer(octets(c.rom), c.patch);
        EXPECT_EQ(a.statut, IPS::Statut::ok) << c.nom;
        EXPECT_TRUE(a.rom == octets(c.attendu)) << c.nom;
        auto const lu = temoin::appliquer_ips(octets(c.rom), c.patch);
        EXPECT_TRUE(lu && lu->rom == octets(c.attendu)) << c.nom << ": the test's applier disagrees";
    }
}

struct Refus {
    char const* nom;
    Octets patch;
    IPS::Statut statut;
    std::size_t position;
};

void verifier_refus(Refus const& r) {
    IPS::Application const a = IPS::appliquer(octets("abcdef"), r.patch);
    EXPECT_EQ(a.statut, r.statut) << r.nom;
    EXPECT_EQ(a.position, r.position) << r.nom;
    EXPECT_TRUE(a.rom.empty()) << r.nom << ": a refused patch gives no ROM";
}

TEST(PatchIPS, DecoderRefusesMalformedPatchesAndSaysWhere) {
    Refus const cas[] = {
        {"empty", {}, IPS::Statut::entete_absente, 0},
        {"another header", octets("PATCE" + be(0, 3) + "EOF"), IPS::Statut::entete_absente, 0},
        {"a header alone", octets("PATCH"), IPS::Statut::fin_absente, 5},
        {"\"EOF\" cut", octets("PATCHEO"), IPS::Statut::fin_absente, 5},
        {"two bytes that are no \"EOF\"", octets("PATCHEX"), IPS::Statut::enregistrement_tronque, 5},
        {"an offset like \"EOF\" but not it, then nothing", octets("PATCHEOX"), IPS::Statut::enregistrement_tronque, 5},
        {"a record cut in its bytes", octets("PATCH" + be(1, 3) + be(4, 2) + "abc"), IPS::Statut::enregistrement_tronque, 5},
        {"the second record cut", octets("PATCH" + be(1, 3) + be(1, 2) + "a" + be(2, 3) + be(0, 2)),
         IPS::Statut::enregistrement_tronque, 11},
        {"an RLE record without its value", octets("PATCH" + be(1, 3) + be(0, 2) + be(3, 2)),
         IPS::Statut::enregistrement_tronque, 5},
        {"an RLE record of length 0", patch_ips(be(1, 3) + be(1, 2) + "a" + be(3, 3) + be(0, 2) + be(0, 2) + "z"),
         IPS::Statut::rle_vide, 11},
        {"one byte after EOF", octets("PATCHEOF" + be(3, 1)), IPS::Statut::octets_apres_fin, 8},
        {"two bytes after EOF", octets("PATCHEOF" + be(3, 2)), IPS::Statut::octets_apres_fin, 8},
        {"four bytes after EOF", octets("PATCHEOF" + be(3, 4)), IPS::Statut::octets_apres_fin, 8},
    };
    for (Refus const& r : cas) verifier_refus(r);
}

// A patch cut at every length: where each cut lands decides the refusal.
TEST(PatchIPS, DecoderRefusesAPatchCutAnywhere) {
    std::string const premier = be(1, 3) + be(2, 2) + "XY";     // bytes 5 to 11
    std::string const second = be(4, 3) + be(0, 2) + be(3, 2) + "z";  // bytes 12 to 19
    Octets const patch = octets("PATCH" + premier + second + "EOF" + be(5, 3));
    ASSERT_EQ(IPS::appliquer(octets("abcdef"), patch).rom, octets("aXYdz"));
    for (std::size_t n = 0; n < patch.size(); ++n) {
        Octets const coupe(patch.begin(), patch.begin() + static_cast<std::ptrdiff_t>(n));
        std::string const nom = "cut at " + std::to_string(n);
        if (n < 5) verifier_refus({nom.c_str(), coupe, IPS::Statut::entete_absente, 0});
        else if (n == 5 || n == 12) verifier_refus({nom.c_str(), coupe, IPS::Statut::fin_absente, n});
        else if (n < 12) verifier_refus({nom.c_str(), coupe, IPS::Statut::enregistrement_tronque, 5});
        else if (n < 20) verifier_refus({nom.c_str(), coupe, IPS::Statut::enregistrement_tronque, 12});
        else if (n < 23) verifier_refus({nom.c_str(), coupe, IPS::Statut::fin_absente, 20});
        else if (n == 23) EXPECT_EQ(IPS::appliquer(octets("abcdef"), coupe).rom, octets("aXYdzzz")) << nom;
        else verifier_refus({nom.c_str(), coupe, IPS::Statut::octets_apres_fin, 23});
    }
}

}  // namespace
