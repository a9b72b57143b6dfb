#include "remplacement/remplacement.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace {

using Remplacement::Verrou;
using test_support::Scratch;

// A child process running a function, with a pipe each way: it reports to the parent, and the
// parent sends it orders, then closes its end to let it finish.
class Enfant {
public:
    explicit Enfant(std::function<void(int vers_parent, int du_parent)> const& corps) {
        int montant[2];
        int descendant[2];
        if (pipe(montant) != 0 || pipe(descendant) != 0) throw std::runtime_error("pipe");
        std::fflush(nullptr);
        pid_ = fork();
        if (pid_ < 0) throw std::runtime_error("fork");
        if (pid_ == 0) {
            // Only its own ends: a copy of another child's pipe would keep that child from ever
            // seeing the parent let it go.
            for (int d = 3; d < 1024; ++d)
                if (d != montant[1] && d != descendant[0]) close(d);
            corps(montant[1], descendant[0]);
            _exit(0);
        }
        close(montant[1]);
        close(descendant[0]);
        lecture_ = montant[0];
        ecriture_ = descendant[1];
    }
    ~Enfant() { terminer(); }

    pid_t pid() const { return pid_; }

    void envoyer(std::string const& octets) {
        ASSERT_EQ(write(ecriture_, octets.data(), octets.size()), static_cast<ssize_t>(octets.size()));
    }

    // What the child sent, up to `octets` bytes or its end; empty when nothing came in time.
    std::string recevoir(std::size_t octets, int millisecondes = 5000) {
        std::string recu;
        auto const limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(millisecondes);
        while (recu.size() < octets) {
            auto const reste = std::chrono::duration_cast<std::chrono::milliseconds>(
                limite - std::chrono::steady_clock::now());
            pollfd attente{lecture_, POLLIN, 0};
            if (reste.count() <= 0 || poll(&attente, 1, static_cast<int>(reste.count())) <= 0) break;
            char tampon[256];
            ssize_t const n = read(lecture_, tampon, std::min(sizeof tampon, octets - recu.size()));
            if (n <= 0) break;
            recu.append(tampon, static_cast<std::size_t>(n));
        }
        return recu;
    }

    // Lets the child end, and returns its exit status (-1 when it did not exit normally).
    int terminer() {
        if (pid_ <= 0) return statut_;
        close(ecriture_);
        close(lecture_);
        int statut = 0;
        waitpid(pid_, &statut, 0);
        pid_ = -1;
        statut_ = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
        return statut_;
    }

private:
    pid_t pid_ = -1;
    int lecture_ = -1;
    int ecriture_ = -1;
    int statut_ = -1;
};

void envoyer(int descripteur, std::string const& octets) {
    if (write(descripteur, octets.data(), octets.size()) != static_cast<ssize_t>(octets.size())) _exit(3);
}

// Waits until the process is blocked on a lock of the file, as /proc/locks shows it ("->" marks
// a waiter). Where /proc/locks cannot be read, a pause stands in for it.
void attendre_qu_il_attende(pid_t pid, std::string const& chemin) {
    struct stat fichier;
    ASSERT_EQ(stat(chemin.c_str(), &fichier), 0);
    std::string const inode = ":" + std::to_string(fichier.st_ino);
    for (int essai = 0; essai < 500; ++essai) {
        std::ifstream verrous("/proc/locks");
        if (!verrous) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return;
        }
        std::string ligne;
        while (std::getline(verrous, ligne)) {
            std::istringstream champs(ligne);
            std::string rang, fleche, genre, conseil, mode, qui, ou;
            champs >> rang >> fleche >> genre >> conseil >> mode >> qui >> ou;
            if (fleche == "->" && qui == std::to_string(pid) && ou.size() > inode.size() &&
                ou.compare(ou.size() - inode.size(), inode.size(), inode) == 0)
                return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FAIL() << "process " << pid << " never waited for the lock on " << chemin;
}

// Whether another holder has the file locked: a lock of our own cannot be taken without waiting.
bool verrouille_ailleurs(std::string const& chemin) {
    int const d = open(chemin.c_str(), O_RDONLY);
    if (d < 0) return false;
    bool const pris = flock(d, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(d);
    return pris;
}

// What each of the two processes does: says it is about to lock, locks, sends "L" and the
// file's content as it reads it then; replaces the file when the parent sends "r" (and answers
// "R"); and holds the lock until the parent lets it go. Both holders are children of the test:
// a lock taken by the test itself would be inherited by every child it forks.
std::string const NOUVEAU = "le nouveau contenu";

void prendre_puis_lire(std::string const& chemin, int vers_parent, int du_parent) {
    envoyer(vers_parent, "p");
    Verrou verrou;
    if (!verrou.prendre(chemin)) {
        envoyer(vers_parent, "E");
        _exit(2);
    }
    std::string lu;
    try {
        lu = test_support::read_file(chemin);
    } catch (...) {
        _exit(4);
    }
    envoyer(vers_parent, "L" + std::string(1, static_cast<char>(lu.size())) + lu);
    char ordre;
    while (read(du_parent, &ordre, 1) == 1) {
        if (ordre != 'r') continue;
        if (Remplacement::remplacer(chemin, NOUVEAU.data(), NOUVEAU.size()).etape != Remplacement::Etape::aucune)
            _exit(5);
        envoyer(vers_parent, "R");
    }
}

std::string lu(std::string const& octets) { return "L" + std::string(1, static_cast<char>(octets.size())) + octets; }

TEST(Verrou, ASecondProcessWaitsUntilTheFirstLetsGo) {
    Scratch s;
    s.write("rom.bin", "ancien");
    std::string const rom = s.path("rom.bin");
    auto corps = [&](int vers_parent, int du_parent) { prendre_puis_lire(rom, vers_parent, du_parent); };
    Enfant premier(corps);
    ASSERT_EQ(premier.recevoir(9), "p" + lu("ancien"));

    Enfant second(corps);
    ASSERT_EQ(second.recevoir(1), "p");
    attendre_qu_il_attende(second.pid(), rom);
    EXPECT_EQ(second.recevoir(1, 300), "") << "the lock was taken twice";

    EXPECT_EQ(premier.terminer(), 0);
    EXPECT_EQ(second.recevoir(8), lu("ancien"));
    EXPECT_TRUE(verrouille_ailleurs(rom)) << "the second process holds no lock";
    EXPECT_EQ(second.terminer(), 0);
    EXPECT_FALSE(verrouille_ailleurs(rom)) << "the lock outlived its process";
}

TEST(Verrou, AProcessThatWaitedWhileTheFileWasReplacedLocksTheNewFile) {
    Scratch s;
    s.write("rom.bin", "ancien");
    std::string const rom = s.path("rom.bin");
    auto corps = [&](int vers_parent, int du_parent) { prendre_puis_lire(rom, vers_parent, du_parent); };
    Enfant premier(corps);
    ASSERT_EQ(premier.recevoir(9), "p" + lu("ancien"));

    Enfant second(corps);
    ASSERT_EQ(second.recevoir(1), "p");
    // The second process is waiting on the old file when the first replaces it.
    attendre_qu_il_attende(second.pid(), rom);
    premier.envoyer("r");
    ASSERT_EQ(premier.recevoir(1), "R");
    EXPECT_EQ(second.recevoir(1, 300), "") << "the lock was taken twice";
    EXPECT_EQ(premier.terminer(), 0);

    EXPECT_EQ(second.recevoir(2 + NOUVEAU.size()), lu(NOUVEAU));
    // A third command must wait for the second: the lock that counts is the new file's.
    EXPECT_TRUE(verrouille_ailleurs(rom)) << "the second process holds the old file's lock, not the new file's";
    EXPECT_EQ(second.terminer(), 0);
}

TEST(Verrou, FollowsALinkAndRefusesWhatIsNoRegularFile) {
    Scratch s;
    s.write("rom.bin", "x");
    std::filesystem::create_directory(s.path("dossier"));
    ASSERT_EQ(mkfifo(s.path("tube").c_str(), 0644), 0);
    ASSERT_EQ(symlink("rom.bin", s.path("lien").c_str()), 0);
    {
        Verrou verrou;
        ASSERT_TRUE(verrou.prendre(s.path("lien")));
        EXPECT_TRUE(verrouille_ailleurs(s.path("rom.bin")));
    }
    EXPECT_FALSE(verrouille_ailleurs(s.path("rom.bin")));

    struct Cas {
        char const* nom;
        int erreur;
    } const cas[] = {{"absent", ENOENT}, {"dossier", 0}, {"tube", 0}};
    for (auto const& c : cas) {
        SCOPED_TRACE(c.nom);
        Verrou verrou;
        errno = 0;
        // A pipe must be refused at once, not waited on for a writer.
        EXPECT_FALSE(verrou.prendre(s.path(c.nom)));
        EXPECT_NE(errno, 0);
        if (c.erreur != 0) {
            EXPECT_EQ(errno, c.erreur);
        }
    }
}

}  // namespace
