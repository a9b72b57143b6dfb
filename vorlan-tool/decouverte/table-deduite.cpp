#include "decouverte/table-deduite.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace Decouverte {

namespace {

// The longest side a table line holds (see tables/fichier-table.cpp).
constexpr std::size_t cote_max = 256;

long long code_max(int largeur) { return largeur == 2 ? 0xFFFF : 0xFF; }

// Who holds each code, claimed in order: the first claim wins.
class Attribution {
public:
    Attribution(Codes_connus const& codes, long long maximum) : maximum_(maximum) {
        auto de_la_phrase = [&](std::size_t a, long long r) {
            std::vector<std::pair<std::size_t, long long>> const& l = codes.lettres_de_la_phrase;
            return std::find(l.begin(), l.end(), std::make_pair(a, r)) != l.end();
        };
        auto lettres = [&](bool phrase) {
            for (std::size_t a = 0; a < codes.alphabets.size() && a < codes.bases.size(); ++a) {
                if (!codes.bases[a]) continue;
                std::vector<Caractere> const& l = codes.alphabets[a].lettres;
                for (std::size_t r = 0; r < l.size(); ++r) {
                    long long const rang = static_cast<long long>(r);
                    if (de_la_phrase(a, rang) == phrase) reclamer(l[r], *codes.bases[a] + rang);
                }
            }
        };
        lettres(true);
        for (auto const& [c, code] : codes.autres) reclamer(c, code);
        lettres(false);
    }

    std::map<long long, Caractere> const& par_code() const { return par_code_; }
    std::vector<std::pair<Caractere, long long>> const& hors_limites() const { return hors_limites_; }
    std::vector<std::pair<Caractere, long long>> const& doublons() const { return doublons_; }

private:
    void reclamer(Caractere const& c, long long code) {
        if (code < 0 || code > maximum_) {
            hors_limites_.push_back({c, code});
            return;
        }
        auto const [place, nouvelle] = par_code_.try_emplace(code, c);
        if (!nouvelle && place->second != c) doublons_.push_back({c, code});
    }

    long long maximum_;
    std::map<long long, Caractere> par_code_;
    std::vector<std::pair<Caractere, long long>> hors_limites_;
    std::vector<std::pair<Caractere, long long>> doublons_;
};

// The right side of a line for the character: the line feed escaped; nothing when a line
// cannot hold it as it is (it would be cut at a NUL, split at a carriage return, read as a
// line feed where it holds a backslash and an "n", cut short past the longest side).
std::optional<std::string> cote_droit(Caractere const& c) {
    if (c.empty() || c.find('\0') != std::string::npos || c.find('\r') != std::string::npos ||
        c.find("\\n") != std::string::npos)
        return std::nullopt;
    std::string texte;
    for (char octet : c) {
        if (octet == '\n') texte += "\\n";
        else texte += octet;
    }
    if (texte.size() > cote_max) return std::nullopt;
    return texte;
}

// The code's bytes in the ROM's order, two capital hexadecimal digits each.
std::string cle(long long code, int largeur, Ordre_octets ordre) {
    std::vector<unsigned char> octets(static_cast<std::size_t>(largeur));
    ecrire_entier_borne(octets, 0, largeur, ordre, static_cast<std::uint32_t>(code));
    std::string texte;
    char chiffres[3];
    for (unsigned char o : octets) {
        std::snprintf(chiffres, sizeof chiffres, "%02X", o);
        texte += chiffres;
    }
    return texte;
}

}  // namespace

Codes_connus codes_de(Motif const& motif, Trouvaille const& trouvaille) {
    Codes_connus codes;
    codes.alphabets = motif.alphabets;
    codes.bases = trouvaille.bases;
    for (std::size_t k = 0; k < motif.autres.size() && k < trouvaille.autres.size(); ++k)
        codes.autres.push_back({motif.autres[k], trouvaille.autres[k]});
    for (Position const& p : motif.positions) {
        std::vector<std::pair<std::size_t, long long>>& l = codes.lettres_de_la_phrase;
        std::pair<std::size_t, long long> const lettre(p.indice, p.rang);
        if (p.sorte == Position::Sorte::lettre && std::find(l.begin(), l.end(), lettre) == l.end())
            l.push_back(lettre);
    }
    return codes;
}

Table_deduite deduire_table(Codes_connus const& codes, int largeur, Ordre_octets ordre) {
    Table_deduite table;
    if (largeur != 1 && largeur != 2) return table;
    Attribution const attribution(codes, code_max(largeur));
    table.hors_limites = attribution.hors_limites();
    table.doublons = attribution.doublons();
    for (auto const& [code, c] : attribution.par_code()) {
        std::optional<std::string> const droit = cote_droit(c);
        if (droit) table.texte += cle(code, largeur, ordre) + "=" + *droit + "\n";
        else table.non_inscrits.push_back({c, code});
    }
    return table;
}

std::string decoder(std::vector<unsigned char> const& rom, long long adresse, std::size_t nombre, int largeur,
                    Ordre_octets ordre, Codes_connus const& codes) {
    std::string texte;
    if (largeur != 1 && largeur != 2) return texte;
    Attribution const attribution(codes, code_max(largeur));
    std::vector<Caractere const*> connus(static_cast<std::size_t>(code_max(largeur)) + 1, nullptr);
    for (auto const& [code, c] : attribution.par_code()) connus[static_cast<std::size_t>(code)] = &c;
    // The values before the ROM's start are skipped by count, in unsigned arithmetic, as the
    // address may be any; from the first inside, the ROM's end bounds the loop.
    unsigned long long const l = static_cast<unsigned long long>(largeur);
    unsigned long long const avant =
        adresse < 0 ? (0ULL - static_cast<unsigned long long>(adresse) + l - 1) / l : 0;
    if (avant >= nombre) return texte;
    long long position = static_cast<long long>(static_cast<unsigned long long>(adresse) + avant * l);
    std::size_t restant = nombre - static_cast<std::size_t>(avant);
    long long const taille = static_cast<long long>(rom.size());
    char brut[8];
    for (; restant > 0 && position <= taille - largeur; position += largeur, --restant) {
        std::uint32_t valeur = 0;
        lire_entier_borne(rom, position, largeur, ordre, valeur);
        if (Caractere const* c = connus[valeur]) {
            texte += *c;
        } else {
            std::snprintf(brut, sizeof brut, largeur == 2 ? "<%04X>" : "<%02X>", static_cast<unsigned>(valeur));
            texte += brut;
        }
    }
    return texte;
}

}  // namespace Decouverte
