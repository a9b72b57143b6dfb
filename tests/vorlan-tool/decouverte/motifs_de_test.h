#pragma once
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "decouverte/motif.h"

// What the relative search's tests share: a motif read without a refusal, and the kana of a
// game's alphabet, in code order, as UTF-8 text.
namespace essai_relatif {

inline Decouverte::Motif motif(std::string const& texte, std::string const& joker = "",
                               std::vector<std::string> const& alphabets = {}) {
    std::variant<Decouverte::Motif, Decouverte::Motif_refuse> lu = Decouverte::lire_motif(texte, joker, alphabets);
    EXPECT_TRUE(std::holds_alternative<Decouverte::Motif>(lu)) << texte;
    if (!std::holds_alternative<Decouverte::Motif>(lu)) return {};
    return std::get<Decouverte::Motif>(std::move(lu));
}

// One code point of the Basic Multilingual Plane in UTF-8.
inline std::string utf8(unsigned point) {
    std::string s;
    if (point < 0x80) {
        s += static_cast<char>(point);
    } else if (point < 0x800) {
        s += static_cast<char>(0xC0 | point >> 6);
        s += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | point >> 12);
        s += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (point & 0x3F));
    }
    return s;
}

// The 46 hiragana in the order of the syllabary, "a i u e o ka ki ...", as games lay them out.
inline std::vector<std::string> const& kana() {
    static std::vector<std::string> const lettres = [] {
        unsigned const points[] = {0x3042, 0x3044, 0x3046, 0x3048, 0x304A, 0x304B, 0x304D, 0x304F, 0x3051, 0x3053,
                                   0x3055, 0x3057, 0x3059, 0x305B, 0x305D, 0x305F, 0x3061, 0x3064, 0x3066, 0x3068,
                                   0x306A, 0x306B, 0x306C, 0x306D, 0x306E, 0x306F, 0x3072, 0x3075, 0x3078, 0x307B,
                                   0x307E, 0x307F, 0x3080, 0x3081, 0x3082, 0x3084, 0x3086, 0x3088, 0x3089, 0x308A,
                                   0x308B, 0x308C, 0x308D, 0x308F, 0x3092, 0x3093};
        std::vector<std::string> l;
        for (unsigned p : points) l.push_back(utf8(p));
        return l;
    }();
    return lettres;
}

inline std::string kana_en_texte() {
    std::string t;
    for (std::string const& k : kana()) t += k;
    return t;
}

// The kana of rank r in the list.
inline std::string kana(std::size_t r) { return kana()[r]; }

}  // namespace essai_relatif
