#include "epreuve/page-html.h"

#include <algorithm>
#include <cstddef>

#include "echange/codage.h"
#include "epreuve/html.h"

namespace Epreuve {

namespace {

// The page's own words, written here in the program's Latin-1 and put in UTF-8.
std::string mots(char const* texte) { return Echange::latin1_vers_utf8(texte); }

struct Sorte {
    Message message;
    char const* cle;
    char const* nom;
};

constexpr Sorte sortes[] = {
    {Message::ligne_trop_large, "lignes-trop-larges", "ligne(s) trop large(s)"},
    {Message::boite_trop_pleine, "boites-trop-pleines", "boîte(s) trop pleine(s)"},
    {Message::glyphe_sans_largeur, "sans-largeur", "caractère(s) sans largeur"},
    {Message::glyphe_sans_code, "sans-code", "caractère(s) sans code"},
    {Message::glyphe_hors_police, "hors-police", "caractère(s) hors de la police"},
};

char const* const style = R"(
body{font-family:sans-serif;margin:0;background:#f4f4f4;color:#111}
header{position:sticky;top:0;background:#223;color:#fff;padding:.5em 1em;z-index:1}
header h1{margin:.2em 0;font-size:1.3em}
.comptes span{font-weight:bold}
nav a{color:#fff;background:#445;padding:.2em .6em;margin-right:.3em;border-radius:3px;text-decoration:none}
nav a.actif{background:#c60}
nav input{margin-left:1em}
main{padding:1em}
section.texte{content-visibility:auto;contain-intrinsic-size:auto 320px;background:#fff;border:1px solid #ccc;margin:0 0 1em;padding:.5em 1em}
section.texte h2{font-size:1em;margin:.2em 0}
.pointeurs{color:#555;font-size:.9em;margin:0}
.cote{display:flex;gap:1em}
.cote>div{flex:1;min-width:0}
.cote h3{font-size:.8em;color:#555;margin:.3em 0}
pre{white-space:pre-wrap;word-break:break-word;background:#f8f8f0;border:1px solid #ddd;padding:.4em;margin:0}
.boites{display:flex;flex-wrap:wrap;gap:1em;margin-top:.5em}
figure{margin:0}
.cadre{overflow:hidden}
.cadre img{display:block;image-rendering:pixelated;image-rendering:crisp-edges}
figcaption ol{margin:.2em 0;padding-left:2em;font-family:monospace;font-size:.85em}
li.fautive{background:#fcc;color:#900}
ul.problemes{color:#900}
)";

char const* const script = R"(
(function () {
  var racine = document.documentElement;
  function erreur(texte) {
    racine.setAttribute('data-erreurs', (racine.getAttribute('data-erreurs') || '') + texte + ';');
  }
  window.addEventListener('error', function (e) { erreur(String(e.message)); });
  try {
    var sections = Array.prototype.slice.call(document.querySelectorAll('section.texte'));
    var recherche = document.getElementById('recherche');
    var liens = document.querySelectorAll('nav a');
    var filtre = function () {
      var f = location.hash.slice(1);
      return f === 'problemes' || f === 'non-traduits' ? f : 'tout';
    };
    var appliquer = function () {
      var f = filtre();
      var q = recherche.value.toLowerCase();
      sections.forEach(function (s) {
        var montre = f === 'tout' ||
          (f === 'problemes' && s.getAttribute('data-problemes') !== '0') ||
          (f === 'non-traduits' && s.getAttribute('data-traduit') === 'non');
        if (montre && q) montre = s.textContent.toLowerCase().indexOf(q) >= 0;
        s.hidden = !montre;
      });
      for (var k = 0; k < liens.length; ++k)
        liens[k].classList.toggle('actif', liens[k].getAttribute('href') === '#' + f);
      racine.setAttribute('data-filtre', f);
    };
    var mesurer = function (image) {
      image.setAttribute('data-naturel', image.naturalWidth + 'x' + image.naturalHeight);
    };
    Array.prototype.forEach.call(document.images, function (image) {
      if (image.complete && image.naturalWidth > 0) {
        mesurer(image);
      } else {
        image.addEventListener('load', function () { mesurer(image); });
        image.addEventListener('error', function () { image.setAttribute('data-naturel', 'erreur'); });
      }
    });
    window.addEventListener('hashchange', appliquer);
    recherche.addEventListener('input', appliquer);
    appliquer();
    racine.setAttribute('data-script', 'pret');
  } catch (e) {
    erreur(String(e));
  }
})();
)";

void compte(std::string& h, char const* cle, int nombre, char const* nom) {
    h += "<span data-compte=\"";
    h += cle;
    h += "\">" + std::to_string(nombre) + "</span> " + mots(nom);
}

void en_tete(std::string& h, Feuille const& f) {
    Comptes const& c = f.comptes;
    h += "<header><h1>" + echapper(f.titre) + "</h1>\n<p class=\"comptes\">";
    compte(h, "textes", c.textes, "texte(s), ");
    compte(h, "boites", c.boites, "boîte(s), ");
    compte(h, "problemes", c.problemes, "problème(s)");
    bool premier = true;
    for (Sorte const& s : sortes) {
        auto const n = c.par_sorte.find(s.message);
        if (n == c.par_sorte.end()) continue;
        h += premier ? " : " : ", ";
        premier = false;
        compte(h, s.cle, n->second, s.nom);
    }
    if (c.avec_original) {
        h += " ; ";
        compte(h, "traduits", c.traduits, "traduit(s), ");
        compte(h, "non-traduits", c.non_traduits, "non traduit(s)");
    }
    h += "</p>\n<nav><a href=\"#tout\">" + mots("Tous les textes") + "</a><a href=\"#problemes\">" +
         mots("Textes à problèmes") + "</a>";
    if (c.avec_original) h += "<a href=\"#non-traduits\">" + mots("Textes non traduits") + "</a>";
    h += "<input type=\"search\" id=\"recherche\" placeholder=\"" + mots("Rechercher dans les textes") +
         "\"></nav></header>\n";
}

void texte(std::string& h, char const* titre, std::string const& contenu, char const* classe) {
    h += "<div><h3>" + mots(titre) + "</h3><pre class=\"";
    h += classe;
    h += "\">" + echapper(contenu) + "</pre></div>";
}

// The box cut out of its page: from its label's top to the next box's, or the page's bottom.
void boite(std::string& h, Apercu::Mise_en_page const& m, std::size_t b, int numero, Section const& s,
           std::vector<std::string> const& images, Echange::Encodage encodage) {
    Apercu::Boite_placee const& boite = m.boites[b];
    std::size_t const p = static_cast<std::size_t>(boite.page - 1);
    Apercu::Page const& page = m.pages[p];
    auto const rang = std::find(page.boites.begin(), page.boites.end(), b);
    int const haut = Apercu::haut_de_boite(boite);
    int const bas = rang + 1 != page.boites.end() ? Apercu::haut_de_boite(m.boites[*(rang + 1)]) : page.hauteur;
    h += "<figure><div class=\"cadre\" style=\"width:" + std::to_string(page.largeur * agrandissement) +
         "px;height:" + std::to_string((bas - haut) * agrandissement) + "px\"><img src=\"" + echapper(images[p]) +
         "\" alt=\"\" width=\"" + std::to_string(page.largeur * agrandissement) + "\" height=\"" +
         std::to_string(page.hauteur * agrandissement) + "\" data-largeur=\"" + std::to_string(page.largeur) +
         "\" data-hauteur=\"" + std::to_string(page.hauteur) + "\" style=\"margin-top:-" +
         std::to_string(haut * agrandissement) + "px\"></div><figcaption><ol>";
    for (std::size_t l = 0; l < boite.lignes.size(); ++l) {
        Apercu::Ligne_placee const& ligne = boite.lignes[l];
        bool fautive = ligne.en_trop;
        for (Ligne_fautive const& f : s.lignes_fautives)
            fautive = fautive || (f.boite == numero && f.ligne == static_cast<int>(l) + 1);
        h += fautive ? "<li class=\"fautive\">" : "<li>";
        h += echapper(Echange::vers_utf8(ligne.texte, encodage));
        h += "</li>";
    }
    h += "</ol></figcaption></figure>";
}

void section(std::string& h, Section const& s, Apercu::Mise_en_page const& m, std::vector<std::string> const& images,
             Echange::Encodage encodage) {
    h += "<section class=\"texte\" id=\"" + echapper(s.ancre) + "\" data-problemes=\"" +
         std::to_string(s.nombre_de_problemes) + "\"";
    if (s.original) h += std::string(" data-traduit=\"") + (s.traduit ? "oui" : "non") + "\"";
    h += "><h2><a href=\"#" + echapper(s.ancre) + "\">" + echapper(s.identifiant) + "</a></h2>";
    if (!s.pointeurs.empty()) {
        h += "<p class=\"pointeurs\">" + mots("Pointeur(s) : ");
        for (std::size_t k = 0; k < s.pointeurs.size(); ++k) h += (k > 0 ? ", " : "") + std::to_string(s.pointeurs[k]);
        h += "</p>";
    }
    h += "<div class=\"cote\">";
    if (s.original) texte(h, "Original", *s.original, "original");
    texte(h, "Traduction", s.traduction, "traduction");
    h += "</div>";
    if (!s.boites.empty()) {
        h += "<div class=\"boites\">";
        for (std::size_t k = 0; k < s.boites.size(); ++k)
            boite(h, m, s.boites[k], static_cast<int>(k) + 1, s, images, encodage);
        h += "</div>";
    }
    if (!s.problemes.empty()) {
        h += "<ul class=\"problemes\">";
        for (std::string const& p : s.problemes) h += "<li>" + echapper(p) + "</li>";
        h += "</ul>";
    }
    h += "</section>\n";
}

}  // namespace

std::string page_html(Feuille const& f, Apercu::Mise_en_page const& m, std::vector<std::string> const& images,
                      Echange::Encodage encodage) {
    std::string h = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\"><title>" + echapper(f.titre) +
                    "</title><style>" + style + "</style></head>\n<body>\n";
    en_tete(h, f);
    h += "<main>\n";
    for (Section const& s : f.sections) section(h, s, m, images, encodage);
    h += "</main>\n<script>" + std::string(script) + "</script>\n</body></html>\n";
    return h;
}

}  // namespace Epreuve
