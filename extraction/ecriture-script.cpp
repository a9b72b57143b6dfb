#include "extraction/ecriture-script.h"

#include <algorithm>
#include <cstdio>

namespace Extracteur {

namespace {

std::size_t const taille_tampon = 1 << 16;

}  // namespace

Ecriture_script::Ecriture_script(Fichier& script) : script_(script) { tampon_.reserve(taille_tampon + 256); }

void Ecriture_script::ecrire_balise(int numero) {
    char balise[32];
    int const longueur = std::snprintf(balise, sizeof balise, "<PT%04d>\n", numero);
    ecrire(balise, static_cast<std::size_t>(longueur));
}

std::size_t Ecriture_script::decoder(Table_ext const& table, unsigned char const* octets, std::size_t disponible) {
    std::size_t longueur = 0;
    String const* texte = table.plus_long(octets, std::min<std::size_t>(disponible, table.taille_max()), longueur);
    if (texte != nullptr) {
        ecrire(texte->data(), texte->length());
        return longueur;
    }
    static char const chiffres[] = "0123456789ABCDEF";
    char const inconnu[4] = {'<', chiffres[octets[0] >> 4], chiffres[octets[0] & 0x0F], '>'};
    ecrire(inconnu, sizeof inconnu);
    return 1;
}

void Ecriture_script::ecrire(char const* texte, std::size_t longueur) {
    tampon_.append(texte, longueur);
    if (tampon_.size() >= taille_tampon) vider();
}

void Ecriture_script::vider() {
    if (tampon_.empty()) return;
    int const ecrits = script_.write(tampon_.data(), 1, static_cast<int>(tampon_.size()));
    if (ecrits != static_cast<int>(tampon_.size())) echec_ = true;
    tampon_.clear();
}

bool Ecriture_script::terminer() {
    vider();
    if (std::fflush(script_.stream()) != 0) echec_ = true;
    if (echec_) std::printf("Erreur, impossible d'écrire dans le fichier \"%s\"\n", script_.name());
    return !echec_;
}

}  // namespace Extracteur
