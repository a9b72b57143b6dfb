#include "decodeurs_temoins.h"

#include <zlib.h>

#include <string_view>

namespace temoin {

namespace {

std::uint32_t crc(Octets const& o, std::size_t n) {
    return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), o.data(), static_cast<uInt>(n)));
}

void ajouter_le32(Octets& o, std::uint32_t v) {
    o.push_back(static_cast<unsigned char>(v));
    o.push_back(static_cast<unsigned char>(v >> 8));
    o.push_back(static_cast<unsigned char>(v >> 16));
    o.push_back(static_cast<unsigned char>(v >> 24));
}

// A cursor over the patch that fails instead of reading past `fin`.
struct Lecteur {
    Octets const& o;
    std::size_t p;
    std::size_t fin;
    bool ok = true;

    unsigned octet() {
        if (p >= fin) {
            ok = false;
            return 0;
        }
        return o[p++];
    }
    std::uint32_t be(int n) {
        std::uint32_t v = 0;
        for (int k = 0; k < n; ++k) v = v << 8 | octet();
        return v;
    }
    std::uint32_t le32() {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(octet()) << (8 * k);
        return v;
    }
    // The decoding loop of the format's description; anything past 2^62 is refused here, far
    // beyond any size a test uses.
    std::uint64_t nombre() {
        std::uint64_t data = 0, shift = 1;
        for (;;) {
            unsigned x = octet();
            if (!ok) return 0;
            data += (x & 0x7f) * shift;
            if (x & 0x80) break;
            shift <<= 7;
            data += shift;
            if (shift > (std::uint64_t{1} << 56)) {
                ok = false;
                return 0;
            }
        }
        return data;
    }
};

}  // namespace

std::optional<Lecture_ips> appliquer_ips(Octets rom, Octets const& patch) {
    if (patch.size() < 5 || std::string_view(reinterpret_cast<char const*>(patch.data()), 5) != "PATCH")
        return std::nullopt;
    Lecteur l{patch, 5, patch.size()};
    Lecture_ips lecture;
    for (;;) {
        std::uint32_t adresse = l.be(3);
        if (!l.ok) return std::nullopt;
        if (adresse == 0x454F46) break;
        std::uint32_t taille = l.be(2);
        if (!l.ok) return std::nullopt;
        if (taille == 0) {
            std::uint32_t run = l.be(2);
            unsigned valeur = l.octet();
            if (!l.ok || run == 0) return std::nullopt;
            if (rom.size() < adresse + run) rom.resize(adresse + run, 0);
            for (std::uint32_t k = 0; k < run; ++k) rom[adresse + k] = static_cast<unsigned char>(valeur);
            lecture.enregistrements.push_back({adresse, run, true});
        } else {
            if (rom.size() < adresse + taille) rom.resize(adresse + taille, 0);
            for (std::uint32_t k = 0; k < taille; ++k) rom[adresse + k] = static_cast<unsigned char>(l.octet());
            if (!l.ok) return std::nullopt;
            lecture.enregistrements.push_back({adresse, taille, false});
        }
    }
    if (l.p + 3 == patch.size()) {
        std::uint32_t taille = l.be(3);
        rom.resize(taille, 0);
        lecture.troncature = taille;
    } else if (l.p != patch.size()) {
        return std::nullopt;
    }
    lecture.rom = std::move(rom);
    return lecture;
}

std::optional<Lecture_bps> appliquer_bps(Octets const& source, Octets const& patch) {
    if (patch.size() < 4 + 12 || std::string_view(reinterpret_cast<char const*>(patch.data()), 4) != "BPS1")
        return std::nullopt;
    Lecteur pied{patch, patch.size() - 12, patch.size()};
    std::uint32_t const crc_source = pied.le32(), crc_cible = pied.le32(), crc_patch = pied.le32();
    if (crc(patch, patch.size() - 4) != crc_patch || crc(source, source.size()) != crc_source) return std::nullopt;

    Lecteur l{patch, 4, patch.size() - 12};
    std::uint64_t const taille_source = l.nombre(), taille_cible = l.nombre(), taille_meta = l.nombre();
    if (!l.ok || taille_source != source.size() || taille_cible > (1u << 30)) return std::nullopt;
    Lecture_bps lecture;
    for (std::uint64_t k = 0; k < taille_meta; ++k) lecture.metadonnees.push_back(static_cast<unsigned char>(l.octet()));
    Octets& cible = lecture.cible;
    std::uint64_t relatif_source = 0, relatif_cible = 0;
    while (l.ok && l.p < l.fin) {
        std::uint64_t const a = l.nombre();
        int const genre = static_cast<int>(a & 3);
        std::uint64_t const longueur = (a >> 2) + 1;
        if (cible.size() + longueur > taille_cible) return std::nullopt;
        lecture.actions.push_back({genre, longueur, 0});
        if (genre == 0) {
            for (std::uint64_t k = 0; k < longueur; ++k) {
                if (cible.size() >= source.size()) return std::nullopt;
                cible.push_back(source[cible.size()]);
            }
        } else if (genre == 1) {
            for (std::uint64_t k = 0; k < longueur; ++k) cible.push_back(static_cast<unsigned char>(l.octet()));
        } else {
            std::uint64_t const d = l.nombre();
            std::int64_t const delta = (d & 1) ? -static_cast<std::int64_t>(d >> 1) : static_cast<std::int64_t>(d >> 1);
            std::uint64_t& relatif = genre == 2 ? relatif_source : relatif_cible;
            relatif += static_cast<std::uint64_t>(delta);
            lecture.actions.back().depuis = relatif;
            for (std::uint64_t k = 0; k < longueur; ++k, ++relatif) {
                if (genre == 2) {
                    if (relatif >= source.size()) return std::nullopt;
                    cible.push_back(source[relatif]);
                } else {
                    if (relatif >= cible.size()) return std::nullopt;
                    cible.push_back(cible[relatif]);
                }
            }
        }
    }
    if (!l.ok || cible.size() != taille_cible || crc(cible, cible.size()) != crc_cible) return std::nullopt;
    return lecture;
}

void ecrire_nombre(Octets& sortie, std::uint64_t n) {
    for (;;) {
        std::uint64_t x = n & 0x7f;
        n >>= 7;
        if (n == 0) {
            sortie.push_back(static_cast<unsigned char>(0x80 | x));
            break;
        }
        sortie.push_back(static_cast<unsigned char>(x));
        n--;
    }
}

Octets patch_bps(Octets const& source, Octets const& cible, Octets const& actions, Octets const& metadonnees,
                 std::optional<std::uint64_t> taille_cible) {
    Octets p = {'B', 'P', 'S', '1'};
    ecrire_nombre(p, source.size());
    ecrire_nombre(p, taille_cible ? *taille_cible : cible.size());
    ecrire_nombre(p, metadonnees.size());
    p.insert(p.end(), metadonnees.begin(), metadonnees.end());
    p.insert(p.end(), actions.begin(), actions.end());
    ajouter_le32(p, crc(source, source.size()));
    ajouter_le32(p, crc(cible, cible.size()));
    ajouter_le32(p, crc(p, p.size()));
    return p;
}

Octets entourer_bps(Octets const& corps, Octets const& source, Octets const& cible) {
    Octets p = {'B', 'P', 'S', '1'};
    p.insert(p.end(), corps.begin(), corps.end());
    ajouter_le32(p, crc(source, source.size()));
    ajouter_le32(p, crc(cible, cible.size()));
    ajouter_le32(p, crc(p, p.size()));
    return p;
}

std::uint32_t crc(Octets const& octets) { return crc(octets, octets.size()); }

void recalculer_crc_patch(Octets& patch) {
    patch.resize(patch.size() - 4);
    ajouter_le32(patch, crc(patch, patch.size()));
}

}  // namespace temoin
