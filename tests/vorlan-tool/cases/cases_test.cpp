// Runs every case folder of tests/vorlan-tool/cases: a new case is a new folder, no code.
//
//   demarrage.lua        the start-up script every case shares, copied into the scratch folder
//                        as vorlan-tool.lua, so it runs before construire.lua and commandes.lua:
//                        helpers such as lire, ecrire and a table case's round trip. It must
//                        print nothing, and the run must leave it as it was, like every file
//   NAME/entrees/        files copied into a fresh scratch folder (optional; a vorlan-tool.lua
//                        there takes the place of demarrage.lua)
//   NAME/construire.lua  run first by vorlan-tool in that folder, to build binary inputs such
//                        as ROMs (optional; it must print nothing)
//   NAME/commandes.lua   the script under test, run with `vorlan-tool -e commandes.lua`
//   NAME/sortie.txt      what the script prints, byte for byte, the banner line left out
//   NAME/attendu/        the files the run must leave, byte for byte (optional); every other
//                        file of the folder must be exactly as it was before the run
//   NAME/statut          the exit status the run must give (optional: 0)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "support/vorlan.h"

namespace {

namespace fs = std::filesystem;
using test_support::Scratch;

fs::path const racine = CASES_DIR;

std::vector<std::string> dossiers() {
    std::vector<std::string> noms;
    for (auto const& entree : fs::directory_iterator(racine))
        if (entree.is_directory()) noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

void copier_dans(fs::path const& source, Scratch const& scratch) {
    if (fs::exists(source)) fs::copy(source, scratch.dir(), fs::copy_options::recursive);
}

class Cas : public ::testing::TestWithParam<std::string> {};

TEST_P(Cas, PrintsAndLeavesWhatTheFolderExpects) {
    fs::path const dossier = racine / GetParam();
    Scratch scratch;
    copier_dans(dossier / "entrees", scratch);
    if (!scratch.exists("vorlan-tool.lua"))
        scratch.write("vorlan-tool.lua", test_support::read_file((racine / "demarrage.lua").string()));
    if (fs::exists(dossier / "construire.lua")) {
        scratch.write("construire.lua", test_support::read_file((dossier / "construire.lua").string()));
        auto const construction = test_support::run_vorlan(scratch, {"-e", "construire.lua"});
        ASSERT_EQ(construction.status, 0);
        ASSERT_EQ(construction.out, "Vorlan-tool version 1.1\n") << "construire.lua printed something";
    }
    scratch.write("commandes.lua", test_support::read_file((dossier / "commandes.lua").string()));
    std::map<std::string, std::string> const avant = scratch.snapshot();

    auto resultat = test_support::run_vorlan(scratch, {"-e", "commandes.lua"});
    std::string const banniere = "Vorlan-tool version 1.1\n";
    ASSERT_EQ(resultat.out.compare(0, banniere.size(), banniere), 0) << resultat.out;
    EXPECT_EQ(resultat.out.substr(banniere.size()), test_support::read_file((dossier / "sortie.txt").string()));
    int statut = 0;
    if (fs::exists(dossier / "statut")) statut = std::stoi(test_support::read_file((dossier / "statut").string()));
    EXPECT_EQ(resultat.status, statut);

    std::map<std::string, std::string> attendu = avant;
    fs::path const attendus = dossier / "attendu";
    if (fs::exists(attendus)) {
        for (auto const& entree : fs::recursive_directory_iterator(attendus)) {
            if (!entree.is_regular_file()) continue;
            attendu[fs::relative(entree.path(), attendus).string()] = test_support::read_file(entree.path().string());
        }
    }
    std::map<std::string, std::string> const apres = scratch.snapshot();
    for (auto const& [nom, octets] : attendu) {
        auto const trouve = apres.find(nom);
        if (trouve == apres.end())
            ADD_FAILURE() << nom << " is missing";
        else
            EXPECT_EQ(trouve->second, octets) << nom;
    }
    for (auto const& [nom, octets] : apres)
        if (attendu.count(nom) == 0) ADD_FAILURE() << nom << " was left by the run, unexpected";
}

std::string nom_du_cas(::testing::TestParamInfo<std::string> const& info) {
    std::string nom = info.param;
    for (char& c : nom)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return nom;
}

INSTANTIATE_TEST_SUITE_P(Dossiers, Cas, ::testing::ValuesIn(dossiers()), nom_du_cas);

}  // namespace
