#include "lib/catalogue.h"

namespace {

struct Entree {
    Message message;
    Genre genre;
    char const* texte;
};

// Some texts keep the spellings scripts have always seen ("ouvir", "paranthèses", "inseré",
// "detectée", "érronée", "nom d'argument"): they are what callers compare against.
constexpr Entree catalogue[] = {
    {Message::texte_brut, Genre::erreur, "%s"},

    {Message::banniere, Genre::information, "Vorlan-tool version 1.1\n"},
    {Message::usage, Genre::information,
     "Utilisation :\n  %s [option]\n\nOptions :\n  -h : affiche ce message\n  -i : mode interactif\n"
     "  -e [lua_script] : execute le fichier [lua_script]\n"},
    {Message::invite, Genre::information, "> "},
    {Message::invite_suite, Genre::information, ">> "},
    {Message::erreur_interpreteur, Genre::erreur, "%s\n"},
    {Message::fin_de_ligne, Genre::information, "\n"},
    {Message::message_absent, Genre::erreur, "(message d'erreur absent)"},
    {Message::memoire_insuffisante, Genre::erreur, "Erreur, mémoire insuffisante\n"},
    {Message::hex_nombre_d_arguments, Genre::erreur, "Le nombre d'arguments est incorrect dans la fonction hex\n."},
    {Message::hex_arguments_incorrects, Genre::erreur, "Arguments incorrects donnés à la fonction hex\n."},

    {Message::argument_chaine, Genre::erreur, "Erreur, l'argument %d doit être une chaine\n"},
    {Message::argument_nombre, Genre::erreur, "Erreur, l'argument %d doit être un nombre\n"},
    {Message::argument_incorrect, Genre::erreur, "Erreur, l'argument %d est incorrect\n"},
    {Message::nombre_d_arguments_incorrect, Genre::erreur, "La fonction \"%s\" a un nombre d'argument incorrect\n"},
    {Message::nom_d_argument_incorrect, Genre::erreur, "La fonction \"%s\" a un nom d'argument incorrect\n"},
    {Message::profil_inconnu, Genre::erreur, "L'argument \"%s\" est incorrect\n"},

    {Message::extraction_debut, Genre::information, "Extraction du fichier '%s' à partir du fichier '%s'...\n"},
    {Message::extraction_fin, Genre::information, "Extraction terminée !\n\n"},
    {Message::insertion_debut, Genre::information, "Insertion du fichier '%s' dans le fichier '%s'...\n"},
    {Message::insertion_fin, Genre::information, "Insertion terminée !\n\n"},
    {Message::extraction_fixe_debut, Genre::information, "Extraction fixe du fichier '%s' à partir du fichier '%s'...\n"},
    {Message::extraction_fixe_fin, Genre::information, "Extraction fixe terminée !\n\n"},
    {Message::insertion_fixe_debut, Genre::information, "Insertion fixe du fichier '%s' dans le fichier '%s'...\n"},
    {Message::insertion_fixe_fin, Genre::information, "Insertion fixe terminée !\n\n"},
    {Message::optimisation_debut, Genre::information, "Optimisation DTE du fichier '%s'\n"},
    {Message::optimisation_fin, Genre::information, "Optimisation DTE terminée !\n\n"},
    {Message::suppression_debut, Genre::information, "Suppression des mots de la liste '%s' dans le fichier '%s'...\n"},
    {Message::suppression_fin, Genre::information, "Suppression terminée !\n\n"},
    {Message::mise_en_forme_debut, Genre::information, "Mise en forme du fichier '%s'...\n"},
    {Message::mise_en_forme_fin, Genre::information, "Mise en forme terminée !\n\n"},

    {Message::fopen_impossible, Genre::erreur, "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n"},
    {Message::fopen_impossible_ligne, Genre::erreur, "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n\n"},
    {Message::ouverture_impossible, Genre::erreur, "Impossible d'ouvrir le fichier \"%s\"\n"},
    {Message::ouverture_impossible_ligne, Genre::erreur, "Impossible d'ouvrir le fichier \"%s\"\n\n"},
    {Message::ouverture_impossible_dte, Genre::erreur, "Impossible d'ouvir le fichier \"%s\"\n"},
    {Message::fseek_position, Genre::erreur, "fseek_error : Impossible d'atteindre la position demandée dans le fichier \"%s\"\n"},
    {Message::fseek_origine, Genre::erreur, "fseek_error : La position d'origine est incorrecte\n"},
    {Message::lecture_impossible, Genre::erreur, "Erreur, impossible de lire le fichier \"%s\"\n"},
    {Message::ecriture_impossible, Genre::erreur, "Erreur, impossible d'écrire dans le fichier \"%s\"\n"},
    {Message::script_est_la_rom, Genre::erreur, "Erreur, le script '%s' est le fichier de la rom : il ne sera pas écrasé\n"},
    {Message::script_est_la_table, Genre::erreur, "Erreur, le script '%s' est le fichier de la table : il ne sera pas écrasé\n"},
    {Message::sortie_est_une_entree, Genre::erreur,
     "Erreur, le fichier '%s' à écrire est le fichier '%s' que la commande lit : il ne sera pas écrasé\n"},
    {Message::cause_fichier_intact, Genre::erreur, "Cause : %s. Le fichier \"%s\" n'a pas été modifié.\n"},
    {Message::temporaire_impossible, Genre::erreur,
     "Erreur, impossible de créer un fichier temporaire à côté de \"%s\" : %s. Le fichier n'a pas été modifié.\n"},
    {Message::dossier_non_synchronise, Genre::attention,
     "Attention, le dossier du fichier \"%s\" n'a pas pu être synchronisé sur le disque (%s) : le fichier a bien "
     "été remplacé.\n"},

    {Message::valeur_hexadecimale_incorrecte, Genre::erreur, "%s n'est pas une valeur hexadécimale correcte\n"},
    {Message::valeur_incorrecte, Genre::erreur, "%s n'est pas une valeur correcte\n"},
    {Message::parentheses, Genre::erreur, "Erreur, il y a une erreur dans les paranthèses\n"},
    {Message::resultat_negatif, Genre::erreur, "math_error : Le résultat va être négatif, calcul arrêté.\n"},
    {Message::division_par_zero, Genre::erreur, "math_error : Tentative de division par zéro, calcul arrêté.\n"},
    {Message::formule_incorrecte, Genre::erreur, "math_error : La formule est incorrecte, calcul arrêté.\n"},
    {Message::formule_trop_longue, Genre::erreur, "math_error : La formule est trop longue, calcul arrêté.\n"},
    {Message::nombre_trop_long, Genre::erreur, "math_error : Un nombre de la formule est trop long, calcul arrêté.\n"},

    {Message::entree_vide, Genre::attention, "Une entrée vide a été detectée (\"%s=%s\")\n"},
    {Message::entree_existante, Genre::attention, "Attention, il existe déjà une entrée : \"%s=%s\"\n"},
    {Message::entree_ignoree, Genre::attention, "L'entrée \"%s=%s\" sera ignorée\n"},
    {Message::table_utf16, Genre::attention,
     "Attention, la table est en UTF-16 : elle est lue convertie en UTF-8, et le script doit l'être aussi\n"},
    {Message::ligne_sans_egal, Genre::attention,
     "Attention, la ligne %d de la table n'est pas une entrée, il lui manque un \"=\" (\"%s\") : elle est ignorée\n"},
    {Message::ligne_directive, Genre::attention,
     "Attention, la ligne %d de la table est une directive (\"%s\") : le changement de table n'est pas pris en "
     "charge, elle est ignorée\n"},
    {Message::cle_non_hexadecimale, Genre::attention,
     "Attention, la ligne %d de la table a une clé qui n'est pas hexadécimale (\"%s\") : elle est ignorée\n"},
    {Message::parametres_incorrects, Genre::attention,
     "Attention, la ligne %d de la table ne dit pas combien de paramètres suivent son code (\"%s\", attendu "
     "\"$XX=nom,N\" avec N de 0 à 255) : elle est ignorée\n"},
    {Message::cle_trop_longue, Genre::attention,
     "Attention, la clé de la ligne %d de la table dépasse 256 caractères : la ligne est ignorée\n"},
    {Message::texte_trop_long, Genre::attention,
     "Attention, le texte de la ligne %d de la table dépasse 256 caractères : il est coupé\n"},
    {Message::liste_taille_max, Genre::information, "Taille max : %d\n"},
    {Message::liste_entree, Genre::information, "%s\t\"%s\"\n"},

    {Message::debut_apres_fin, Genre::erreur, "Erreur, le début du texte se situe après la fin du texte\n"},
    {Message::texte_hors_rom, Genre::erreur, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
    {Message::pointeurs_hors_rom, Genre::erreur, "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n"},
    {Message::nombre_de_pointeurs_negatif, Genre::erreur, "Erreur, le nombre de pointeurs est négatif\n"},
    {Message::taille_des_pointeurs, Genre::erreur, "Erreur, la taille des pointeurs est incorrecte\n"},
    {Message::nombre_de_mots_negatif, Genre::erreur, "Erreur, le nombre de mots est négatif\n"},
    {Message::taille_des_mots_negative, Genre::erreur, "Erreur, la taille des mots est négative\n"},

    {Message::pointeur_non_repere, Genre::attention,
     "Attention, le pointeur numéro %d est situé hors de la rom, il ne sera pas repéré\n"},
    {Message::pointeurs_non_reperes, Genre::attention,
     "Attention, les pointeurs numéros %d à %d sont situés hors de la rom, ils ne seront pas repérés\n"},
    {Message::mots_au_dela_de_la_rom, Genre::attention,
     "Attention, les mots dépassent la fin de la rom : seuls les %lld octets qui s'y trouvent seront lus\n"},
    {Message::mot_non_extrait, Genre::attention, "Attention, le mot %d est situé hors de la rom, il ne sera pas extrait\n"},
    {Message::mots_non_extraits, Genre::attention,
     "Attention, les mots %d à %d sont situés hors de la rom, ils ne seront pas extraits\n"},

    {Message::caractere_inconnu, Genre::erreur, "Le caractère \"%s\" est inconnu (\"%s\")...\n"},
    {Message::pointeur_au_dela_du_nombre, Genre::erreur,
     "Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est supérieur au nombre de pointeurs\n"},
    {Message::pointeur_inferieur_a_un, Genre::erreur,
     "Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est inférieur à 1\n"},
    {Message::pointeur_hors_rom, Genre::erreur,
     "Erreur : le pointeur numéro %d ne sera pas inseré : son emplacement est situé hors de la rom\n"},
    {Message::espace_insuffisant, Genre::erreur, "Espace insuffisant, il manque %lld octets...\n"},
    {Message::octets_restants, Genre::information, "%d octets restants\n"},
    {Message::mot_trop_court, Genre::attention, "Le mot %d est trop court\n"},
    {Message::souligne_absent, Genre::attention, "Le caractère '_' n'est pas défini dans la table...\n"},
    {Message::mot_trop_long, Genre::attention, "Le mot %d est trop long\n"},
    {Message::mot_au_dela_de_la_rom, Genre::erreur, "Erreur : le mot %d ne sera pas inseré : il dépasse la fin de la rom\n"},

    {Message::dte_entete, Genre::information, "DTE\tApparitions\n"},
    {Message::dte_paire, Genre::information, "\"%c%c\"\t%d\n"},
    {Message::dte_score, Genre::information, "Score : %d\n"},
    {Message::mte_taille, Genre::information, "Taille mte : %d\n"},
    {Message::mte_taille_incorrecte, Genre::erreur, "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
    {Message::mte_nombre_incorrect, Genre::erreur, "Erreur, le nombre de MTE indiqué est incorrect\n"},
    {Message::mte_taille_maximale, Genre::erreur, "Erreur, la taille maximale d'une MTE doit être supérieure à %d\n"},
    {Message::mte_texte_vide, Genre::information, "Empty text.\n"},
    {Message::mte_mot, Genre::information, "Taille : %8i  Apparitions : %8i  Score : %8i   \"%s\"\n"},
    {Message::mte_score_total, Genre::information, "Score total : %d\n"},

    {Message::alb_entree_erronee, Genre::attention, "Une entrée érronée a été detectée (\"%s=%s\")\n"},
    {Message::alb_entree_existante, Genre::attention, "Attention, il existe déjà une entrée : \"%s\"=\"%s\"\n"},
    {Message::alb_linebreak_deja_defini, Genre::attention,
     "Un LINEBREAK a déjà été défini. L'entrée \"%s\"=\"%s\" ne sera pas prise en compte\n"},
    {Message::alb_defaut_deja_defini, Genre::attention,
     "Une valeur par défaut a déjà été définie. L'entrée \"%s=%s\" ne sera pas considérée comme par défaut\n"},
    {Message::alb_espace_absent, Genre::erreur, "L'espace n'a pas été défini... Arrêt du programme...\n"},
    {Message::alb_new_defaut_absent, Genre::erreur, "Aucune balise NEW_DEFAUT n'a été trouvée... Arrêt du programme...\n"},
    {Message::alb_linebreak_absent, Genre::erreur, "Aucune balise LINEBREAK n'a été trouvée... Arrêt du programme...\n"},
    {Message::alb_liste_entete, Genre::information, "Max : %d\nTaille espace : %d\nLinebreak : %s\nDefaut NEW : %s\n"},
    {Message::alb_liste_entree, Genre::information, "\"%s\"\t\"%s\"\n"},
    {Message::alb_caractere_inconnu, Genre::erreur, "Le caractère '%c' est inconnu (\"%s\")\n"},
    {Message::bloc_sans_fin, Genre::attention, "Attention, le bloc du pointeur %d n'a pas de balise de fin."},
    {Message::pointeur_dans_le_bloc, Genre::attention, "Attention, le pointeur numéro %d a été détecté dans le bloc du pointeur %d...\n"},

    {Message::mot_supprime, Genre::information, "Mot : %10s   Taille : %2d   Apparitions : %d\n"},

    {Message::verification_debut, Genre::information, "Vérification de la mise en forme du fichier '%s'...\n"},
    {Message::verification_fin, Genre::information, "Vérification terminée !\n\n"},
    {Message::ligne_trop_large, Genre::probleme,
     "Ligne trop large : pointeur %d, boîte %d, ligne %d : largeur %lld pour %d (\"%s\")\n"},
    {Message::boite_trop_pleine, Genre::probleme, "Boîte trop pleine : pointeur %d, boîte %d : %d lignes pour %d\n"},
    {Message::bloc_sans_fin_verifie, Genre::attention, "Attention, le bloc du pointeur %d n'a pas de balise de fin.\n"},
    {Message::problemes_trouves, Genre::information, "%d problème(s) trouvé(s)\n"},

    {Message::creation_patch_debut, Genre::information, "Création du patch '%s' de '%s' vers '%s'...\n"},
    {Message::creation_patch_fin, Genre::information, "Création du patch terminée !\n\n"},
    {Message::application_patch_debut, Genre::information, "Application du patch '%s' à '%s' vers '%s'...\n"},
    {Message::application_patch_fin, Genre::information, "Application du patch terminée !\n\n"},
    {Message::patch_extension, Genre::erreur, "Erreur, le patch '%s' doit finir par \".ips\" ou \".bps\"\n"},
    {Message::ips_trop_grand, Genre::erreur,
     "Erreur, la rom modifiée '%s' fait %lld octets : un patch IPS ne décrit pas plus de 16 Mio, faites un patch "
     "BPS (\".bps\")\n"},
    {Message::ips_troncature_impossible, Genre::erreur,
     "Erreur, la rom modifiée '%s' fait 16 Mio et l'originale plus : un patch IPS ne peut pas la raccourcir, faites "
     "un patch BPS (\".bps\")\n"},
    {Message::bps_trop_grand, Genre::erreur, "Erreur, un patch BPS ne décrit pas de rom de plus de 1 Gio\n"},
    {Message::patch_ips_cree, Genre::information, "Patch IPS '%s' : %d enregistrements dont %d RLE, %lld octets\n"},
    {Message::patch_bps_cree, Genre::information, "Patch BPS '%s' : %lld octets\n"},
    {Message::patch_inconnu, Genre::erreur, "Erreur, le fichier '%s' n'est ni un patch IPS ni un patch BPS\n"},
    {Message::ips_enregistrement_tronque, Genre::erreur,
     "Erreur, le patch IPS '%s' est tronqué : l'enregistrement de l'octet %lld est coupé\n"},
    {Message::ips_fin_absente, Genre::erreur,
     "Erreur, le patch IPS '%s' est tronqué : sa fin (\"EOF\") manque à l'octet %lld\n"},
    {Message::ips_rle_vide, Genre::erreur,
     "Erreur, le patch IPS '%s' est incorrect : l'enregistrement RLE de l'octet %lld a une longueur nulle\n"},
    {Message::ips_octets_apres_fin, Genre::erreur,
     "Erreur, le patch IPS '%s' est incorrect : des octets suivent sa fin, à l'octet %lld\n"},
    {Message::bps_tronque, Genre::erreur, "Erreur, le patch BPS '%s' est tronqué\n"},
    {Message::bps_endommage, Genre::erreur, "Erreur, le patch BPS '%s' est endommagé (CRC32 %08X au lieu de %08X)\n"},
    {Message::bps_nombre_tronque, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : le nombre de l'octet %lld est coupé\n"},
    {Message::bps_nombre_demesure, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : le nombre de l'octet %lld est démesuré\n"},
    {Message::bps_metadonnees_tronquees, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : ses métadonnées sont coupées\n"},
    {Message::bps_cible_trop_grande, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : la rom qu'il décrit ferait %lld octets, plus de 1 Gio\n"},
    {Message::bps_lecture_hors_source, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld lit hors de la rom d'origine\n"},
    {Message::bps_copie_hors_sortie, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld copie ce qui n'est pas encore écrit\n"},
    {Message::bps_litteral_tronque, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : les octets de l'action de l'octet %lld sont coupés\n"},
    {Message::bps_ecriture_hors_cible, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld écrit au-delà de la rom qu'il décrit\n"},
    {Message::bps_cible_incomplete, Genre::erreur,
     "Erreur, le patch BPS '%s' est incorrect : ses actions écrivent %lld octets des %lld de la rom qu'il décrit\n"},
    {Message::bps_source_taille, Genre::erreur,
     "Erreur, la rom '%s' n'est pas celle que le patch '%s' attend : elle fait %lld octets au lieu de %lld\n"},
    {Message::bps_source_crc, Genre::erreur,
     "Erreur, la rom '%s' n'est pas celle que le patch '%s' attend (CRC32 %08X au lieu de %08X)\n"},
    {Message::bps_resultat_faux, Genre::erreur,
     "Erreur, le patch BPS '%s' est endommagé : la rom obtenue a le CRC32 %08X au lieu de %08X\n"},
    {Message::patch_applique, Genre::information, "Patch '%s' appliqué : '%s' écrit, %lld octets\n"},

    {Message::apercu_debut, Genre::information, "Aperçu du fichier '%s'...\n"},
    {Message::apercu_fin, Genre::information, "Aperçu terminé !\n\n"},
    {Message::apercu_arguments, Genre::erreur,
     "Erreur, apercu attend une table : apercu{ script = ..., table = ..., police = { rom = ..., adresse = ..., "
     "premier = ... }, largeurs = ..., largeur = ..., lignes = ..., sortie = ... }\n"},
    {Message::apercu_champ_inconnu, Genre::erreur, "Erreur, apercu ne connaît pas le champ '%s'\n"},
    {Message::apercu_champ_incorrect, Genre::erreur, "Erreur, le champ '%s' de apercu doit être %s\n"},
    {Message::apercu_boite_vide, Genre::erreur,
     "Erreur, une boîte de l'aperçu doit avoir une largeur et un nombre de lignes d'au moins 1\n"},
    {Message::apercu_boite_trop_grande, Genre::erreur,
     "Erreur, une boîte de l'aperçu ne dépasse pas %d pixels de large ni %d lignes\n"},
    {Message::apercu_page_vide, Genre::erreur, "Erreur, une page de l'aperçu montre de 1 à %d boîtes\n"},
    {Message::apercu_premier_code, Genre::erreur,
     "Erreur, le premier code de la police (%d) doit être compris entre 0 et 255\n"},
    {Message::apercu_police_hors_rom, Genre::erreur,
     "Erreur, la police à l'adresse 0x%llX (codes %02X à %02X) sort de la rom de %lld octets\n"},
    {Message::glyphe_sans_largeur, Genre::probleme,
     "Caractère sans largeur : pointeur %d, boîte %d, ligne %d : '%s'\n"},
    {Message::glyphe_sans_code, Genre::probleme,
     "Caractère sans code d'un octet : pointeur %d, boîte %d, ligne %d : '%s'\n"},
    {Message::glyphe_hors_police, Genre::probleme,
     "Caractère hors de la police : pointeur %d, boîte %d, ligne %d : '%s' (code %02X)\n"},
    {Message::apercu_pages, Genre::information, "%d boîte(s) sur %d page(s) : de '%s' à '%s'\n"},
    {Message::apercu_rien_a_montrer, Genre::attention, "Attention, aucune boîte à montrer : aucune image écrite\n"},
};

constexpr std::size_t nombre = sizeof catalogue / sizeof catalogue[0];
static_assert(nombre == static_cast<std::size_t>(Message::nombre_de_messages),
              "every identifier has exactly one text");

// Row k holds identifier k, so a lookup is an index and no identifier is left without its text.
constexpr bool dans_l_ordre() {
    for (std::size_t k = 0; k < nombre; ++k)
        if (catalogue[k].message != static_cast<Message>(k)) return false;
    return true;
}
static_assert(dans_l_ordre(), "the catalogue lists the identifiers in their order");

}  // namespace

char const* texte_du_message(Message message) { return catalogue[static_cast<std::size_t>(message)].texte; }

Genre genre_du_message(Message message) { return catalogue[static_cast<std::size_t>(message)].genre; }
