#include "apercu/mise-en-page.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "apercu/caracteres.h"
#include "apercu/chiffres.h"
#include "lib/vorlan_tool_divers.h"
#include "reformat/mesure.h"

namespace Apercu {

namespace {

constexpr int marge = 4;
constexpr int hauteur_etiquette = 2 + hauteur_chiffres + 2;
constexpr int ecart = 6;
// How much of a page a line may take past its box, and how many lines past a box's count are
// drawn: enough to see any overflow, while a script whose keywords the table does not know
// (one endless line, one endless box) still makes pictures of a sensible size.
constexpr int debord_dessine = 480;
constexpr int lignes_en_trop_dessinees = 64;
// A line's first characters, as the problems show them.
constexpr std::size_t debut_montre = 20;

// The code each character is drawn with: its one-byte code in the table, or -1.
using Codes = std::array<int, 256>;

Codes codes_d_un_octet(Insereur::Table_ins const& table) {
    Codes codes;
    for (int c = 0; c < 256; ++c) {
        Nb_ext_ins const* code = table.chercher(std::string(1, static_cast<char>(c)));
        codes[static_cast<std::size_t>(c)] = code != nullptr && code->taille() == 1 ? (*code)[0] : -1;
    }
    return codes;
}

class Placeur {
public:
    Placeur(Insereur::Table_ins const& codes, Auto_LB::Table_ALB& largeurs, Police const& police,
            Parametres const& parametres, Mise_en_page& resultat, bool utf8)
        : table_(codes), codes_(codes_d_un_octet(codes)), largeurs_(largeurs), police_(police), parametres_(parametres),
          resultat_(resultat), fenetre_(std::max(largeurs.lire_taille_max(), 1)), utf8_(utf8) {}

    // The line's traces from pen position 0, relative to the text area; returns the sum of the
    // advances of what it draws (a centring margin moves the pen but is no advance).
    long long placer_ligne(Auto_LB::Mesure const& mesure, Auto_LB::Ligne_mesuree const& ligne, Ligne_placee& placee,
                           bool signaler) {
        long long plume = 0;
        long long marges = 0;
        for (std::size_t k = ligne.premier; k < ligne.dernier; ++k) {
            Auto_LB::Mot const& mot = mesure.mots[k];
            switch (mot.infos.type) {
            case Auto_LB::ESPACE:
                plume += largeurs_.lire_taille_espace();
                break;
            case Auto_LB::CENTRER: {
                // As the reformatter centres: blanks of the space's width before what follows.
                Auto_LB::Ligne_mesuree reste{k + 1, ligne.dernier, 0};
                Ligne_placee essai;
                long long const centree = placer_ligne(mesure, reste, essai, false);
                long long const espace = largeurs_.lire_taille_espace();
                long long const marge_centree =
                    espace > 0 ? std::max(0LL, (parametres_.largeur - centree) / (2 * espace)) * espace : 0;
                plume += marge_centree;
                marges += marge_centree;
                break;
            }
            case Auto_LB::CARACTERE:
                placer_texte(mot.texte, plume, placee, signaler);
                break;
            default:
                break;
            }
        }
        return plume - marges;
    }

    void commencer(int pointeur, int boite, int ligne) {
        pointeur_ = pointeur;
        boite_ = boite;
        ligne_ = ligne;
    }

private:
    // A run of characters: control marks, then pieces the line-break table measures.
    void placer_texte(std::string const& texte, long long& plume, Ligne_placee& placee, bool signaler) {
        std::size_t q = 0;
        while (q < texte.size()) {
            if (texte[q] == '<') {
                std::size_t const fin = texte.find('>', q);
                if (fin != std::string::npos) {
                    Auto_LB::Infos_entree const* marque = largeurs_.chercher(std::string_view(texte).substr(q, fin - q + 1));
                    if (marque != nullptr && marque->type == Auto_LB::CARACTERE) plume += marque->valeur;
                    q = fin + 1;
                    continue;
                }
            }
            // The longest piece the line-break table measures, ending on a character's end.
            std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(fenetre_), texte.size() - q);
            Auto_LB::Infos_entree const* piece = nullptr;
            for (; n > 0; --n) {
                if (utf8_ && q + n < texte.size() && (static_cast<unsigned char>(texte[q + n]) & 0xC0) == 0x80) continue;
                piece = largeurs_.chercher(std::string_view(texte).substr(q, n));
                if (piece != nullptr && piece->type == Auto_LB::CARACTERE) break;
                piece = nullptr;
            }
            if (piece == nullptr) {
                // No width in the table: the ROM's width table may give one.
                std::string_view const c = std::string_view(texte).substr(q, longueur_caractere(texte, q, utf8_));
                int const code = code_de(c);
                std::optional<int> const largeur_rom = code >= 0 ? police_.largeur_rom(code) : std::nullopt;
                if (largeur_rom)
                    placer_caractere(c, *largeur_rom, plume, placee, signaler);
                else
                    creux(c, Message::glyphe_sans_largeur, 0, plume, placee, signaler);
                q += c.size();
                continue;
            }
            // The piece's width shared among its characters, left to right.
            std::string_view const morceau = std::string_view(texte).substr(q, n);
            long long nombre = 0;
            for (std::size_t i = 0; i < n; i += longueur_caractere(morceau, i, utf8_)) ++nombre;
            long long const largeur = piece->valeur;
            long long rang = 0;
            for (std::size_t i = 0; i < n; ++rang) {
                long long const part = largeur * (rang + 1) / nombre - largeur * rang / nombre;
                std::string_view const c = morceau.substr(i, longueur_caractere(morceau, i, utf8_));
                placer_caractere(c, part, plume, placee, signaler);
                i += c.size();
            }
            q += n;
        }
    }

    // A character drawn with the glyph of its one-byte code, advancing by `avance`.
    void placer_caractere(std::string_view c, long long avance, long long& plume, Ligne_placee& placee, bool signaler) {
        int const code = code_de(c);
        if (code < 0) {
            creux(c, Message::glyphe_sans_code, 0, plume, placee, signaler);
        } else if (!police_.contient(code)) {
            creux(c, Message::glyphe_hors_police, code, plume, placee, signaler);
        } else {
            tracer(plume, code, placee);
            plume += avance;
        }
    }

    // The one-byte code the table gives the character alone, or -1.
    int code_de(std::string_view c) {
        if (c.size() == 1) return codes_[static_cast<unsigned char>(c[0])];
        auto const connu = codes_utf8_.find(std::string(c));
        if (connu != codes_utf8_.end()) return connu->second;
        Nb_ext_ins const* code = table_.chercher(c);
        int const valeur = code != nullptr && code->taille() == 1 ? (*code)[0] : -1;
        codes_utf8_.emplace(std::string(c), valeur);
        return valeur;
    }

    // A glyph cell at the pen; only those that can fall inside the picture are kept.
    void tracer(long long plume, int code, Ligne_placee& placee) const {
        if (!placee.premiere_cellule) placee.premiere_cellule = plume;
        if (plume < parametres_.largeur + debord_dessine) placee.traces.push_back(Trace{static_cast<int>(plume), 0, code});
    }

    void creux(std::string_view c, Message pourquoi, int code, long long& plume, Ligne_placee& placee, bool signaler) {
        tracer(plume, -1, placee);
        plume += police_.largeur();
        if (!signaler) return;
        std::vector<Argument> arguments = {pointeur_, boite_, ligne_, std::string(c)};
        if (pourquoi == Message::glyphe_hors_police) arguments.emplace_back(code);
        resultat_.rapports.push_back(Rapport(pourquoi, arguments));
        ++resultat_.problemes;
    }

    Insereur::Table_ins const& table_;
    Codes const codes_;
    std::unordered_map<std::string, int> codes_utf8_;
    Auto_LB::Table_ALB& largeurs_;
    Police const& police_;
    Parametres const& parametres_;
    Mise_en_page& resultat_;
    int const fenetre_;
    bool const utf8_;
    int pointeur_ = 0;
    int boite_ = 0;
    int ligne_ = 0;
};

bool dans_le_filtre(Auto_LB::Bloc_mesure const& bloc, Parametres const& p) {
    if (!p.filtre) return true;
    for (int numero : bloc.pointeurs)
        if (numero >= p.premier_pointeur && numero <= p.dernier_pointeur) return true;
    return false;
}

std::string etiquette(std::vector<int> const& pointeurs) {
    std::string texte;
    for (int numero : pointeurs) texte += (texte.empty() ? "" : ",") + std::to_string(numero);
    return texte;
}

// Puts the boxes on pages, one under another, and gives every line its place.
void paginer(Mise_en_page& m, Parametres const& p, Police const& police) {
    int const pas = police.pas_ligne();
    std::size_t const par_page = static_cast<std::size_t>(p.par_page);
    std::size_t const lignes_dessinees = static_cast<std::size_t>(p.lignes + lignes_en_trop_dessinees);
    for (std::size_t debut = 0; debut < m.boites.size(); debut += par_page) {
        Page page;
        int y = marge;
        int largeur = p.largeur;
        for (std::size_t b = debut; b < std::min(m.boites.size(), debut + par_page); ++b) {
            Boite_placee& boite = m.boites[b];
            boite.page = static_cast<int>(m.pages.size()) + 1;
            boite.x = marge + 1;
            boite.y = y + hauteur_etiquette + 1;
            largeur = std::max(largeur, std::min(4 * static_cast<int>(etiquette(boite.pointeurs).size()),
                                                 p.largeur + debord_dessine));
            for (std::size_t l = 0; l < boite.lignes.size(); ++l) {
                Ligne_placee& ligne = boite.lignes[l];
                if (l >= lignes_dessinees) {
                    ligne.x = ligne.y = -1;
                    ligne.traces.clear();
                    continue;
                }
                // Lines past the box's count go below its frame.
                int const dy = static_cast<int>(l) * pas + (ligne.en_trop ? 1 : 0);
                for (Trace& t : ligne.traces) {
                    largeur = std::max(largeur, t.x + police.largeur());
                    t.x += boite.x;
                    t.y = boite.y + dy;
                }
                ligne.x = boite.x + ligne.premiere_cellule.value_or(0);
                ligne.y = boite.y + dy;
            }
            int const lignes = static_cast<int>(std::clamp(boite.lignes.size(), static_cast<std::size_t>(p.lignes),
                                                           lignes_dessinees));
            y = boite.y + lignes * pas + 1 + (static_cast<int>(boite.lignes.size()) > p.lignes ? 1 : 0) + ecart;
            page.boites.push_back(b);
        }
        page.largeur = marge + 1 + largeur + 1 + marge;
        page.hauteur = y - ecart + marge;
        m.pages.push_back(page);
    }
}

}  // namespace

std::optional<Rapport> verifier(Parametres const& p, Police const& police, Insereur::Table_ins const& codes) {
    if (p.largeur < 1 || p.lignes < 1) return Rapport(Message::apercu_boite_vide);
    if (p.largeur > largeur_maximale || p.lignes > lignes_maximales)
        return Rapport(Message::apercu_boite_trop_grande, {largeur_maximale, lignes_maximales});
    if (p.par_page < 1 || p.par_page > boites_par_page_maximales)
        return Rapport(Message::apercu_page_vide, {boites_par_page_maximales});
    if (police.premier() < 0 || police.premier() > 255) return Rapport(Message::apercu_premier_code, {police.premier()});
    // Below 0x20 are the control characters (a line break's code among them): never drawn.
    Codes const une_lettre = codes_d_un_octet(codes);
    int const plus_grand = *std::max_element(une_lettre.begin() + 0x20, une_lettre.end());
    int const dernier = std::max(plus_grand, police.premier());
    if (!police.contient(police.premier()) || !police.contient(dernier))
        return Rapport(Message::apercu_police_hors_rom, {static_cast<long long>(police.adresse()), police.premier(), dernier,
                                                         static_cast<long long>(police.taille_rom())});
    if (std::optional<Largeurs_rom> const& l = police.largeurs_rom()) {
        int const fin = std::max(plus_grand, l->premier);
        if (!police.largeur_rom(l->premier) || !police.largeur_rom(fin))
            return Rapport(Message::apercu_largeurs_hors_rom,
                           {l->adresse, l->premier, fin, static_cast<long long>(police.taille_rom())});
    }
    return std::nullopt;
}

Mise_en_page mettre_en_page(std::string const& script, Insereur::Table_ins const& codes, Auto_LB::Table_ALB& largeurs,
                            Police const& police, Parametres const& parametres) {
    Mise_en_page m;
    Auto_LB::Mesure const mesure = Auto_LB::mesurer(largeurs, script);
    bool const utf8 = utf8_valide(script);
    Placeur placeur(codes, largeurs, police, parametres, m, utf8);
    for (Auto_LB::Bloc_mesure const& bloc : mesure.blocs) {
        if (!dans_le_filtre(bloc, parametres)) continue;
        int const pointeur = bloc.pointeurs.front();
        for (std::size_t b = 0; b < bloc.boites.size(); ++b) {
            Boite_placee boite;
            boite.pointeurs = bloc.pointeurs;
            std::vector<Auto_LB::Ligne_mesuree> const& lignes = bloc.boites[b].lignes;
            int const numero_boite = static_cast<int>(b) + 1;
            for (std::size_t l = 0; l < lignes.size(); ++l) {
                Ligne_placee ligne;
                ligne.texte = mesure.texte(lignes[l]);
                ligne.en_trop = static_cast<int>(l) >= parametres.lignes;
                placeur.commencer(pointeur, numero_boite, static_cast<int>(l) + 1);
                ligne.largeur = placeur.placer_ligne(mesure, lignes[l], ligne, true);
                if (ligne.largeur > parametres.largeur) {
                    m.rapports.push_back(Rapport(Message::ligne_trop_large,
                                                 {pointeur, numero_boite, static_cast<int>(l) + 1, ligne.largeur,
                                                  parametres.largeur,
                                                  Vorlan_tool::afficher_chaine(debut_du_texte(ligne.texte, debut_montre, utf8))}));
                    ++m.problemes;
                }
                boite.lignes.push_back(std::move(ligne));
            }
            if (static_cast<int>(lignes.size()) > parametres.lignes) {
                m.rapports.push_back(Rapport(Message::boite_trop_pleine,
                                             {pointeur, numero_boite, static_cast<int>(lignes.size()), parametres.lignes}));
                ++m.problemes;
            }
            m.boites.push_back(std::move(boite));
        }
        if (!bloc.termine) m.rapports.push_back(Rapport(Message::bloc_sans_fin_verifie, {pointeur}));
    }
    paginer(m, parametres, police);
    return m;
}

int haut_de_boite(Boite_placee const& boite) { return boite.y - 1 - hauteur_etiquette; }

Image_rvb dessiner(Mise_en_page const& m, std::size_t numero, Police const& police, Parametres const& p) {
    Page const& page = m.pages[numero];
    // Each glyph decoded once; the codes drawn are one-byte codes.
    std::array<std::vector<unsigned char>, 256> glyphes;
    auto const glyphe = [&glyphes, &police](int code) -> std::vector<unsigned char> const& {
        std::vector<unsigned char>& g = glyphes[static_cast<std::size_t>(code & 0xFF)];
        if (g.empty()) g = police.pixels(code);
        return g;
    };
    Image_rvb image(page.largeur, page.hauteur, blanc);
    for (std::size_t b : page.boites) {
        Boite_placee const& boite = m.boites[b];
        ecrire_chiffres(image, boite.x - 1, boite.y - 1 - hauteur_etiquette + 2, etiquette(boite.pointeurs), gris);
        int const pas = police.pas_ligne();
        image.remplir(boite.x, boite.y, p.largeur, p.lignes * pas, noir);
        image.cadre(boite.x - 1, boite.y - 1, p.largeur + 2, p.lignes * pas + 2, gris);
        int const bord = boite.x + p.largeur;
        int const l = police.largeur();
        int const h = police.hauteur();
        // A hollow box the size of a glyph cell.
        std::vector<unsigned char> creux(static_cast<std::size_t>(l * h), 0);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < l; ++i)
                if (j == 0 || j == h - 1 || i == 0 || i == l - 1) creux[static_cast<std::size_t>(j * l + i)] = 1;
        for (Ligne_placee const& ligne : boite.lignes) {
            for (Trace const& t : ligne.traces) {
                // Transparent: only the lit pixels are drawn, over whatever lies there.
                std::vector<unsigned char> const& g = t.code >= 0 ? glyphe(t.code) : creux;
                for (int j = 0; j < h; ++j)
                    for (int i = 0; i < l; ++i)
                        if (g[static_cast<std::size_t>(j * l + i)] != 0) {
                            int const x = t.x + i;
                            image.poser(x, t.y + j, ligne.en_trop || x >= bord ? rouge : blanc);
                        }
            }
        }
    }
    return image;
}

}  // namespace Apercu
