#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decodeurs_temoins.h"
#include "paires.h"
#include "patchs/bps-decodeur.h"
#include "patchs/bps-encodeur.h"
#include "patchs/bps-format.h"

namespace {

using paires::Octets;
using paires::octets;

Octets joindre(std::initializer_list<Octets> morceaux) {
    Octets o;
    for (Octets const& m : morceaux) o.insert(o.end(), m.begin(), m.end());
    return o;
}

Octets nombre(std::uint64_t n) {
    Octets o;
    temoin::ecrire_nombre(o, n);
    return o;
}

enum { lecture_source, lecture_cible, copie_source, copie_cible };

Octets action(int genre, std::uint64_t longueur) { return nombre((longueur - 1) << 2 | static_cast<unsigned>(genre)); }
Octets deplacement(std::int64_t d) {
    return nombre(static_cast<std::uint64_t>(d < 0 ? -d : d) << 1 | (d < 0 ? 1 : 0));
}
Octets litteral(std::string const& texte) { return joindre({action(lecture_cible, texte.size()), octets(texte)}); }

TEST(PatchBPS, NumbersTakeOneEncodingEach) {
    struct Cas {
        std::uint64_t valeur;
        Octets octets;
    };
    Cas const cas[] = {
        {0, {0x80}},
        {1, {0x81}},
        {127, {0xFF}},
        {128, {0x00, 0x80}},
        {129, {0x01, 0x80}},
        {16511, {0x7F, 0xFF}},
        {16512, {0x00, 0x00, 0x80}},
        {UINT64_MAX, {0x7F, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x80}},
    };
    for (Cas const& c : cas) {
        Octets ecrit;
        BPS::ajouter_nombre(ecrit, c.valeur);
        EXPECT_EQ(ecrit, c.octets) << c.valeur;
        EXPECT_EQ(BPS::taille_nombre(c.valeur), static_cast<int>(c.octets.size())) << c.valeur;
    }
    // Every value written reads back, and the reading stops right after it.
    for (int bits = 0; bits < 64; ++bits)
        for (std::uint64_t v : {std::uint64_t{1} << bits, (std::uint64_t{1} << bits) - 1, (std::uint64_t{1} << bits) + 1}) {
            Octets o;
            BPS::ajouter_nombre(o, v);
            o.push_back(0x55);
            std::size_t position = 0;
            std::uint64_t lu = 0;
            ASSERT_EQ(BPS::lire_nombre_borne(o, o.size(), position, lu), BPS::Lecture_nombre::ok) << v;
            EXPECT_EQ(lu, v);
            EXPECT_EQ(position, o.size() - 1);
            EXPECT_EQ(BPS::taille_nombre(v), static_cast<int>(o.size() - 1));
        }
}

TEST(PatchBPS, NumberReadingRefusesRunningOutAndValuesBeyond64Bits) {
    struct Cas {
        char const* nom;
        Octets octets;
        std::size_t limite;
        BPS::Lecture_nombre attendu;
    };
    Cas const cas[] = {
        {"no end byte", {0x00, 0x01}, 2, BPS::Lecture_nombre::tronque},
        {"its end byte past the limit", {0x00, 0x80}, 1, BPS::Lecture_nombre::tronque},
        {"nothing to read", {}, 0, BPS::Lecture_nombre::tronque},
        {"one more than the largest value", {0x00, 0x7F, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x80},
         10, BPS::Lecture_nombre::demesure},
        {"an eleventh byte", Octets(10, 0x00), 10, BPS::Lecture_nombre::demesure},
        {"the largest value's last byte too big", {0x7F, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x7E, 0x81},
         10, BPS::Lecture_nombre::demesure},
    };
    for (Cas const& c : cas) {
        std::size_t position = 0;
        std::uint64_t valeur = 77;
        EXPECT_EQ(BPS::lire_nombre_borne(c.octets, c.limite, position, valeur), c.attendu) << c.nom;
        EXPECT_EQ(position, 0u) << c.nom;
        EXPECT_EQ(valeur, 77u) << c.nom;
    }
}

void verifier_aller_retour(paires::Paire const& p) {
    SCOPED_TRACE(p.nom);
    BPS::Creation const c = BPS::creer(p.original, p.modifie);
    ASSERT_EQ(c.statut, BPS::Statut_creation::ok);
    auto const lu = temoin::appliquer_bps(p.original, c.patch);
    ASSERT_TRUE(lu.has_value()) << "the test's applier cannot read the patch";
    EXPECT_TRUE(lu->cible == p.modifie);
    // The counts the encoder reports are those of the actions it wrote.
    std::uint64_t actions[4] = {}, octets_ecrits[4] = {};
    for (auto const& a : lu->actions) {
        ++actions[a.genre];
        octets_ecrits[a.genre] += a.longueur;
    }
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(actions[g], c.actions[g]) << "kind " << g;
        EXPECT_EQ(octets_ecrits[g], c.octets[g]) << "kind " << g;
    }
    BPS::Application const a = BPS::appliquer(p.original, c.patch);
    ASSERT_EQ(a.statut, BPS::Statut::ok);
    EXPECT_TRUE(a.cible == p.modifie);
}

TEST(PatchBPS, EveryPatchWrittenGivesTheTargetBack) {
    for (paires::Paire const& p : paires::variees()) verifier_aller_retour(p);
    for (paires::Paire const& p : paires::aleatoires_petites(300, 22)) verifier_aller_retour(p);
}

TEST(PatchBPS, MetadataAreCarriedAsGiven) {
    Octets const meta = octets("<auteur>Vorlan</auteur>\n\xe9");
    BPS::Creation const c = BPS::creer(octets("abc"), octets("abd"), meta);
    auto const lu = temoin::appliquer_bps(octets("abc"), c.patch);
    ASSERT_TRUE(lu.has_value());
    EXPECT_EQ(lu->metadonnees, meta);
    BPS::Application const a = BPS::appliquer(octets("abc"), c.patch);
    EXPECT_EQ(a.metadonnees, meta);
    EXPECT_EQ(a.cible, octets("abd"));
}

// What the encoder copies from where: unchanged bytes read from the source in place, moved
// ones copied from it, repeats copied from the output; literals only for the rest.
TEST(PatchBPS, EncoderCopiesFromWhereTheBytesAre) {
    Octets const a = paires::aleatoires(20000, 41), b = paires::aleatoires(20000, 42);
    Octets const rom = joindre({a, b});
    Octets corrige = rom;
    for (std::size_t p : {100u, 5000u, 5010u, 30000u}) corrige[p] ^= 0xFF;
    std::string mots;
    while (mots.size() < 10000) mots += "word ";

    struct Cas {
        char const* nom;
        Octets source;
        Octets cible;
        std::uint64_t octets[4];
        std::uint64_t actions[4];
    };
    Cas const cas[] = {
        {"fixed in place", rom, corrige, {40000 - 4, 4, 0, 0}, {5, 4, 0, 0}},
        {"blocks swapped", rom, joindre({b, a}), {0, 0, 40000, 0}, {0, 0, 2, 0}},
        {"a word repeated", {}, octets(mots), {0, 5, 0, 9995}, {0, 1, 0, 1}},
        {"a block read twice", rom, joindre({rom, a}), {40000, 0, 20000, 0}, {1, 0, 1, 0}},
    };
    for (Cas const& c : cas) {
        BPS::Creation const creation = BPS::creer(c.source, c.cible);
        for (int g = 0; g < 4; ++g) {
            EXPECT_EQ(creation.octets[g], c.octets[g]) << c.nom << ", kind " << g;
            EXPECT_EQ(creation.actions[g], c.actions[g]) << c.nom << ", kind " << g;
        }
        auto const lu = temoin::appliquer_bps(c.source, creation.patch);
        EXPECT_TRUE(lu && lu->cible == c.cible) << c.nom;
    }
}

// Of two matches as long, the one whose offset move is shorter: here the phrase's first
// occurrence, 16 bytes from where the last copy left the output offset, rather than its latest,
// 30,000 bytes away.
TEST(PatchBPS, EncoderTakesTheMatchWhoseOffsetMoveIsShortest) {
    Octets const phrase = octets("0123456789abcdef");
    Octets const cible = joindre({phrase, paires::aleatoires(30000, 43), phrase, paires::aleatoires(10, 44), phrase});
    BPS::Creation const c = BPS::creer({}, cible);
    auto const lu = temoin::appliquer_bps({}, c.patch);
    ASSERT_TRUE(lu && lu->cible == cible);
    ASSERT_GE(lu->actions.size(), 2u);
    temoin::Action_bps const derniere = lu->actions.back();
    EXPECT_EQ(derniere.genre, copie_cible);
    EXPECT_EQ(derniere.longueur, phrase.size());
    EXPECT_EQ(derniere.depuis, 0u);
}

// The parse's choices, each the fewest bytes: a block whose source moved on by a few bytes is
// copied with a one-byte move rather than searched for again; a 3-byte repeat inside new bytes
// is not worth cutting their run (its action, its 2-byte move and the run's second action cost
// more than the bytes); a word said
// again right after its first copy is copied where that copy left the offset.
TEST(PatchBPS, EncoderChoosesTheActionsByTheirBytes) {
    Octets const rom = paires::aleatoires(6000, 45);
    auto morceau = [&rom](std::size_t debut, std::size_t fin) {
        return Octets(rom.begin() + static_cast<std::ptrdiff_t>(debut), rom.begin() + static_cast<std::ptrdiff_t>(fin));
    };
    {
        Octets const cible = joindre({morceau(100, 2100), morceau(2108, 4108)});
        BPS::Creation const c = BPS::creer(rom, cible);
        auto const lu = temoin::appliquer_bps(rom, c.patch);
        ASSERT_TRUE(lu && lu->cible == cible);
        ASSERT_EQ(lu->actions.size(), 2u);
        EXPECT_EQ(lu->actions[1].genre, copie_source);
        EXPECT_EQ(lu->actions[1].depuis, 2108u);
        // Header and sizes, two actions of 2 bytes, a 2-byte move to 100, a 1-byte move of 8, footer.
        EXPECT_EQ(c.patch.size(), 4u + 5u + 2u + 2u + 2u + 1u + 12u);
    }
    {
        Octets nouveau = paires::aleatoires(1100, 46);
        std::copy(nouveau.begin() + 900, nouveau.begin() + 903, nouveau.begin() + 1050);
        BPS::Creation const c = BPS::creer({}, nouveau);
        auto const lu = temoin::appliquer_bps({}, c.patch);
        ASSERT_TRUE(lu && lu->cible == nouveau);
        ASSERT_EQ(lu->actions.size(), 1u);
        EXPECT_EQ(lu->actions[0].genre, lecture_cible);
    }
    {
        Octets const mot = octets("chevalier"), blanc = octets(" ");
        Octets const cible = joindre({morceau(0, 50), mot, morceau(50, 100), mot, blanc, mot});
        BPS::Creation const c = BPS::creer({}, cible);
        auto const lu = temoin::appliquer_bps({}, c.patch);
        ASSERT_TRUE(lu && lu->cible == cible);
        temoin::Action_bps const derniere = lu->actions.back();
        EXPECT_EQ(derniere.genre, copie_cible);
        EXPECT_EQ(derniere.longueur, mot.size());
        EXPECT_EQ(derniere.depuis, 50u);
    }
}

TEST(PatchBPS, DecoderAppliesHandMadePatches) {
    struct Cas {
        char const* nom;
        std::string source;
        Octets actions;
        std::string cible;
    };
    Cas const cas[] = {
        {"source read in place and literals", "abcdef",
         joindre({action(lecture_source, 3), litteral("XY"), action(lecture_source, 1)}), "abcXYf"},
        {"source copies moving back and forth", "0123456789",
         joindre({action(copie_source, 3), deplacement(7), action(copie_source, 4), deplacement(-10),
                  action(copie_source, 2), deplacement(-3)}),
         "789012312"},
        {"a target copy overlapping its own output", "",
         joindre({litteral("ab"), action(copie_cible, 6), deplacement(0)}), "abababab"},
        {"a target copy moving back", "",
         joindre({litteral("abc"), action(copie_cible, 3), deplacement(0), action(copie_cible, 2), deplacement(-2)}),
         "abcabcbc"},
        {"a run from one byte", "", joindre({litteral("z"), action(copie_cible, 300), deplacement(0)}),
         std::string(301, 'z')},
        {"nothing to write", "abc", {}, ""},
    };
    for (Cas const& c : cas) {
        Octets const patch = temoin::patch_bps(octets(c.source), octets(c.cible), c.actions);
        BPS::Application const a = BPS::appliquer(octets(c.source), patch);
        EXPECT_EQ(a.statut, BPS::Statut::ok) << c.nom;
        EXPECT_EQ(a.cible, octets(c.cible)) << c.nom;
        auto const lu = temoin::appliquer_bps(octets(c.source), patch);
        EXPECT_TRUE(lu && lu->cible == octets(c.cible)) << c.nom << ": the test's applier disagrees";
    }
}

struct Refus {
    char const* nom;
    Octets patch;
    BPS::Statut statut;
    std::size_t position = 0;
};

void verifier_refus(Refus const& r, Octets const& source, std::uint64_t limite = BPS::taille_maximale) {
    BPS::Application const a = BPS::appliquer(source, r.patch, limite);
    EXPECT_EQ(a.statut, r.statut) << r.nom;
    EXPECT_EQ(a.position, r.position) << r.nom;
    EXPECT_TRUE(a.cible.empty()) << r.nom << ": a refused patch gives no target";
}

// Patches whose CRCs are right, but whose contents are not.
TEST(PatchBPS, DecoderRefusesMalformedPatchesAndSaysWhere) {
    Octets const source = octets("abcdef");
    auto avec = [&](std::string const& cible, Octets const& actions) {
        return temoin::patch_bps(source, octets(cible), actions);
    };
    auto entete = [&](std::uint64_t cible) { return joindre({nombre(6), nombre(cible), nombre(0)}); };
    // Header: "BPS1" and three one-byte numbers, so actions start at 7.
    Refus const cas[] = {
        {"the source size's number cut", temoin::entourer_bps({0x00}, source, {}), BPS::Statut::nombre_tronque, 4},
        {"the target size's number cut", temoin::entourer_bps(joindre({nombre(6), {0x01}}), source, {}),
         BPS::Statut::nombre_tronque, 5},
        {"a size beyond 64 bits", temoin::entourer_bps(joindre({nombre(6), Octets(10, 0x00), {0x80}}), source, {}),
         BPS::Statut::nombre_demesure, 5},
        {"metadata running into the CRCs", temoin::entourer_bps(joindre({nombre(6), nombre(0), nombre(5), octets("ab")}),
                                                                source, {}),
         BPS::Statut::metadonnees_tronquees, 6},
        {"an action's number cut", temoin::entourer_bps(joindre({entete(1), {0x00}}), source, octets("a")),
         BPS::Statut::nombre_tronque, 7},
        {"an offset move's number cut",
         temoin::entourer_bps(joindre({entete(1), action(copie_source, 1), {0x00}}), source, octets("a")),
         BPS::Statut::nombre_tronque, 8},
        {"an offset move beyond 64 bits",
         temoin::entourer_bps(joindre({entete(1), action(copie_cible, 1), Octets(10, 0x00), {0x80}}), source,
                              octets("a")),
         BPS::Statut::nombre_demesure, 8},
        {"a source read past the source's end", avec("abcdefg", {action(lecture_source, 7)}),
         BPS::Statut::lecture_hors_source, 7},
        {"a source read where the output is past it",
         avec("abcdefxy", joindre({action(lecture_source, 6), litteral("x"), action(lecture_source, 1)})),
         BPS::Statut::lecture_hors_source, 10},
        {"a source copy moved before the start", avec("a", joindre({action(copie_source, 1), deplacement(-1)})),
         BPS::Statut::lecture_hors_source, 7},
        {"a source copy running past the end", avec("ef?", joindre({action(copie_source, 3), deplacement(4)})),
         BPS::Statut::lecture_hors_source, 7},
        {"a target copy with nothing written", avec("aa", joindre({action(copie_cible, 2), deplacement(0)})),
         BPS::Statut::copie_hors_sortie, 7},
        {"a target copy from the byte being written",
         avec("abc", joindre({litteral("ab"), action(copie_cible, 1), deplacement(2)})), BPS::Statut::copie_hors_sortie,
         10},
        {"a target copy moved before the start",
         avec("abc", joindre({litteral("ab"), action(copie_cible, 1), deplacement(-1)})), BPS::Statut::copie_hors_sortie,
         10},
        {"literal bytes running into the CRCs", avec("abcde", joindre({action(lecture_cible, 5), octets("ab")})),
         BPS::Statut::litteral_tronque, 7},
        {"writing past the target size", temoin::patch_bps(source, octets("abc"), litteral("abcd"), {}, 3),
         BPS::Statut::ecriture_hors_cible, 7},
        {"a source read past the target size", temoin::patch_bps(source, octets("ab"), action(lecture_source, 3), {}, 2),
         BPS::Statut::ecriture_hors_cible, 7},
        {"actions ending before the target size", temoin::patch_bps(source, octets("abc"), litteral("abc"), {}, 5),
         BPS::Statut::cible_incomplete, 11},
    };
    for (Refus const& r : cas) verifier_refus(r, source);

    BPS::Application const incomplete =
        BPS::appliquer(source, temoin::patch_bps(source, octets("abc"), litteral("abc"), {}, 5));
    EXPECT_EQ(incomplete.taille_attendue, 5u);
    EXPECT_EQ(incomplete.taille_reelle, 3u);

    Octets const grand = temoin::patch_bps(source, octets("abcdefghijk"), litteral("abcdefghijk"));
    verifier_refus({"a target over the limit", grand, BPS::Statut::cible_trop_grande, 5}, source, 10);
    EXPECT_EQ(BPS::appliquer(source, grand, 10).taille_attendue, 11u);
    EXPECT_EQ(BPS::appliquer(source, grand, 11).statut, BPS::Statut::ok);
}

TEST(PatchBPS, DecoderRefusesWhatIsNotABpsPatch) {
    Octets const source = octets("abcdef");
    Octets autre = temoin::entourer_bps(joindre({nombre(6), nombre(0), nombre(0)}), source, {});
    ASSERT_EQ(BPS::appliquer(source, autre).statut, BPS::Statut::ok);
    autre[3] = '2';
    temoin::recalculer_crc_patch(autre);
    Refus const cas[] = {
        {"empty", {}, BPS::Statut::pas_bps},
        {"its header cut", octets("BPS"), BPS::Statut::pas_bps},
        {"another header", autre, BPS::Statut::pas_bps},
        {"no room for the CRCs", octets("BPS1" + std::string(11, '\x80')), BPS::Statut::trop_court},
    };
    for (Refus const& r : cas) verifier_refus(r, source);
}

// A patch the encoder wrote, cut at every length and with each byte changed in turn: the
// patch's own CRC catches what the header does not.
TEST(PatchBPS, DecoderRefusesADamagedPatch) {
    Octets const source = paires::texte(300, 51);
    Octets cible = source;
    cible[20] = '#';
    cible.insert(cible.end(), source.begin(), source.begin() + 40);
    Octets const patch = BPS::creer(source, cible).patch;
    ASSERT_EQ(BPS::appliquer(source, patch).cible, cible);
    for (std::size_t n = 0; n < patch.size(); ++n) {
        Octets const coupe(patch.begin(), patch.begin() + static_cast<std::ptrdiff_t>(n));
        std::string const nom = "cut at " + std::to_string(n);
        BPS::Statut const attendu =
            n < 4 ? BPS::Statut::pas_bps : n < 16 ? BPS::Statut::trop_court : BPS::Statut::patch_endommage;
        verifier_refus({nom.c_str(), coupe, attendu}, source);
    }
    for (std::size_t i = 0; i < patch.size(); ++i) {
        Octets change = patch;
        change[i] ^= 0x10;
        std::string const nom = "byte " + std::to_string(i) + " changed";
        verifier_refus({nom.c_str(), change, i < 4 ? BPS::Statut::pas_bps : BPS::Statut::patch_endommage}, source);
    }
    Octets change = patch;
    change[10] ^= 1;
    BPS::Application const a = BPS::appliquer(source, change);
    EXPECT_EQ(a.crc_attendu, static_cast<std::uint32_t>(patch[patch.size() - 4] | patch[patch.size() - 3] << 8 |
                                                         patch[patch.size() - 2] << 16 |
                                                         static_cast<std::uint32_t>(patch[patch.size() - 1]) << 24));
    EXPECT_EQ(a.crc_reel, temoin::crc(Octets(change.begin(), change.end() - 4)));
}

TEST(PatchBPS, DecoderRefusesTheWrongSourceWithWhatItExpected) {
    Octets const source = paires::texte(500, 52);
    Octets cible = source;
    cible[7] = '!';
    Octets const patch = BPS::creer(source, cible).patch;
    Octets plus_long = source;
    plus_long.push_back('x');
    Octets autre = source;
    autre[499] ^= 1;
    struct Cas {
        char const* nom;
        Octets rom;
        BPS::Statut statut;
    };
    Cas const cas[] = {
        {"a longer ROM", plus_long, BPS::Statut::source_taille},
        {"an empty ROM", {}, BPS::Statut::source_taille},
        {"a ROM of the same size", autre, BPS::Statut::source_crc},
    };
    for (Cas const& c : cas) {
        BPS::Application const a = BPS::appliquer(c.rom, patch);
        EXPECT_EQ(a.statut, c.statut) << c.nom;
        EXPECT_EQ(a.taille_attendue, source.size()) << c.nom;
        EXPECT_EQ(a.taille_reelle, c.rom.size()) << c.nom;
        EXPECT_EQ(a.crc_attendu, temoin::crc(source)) << c.nom;
        EXPECT_EQ(a.crc_reel, temoin::crc(c.rom)) << c.nom;
        EXPECT_TRUE(a.cible.empty()) << c.nom;
    }
}

TEST(PatchBPS, DecoderRefusesAResultWhoseCrcDiffers) {
    Octets const source = octets("abcdef");
    // The actions make "abcXef", the CRC is that of "abcdef".
    Octets const patch =
        temoin::patch_bps(source, source, joindre({action(lecture_source, 3), litteral("X"), action(lecture_source, 2)}));
    BPS::Application const a = BPS::appliquer(source, patch);
    EXPECT_EQ(a.statut, BPS::Statut::resultat_faux);
    EXPECT_EQ(a.crc_attendu, temoin::crc(source));
    EXPECT_EQ(a.crc_reel, temoin::crc(octets("abcXef")));
    EXPECT_TRUE(a.cible.empty());
}

}  // namespace
