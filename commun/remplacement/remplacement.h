#pragma once
#include <cstddef>
#include <string>

// Replacing a file, never overwriting it: the new content is written in full to a temporary
// file beside the target, checked, synced and renamed over it, so that a reader (or a crash,
// a full disk, a kill) only ever sees the old file or the new one. Shared by the three
// programs, which each say in their own words what went wrong.
namespace Remplacement {

// The step a replacement stopped at.
enum class Etape {
    aucune,           // done: the target holds the new content
    cible,            // the target is no regular file, or may not be written
    creation,         // no temporary file could be made in the target's folder
    ecriture,         // the new content could not be written (full disk, I/O error)
    synchronisation,  // the temporary file could not be synced to the disk
    fermeture,        // the temporary file could not be closed
    droits,           // the temporary file could not take the target's permission bits
    renommage,        // the temporary file could not take the target's place
    dossier,          // after the rename: the folder could not be synced; the target is already the new one
};

struct Etat {
    Etape etape = Etape::aucune;
    int erreur = 0;  // the system's error number of the failed step

    // True when the target holds the new content (a folder left unsynced included).
    bool remplace() const { return etape == Etape::aucune || etape == Etape::dossier; }
};

// The temporary file's name: the target's name and this, then six characters.
constexpr char const* suffixe = ".tmp-";

// One replacement: prepared before the work (so that a target that cannot be replaced is
// refused before anything is done), then committed with the complete new content. When the
// object goes without a successful commit, its temporary file goes with it and the target
// is exactly as it was.
class Fichier_remplace {
public:
    Fichier_remplace() = default;
    Fichier_remplace(Fichier_remplace const&) = delete;
    Fichier_remplace& operator=(Fichier_remplace const&) = delete;
    ~Fichier_remplace();

    // Prepares the replacement of the file at `chemin`, which need not exist yet; a symbolic
    // link is followed to the file it designates, which is the one replaced (the link stays).
    // An existing target must be a regular file this process may write.
    Etat preparer(std::string const& chemin);
    // Writes the whole content, syncs it, gives it the target's permission bits (or those a
    // new file would get) and renames it over the target, then syncs the folder.
    Etat valider(void const* octets, std::size_t taille);

    // The file that is replaced (the link's target for a link).
    std::string const& cible() const { return cible_; }
    // Whether that file existed when the replacement was prepared.
    bool existe() const { return existe_; }

private:
    void abandonner();

    std::string cible_;
    std::string temporaire_;
    int descripteur_ = -1;
    bool existe_ = false;
    unsigned mode_ = 0;
};

// Replaces the file in one call: preparer, then valider.
Etat remplacer(std::string const& chemin, void const* octets, std::size_t taille);

// An exclusive lock on an existing file, held from before a command reads it until after it
// has replaced it, so that two commands changing the same file one after the other each keep
// the other's change. The lock is the file's own: a command that waited while another replaced
// the file finds a new file under the name, and locks that one instead.
class Verrou {
public:
    Verrou() = default;
    Verrou(Verrou const&) = delete;
    Verrou& operator=(Verrou const&) = delete;
    ~Verrou();

    // Waits for the lock on the regular file at `chemin` (a link followed); false, with
    // errno set, when it cannot be opened or is no regular file.
    bool prendre(std::string const& chemin);

private:
    int descripteur_ = -1;
};

}  // namespace Remplacement
