#include "extraction/ecriture-script.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Extracteur {

namespace {

std::size_t const taille_tampon = 1 << 16;

}  // namespace

Ecriture_script::Ecriture_script(Fichier& script) : script_(script), tampon_(taille_tampon) {}

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
    if (rempli_ + longueur > tampon_.size()) {
        vider();
        // Table texts hold at most 256 characters; the buffer would grow for a longer one.
        if (longueur > tampon_.size()) tampon_.resize(longueur);
    }
    std::memcpy(tampon_.data() + rempli_, texte, longueur);
    rempli_ += longueur;
}

void Ecriture_script::vider() {
    if (rempli_ == 0) return;
    if (script_.write(tampon_.data(), 1, static_cast<int>(rempli_)) != static_cast<int>(rempli_)) echec_ = true;
    rempli_ = 0;
}

bool Ecriture_script::terminer() {
    vider();
    if (std::fflush(script_.stream()) != 0) echec_ = true;
    if (echec_) std::printf("Erreur, impossible d'écrire dans le fichier \"%s\"\n", script_.name());
    return !echec_;
}

}  // namespace Extracteur
