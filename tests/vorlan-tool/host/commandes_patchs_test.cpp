// creer_patch and appliquer_patch, run by the built program: the patches it writes are read
// back by the tests' own appliers, and patches made by hand are applied by the command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "patchs/decodeurs_temoins.h"
#include "patchs/paires.h"
#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

using test_support::run_script;
using test_support::Scratch;
using Octets = std::vector<unsigned char>;

std::string texte_de(Octets const& o) { return std::string(o.begin(), o.end()); }
Octets octets_de(std::string const& s) { return Octets(s.begin(), s.end()); }

std::string const FIN_CREATION = "Création du patch terminée !\n\n";
std::string const FIN_APPLICATION = "Application du patch terminée !\n\n";

std::string debut_creation(std::string const& patch) {
    return "Création du patch '" + patch + "' de 'original.bin' vers 'modifie.bin'...\n";
}

std::string debut_application(std::string const& patch, std::string const& rom, std::string const& resultat) {
    return "Application du patch '" + patch + "' à '" + rom + "' vers '" + resultat + "'...\n";
}

TEST(CommandesPatchs, EveryPatchWrittenGivesTheModifiedRomBack) {
    for (paires::Paire const& p : paires::variees()) {
        // A modified ROM of 16 MiB or more is for BPS alone.
        bool const ips = p.modifie.size() <= (16u << 20);
        Scratch d;
        d.write("original.bin", texte_de(p.original));
        d.write("modifie.bin", texte_de(p.modifie));
        auto const r = run_script(d, std::string(ips ? "creer_patch('original.bin', 'modifie.bin', 'p.IPS')\n" : "") +
                                         "creer_patch('original.bin', 'modifie.bin', 'p.bps')\n"
                                         "appliquer_patch('original.bin', 'p.bps', 'par-bps.bin')\n" +
                                         (ips ? "appliquer_patch('original.bin', 'p.IPS', 'par-ips.bin')\n" : ""));
        EXPECT_EQ(r.status, 0) << p.nom << r.out;
        EXPECT_EQ(r.out.find("Erreur"), std::string::npos) << p.nom << r.out;
        auto const bps = temoin::appliquer_bps(p.original, octets_de(d.read("p.bps")));
        ASSERT_TRUE(bps.has_value()) << p.nom;
        EXPECT_TRUE(bps->cible == p.modifie) << p.nom;
        EXPECT_EQ(d.read("par-bps.bin"), texte_de(p.modifie)) << p.nom;
        std::string const bps_cree = "Patch BPS 'p.bps' : " + std::to_string(d.read("p.bps").size()) + " octets\n";
        EXPECT_NE(r.out.find(debut_creation("p.bps") + bps_cree + FIN_CREATION), std::string::npos) << p.nom;
        std::string const applique = "Patch 'p.bps' appliqué : 'par-bps.bin' écrit, " +
                                     std::to_string(p.modifie.size()) + " octets\n";
        EXPECT_NE(r.out.find(debut_application("p.bps", "original.bin", "par-bps.bin") + applique + FIN_APPLICATION),
                  std::string::npos)
            << p.nom;
        if (!ips) continue;
        auto const lecture = temoin::appliquer_ips(p.original, octets_de(d.read("p.IPS")));
        ASSERT_TRUE(lecture.has_value()) << p.nom;
        EXPECT_TRUE(lecture->rom == p.modifie) << p.nom;
        EXPECT_EQ(d.read("par-ips.bin"), texte_de(p.modifie)) << p.nom;
    }
}

// Patches made by hand, applied by the command, with the bytes expected of each.
TEST(CommandesPatchs, HandMadePatchesAreAppliedExactly) {
    Octets const rom = octets_de("ABCDEFGHIJ");
    auto ips = [](std::string const& corps) { return octets_de("PATCH" + corps + "EOF"); };
    Octets const source = octets_de("0123456789");
    Octets const cible = octets_de("89abababab01234");
    // SourceCopy back to 8 (delta +8), 2 bytes; TargetRead "ab"; TargetCopy from 2, 6 bytes,
    // overlapping what it writes; SourceCopy back to 0 (delta -10), 5 bytes.
    Octets actions;
    auto action = [&actions](int genre, std::uint64_t longueur) {
        temoin::ecrire_nombre(actions, (longueur - 1) << 2 | static_cast<std::uint64_t>(genre));
    };
    action(2, 2);
    temoin::ecrire_nombre(actions, 8 << 1);
    action(1, 2);
    actions.push_back('a');
    actions.push_back('b');
    action(3, 6);
    temoin::ecrire_nombre(actions, 2 << 1);
    action(2, 5);
    temoin::ecrire_nombre(actions, 10 << 1 | 1);
    struct Cas {
        char const* nom;
        Octets rom;
        Octets patch;
        std::string attendu;
    } const cas[] = {
        {"a record", rom, ips(std::string("\0\0\2\0\3xyz", 8)), "ABxyzFGHIJ"},
        {"an RLE record", rom, ips(std::string("\0\0\1\0\0\0\4*", 8)), "A****FGHIJ"},
        {"a record past the end grows the ROM with zeros", rom, ips(std::string("\0\0\14\0\1Z", 6)),
         std::string("ABCDEFGHIJ\0\0Z", 13)},
        {"a truncation size", rom, octets_de(std::string("PATCH\0\0\0\0\1aEOF\0\0\4", 17)), "aBCD"},
        {"target and source copies", source, temoin::patch_bps(source, cible, actions), "89abababab01234"},
    };
    for (auto const& c : cas) {
        Scratch d;
        d.write("rom.bin", texte_de(c.rom));
        d.write("patch.bin", texte_de(c.patch));
        auto const r = run_script(d, "appliquer_patch('rom.bin', 'patch.bin', 'rom.bin')\n");
        EXPECT_EQ(r.out, debut_application("patch.bin", "rom.bin", "rom.bin") +
                             "Patch 'patch.bin' appliqué : 'rom.bin' écrit, " + std::to_string(c.attendu.size()) +
                             " octets\n" + FIN_APPLICATION)
            << c.nom;
        EXPECT_EQ(d.read("rom.bin"), c.attendu) << c.nom;
        EXPECT_EQ(r.status, 0) << c.nom;
    }
    // A record may not start at 0x454F46, which would read as "EOF": it starts a byte earlier,
    // as in this patch made by hand, and the encoder does the same.
    {
        Scratch d;
        d.write("rom.bin", std::string(0x454F50, '\x11'));
        d.write("patch.ips", std::string("PATCH\x45\x4F\x45\0\2\x11\x22" "EOF", 15));
        run_script(d, "appliquer_patch('rom.bin', 'patch.ips', 'rom.bin')\n");
        std::string attendu(0x454F50, '\x11');
        attendu[0x454F46] = '\x22';
        EXPECT_EQ(d.read("rom.bin"), attendu);
    }
    Octets grande(0x454F50, 0x11);
    Octets changee = grande;
    changee[0x454F46] = 0x22;
    Scratch d;
    d.write("original.bin", texte_de(grande));
    d.write("modifie.bin", texte_de(changee));
    run_script(d, "creer_patch('original.bin', 'modifie.bin', 'p.ips')\n");
    auto const lecture = temoin::appliquer_ips(grande, octets_de(d.read("p.ips")));
    ASSERT_TRUE(lecture.has_value());
    EXPECT_TRUE(lecture->rom == changee);
    ASSERT_EQ(lecture->enregistrements.size(), 1u);
    EXPECT_EQ(lecture->enregistrements[0].adresse, 0x454F45u);
}

// What cannot be done is refused with its reason, and leaves every file as it was.
TEST(CommandesPatchs, RefusalsSayWhyAndChangeNoFile) {
    Octets const original = paires::texte(3000, 7);
    Octets modifie = original;
    modifie[100] = '#';
    modifie[2000] = '#';
    Scratch d;
    d.write("original.bin", texte_de(original));
    d.write("modifie.bin", texte_de(modifie));
    run_script(d, "creer_patch('original.bin', 'modifie.bin', 'p.bps')\n"
                  "creer_patch('original.bin', 'modifie.bin', 'p.ips')\n");
    Octets const bps = octets_de(d.read("p.bps"));
    Octets const ips = octets_de(d.read("p.ips"));
    auto hex = [](std::uint32_t v) {
        char t[9];
        std::snprintf(t, sizeof t, "%08X", v);
        return std::string(t);
    };
    Octets endommage = bps;
    endommage[5] ^= 1;
    std::uint32_t const crc_stocke = endommage[endommage.size() - 4] | endommage[endommage.size() - 3] << 8 |
                                     endommage[endommage.size() - 2] << 16 |
                                     static_cast<std::uint32_t>(endommage[endommage.size() - 1]) << 24;
    Octets sans_crc(endommage.begin(), endommage.end() - 4);
    struct Cas {
        char const* nom;
        std::string appel;
        std::string fichier;  // written first as this content, when not empty
        std::string contenu;
        std::string message;
    } const cas[] = {
        {"another ending", "creer_patch('original.bin', 'modifie.bin', 'p.patch')", "", "",
         debut_creation("p.patch") + "Erreur, le patch 'p.patch' doit finir par \".ips\" ou \".bps\"\n" + FIN_CREATION},
        {"a patch over an input", "creer_patch('ancien.ips', 'modifie.bin', './ancien.ips')", "ancien.ips",
         texte_de(original),
         "Création du patch './ancien.ips' de 'ancien.ips' vers 'modifie.bin'...\n"
         "Erreur, le fichier './ancien.ips' à écrire est le fichier 'ancien.ips' que la commande lit : il ne sera pas "
         "écrasé\n" + FIN_CREATION},
        {"not a patch", "appliquer_patch('original.bin', 'modifie.bin', 'sortie.bin')", "", "",
         debut_application("modifie.bin", "original.bin", "sortie.bin") +
             "Erreur, le fichier 'modifie.bin' n'est ni un patch IPS ni un patch BPS\n" + FIN_APPLICATION},
        {"an IPS patch cut in its EOF", "appliquer_patch('original.bin', 'cut.ips', 'sortie.bin')", "cut.ips",
         texte_de(Octets(ips.begin(), ips.end() - 1)),
         debut_application("cut.ips", "original.bin", "sortie.bin") +
             "Erreur, le patch IPS 'cut.ips' est tronqué : sa fin (\"EOF\") manque à l'octet " +
             std::to_string(ips.size() - 3) + "\n" + FIN_APPLICATION},
        {"a BPS patch for another ROM", "appliquer_patch('modifie.bin', 'p.bps', 'sortie.bin')", "", "",
         debut_application("p.bps", "modifie.bin", "sortie.bin") +
             "Erreur, la rom 'modifie.bin' n'est pas celle que le patch 'p.bps' attend (CRC32 " +
             hex(temoin::crc(modifie)) + " au lieu de " + hex(temoin::crc(original)) + ")\n" + FIN_APPLICATION},
        {"a damaged BPS patch", "appliquer_patch('original.bin', 'abime.bps', 'sortie.bin')", "abime.bps",
         texte_de(endommage),
         debut_application("abime.bps", "original.bin", "sortie.bin") +
             "Erreur, le patch BPS 'abime.bps' est endommagé (CRC32 " + hex(temoin::crc(sans_crc)) + " au lieu de " +
             hex(crc_stocke) + ")\n" + FIN_APPLICATION},
    };
    for (auto const& c : cas) {
        if (!c.fichier.empty()) d.write(c.fichier, c.contenu);
        auto const avant = d.snapshot();
        auto const r = run_script(d, c.appel);
        EXPECT_EQ(r.out, c.message) << c.nom;
        EXPECT_EQ(r.status, 2) << c.nom;
        auto apres = d.snapshot();
        auto premier = avant;
        for (char const* n : {"script.lua", "vorlan-tool.lua"}) {
            apres.erase(n);
            premier.erase(n);
        }
        EXPECT_EQ(apres, premier) << c.nom;
    }
    // Every cut of a small IPS patch is refused, with nothing written.
    for (std::size_t n = 0; n < ips.size(); ++n) {
        d.write("cut.ips", texte_de(Octets(ips.begin(), ips.begin() + static_cast<long>(n))));
        auto const r = run_script(d, "appliquer_patch('original.bin', 'cut.ips', 'sortie.bin')");
        EXPECT_NE(r.out.find("Erreur, "), std::string::npos) << n;
        EXPECT_FALSE(d.exists("sortie.bin")) << n;
    }
    // A modified ROM larger than 16 MiB cannot be described by IPS.
    d.write("grande.bin", std::string((16u << 20) + 1, 'x'));
    auto const r = run_script(d, "creer_patch('original.bin', 'grande.bin', 'g.ips')");
    EXPECT_NE(r.out.find("Erreur, la rom modifiée 'grande.bin' fait 16777217 octets : un patch IPS ne décrit pas plus "
                         "de 16 Mio, faites un patch BPS (\".bps\")\n"),
              std::string::npos)
        << r.out;
    EXPECT_FALSE(d.exists("g.ips"));
}

}  // namespace
