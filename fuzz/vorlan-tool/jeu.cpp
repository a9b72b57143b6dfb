// Game layouts of any shape on small ROMs: one to three ranges of text (some of strings that
// carry their length), blocks of room, groups of pointers of every disposition and codes with a
// pointer in their parameters, laid out from the input, some slots and codes made to
// designate text. What the checks accept is extracted, and a script (the extraction itself,
// edited, or any text) inserted into the image. Whatever the input, an insertion writes only
// its room, the texts opening the ranges and the slots the script names; it writes nothing
// when it does not say so; the room it reports free is filled; and the unchanged extraction
// put back in script order, where it was read, gives back the very same ROM.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "support.h"
#include "insertion/encodage.h"
#include "insertion/image-rom.h"
#include "jeu/conversion.h"
#include "jeu/emplacements.h"
#include "jeu/chaines.h"
#include "jeu/extraction-jeu.h"
#include "jeu/insertion-jeu.h"
#include "jeu/integres.h"
#include "jeu/lecture-plages.h"
#include "jeu/marques.h"
#include "jeu/verification.h"
#include "tables/extracteur-table.h"
#include "tables/insereur-table.h"

namespace {

constexpr long long rom_max = 4096;

struct Paire {
    char const* ext;
    char const* ins;
};
// Pairs that undo each other, P among them; the input may also give any two texts.
constexpr Paire formules[] = {
    {"X", "X"}, {"X+P", "X-P"}, {"X-P", "X+P"}, {"X+$100", "X-$100"},
    {"X-$100", "X+$100"}, {"X*2", "X/2"}, {"X/2", "X*2"},
};
constexpr int nombre_de_formules = static_cast<int>(std::size(formules));

// One byte per letter and 00 for "#": every byte of a text made of them reads back as itself;
// F5 and F6 are codes of two and three parameter bytes, for embedded pointers.
constexpr unsigned char codes_integres[] = {0xF5, 0xF6};
std::string const table_lettres = [] {
    std::string t = "00=#\n$F5=<SAUT>,2\n$F6=<MENU>,3\n";
    char ligne[8];
    for (char c = 'A'; c <= 'Z'; ++c) {
        std::snprintf(ligne, sizeof ligne, "%02X=%c\n", static_cast<unsigned>(c), c);
        t += ligne;
    }
    return t;
}();

bool lettre(unsigned char octet) { return octet == 0 || (octet >= 'A' && octet <= 'Z'); }

// Ranges and slots drawn up the ROM from a cursor, so that they mostly lie apart; small steps
// back let them meet at times, for the checks to refuse.
class Implantation {
public:
    explicit Implantation(FuzzedDataProvider& in) : in_(in) {}

    long long fin() const { return curseur_; }

    Jeu::Plage plage() {
        long long const debut = curseur_ + ecart();
        long long const fin = debut + in_.ConsumeIntegralInRange<long long>(0, 160) - 1;
        curseur_ = std::max(curseur_, fin + 1);
        return {debut, fin};
    }

    // A range of textes, of strings that carry their length at times.
    Jeu::Plage plage_de_textes() {
        Jeu::Plage p = plage();
        p.longueur = in_.ConsumeIntegralInRange<int>(-2, 2);
        if (p.longueur < 0) p.longueur = 0;
        p.ordre = in_.ConsumeBool() ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
        return p;
    }

    Jeu::Integre integre(std::size_t k) {
        Jeu::Integre i;
        i.code = {codes_integres[k]};
        i.taille = in_.ConsumeIntegralInRange<int>(1, 2);
        i.position = in_.ConsumeIntegralInRange<int>(0, 1 + static_cast<int>(k));
        i.ordre = in_.ConsumeBool() ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
        Paire const& f = formules[in_.ConsumeIntegralInRange<int>(0, nombre_de_formules - 1)];
        i.formule_ext = f.ext;
        i.formule_ins = f.ins;
        return i;
    }

    Jeu::Groupe groupe() {
        Jeu::Groupe g;
        g.disposition = static_cast<Jeu::Disposition>(in_.ConsumeIntegralInRange<int>(0, 2));
        g.nombre = in_.ConsumeIntegralInRange<int>(0, 12);
        g.taille = in_.ConsumeIntegralInRange<int>(1, 4);
        g.pas = in_.ConsumeIntegralInRange<long long>(-1, 6);
        g.ordre = in_.ConsumeBool() ? Ordre_octets::petit_boutiste : Ordre_octets::grand_boutiste;
        int const formule = in_.ConsumeIntegralInRange<int>(0, nombre_de_formules);
        if (formule < nombre_de_formules) {
            g.formule_ext = formules[formule].ext;
            g.formule_ins = formules[formule].ins;
        } else {
            g.formule_ext = in_.ConsumeRandomLengthString(24);
            g.formule_ins = in_.ConsumeRandomLengthString(24);
        }
        if (in_.ConsumeBool()) g.decalage_ins = in_.ConsumeIntegralInRange<long long>(-0x100, 0x100);
        g.debut_texte = in_.ConsumeBool();
        disposer(g);
        return g;
    }

private:
    long long ecart() { return in_.ConsumeIntegralInRange<long long>(-2, 8); }

    void disposer(Jeu::Groupe& g) {
        if (g.disposition == Jeu::Disposition::suite) g.adresse = curseur_ + ecart();
        long long const etendue = std::max<long long>(1, g.nombre * g.pas);
        if (g.disposition == Jeu::Disposition::eclate)
            for (int k = 0; k < g.taille; ++k)
                g.octets.push_back(curseur_ = curseur_ + ecart() + (k > 0 ? etendue : 0));
        if (g.disposition == Jeu::Disposition::liste)
            for (int i = 0; i < g.nombre; ++i)
                g.liste.push_back(curseur_ = curseur_ + ecart() + (i > 0 ? g.taille : 0));
        for (int i = 0; i < g.nombre; ++i)
            for (int k = 0; k < g.taille; ++k) curseur_ = std::max(curseur_, Jeu::octet_du_pointeur(g, i, k) + 1);
    }

    FuzzedDataProvider& in_;
    long long curseur_ = 0;
};

Jeu::Description decrire(FuzzedDataProvider& in, Implantation& implantation) {
    Jeu::Description d;
    bool const groupes_d_abord = in.ConsumeBool();
    int const textes = in.ConsumeIntegralInRange<int>(1, 3);
    int const groupes = in.ConsumeIntegralInRange<int>(1, 3);
    int const blocs = in.ConsumeIntegralInRange<int>(1, 3);
    auto poser_textes = [&] {
        for (int r = 0; r < textes; ++r) d.textes.push_back(implantation.plage_de_textes());
    };
    auto poser_groupes = [&] {
        for (int g = 0; g < groupes; ++g) d.groupes.push_back(implantation.groupe());
    };
    if (groupes_d_abord) poser_groupes();
    poser_textes();
    if (!groupes_d_abord) poser_groupes();
    // The room is the text's own, as most descriptions have it, or blocks that may each be a
    // range of textes, room further up, or any two offsets.
    bool const la_meme_place = in.ConsumeBool();
    for (int b = 0; b < blocs && !la_meme_place; ++b) {
        int const choix = in.ConsumeIntegralInRange<int>(0, 2);
        if (choix == 0 && b < textes)
            d.espace.push_back(d.textes[static_cast<std::size_t>(b)]);
        else if (choix == 2)
            d.espace.push_back({in.ConsumeIntegralInRange<long long>(-2, rom_max),
                                in.ConsumeIntegralInRange<long long>(-2, rom_max)});
        else
            d.espace.push_back(implantation.plage());
    }
    if (la_meme_place)
        for (Jeu::Plage const& p : d.textes) d.espace.push_back({p.debut, p.fin});
    d.remplissage = in.ConsumeIntegral<std::uint8_t>();
    int const integres = in.ConsumeIntegralInRange<int>(0, 2);
    for (int k = 0; k < integres; ++k) d.integres.push_back(implantation.integre(static_cast<std::size_t>(k)));
    return d;
}

// The input's bytes, then a padding byte; with letters, every text byte read as a letter or 00.
std::vector<unsigned char> faire_rom(FuzzedDataProvider& in, Jeu::Description const& d, long long taille) {
    std::size_t const donnees = in.ConsumeIntegralInRange<std::size_t>(0, static_cast<std::size_t>(taille));
    std::vector<unsigned char> rom = in.ConsumeBytes<unsigned char>(donnees);
    rom.resize(static_cast<std::size_t>(taille), in.ConsumeIntegral<std::uint8_t>());
    if (!in.ConsumeBool()) return rom;
    for (Jeu::Plage const& p : d.textes)
        for (long long o = std::max(0LL, p.debut); o <= p.fin && o < taille; ++o) {
            unsigned char& octet = rom[static_cast<std::size_t>(o)];
            octet = octet % 27 == 26 ? 0 : static_cast<unsigned char>('A' + octet % 27);
        }
    return rom;
}

// A byte of a range of textes, drawn from the input; nothing when the range is empty.
std::optional<long long> octet_d_une_plage(FuzzedDataProvider& in, Jeu::Description const& d) {
    Jeu::Plage const& r = d.textes[in.ConsumeIntegralInRange<std::size_t>(0, d.textes.size() - 1)];
    long long const avance = in.ConsumeIntegralInRange<long long>(0, 255);
    if (r.fin < r.debut) return std::nullopt;
    return r.debut + avance % (r.fin - r.debut + 1);
}

// Some embedded codes written into the ranges, their pointer designating a byte of a range
// when it can reach it.
void semer_les_codes(FuzzedDataProvider& in, Jeu::Description const& d, std::vector<unsigned char>& rom) {
    int const nombre = d.integres.empty() ? 0 : in.ConsumeIntegralInRange<int>(0, 6);
    for (int k = 0; k < nombre; ++k) {
        Jeu::Integre const& i = d.integres[in.ConsumeIntegralInRange<std::size_t>(0, d.integres.size() - 1)];
        std::optional<long long> const ou = octet_d_une_plage(in, d);
        std::optional<long long> const cible = octet_d_une_plage(in, d);
        if (!ou || !cible) continue;
        long long const p = *ou + 1 + i.position;
        // Ranges not checked yet may leave the ROM.
        if (*ou < 0 || p + i.taille > static_cast<long long>(rom.size())) continue;
        rom[static_cast<std::size_t>(*ou)] = i.code[0];
        if (std::optional<std::uint32_t> const v = Jeu::Conversion(i).valeur(*cible, p))
            ecrire_entier_borne(rom, p, i.taille, i.ordre, *v);
    }
}

// Some pointers given the value that designates a byte of a range, when they can reach it.
void viser(FuzzedDataProvider& in, Jeu::Description const& d, std::vector<unsigned char>& rom) {
    std::vector<Jeu::Pointeur_jeu> const pointeurs = Jeu::numeroter(d);
    for (Jeu::Pointeur_jeu const& p : pointeurs) {
        if (!in.ConsumeBool()) continue;
        Jeu::Plage const& r = d.textes[in.ConsumeIntegralInRange<std::size_t>(0, d.textes.size() - 1)];
        long long const avance = in.ConsumeIntegralInRange<long long>(0, 255);
        if (r.fin < r.debut) continue;
        Jeu::Groupe const& g = d.groupes[static_cast<std::size_t>(p.groupe)];
        std::optional<std::uint32_t> const v =
            Jeu::Conversion(g).valeur(r.debut + avance % (r.fin - r.debut + 1), Jeu::emplacement(g, p.rang));
        if (!v) continue;
        for (int k = 0; k < g.taille; ++k) {
            long long const o = Jeu::octet_du_pointeur(g, p.rang, k);
            if (o >= 0 && o < static_cast<long long>(rom.size()))
                rom[static_cast<std::size_t>(o)] = static_cast<unsigned char>(*v >> Jeu::decalage_de_l_octet(g, k));
        }
    }
}

enum class Script { extrait, insere, coupe, brut };

std::string faire_script(FuzzedDataProvider& in, Script forme, std::string extrait) {
    switch (forme) {
    case Script::extrait: return extrait;
    case Script::insere: {
        std::string const ajout = in.ConsumeRandomLengthString(40);
        std::size_t const ou = in.ConsumeIntegralInRange<std::size_t>(0, 0xFFFF) % (extrait.size() + 1);
        return extrait.insert(ou, ajout);
    }
    case Script::coupe: {
        std::size_t const ou = in.ConsumeIntegralInRange<std::size_t>(0, 0xFFFF) % (extrait.size() + 1);
        return extrait.erase(ou, in.ConsumeIntegralInRange<std::size_t>(0, 64));
    }
    case Script::brut: return in.ConsumeRemainingBytesAsString();
    }
    return extrait;
}

// A piece of the script encoded as the insertion encodes it: the range its marker names, if
// that range holds strings that carry their length, line by line.
Insereur::Encodage encoder_morceau(Jeu::Morceau const& m, Jeu::Description const& d, Insereur::Table_ins const& table) {
    std::vector<Insereur::Code_a_renvoi> const codes = Jeu::codes_a_renvoi(d);
    Jeu::Encodeur const encodeur = [&](std::string const& texte) { return Insereur::encoder(texte, table, codes); };
    for (std::size_t r = 0; r < d.textes.size() && m.plage; ++r)
        if (d.textes[r].debut == m.plage->debut && d.textes[r].fin == m.plage->fin && d.textes[r].longueur > 0)
            return Jeu::encoder_chaines(m.texte, encodeur, d, r).encodage;
    return encodeur(m.texte);
}

// The opening texts as insertion puts them back, when they fit their range: [debut, fin].
std::vector<Jeu::Plage> ouvertures(std::string const& script, Jeu::Description const& d,
                                   Insereur::Table_ins const& table) {
    std::vector<Jeu::Plage> resultat;
    for (Jeu::Morceau const& m : Jeu::decouper(script)) {
        if (!m.plage) continue;
        Insereur::Texte_encode const ouverture = encoder_morceau(m, d, table).textes.front();
        long long const taille = static_cast<long long>(ouverture.octets.size());
        if (ouverture.pointeurs.empty() && taille <= m.plage->fin - m.plage->debut + 1)
            resultat.push_back({m.plage->debut, m.plage->debut + taille - 1});
    }
    return resultat;
}

// What the insertion may write: the room, the opening texts and the slots of every pointer
// the script tags.
std::vector<bool> ecritures_permises(Jeu::Description const& d, std::string const& script,
                                     Insereur::Table_ins const& table, std::vector<Jeu::Plage> const& debuts,
                                     std::size_t taille_rom) {
    std::vector<bool> permis(taille_rom, false);
    auto permettre = [&permis](long long debut, long long fin) {
        for (long long o = std::max(0LL, debut); o <= fin && o < static_cast<long long>(permis.size()); ++o)
            permis[static_cast<std::size_t>(o)] = true;
    };
    for (Jeu::Plage const& b : d.espace) permettre(b.debut, b.fin);
    for (Jeu::Plage const& o : debuts) permettre(o.debut, o.fin);
    std::vector<Jeu::Pointeur_jeu> const pointeurs = Jeu::numeroter(d);
    for (Jeu::Morceau const& m : Jeu::decouper(script))
        for (Insereur::Texte_encode const& t : encoder_morceau(m, d, table).textes)
            for (int n : t.pointeurs) {
                if (n < 1 || n > static_cast<int>(pointeurs.size())) continue;
                Jeu::Pointeur_jeu const& p = pointeurs[static_cast<std::size_t>(n - 1)];
                Jeu::Groupe const& g = d.groupes[static_cast<std::size_t>(p.groupe)];
                for (int k = 0; k < g.taille; ++k) {
                    long long const o = Jeu::octet_du_pointeur(g, p.rang, k);
                    permettre(o, o);
                }
            }
    return permis;
}

void verifier_ecritures(Jeu::Description const& d, std::string const& script, Insereur::Table_ins const& table,
                        std::vector<Jeu::Plage> const& debuts, Insereur::Image_rom const& image) {
    std::vector<bool> const permis =
        ecritures_permises(d, script, table, debuts, static_cast<std::size_t>(image.taille()));
    for (Insereur::Image_rom::Zone const& z : image.zones_ecrites())
        for (std::size_t o = z.first; o < z.second; ++o)
            if (!permis[o]) __builtin_trap();
}

// Every block as described, its counts within it, and its free room at its end holding the
// fill byte, wherever no opening text begins inside it to split it.
void verifier_blocs(Jeu::Description const& d, Jeu::Bilan const& bilan, std::vector<unsigned char> const& rom,
                    std::vector<Jeu::Plage> const& debuts) {
    if (bilan.blocs.size() != d.espace.size()) __builtin_trap();
    for (std::size_t b = 0; b < d.espace.size(); ++b) {
        Jeu::Bilan::Bloc const& bloc = bilan.blocs[b];
        Jeu::Plage const& p = d.espace[b];
        if (bloc.debut != p.debut || bloc.fin != p.fin || bloc.libre < 0 || bloc.utilise < 0 ||
            bloc.utilise + bloc.libre != p.fin - p.debut + 1)
            __builtin_trap();
        if (!bilan.ecrit) continue;
        bool const coupe = std::any_of(debuts.begin(), debuts.end(), [&p](Jeu::Plage const& o) {
            return o.fin >= o.debut && o.debut > p.debut && o.debut <= p.fin;
        });
        if (coupe) continue;
        for (long long o = p.debut + bloc.utilise; o <= p.fin; ++o)
            if (rom[static_cast<std::size_t>(o)] != d.remplissage) __builtin_trap();
    }
}

// A zero tail of a range of strings comes back as the fill when the fill is zero.
bool rapport_reversible(Rapport const& r, Jeu::Description const& d) {
    return r.message == Message::jeu_chaines_zeros && d.remplissage == 0;
}

// Every unit of text reads as itself: a letter, or an embedded code whose pointer holds the
// one value the insertion gives its target (its parameters are raw bytes otherwise).
bool unites_reversibles(Extracteur::Table_ext const& table, Jeu::Description const& d,
                        std::vector<unsigned char> const& rom) {
    Jeu::Lecture const lecture = Jeu::lire_plages(table, rom, d);
    for (std::vector<Jeu::Unite> const& unites : lecture.plages)
        for (Jeu::Unite const& u : unites) {
            if (u.sorte == Jeu::Unite::Sorte::prefixe) continue;
            if (u.integre < 0) {
                if (u.longueur != 1 || !lettre(rom[static_cast<std::size_t>(u.debut)])) return false;
                continue;
            }
            Jeu::Integre const& i = d.integres[static_cast<std::size_t>(u.integre)];
            long long const p = u.debut + static_cast<long long>(u.cle) + i.position;
            std::uint32_t v = 0;
            lire_entier_borne(rom, p, i.taille, i.ordre, v);
            Jeu::Conversion const c(i);
            std::optional<long long> const cible = c.position(v, p);
            if (!cible || c.valeur(*cible, p) != v) return false;
        }
    return true;
}

// Whether the extraction can be put back byte for byte: every unit of text reads as itself,
// every pointer was tagged, and each holds the one value the insertion gives its position.
bool reversible(Extracteur::Table_ext const& table, Jeu::Description const& d, std::vector<unsigned char> const& rom,
                Extracteur::Extraction const& e) {
    if (!std::all_of(e.rapports.begin(), e.rapports.end(), [&d](Rapport const& r) { return rapport_reversible(r, d); }))
        return false;
    if (!unites_reversibles(table, d, rom)) return false;
    for (Jeu::Pointeur_jeu const& p : Jeu::numeroter(d)) {
        Jeu::Groupe const& g = d.groupes[static_cast<std::size_t>(p.groupe)];
        Jeu::Conversion const c(g);
        std::uint32_t const v = Jeu::lire_pointeur(rom, g, p.rang);
        std::optional<long long> const position = c.position(v, Jeu::emplacement(g, p.rang));
        if (!position || c.valeur(*position, Jeu::emplacement(g, p.rang)) != v) return false;
    }
    return true;
}

bool memes_plages(std::vector<Jeu::Plage> const& a, std::vector<Jeu::Plage> const& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](Jeu::Plage const& x, Jeu::Plage const& y) { return x.debut == y.debut && x.fin == y.fin; });
}

// The extraction put back unchanged, in script order, where it was read.
void verifier_aller_retour(Insereur::Table_ins const& codes, std::string const& script, Jeu::Description const& d,
                           std::vector<unsigned char> const& rom) {
    Insereur::Image_rom image(rom);
    Jeu::Insertion_jeu const insertion = Jeu::inserer(codes, script, d, Jeu::Options_insertion{}, image);
    if (insertion.refusee || !insertion.bilan.ecrit || image.octets() != rom) __builtin_trap();
}

// Nothing written unless the insertion says so, which it does exactly when every text found
// room or it may be partial; then only where it may write, and its blocs as they are.
void verifier_insertion(Jeu::Description const& d, std::string const& script, Insereur::Table_ins const& codes,
                        Jeu::Options_insertion const& options, Jeu::Insertion_jeu const& insertion,
                        std::vector<unsigned char> const& rom, Insereur::Image_rom const& image) {
    Jeu::Bilan const& bilan = insertion.bilan;
    if (image.taille() != static_cast<int>(rom.size())) __builtin_trap();
    if (!bilan.ecrit && !image.zones_ecrites().empty()) __builtin_trap();
    if (insertion.refusee) {
        if (bilan.ecrit) __builtin_trap();
        return;
    }
    if (bilan.ecrit != (bilan.manquants.empty() || options.partiel)) __builtin_trap();
    std::vector<Jeu::Plage> const debuts = ouvertures(script, d, codes);
    verifier_ecritures(d, script, codes, debuts, image);
    verifier_blocs(d, bilan, image.octets(), debuts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Implantation implantation(in);
    Jeu::Description const d = decrire(in, implantation);
    long long const taille =
        std::clamp(implantation.fin() + in.ConsumeIntegralInRange<long long>(-2, 16), 0LL, rom_max);
    std::vector<unsigned char> rom = faire_rom(in, d, taille);
    semer_les_codes(in, d, rom);
    viser(in, d, rom);
    bool const lettres = in.ConsumeBool();
    std::string const table = lettres ? table_lettres : in.ConsumeRandomLengthString(300);
    Jeu::Options_insertion options;
    options.placement = in.ConsumeBool() ? Jeu::Mode_placement::compact : Jeu::Mode_placement::ordre;
    options.fusionner = in.ConsumeBool();
    options.partiel = in.ConsumeBool();
    auto const forme = static_cast<Script>(in.ConsumeIntegralInRange<int>(0, 3));

    Rapports const refus = Jeu::verifier(d, taille);
    fuzz::formater_tout(refus);
    if (!refus.empty()) return 0;
    Extracteur::Table_ext caracteres;
    fuzz::formater_tout(caracteres.charger(table));
    Rapports const codes_refuses = Jeu::verifier_integres(d, caracteres);
    fuzz::formater_tout(codes_refuses);
    if (!codes_refuses.empty()) return 0;
    Insereur::Table_ins codes;
    fuzz::formater_tout(codes.charger(table));
    Extracteur::Extraction const extraction = Jeu::extraire(caracteres, rom, d);
    fuzz::formater_tout(extraction.rapports);
    if (lettres && memes_plages(d.espace, d.textes) && reversible(caracteres, d, rom, extraction))
        verifier_aller_retour(codes, extraction.script, d, rom);
    std::string const script = faire_script(in, forme, extraction.script);
    Insereur::Image_rom image(rom);
    Jeu::Insertion_jeu const insertion = Jeu::inserer(codes, script, d, options, image);
    fuzz::formater_tout(insertion.rapports);
    verifier_insertion(d, script, codes, options, insertion, rom, image);
    return 0;
}
