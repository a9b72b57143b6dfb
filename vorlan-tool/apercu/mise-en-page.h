#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "apercu/image-rvb.h"
#include "apercu/police.h"
#include "lib/rapport.h"
#include "reformat/auto_lb-table.h"
#include "tables/insereur-table.h"

// The preview of a script: its text boxes laid out on pages as the game draws them, with the
// game's font and widths, every overflow marked.
namespace Apercu {

// The largest box and page a preview draws: far beyond any game's, small enough that a
// page's picture stays within memory.
constexpr int largeur_maximale = 4096;
constexpr int lignes_maximales = 256;
constexpr int boites_par_page_maximales = 1024;

struct Parametres {
    int largeur = 0;      // a box's width in pixels
    int lignes = 0;       // a box's number of lines
    int par_page = 64;    // boxes per page
    bool filtre = false;  // only the blocks with a tag from premier_pointeur to dernier_pointeur
    int premier_pointeur = 0;
    int dernier_pointeur = 0;
};

// One glyph cell drawn: the tile of a code, or a hollow box (code -1) for a character the
// font cannot show. Its position is the cell's top-left corner in the page.
struct Trace {
    int x;
    int y;
    int code;
};

struct Ligne_placee {
    // The top-left corner of its first glyph cell in the page (the box's left edge when it
    // draws nothing); -1 and -1 for a line too far past its box's count to be drawn.
    long long x = 0;
    int y = 0;
    std::optional<long long> premiere_cellule;  // the pen position of its first glyph cell
    long long largeur = 0;  // the sum of the advances of what it draws
    std::string texte;      // as the script writes it
    bool en_trop = false;   // past the box's line count: drawn below the box, in red
    std::vector<Trace> traces;
};

struct Boite_placee {
    std::vector<int> pointeurs;  // the tags that open its block
    int page = 0;                // counted from 1
    int x = 0;                   // the text area's top-left corner in the page
    int y = 0;
    std::vector<Ligne_placee> lignes;
};

struct Page {
    int largeur = 0;
    int hauteur = 0;
    std::vector<std::size_t> boites;
};

struct Mise_en_page {
    std::vector<Boite_placee> boites;
    std::vector<Page> pages;
    int problemes = 0;  // lines too wide, boxes too full, characters drawn as hollow boxes
    Rapports rapports;  // each problem, in script order
};

// The first refusal of the parameters and the font, or nothing: a box of less than one pixel
// or one line or larger than the largest, pages of no box or of too many, a font whose first
// tile lies outside the ROM, or whose tiles for the one-byte codes the table gives its
// one-byte characters run past it, and likewise for the font's width table in the ROM.
std::optional<Rapport> verifier(Parametres const& parametres, Police const& police, Insereur::Table_ins const& codes);

// Lays the script out exactly as it breaks itself (lines at line breaks, boxes at box
// keywords, blocks at FIN, "<Centrer>" as the reformatter centres): each character (a UTF-8
// sequence when the whole script is valid UTF-8, else a byte) drawn with the tile of the
// one-byte code the table gives it alone and advancing by its width in the line-break table,
// or else in the ROM's width table of the font; the characters of a sequence the line-break
// table measures as a whole share its width, left to right. Control marks draw nothing and
// advance by their width if the table gives one. A character with no one-byte code, a code
// the font does not hold, or no width is a hollow box that advances by the glyph's width.
// Lines are the font's line pitch apart.
Mise_en_page mettre_en_page(std::string const& script, Insereur::Table_ins const& codes, Auto_LB::Table_ALB& largeurs,
                            Police const& police, Parametres const& parametres);

// The top of the box's label in its page: the box, label included, runs from there down to the
// next box's top on its page, or to the page's bottom.
int haut_de_boite(Boite_placee const& boite);

// The page's picture: a white page; each box's text area black with a grey frame, its label
// of pointer numbers above it; glyph pixels white inside the box, red past its width and on
// every line past its line count. At most 480 pixels past a box's width and 64 lines past its
// count are drawn.
Image_rvb dessiner(Mise_en_page const& mise_en_page, std::size_t page, Police const& police,
                   Parametres const& parametres);

}  // namespace Apercu
