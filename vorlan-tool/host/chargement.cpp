#include "host/chargement.h"

#include <algorithm>

std::optional<std::string> lire_texte(char const* nom) {
    std::string texte;
    if (!Fichiers::charger(nom, texte)) return std::nullopt;
    return texte;
}

std::optional<std::string> lire_octets(char const* nom) {
    Fichier f;
    if (!f.essayer_ouvrir(nom, "rb")) return std::nullopt;
    std::string octets(static_cast<std::size_t>(f.size()), '\0');
    octets.resize(static_cast<std::size_t>(std::max(f.read(octets.data(), 1, f.size()), 0)));
    return octets;
}

bool ouvrir_rom(Fichier& rom, char const* nom) {
    if (rom.essayer_ouvrir(nom, "rb")) return true;
    afficher(Rapport(Message::fopen_impossible_ligne, {nom}));
    return false;
}

bool ouvrir_rom_a_modifier(Remplacement::Verrou& verrou, Sortie& sortie, Fichier& rom, char const* nom) {
    if (!verrou.prendre(nom)) {
        afficher(Rapport(Message::fopen_impossible_ligne, {nom}));
        return false;
    }
    return sortie.preparer(nom, Message::fopen_impossible_ligne) && ouvrir_rom(rom, nom);
}

bool lire_rom(Fichier& rom, std::vector<unsigned char>& octets) {
    octets.resize(static_cast<std::size_t>(rom.size()));
    if (rom.size() > 0 && rom.read(octets.data(), 1, rom.size()) != rom.size()) {
        afficher(Rapport(Message::lecture_impossible, {rom.name()}));
        return false;
    }
    return true;
}

bool preparer_script(Sortie& sortie, char const* script, char const* rom, std::vector<std::string> const& tables) {
    if (meme_fichier(script, rom)) {
        afficher(Rapport(Message::script_est_la_rom, {script}));
        return false;
    }
    for (std::string const& table : tables) {
        if (meme_fichier(script, table.c_str())) {
            afficher(Rapport(Message::script_est_la_table, {script}));
            return false;
        }
    }
    return sortie.preparer(script, Message::fopen_impossible_ligne);
}

bool preparer_script(Sortie& sortie, char const* script, char const* rom, char const* table) {
    return preparer_script(sortie, script, rom, std::vector<std::string>{table});
}

bool charger_tables(Extracteur::Tables_ext& tables, std::vector<std::string> const& noms, Message si_absent) {
    std::vector<Extracteur::Tables_ext::Fichier> fichiers;
    for (std::string const& nom : noms) {
        std::optional<std::string> contenu = lire_octets(nom.c_str());
        if (!contenu) {
            afficher(Rapport(si_absent, {nom}));
            return false;
        }
        fichiers.push_back({nom, std::move(*contenu)});
    }
    Extracteur::Tables_ext::Chargement const chargement = tables.charger(fichiers);
    afficher(chargement.rapports);
    return chargement.accepte;
}

bool differents(char const* sortie, char const* entree) {
    if (!meme_fichier(sortie, entree)) return true;
    afficher(Rapport(Message::sortie_est_une_entree, {sortie, entree}));
    return false;
}
