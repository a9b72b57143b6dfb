#include "pannes/injection.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace pannes {

namespace {

// Sets variables of this process's environment, which the programs it starts inherit, and
// puts the old values back when it goes.
class Environnement {
public:
    void poser(char const* nom, std::string const& valeur) {
        char const* avant = std::getenv(nom);
        anciens_.push_back({nom, avant != nullptr, avant != nullptr ? avant : ""});
        setenv(nom, valeur.c_str(), 1);
    }
    ~Environnement() {
        for (auto it = anciens_.rbegin(); it != anciens_.rend(); ++it) {
            if (it->existait)
                setenv(it->nom, it->valeur.c_str(), 1);
            else
                unsetenv(it->nom);
        }
    }

private:
    struct Ancien {
        char const* nom;
        bool existait;
        std::string valeur;
    };
    std::vector<Ancien> anciens_;
};

Releve lire_releve(std::string const& texte) {
    Releve releve;
    std::istringstream lignes(texte);
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        std::istringstream mots(ligne);
        std::string premier;
        std::string second;
        std::string troisieme;
        mots >> premier >> second >> troisieme;
        if (premier == "panne")
            releve.panne = second + " " + troisieme;
        else if (premier != "fin")
            releve.comptes[premier + " " + second] = std::stol(troisieme);
    }
    return releve;
}

}  // namespace

Execution lancer(std::string const& programme, std::vector<std::string> const& arguments, std::string const& dossier,
                 std::optional<Panne> const& panne, long bloc) {
    // The report goes outside the folder the program works in, which must hold only its files.
    std::string modele = (std::filesystem::temp_directory_path() / "vorlan-releve-XXXXXX").string();
    int const fd = mkstemp(modele.data());
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    close(fd);
    // The injector writes its report when the program exits, ending it with "fin": an empty
    // file means that the program never exited.
    Execution execution;
    {
        Environnement env;
        env.poser("LD_PRELOAD", VORLAN_INJECTEUR);
        env.poser("VORLAN_PANNE_RAPPORT", modele);
        env.poser("VORLAN_PANNE_BLOC", std::to_string(bloc));
        if (panne) {
            env.poser("VORLAN_PANNE_APPEL", panne->appel);
            env.poser("VORLAN_PANNE_RANG", std::to_string(panne->rang));
            env.poser("VORLAN_PANNE_ERREUR", nom_erreur(panne->erreur));
        }
        // Under AddressSanitizer the injector comes before the sanitizer's runtime in the list
        // of libraries, which the runtime refuses unless told otherwise.
        char const* asan = std::getenv("ASAN_OPTIONS");
        env.poser("ASAN_OPTIONS", std::string(asan != nullptr && *asan != '\0' ? std::string(asan) + ":" : "") +
                                      "verify_asan_link_order=0");
        execution.resultat = test_support::run(programme, arguments, dossier);
    }
    std::ifstream in(modele, std::ios::binary);
    std::string texte((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(modele.c_str());
    if (texte.size() >= 4 && texte.compare(texte.size() - 4, 4, "fin\n") == 0) execution.releve = lire_releve(texte);
    return execution;
}

std::string nom_erreur(int erreur) {
    if (erreur == EIO) return "EIO";
    if (erreur == ENOSPC) return "ENOSPC";
    return std::to_string(erreur);
}

bool forme_complete() {
    char const* complet = std::getenv("VORLAN_PANNES_COMPLET");
    return complet != nullptr && *complet != '\0' && std::strcmp(complet, "0") != 0;
}

}  // namespace pannes
