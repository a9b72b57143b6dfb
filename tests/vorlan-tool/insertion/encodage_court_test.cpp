#include "insertion/encodage-court.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "extraction/ecriture-script.h"
#include "insertion/caractere-inconnu.h"
#include "insertion/encodage.h"
#include "lib/rapport.h"
#include "lib/vorlan_tool_divers.h"
#include "support/octets.h"
#include "tables/extracteur-table.h"
#include "tables/fichier-table.h"

namespace {

using Insereur::Encodage;
using Insereur::Texte_encode;
using test_support::octets;

// One table file read every way these tests need: for the shortest encoding, for extraction,
// and which keys are end tokens or line breaks (their first definition), whose text may be
// read back with one final line feed more or less.
struct Tables {
    Insereur::Table_courte courte;
    Extracteur::Table_ext extraction;
    std::set<Nb_ext_ins> libres;

    explicit Tables(std::string const& texte) {
        courte.charger(texte);
        extraction.charger(texte);
        Rapports rapports;
        auto const syntaxe = Fichier_table::Syntaxe::caracteres;
        std::set<Nb_ext_ins> vues;
        Fichier_table::lire(Fichier_table::preparer(texte, syntaxe, rapports), syntaxe, rapports,
                            [&](Fichier_table::Entree const& e) {
                                if (e.hexa.empty()) return;
                                Nb_ext_ins const cle(reinterpret_cast<unsigned char const*>(e.hexa.c_str()));
                                if (!vues.insert(cle).second) return;
                                if (e.sorte == Fichier_table::Sorte::fin ||
                                    e.sorte == Fichier_table::Sorte::saut_de_ligne)
                                    libres.insert(cle);
                            });
    }
};

std::string brut(unsigned char octet) {
    char texte[5];
    std::snprintf(texte, sizeof texte, "<%02X>", octet);
    return texte;
}

// What extraction reads, piece by piece: a key's text (or a raw byte where no key begins),
// then each of its parameter bytes raw.
struct Piece {
    std::string octets;
    std::string texte;
    bool libre = false;  // an end token's or a line break's text
};

std::vector<Piece> relire(Tables const& t, std::string const& octets) {
    auto const* o = reinterpret_cast<unsigned char const*>(octets.data());
    std::vector<Piece> pieces;
    std::string lu;  // the extraction's own reading, which the pieces must give too
    Extracteur::Ecriture_script ecriture(lu);
    for (std::size_t p = 0; p < octets.size();) {
        std::size_t const disponible = octets.size() - p;
        std::size_t longueur = 0;
        Extracteur::Texte_ext const* e =
            t.extraction.plus_long(o + p, std::min<std::size_t>(disponible, t.extraction.taille_max()), longueur);
        std::size_t const lus = ecriture.decoder(t.extraction, o + p, disponible, false);
        if (e == nullptr) {
            pieces.push_back({octets.substr(p, 1), brut(o[p])});
        } else {
            pieces.push_back({octets.substr(p, longueur), e->texte, t.libres.count(Nb_ext_ins(o + p, static_cast<int>(longueur))) != 0});
            for (std::size_t k = longueur; k < lus; ++k) pieces.push_back({octets.substr(p + k, 1), brut(o[p + k])});
        }
        p += lus;
    }
    std::string ensemble;
    for (Piece const& piece : pieces) ensemble += piece.texte;
    EXPECT_EQ(ensemble, lu);
    return pieces;
}

// Whether `texte` is what a piece reads back as: a raw form asks for its byte, whatever the
// byte is read as.
bool relu(std::string const& texte, Piece const& piece) {
    if (texte == piece.texte) return true;
    if (piece.octets.size() == 1 && texte == brut(static_cast<unsigned char>(piece.octets[0]))) return true;
    if (!piece.libre) return false;
    return texte + '\n' == piece.texte || texte == piece.texte + '\n';
}

// Whether the `longueur` characters of the script from `p` are what a piece reads back as.
bool relu_a(std::string const& script, std::size_t p, std::size_t longueur, Piece const& piece) {
    return longueur <= script.size() - p && relu(script.substr(p, longueur), piece);
}

std::size_t largeur(Tables const& t) {
    return std::max<std::size_t>(static_cast<std::size_t>(t.courte.insertion().taille_max()), 10);
}

// Whether the encoding reads back as the script: every text's tags, then its pieces and its
// unknown characters in some order (each report matching the character where it is taken),
// cover the script exactly.
bool relit(std::string const& script, Encodage const& encodage, Tables const& t) {
    std::set<std::size_t> positions{0};
    for (Texte_encode const& texte : encodage.textes) {
        for (int numero : texte.pointeurs) {
            std::set<std::size_t> suivantes;
            for (std::size_t p : positions) {
                std::size_t const balise = Vorlan_tool::longueur_balise(script.data() + p, script.size() - p);
                long long valeur = 0;
                for (std::size_t k = p + 3; k + 2 < p + balise; ++k)
                    valeur = std::min<long long>(valeur * 10 + (script[k] - '0'), INT_MAX);
                if (balise != 0 && valeur == numero) suivantes.insert(p + balise);
            }
            positions = suivantes;
        }
        std::vector<Piece> const pieces = relire(t, std::string(texte.octets.begin(), texte.octets.end()));
        std::vector<std::string> const rapports = [&] {
            std::vector<std::string> v;
            for (Rapport const& r : texte.rapports) v.push_back(formater(r));
            return v;
        }();
        // (piece, report, position) reached.
        std::set<std::tuple<std::size_t, std::size_t, std::size_t>> etats, vus;
        for (std::size_t p : positions) etats.insert({0, 0, p});
        positions.clear();
        while (!etats.empty()) {
            auto const [i, r, p] = *etats.begin();
            etats.erase(etats.begin());
            if (!vus.insert({i, r, p}).second) continue;
            if (i == pieces.size() && r == rapports.size()) positions.insert(p);
            if (i < pieces.size()) {
                // Its text, or one line feed more or less, or the raw form of its byte.
                std::size_t const l = pieces[i].texte.size();
                for (std::size_t longueur : {l, l + 1, l - 1, std::size_t{4}})
                    if (relu_a(script, p, longueur, pieces[i]))
                        etats.insert({i + 1, r, p + longueur});
            }
            if (r < rapports.size() && p < script.size() &&
                formater(Insereur::caractere_inconnu(script.data() + p, std::min(largeur(t), script.size() - p))) ==
                    rapports[r])
                etats.insert({i, r + 1, p + 1});
        }
    }
    return positions.count(script.size()) != 0;
}

std::string octets_de(Encodage const& e) {
    std::string tout;
    for (Texte_encode const& t : e.textes) tout.append(t.octets.begin(), t.octets.end());
    return tout;
}

std::size_t inconnus(Encodage const& e) {
    std::size_t n = 0;
    for (Texte_encode const& t : e.textes) n += t.rapports.size();
    return n;
}

// The fewest (unknown characters, bytes) over every split of a script without tags into
// table texts and skipped characters whose bytes extraction reads back piece for piece as
// those texts.
std::pair<std::size_t, std::size_t> force_brute(std::string const& script, Tables const& t) {
    std::pair<std::size_t, std::size_t> meilleur{SIZE_MAX, SIZE_MAX};
    std::vector<std::pair<std::string, std::string>> choisis;  // (text, code)
    auto fidele = [&] {
        std::string tout;
        for (auto const& c : choisis) tout += c.second;
        std::vector<Piece> const pieces = relire(t, tout);
        if (pieces.size() != choisis.size()) return false;
        for (std::size_t k = 0; k < pieces.size(); ++k)
            if (pieces[k].octets != choisis[k].second || !relu(choisis[k].first, pieces[k])) return false;
        return true;
    };
    auto chercher = [&](auto&& soi, std::size_t p, std::size_t sautes, std::size_t octets) -> void {
        if (!(std::make_pair(sautes, octets) < meilleur)) return;
        if (p == script.size()) {
            if (fidele()) meilleur = {sautes, octets};
            return;
        }
        for (std::size_t l = 1; p + l <= script.size(); ++l) {
            Nb_ext_ins const* code = t.courte.insertion().chercher(script.substr(p, l));
            if (code == nullptr) continue;
            choisis.emplace_back(script.substr(p, l), std::string(code->octets(), code->octets() + code->taille()));
            soi(soi, p + l, sautes, octets + static_cast<std::size_t>(code->taille()));
            choisis.pop_back();
        }
        soi(soi, p + 1, sautes + 1, octets);
    };
    chercher(chercher, 0, 0, 0);
    return meilleur;
}

TEST(EncoderCourt, FindsTheFewestFaithfulBytesOfAnExhaustiveSearchOnRandomTables) {
    std::mt19937 hasard(7);
    auto tirer = [&](int n) { return static_cast<int>(hasard() % static_cast<unsigned>(n)); };
    char const* const cles[] = {"41", "42", "43", "4142", "4241", "4343", "4243", "414243", "44"};
    char const* const textes[] = {"a", "b", "c", "ab", "ba", "abc", "cab", "bb", "a\\n", "<41>"};
    char const* const morceaux[] = {"a", "b", "c", "\n", ".", "|", "P", "<41>", "<43>", "z"};
    for (int essai = 0; essai < 400; ++essai) {
        std::string table;
        for (int n = 1 + tirer(7); n > 0; --n) {
            std::string const cle = cles[tirer(9)];
            switch (tirer(8)) {
            case 0: table += "/" + cle + "=.\n"; break;
            case 1: table += "*" + cle + "=|\n"; break;
            case 2: table += "$" + cle + "=P," + std::to_string(tirer(3)) + "\n"; break;
            case 3: table += "/" + cle + "\n"; break;
            default: table += cle + "=" + textes[tirer(10)] + "\n";
            }
        }
        std::string script;
        while (script.size() < 10) {
            std::string const m = morceaux[tirer(10)];
            if (script.size() + m.size() > 10) break;
            script += m;
        }
        SCOPED_TRACE("table:\n" + table + "script: " + Vorlan_tool::afficher_chaine(script));
        Tables const t(table);
        Encodage const court = Insereur::encoder_court(script, t.courte);
        auto const attendu = force_brute(script, t);
        EXPECT_EQ(inconnus(court), attendu.first);
        EXPECT_EQ(octets_de(court).size(), attendu.second);
        EXPECT_TRUE(relit(script, court, t));
    }
}

// A table of one-byte letters, one-byte pairs and two-byte words, and scripts of its words.
struct Dictionnaire {
    std::string table;
    std::vector<std::string> mots;
};

Dictionnaire dictionnaire(std::mt19937& hasard, int paires, int mots) {
    std::string const lettres = "abcdefghijklmnopqrstuvwxyz ,.";
    Dictionnaire d;
    char ligne[64];
    for (std::size_t k = 0; k < lettres.size(); ++k) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", static_cast<unsigned>(0x20 + k), lettres[k]);
        d.table += ligne;
    }
    // Pairs and words drawn from the commonest letters, so that they overlap.
    std::string const courantes = "etaoinshr ";
    for (int k = 0; k < paires; ++k) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c%c\n", 0x80 + k, courantes[hasard() % 10], courantes[hasard() % 10]);
        d.table += ligne;
    }
    for (int k = 0; k < mots; ++k) {
        std::string mot;
        for (int n = 2 + static_cast<int>(hasard() % 5); n > 0; --n) mot += courantes[hasard() % 9];
        if (hasard() % 2) mot += ' ';
        d.mots.push_back(mot);
        std::snprintf(ligne, sizeof ligne, "F0%02X=%s\n", k, mot.c_str());
        d.table += ligne;
    }
    return d;
}

std::string phrases(std::mt19937& hasard, Dictionnaire const& d, std::size_t taille) {
    std::string script;
    int numero = 0;
    while (script.size() < taille) {
        if (hasard() % 12 == 0) script += "<PT" + std::to_string(numero++) + ">\n";
        script += d.mots[hasard() % d.mots.size()];
        if (hasard() % 3 == 0) script += "the ";
    }
    return script;
}

TEST(EncoderCourt, IsNeverLongerThanLongestMatchOnScriptsOfPairsAndWords) {
    std::mt19937 hasard(11);
    std::size_t plus_courts = 0;
    for (int essai = 0; essai < 30; ++essai) {
        Dictionnaire const d = dictionnaire(hasard, 60, 40);
        std::string const script = phrases(hasard, d, 2000);
        Tables const t(d.table);
        Encodage const court = Insereur::encoder_court(script, t.courte);
        Encodage const long_ = Insereur::encoder(script, t.courte.insertion());
        EXPECT_EQ(inconnus(court), 0u);
        EXPECT_LE(octets_de(court).size(), octets_de(long_).size());
        EXPECT_EQ(court.textes.size(), long_.textes.size());
        EXPECT_TRUE(relit(script, court, t));
        if (octets_de(court).size() < octets_de(long_).size()) ++plus_courts;
    }
    // Words that overlap their neighbours leave longest match behind on most scripts.
    EXPECT_GT(plus_courts, 0u);
}

void comparer(Encodage const& a, Encodage const& b) {
    ASSERT_EQ(a.textes.size(), b.textes.size());
    for (std::size_t i = 0; i < a.textes.size(); ++i) {
        SCOPED_TRACE("text " + std::to_string(i));
        Texte_encode const& x = a.textes[i];
        Texte_encode const& y = b.textes[i];
        EXPECT_EQ(x.pointeurs, y.pointeurs);
        EXPECT_EQ(x.octets, y.octets);
        ASSERT_EQ(x.longues.size(), y.longues.size());
        for (std::size_t k = 0; k < x.longues.size(); ++k) {
            EXPECT_EQ(x.longues[k].debut, y.longues[k].debut);
            EXPECT_EQ(x.longues[k].taille, y.longues[k].taille);
        }
        EXPECT_EQ(formater(x.rapports), formater(y.rapports));
    }
}

std::string const table_abc = "41=A\n42=B\n43=C\n";

TEST(EncoderCourt, GivesLongestMatchsTextsWhereLongestMatchIsShortestAndFaithful) {
    struct Cas {
        std::string script;
        std::string table;
    };
    Cas const cas[] = {
        {"", table_abc},
        {"AB", table_abc},
        {"<PT0001>\nAB", table_abc},
        {"AB<PT1>\n<PT0002>\nC<PT3>\n", table_abc},
        {"<PT2>\n<PT1>\n<PT2>\nA", table_abc},
        // Unknown characters, reported in the text where they occur with the same window.
        {"Z<PT1>\nA", table_abc},
        {"AZ<PT2>\nBYC", table_abc},
        {"<PT99999999999>\nA", table_abc},
        // A tag is a cut unless a longer table text begins where it stands.
        {"A<PT1>\nB", table_abc + "3C=<PT1>\\n\n"},
        {"A<PT1>\nB", table_abc + "3D=<PT1>\\nB\n"},
        {"AEFXYZ<41>B<PT1>\nEFA", table_abc + "4546=EF\n58595A=XYZ\n"},
        // "the " is two bytes as one word or as "t" then "he ": the longest first is kept.
        {"the the ", "74=t\n68=h\n65=e\n20= \n81=he \nF001=the \n"},
        // Raw bytes, a control code and its parameter, end tokens and line breaks written
        // with or without their line feed.
        {"<FF>P<41><42>A<00>", table_abc + "$50=P,2\n"},
        {"A<br>B<br>\nC[end]\n<PT1>\nA[end]", table_abc + "*0A=<br>\n/00=[end]\n"},
        {"A<00>\nB<00>", table_abc + "/00\n0A=\\n\n"},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(Vorlan_tool::afficher_chaine(c.script));
        Tables const t(c.table);
        Encodage const court = Insereur::encoder_court(c.script, t.courte);
        comparer(court, Insereur::encoder(c.script, t.courte.insertion()));
        EXPECT_TRUE(relit(c.script, court, t));
    }
}

TEST(EncoderCourt, LeavesLongestMatchBehindWhereItsLongestTextBlocksABetterSplit) {
    struct Cas {
        char const* table;
        char const* script;
        std::string longest;   // longest match's bytes
        std::string shortest;  // found by hand
    };
    Cas const cas[] = {
        // "and " then "th" "e"; "and" then " the".
        {"01=and \n02=and\n03= the\n04=th\n05=e\n", "and the", octets({1, 4, 5}), octets({2, 3})},
        // "ab" then a two-byte "c"; "a" then "bc".
        {"01=ab\n02=a\n03=bc\n0405=c\n", "abc", octets({1, 4, 5}), octets({2, 3})},
        // A two-byte word, then two letters; two one-byte words.
        {"F001=thes\n81=the\n82=se \n83=s\n84= \n85=e\n", "these ", octets({0xF0, 1, 0x85, 0x84}), octets({0x81, 0x82})},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.script);
        Tables const t(c.table);
        EXPECT_EQ(octets_de(Insereur::encoder(c.script, t.courte.insertion())), c.longest);
        Encodage const court = Insereur::encoder_court(c.script, t.courte);
        EXPECT_EQ(octets_de(court), c.shortest);
        EXPECT_TRUE(relit(c.script, court, t));
    }
}

TEST(EncoderCourt, RefusesCodesThatExtractionWouldReadAsOthers) {
    struct Cas {
        char const* table;
        char const* script;
        std::string longest;  // longest match's bytes, read back otherwise
        std::string court;
        std::size_t inconnus;
    };
    Cas const cas[] = {
        // 41 then 42 would be read as the key 4142: "b" then "c" instead of "bc".
        {"41=a\n4243=bc\n4142=x\n44=b\n45=c\n", "abc", octets({0x41, 0x42, 0x43}), octets({0x41, 0x44, 0x45}), 0},
        // A raw byte that begins a key cannot be followed by that key's rest.
        {"41=a\nF001=x\n", "<F0><01>", octets({0xF0, 0x01}), octets({0xF0}), 4},
        // A control code's parameter is read raw: a letter cannot be one.
        {"$05=P,1\n41=a\n", "Pa", octets({0x05, 0x41}), octets({0x05}), 1},
        {"$05=P,1\n41=a\n", "P<41>a", octets({0x05, 0x41, 0x41}), octets({0x05, 0x41, 0x41}), 0},
        // A key read as the text of its first line.
        {"41=a\n41=b\n", "ab", octets({0x41, 0x41}), octets({0x41}), 1},
    };
    for (Cas const& c : cas) {
        SCOPED_TRACE(c.script);
        Tables const t(c.table);
        EXPECT_EQ(octets_de(Insereur::encoder(c.script, t.courte.insertion())), c.longest);
        Encodage const court = Insereur::encoder_court(c.script, t.courte);
        EXPECT_EQ(octets_de(court), c.court);
        EXPECT_EQ(inconnus(court), c.inconnus);
        EXPECT_TRUE(relit(c.script, court, t));
    }
}

TEST(EncoderCourt, ReportsACharacterNoFaithfulCodeHoldsAsLongestMatchReportsAnUnknownOne) {
    // The control code awaits a raw parameter that never comes: skipping it costs one
    // character, skipping what follows it two.
    Tables const t("$05=P,1\n41=a\n42=b\n");
    Encodage const e = Insereur::encoder_court("Pab", t.courte);
    ASSERT_EQ(e.textes.size(), 1u);
    EXPECT_EQ(std::string(e.textes[0].octets.begin(), e.textes[0].octets.end()), octets({0x41, 0x42}));
    EXPECT_EQ(formater(e.textes[0].rapports), "Le caractère \"P\" est inconnu (\"Pab\")...\n");
}

TEST(TableCourte, ReportsItsLinesAsTheInsertionTableDoes) {
    std::string const table = "41=a\n41=b\n42=a\nzz\n/00\n*0A=<br>\n";
    Insereur::Table_courte courte;
    Insereur::Table_ins insertion;
    EXPECT_EQ(formater(courte.charger(table)), formater(insertion.charger(table)));
    EXPECT_EQ(courte.insertion().afficher(), insertion.afficher());
}

}  // namespace
