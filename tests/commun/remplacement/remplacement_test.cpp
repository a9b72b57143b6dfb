#include "remplacement/remplacement.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "remplacement/dossier.h"
#include "support/scratch.h"

namespace {

using essai_remplacement::contenu;
using essai_remplacement::droits;
using essai_remplacement::Masque;
using Remplacement::Etape;
using Remplacement::Etat;
using Remplacement::Fichier_remplace;
using test_support::Scratch;

namespace fs = std::filesystem;

std::string const ANCIEN = "l'ancien contenu, plus long que le nouveau";
std::string const NOUVEAU = "le nouveau";

Etat remplacer(std::string const& chemin, std::string const& octets) {
    return Remplacement::remplacer(chemin, octets.data(), octets.size());
}

Etat valider(Fichier_remplace& fichier, std::string const& octets) {
    return fichier.valider(octets.data(), octets.size());
}

void creer(Scratch const& s, std::string const& nom, std::string const& octets, mode_t mode) {
    s.write(nom, octets);
    ASSERT_EQ(chmod(s.path(nom).c_str(), mode), 0) << nom;
}

// True when the name is the temporary file of `cible`: its name, the suffix, six characters.
bool temporaire_de(std::string const& nom, std::string const& cible) {
    std::string const debut = cible + Remplacement::suffixe;
    return nom.size() == debut.size() + 6 && nom.compare(0, debut.size(), debut) == 0;
}

TEST(Remplacer, GivesTheTargetItsNewContentAndKeepsItsPermissionBits) {
    // An existing file keeps its own bits whatever the umask; a new one gets 0666 less the umask.
    struct Cas {
        char const* nom;
        std::optional<mode_t> existant;
        mode_t masque;
        std::string octets;
        unsigned attendus;
    } const cas[] = {
        {"new file, umask 022", std::nullopt, 022, NOUVEAU, 0644},
        {"new file, umask 077", std::nullopt, 077, NOUVEAU, 0600},
        {"new file, umask 0", std::nullopt, 0, NOUVEAU, 0666},
        {"new empty file", std::nullopt, 027, "", 0640},
        {"existing 0640, umask 077", 0640, 077, NOUVEAU, 0640},
        {"existing 0755, umask 077", 0755, 077, NOUVEAU, 0755},
        {"existing 0600, umask 0", 0600, 0, NOUVEAU, 0600},
        {"existing 0604, umask 022", 0604, 022, NOUVEAU, 0604},
        {"existing file emptied", 0640, 022, "", 0640},
        {"existing file grown", 0640, 022, ANCIEN + ANCIEN + std::string(70000, '\xAB'), 0640},
    };
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        Masque masque(c.masque);
        if (c.existant) creer(s, "rom.bin", ANCIEN, *c.existant);
        Etat const etat = remplacer(s.path("rom.bin"), c.octets);
        EXPECT_EQ(etat.etape, Etape::aucune);
        EXPECT_EQ(etat.erreur, 0);
        EXPECT_TRUE(etat.remplace());
        // Nothing but the target is left once the replacement is done.
        EXPECT_EQ(contenu(s.dir()), (std::map<std::string, std::string>{{"rom.bin", c.octets}}));
        EXPECT_EQ(droits(s.path("rom.bin")), c.attendus) << std::oct << droits(s.path("rom.bin"));
    }
}

TEST(Remplacer, FollowsSymbolicLinksAndReplacesTheFileTheyDesignate) {
    // Links are (name, what it designates); "@" stands for the scratch folder in an absolute link.
    struct Cas {
        char const* nom;
        std::vector<std::pair<std::string, std::string>> liens;
        char const* donne;
        char const* remplace;
        bool existe;
    } const cas[] = {
        {"link beside its file", {{"lien", "b/rom.bin"}}, "lien", "b/rom.bin", true},
        {"absolute link", {{"lien", "@/b/rom.bin"}}, "lien", "b/rom.bin", true},
        {"link to a link", {{"l1", "l2"}, {"l2", "b/rom.bin"}}, "l1", "b/rom.bin", true},
        // A relative link is read from its own folder, not from the current one or the first link's.
        {"link in another folder", {{"a/lien", "../b/rom.bin"}}, "a/lien", "b/rom.bin", true},
        {"link to a link in another folder", {{"lien", "a/l2"}, {"a/l2", "../b/rom.bin"}}, "lien", "b/rom.bin", true},
        {"link to a file not there yet", {{"lien", "b/neuf.bin"}}, "lien", "b/neuf.bin", false},
        {"link to a link to a file not there yet", {{"l1", "a/l2"}, {"a/l2", "../b/neuf.bin"}}, "l1", "b/neuf.bin",
         false},
    };
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        Masque masque(022);
        fs::create_directory(s.path("a"));
        fs::create_directory(s.path("b"));
        creer(s, "b/rom.bin", ANCIEN, 0640);
        for (auto const& [lien, vers] : c.liens) {
            std::string const cible = vers[0] == '@' ? s.dir() + vers.substr(1) : vers;
            ASSERT_EQ(symlink(cible.c_str(), s.path(lien).c_str()), 0) << lien;
        }
        auto attendu = contenu(s.dir());

        {
            Fichier_remplace fichier;
            ASSERT_EQ(fichier.preparer(s.path(c.donne)).etape, Etape::aucune);
            EXPECT_EQ(fichier.existe(), c.existe);
            EXPECT_EQ(fs::weakly_canonical(fichier.cible()), fs::weakly_canonical(s.path(c.remplace)));
            // The temporary file lies beside the file replaced, so that the rename stays in one folder.
            auto const prepare = contenu(s.dir());
            ASSERT_EQ(prepare.size(), attendu.size() + 1);
            for (auto const& [nom, octets] : prepare) {
                if (attendu.count(nom) == 0) {
                    EXPECT_TRUE(temporaire_de(nom, c.remplace)) << nom;
                }
            }
            EXPECT_EQ(valider(fichier, NOUVEAU).etape, Etape::aucune);
        }

        // Every link is still the same link; only the file at the end of the chain changed.
        attendu[c.remplace] = NOUVEAU;
        EXPECT_EQ(contenu(s.dir()), attendu);
        EXPECT_EQ(droits(s.path(c.remplace)), c.existe ? 0640u : 0644u);
    }
}

TEST(Remplacer, AHardLinkKeepsTheOldContentAndSoDoesAnOpenReader) {
    Scratch s;
    creer(s, "rom.bin", ANCIEN, 0644);
    ASSERT_EQ(link(s.path("rom.bin").c_str(), s.path("copie.bin").c_str()), 0);
    int const lecteur = open(s.path("rom.bin").c_str(), O_RDONLY);
    ASSERT_GE(lecteur, 0);

    EXPECT_EQ(remplacer(s.path("rom.bin"), NOUVEAU).etape, Etape::aucune);

    EXPECT_EQ(s.read("rom.bin"), NOUVEAU);
    EXPECT_EQ(s.read("copie.bin"), ANCIEN);
    struct stat copie;
    ASSERT_EQ(stat(s.path("copie.bin").c_str(), &copie), 0);
    EXPECT_EQ(copie.st_nlink, 1u);
    // The file is replaced, never rewritten in place: what was opened before still reads the old bytes.
    std::vector<char> lu(ANCIEN.size() + 10);
    ssize_t const n = read(lecteur, lu.data(), lu.size());
    close(lecteur);
    EXPECT_EQ(std::string(lu.data(), static_cast<std::size_t>(std::max<ssize_t>(n, 0))), ANCIEN);
}

// A refused target: preparer says which step and why, valider then writes nothing, the one-call
// form says the same, and nothing in the folder changed.
void verifier_refus(Scratch const& s, std::string const& donne, Etape etape, int erreur) {
    auto const avant = contenu(s.dir());
    Etat prepare;
    Etat valide;
    {
        Fichier_remplace fichier;
        prepare = fichier.preparer(s.path(donne));
        valide = valider(fichier, NOUVEAU);
    }
    EXPECT_EQ(prepare.etape, etape);
    if (erreur != 0) {
        EXPECT_EQ(prepare.erreur, erreur) << std::strerror(prepare.erreur);
    }
    EXPECT_NE(prepare.erreur, 0);
    EXPECT_FALSE(prepare.remplace());
    EXPECT_FALSE(valide.remplace());
    Etat const direct = remplacer(s.path(donne), NOUVEAU);
    EXPECT_EQ(direct.etape, etape);
    EXPECT_EQ(direct.erreur, prepare.erreur);
    EXPECT_EQ(contenu(s.dir()), avant);
}

TEST(Preparer, RefusesWhatCannotBeReplaced) {
    struct Cas {
        char const* nom;
        char const* donne;
        Etape etape;
        int erreur;  // 0: any error number
    } const cas[] = {
        {"a folder", "dossier", Etape::cible, EISDIR},
        {"a link to a folder", "lien-dossier", Etape::cible, EISDIR},
        {"a pipe", "tube", Etape::cible, 0},
        {"a file in a missing folder", "absent/rom.bin", Etape::creation, ENOENT},
        {"a link into a missing folder", "lien-absent", Etape::creation, ENOENT},
        {"a file under a regular file", "rom.bin/rom.bin", Etape::creation, ENOTDIR},
    };
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        creer(s, "rom.bin", ANCIEN, 0644);
        fs::create_directory(s.path("dossier"));
        ASSERT_EQ(mkfifo(s.path("tube").c_str(), 0644), 0);
        ASSERT_EQ(symlink("dossier", s.path("lien-dossier").c_str()), 0);
        ASSERT_EQ(symlink("absent/rom.bin", s.path("lien-absent").c_str()), 0);
        verifier_refus(s, c.donne, c.etape, c.erreur);
    }
}

// A link that leads back to itself designates no file: replacing it would lose the link.
TEST(Preparer, RefusesALinkThatLoops) {
    struct Cas {
        char const* nom;
        char const* donne;
    } const cas[] = {{"a link to itself", "boucle"}, {"two links to each other", "l1"}};
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        ASSERT_EQ(symlink("boucle", s.path("boucle").c_str()), 0);
        ASSERT_EQ(symlink("l2", s.path("l1").c_str()), 0);
        ASSERT_EQ(symlink("l1", s.path("l2").c_str()), 0);
        verifier_refus(s, c.donne, Etape::cible, ELOOP);
    }
}

// Runs the checks as an ordinary user: directly when this process is one; as root, in a child
// that gives up its rights (root writes anything, so the refusals would never happen), with
// the folder handed over to that user. False when neither is possible.
constexpr uid_t personne = 65534;

bool en_utilisateur_ordinaire(Scratch const& s, void (*essai)(Scratch const&)) {
    if (geteuid() != 0) {
        essai(s);
        return true;
    }
    for (auto const& e : fs::recursive_directory_iterator(s.dir()))
        if (lchown(e.path().c_str(), personne, personne) != 0) return false;
    if (chown(s.dir().c_str(), personne, personne) != 0) return false;
    std::fflush(nullptr);
    pid_t const pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(personne) != 0 || setuid(personne) != 0) _exit(77);
        essai(s);
        // The child's failures are its own: the parent sees them in the exit status.
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    if (WIFEXITED(statut) && WEXITSTATUS(statut) == 77) return false;
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << "the checks failed as uid " << personne;
    return true;
}

TEST(Preparer, RefusesWhatThisUserMayNotWrite) {
    struct Cas {
        char const* nom;
        void (*essai)(Scratch const&);
    } const cas[] = {
        {"a read-only file",
         [](Scratch const& s) {
             chmod(s.path("lecture-seule.bin").c_str(), 0444);
             verifier_refus(s, "lecture-seule.bin", Etape::cible, EACCES);
         }},
        {"a writable file in a read-only folder",
         [](Scratch const& s) {
             chmod(s.path("ferme").c_str(), 0555);
             verifier_refus(s, "ferme/rom.bin", Etape::creation, EACCES);
             chmod(s.path("ferme").c_str(), 0755);
         }},
        {"a new file in a read-only folder",
         [](Scratch const& s) {
             chmod(s.path("ferme").c_str(), 0555);
             verifier_refus(s, "ferme/neuf.bin", Etape::creation, EACCES);
             chmod(s.path("ferme").c_str(), 0755);
         }},
    };
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        creer(s, "lecture-seule.bin", ANCIEN, 0644);
        fs::create_directory(s.path("ferme"));
        creer(s, "ferme/rom.bin", ANCIEN, 0666);
        if (!en_utilisateur_ordinaire(s, c.essai))
            GTEST_SKIP() << "running as root and unable to become uid " << personne
                         << ": root may write any file, so these refusals cannot happen";
    }
}

TEST(Fichier_remplace, AnAbandonedReplacementLeavesTheTargetAndNoTemporaryFile) {
    struct Cas {
        char const* nom;
        bool existe;
    } const cas[] = {{"existing target", true}, {"new target", false}};
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Scratch s;
        if (c.existe) creer(s, "rom.bin", ANCIEN, 0640);
        auto const avant = contenu(s.dir());
        {
            Fichier_remplace fichier;
            ASSERT_EQ(fichier.preparer(s.path("rom.bin")).etape, Etape::aucune);
            // Preparing again drops the first temporary file: one only is ever there.
            ASSERT_EQ(fichier.preparer(s.path("rom.bin")).etape, Etape::aucune);
            auto const prepare = contenu(s.dir());
            ASSERT_EQ(prepare.size(), avant.size() + 1);
            for (auto const& [nom, octets] : prepare) {
                if (avant.count(nom) != 0) {
                    EXPECT_EQ(octets, avant.at(nom)) << nom;
                } else {
                    EXPECT_TRUE(temporaire_de(nom, "rom.bin")) << nom;
                }
            }
        }
        EXPECT_EQ(contenu(s.dir()), avant);
        if (c.existe) {
            EXPECT_EQ(droits(s.path("rom.bin")), 0640u);
        }
    }
}

TEST(Fichier_remplace, CommitsOnceOnly) {
    Scratch s;
    creer(s, "rom.bin", ANCIEN, 0644);
    Fichier_remplace fichier;
    ASSERT_EQ(fichier.preparer(s.path("rom.bin")).etape, Etape::aucune);
    ASSERT_EQ(valider(fichier, NOUVEAU).etape, Etape::aucune);
    // A second commit has no temporary file to rename: it must not touch the file now in place.
    EXPECT_FALSE(valider(fichier, "autre chose").remplace());
    EXPECT_EQ(contenu(s.dir()), (std::map<std::string, std::string>{{"rom.bin", NOUVEAU}}));
}

}  // namespace
