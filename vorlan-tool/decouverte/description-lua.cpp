#include "decouverte/description-lua.h"

#include <cstdio>

namespace Decouverte {

namespace {

std::string hexa(long long valeur) {
    char texte[24];
    std::snprintf(texte, sizeof texte, "0x%llX", valeur);
    return texte;
}

std::string plage(Jeu::Plage const& p) { return "{ " + hexa(p.debut) + ", " + hexa(p.fin) + " }"; }

std::string groupe(Jeu::Groupe const& g) {
    std::string lua = "{ ";
    if (g.disposition == Jeu::Disposition::eclate) {
        lua += "octets = { ";
        for (std::size_t k = 0; k < g.octets.size(); ++k) lua += (k > 0 ? ", " : "") + hexa(g.octets[k]);
        lua += " }, ";
    } else {
        lua += "adresse = " + hexa(g.adresse) + ", ";
    }
    lua += "nombre = " + std::to_string(g.nombre) + ", ";
    if (g.disposition != Jeu::Disposition::eclate) lua += "taille = " + std::to_string(g.taille) + ", ";
    lua += "pas = " + std::to_string(g.pas) + ", ";
    lua += std::string("ordre = ") + (g.ordre == Ordre_octets::petit_boutiste ? "true" : "false") + ", ";
    lua += "formule_ext = " + chaine_lua(g.formule_ext) + ", formule_ins = " + chaine_lua(g.formule_ins) + " }";
    return lua;
}

}  // namespace

std::string chaine_lua(std::string const& octets) {
    std::string lua = "\"";
    for (unsigned char c : octets) {
        if (c == '"' || c == '\\') {
            lua += '\\';
            lua += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7E) {
            char code[8];
            // Three digits always, so that a digit after it is not read as part of it.
            std::snprintf(code, sizeof code, "\\%03u", c);
            lua += code;
        } else {
            lua += static_cast<char>(c);
        }
    }
    return lua + "\"";
}

std::string description_lua(Jeu::Description const& jeu) {
    std::string lua = "return {\n";
    lua += "  rom = " + chaine_lua(jeu.rom) + ",\n";
    lua += "  table = " + chaine_lua(jeu.table) + ",\n";
    lua += "  textes = {\n";
    for (Jeu::Plage const& p : jeu.textes) lua += "    " + plage(p) + ",\n";
    lua += "  },\n";
    lua += "  pointeurs = {\n";
    for (Jeu::Groupe const& g : jeu.groupes) lua += "    " + groupe(g) + ",\n";
    lua += "  },\n";
    return lua + "}\n";
}

}  // namespace Decouverte
