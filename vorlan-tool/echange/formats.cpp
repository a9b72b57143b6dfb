#include "echange/formats.h"

#include <cctype>

#include "echange/csv.h"
#include "echange/tsv.h"

namespace Echange {

std::optional<Format> format_du_nom(std::string const& nom) {
    std::size_t const point = nom.rfind('.');
    if (point == std::string::npos) return std::nullopt;
    std::string fin = nom.substr(point + 1);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (fin == "po") return Format::po;
    if (fin == "pot") return Format::pot;
    if (fin == "csv") return Format::csv;
    if (fin == "tsv") return Format::tsv;
    return std::nullopt;
}

std::string ecrire(Format format, std::vector<Ligne_echange> lignes, En_tete_po const& en_tete) {
    if (format == Format::pot)
        for (Ligne_echange& l : lignes) {
            l.traduction.clear();
            l.flou = false;
        }
    switch (format) {
    case Format::po:
    case Format::pot: return ecrire_po(lignes, en_tete);
    case Format::csv: return ecrire_csv(lignes);
    case Format::tsv: return ecrire_tsv(lignes);
    }
    return {};
}

Lecture lire(Format format, std::string const& octets) {
    switch (format) {
    case Format::po:
    case Format::pot: return lire_po(octets);
    case Format::csv: return lire_csv(octets);
    case Format::tsv: return lire_tsv(octets);
    }
    return {};
}

char const* nom_du_format(Format format) {
    switch (format) {
    case Format::po:
    case Format::pot: return "PO";
    case Format::csv: return "CSV";
    case Format::tsv: return "TSV";
    }
    return "";
}

}  // namespace Echange
