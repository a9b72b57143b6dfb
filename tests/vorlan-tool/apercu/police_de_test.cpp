#include "apercu/police_de_test.h"

#include <cctype>
#include <cstdio>

namespace Police_de_test {

int avance(char c) {
    if (c == ' ') return espace;
    if (c == 'i' || c == 'l') return 3;
    if (c >= 'A' && c <= 'Z') return c == 'W' ? 10 : 7;
    return 6;
}

Apercu::Glyphe glyphe(char c) {
    Apercu::Glyphe g{};
    if (c == 'M') {
        g.fill(0xFFF);
        return g;
    }
    if (!std::isalpha(static_cast<unsigned char>(c))) return g;
    std::uint16_t barre = 0;
    for (int i = 0; i < avance(c) - 1; ++i) barre = static_cast<std::uint16_t>(barre | (0x800 >> i));
    for (int j = 2; j <= 9; ++j) g[static_cast<std::size_t>(j)] = barre;
    return g;
}

std::vector<unsigned char> rom() {
    std::vector<unsigned char> octets(static_cast<std::size_t>(adresse_police), 0xEE);
    for (int code = premier; code < 0x80; ++code) {
        Apercu::Glyphe const g = glyphe(static_cast<char>(code));
        for (int j = 0; j < Apercu::cote_glyphe; j += 2) {
            unsigned const a = g[static_cast<std::size_t>(j)];
            unsigned const b = g[static_cast<std::size_t>(j) + 1];
            octets.push_back(static_cast<unsigned char>(a >> 4));
            octets.push_back(static_cast<unsigned char>(((a & 0x0F) << 4) | (b >> 8)));
            octets.push_back(static_cast<unsigned char>(b & 0xFF));
        }
    }
    return octets;
}

std::string table_caracteres() {
    std::string t;
    char ligne[16];
    for (int code = 0x20; code < 0x7F; ++code) {
        if (code == '~' || code == '#') continue;
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", code, code);
        t += ligne;
    }
    return t + "10=~\n0102=#\n";
}

std::string table_largeurs() {
    std::string t = " =4\n\\n=LINEBREAK\n<BOITE>\\n=NEW_DEFAUT\n<FIN>\\n=FIN\nll=9\n<Nom>=20\n";
    for (char c = 'a'; c <= 'z'; ++c)
        if (c != 'q') t += std::string(1, c) + "=" + std::to_string(avance(c)) + "\n";
    for (char c = 'A'; c <= 'Z'; ++c) t += std::string(1, c) + "=" + std::to_string(avance(c)) + "\n";
    return t + "~=6\n#=6\n.=3\n";
}

}  // namespace Police_de_test
