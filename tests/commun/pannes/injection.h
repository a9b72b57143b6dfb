#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/process.h"

namespace pannes {

// One call of the commit path made to fail: the `rang`-th call of `appel` ("write", "fsync",
// ...) returns -1 with `erreur`.
struct Panne {
    std::string appel;
    long rang = 0;
    int erreur = 0;
};

// What the fault injector saw in one run: the number of calls by "function kind" ("write
// temporaire", "close dossier", ...), and the function and kind of the call that failed.
struct Releve {
    std::map<std::string, long> comptes;
    std::optional<std::string> panne;  // "fsync dossier", for instance
};

struct Execution {
    test_support::RunResult resultat;
    std::optional<Releve> releve;  // none when the program never reported (it did not exit)
};

// Runs the program in `dossier` with the fault injector loaded, writes larger than `bloc`
// bytes cut to `bloc` (0: left whole), and the given call failing when there is one.
Execution lancer(std::string const& programme, std::vector<std::string> const& arguments, std::string const& dossier,
                 std::optional<Panne> const& panne, long bloc);

// "EIO", "ENOSPC": the names the injector takes.
std::string nom_erreur(int erreur);

// True when the full forms of the fault tests were asked for (VORLAN_PANNES_COMPLET set and
// not "0"), as scripts/pannes.sh does.
bool forme_complete();

}  // namespace pannes
