#include "lib/catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// Every text vorlan-tool prints, byte for byte, by its identifier: scripts and callers compare
// the program's output against these, so a change here is a change of what users see.
TEST(Catalogue, EveryTextIsExactlyAsPrinted) {
    struct Cas {
        Message message;
        char const* texte;
    };
    Cas const cas[] = {
        {Message::texte_brut, "%s"},
        {Message::banniere, "Vorlan-tool version 1.1\n"},
        {Message::usage,
         "Utilisation :\n  %s [option]\n\nOptions :\n  -h : affiche ce message\n  -i : mode "
         "interactif\n  -e [lua_script] : execute le fichier [lua_script]\n"},
        {Message::invite, "> "},
        {Message::invite_suite, ">> "},
        {Message::erreur_interpreteur, "%s\n"},
        {Message::fin_de_ligne, "\n"},
        {Message::message_absent, "(message d'erreur absent)"},
        {Message::memoire_insuffisante, "Erreur, mémoire insuffisante\n"},
        {Message::hex_nombre_d_arguments, "Le nombre d'arguments est incorrect dans la fonction hex\n."},
        {Message::hex_arguments_incorrects, "Arguments incorrects donnés à la fonction hex\n."},
        {Message::argument_chaine, "Erreur, l'argument %d doit être une chaine\n"},
        {Message::argument_nombre, "Erreur, l'argument %d doit être un nombre\n"},
        {Message::argument_incorrect, "Erreur, l'argument %d est incorrect\n"},
        {Message::nombre_d_arguments_incorrect, "La fonction \"%s\" a un nombre d'argument incorrect\n"},
        {Message::nom_d_argument_incorrect, "La fonction \"%s\" a un nom d'argument incorrect\n"},
        {Message::profil_inconnu, "L'argument \"%s\" est incorrect\n"},
        {Message::extraction_debut, "Extraction du fichier '%s' à partir du fichier '%s'...\n"},
        {Message::extraction_fin, "Extraction terminée !\n\n"},
        {Message::insertion_debut, "Insertion du fichier '%s' dans le fichier '%s'...\n"},
        {Message::insertion_fin, "Insertion terminée !\n\n"},
        {Message::extraction_fixe_debut, "Extraction fixe du fichier '%s' à partir du fichier '%s'...\n"},
        {Message::extraction_fixe_fin, "Extraction fixe terminée !\n\n"},
        {Message::insertion_fixe_debut, "Insertion fixe du fichier '%s' dans le fichier '%s'...\n"},
        {Message::insertion_fixe_fin, "Insertion fixe terminée !\n\n"},
        {Message::optimisation_debut, "Optimisation DTE du fichier '%s'\n"},
        {Message::optimisation_fin, "Optimisation DTE terminée !\n\n"},
        {Message::suppression_debut, "Suppression des mots de la liste '%s' dans le fichier '%s'...\n"},
        {Message::suppression_fin, "Suppression terminée !\n\n"},
        {Message::mise_en_forme_debut, "Mise en forme du fichier '%s'...\n"},
        {Message::mise_en_forme_fin, "Mise en forme terminée !\n\n"},
        {Message::fopen_impossible, "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n"},
        {Message::fopen_impossible_ligne, "fopen_error : Impossible d'ouvrir le fichier \"%s\"\n\n"},
        {Message::ouverture_impossible, "Impossible d'ouvrir le fichier \"%s\"\n"},
        {Message::ouverture_impossible_ligne, "Impossible d'ouvrir le fichier \"%s\"\n\n"},
        {Message::ouverture_impossible_dte, "Impossible d'ouvir le fichier \"%s\"\n"},
        {Message::fseek_position, "fseek_error : Impossible d'atteindre la position demandée dans le fichier \"%s\"\n"},
        {Message::fseek_origine, "fseek_error : La position d'origine est incorrecte\n"},
        {Message::lecture_impossible, "Erreur, impossible de lire le fichier \"%s\"\n"},
        {Message::ecriture_impossible, "Erreur, impossible d'écrire dans le fichier \"%s\"\n"},
        {Message::script_est_la_rom, "Erreur, le script '%s' est le fichier de la rom : il ne sera pas écrasé\n"},
        {Message::script_est_la_table, "Erreur, le script '%s' est le fichier de la table : il ne sera pas écrasé\n"},
        {Message::sortie_est_une_entree,
         "Erreur, le fichier '%s' à écrire est le fichier '%s' que la commande lit : il ne sera pas écrasé\n"},
        {Message::cause_fichier_intact, "Cause : %s. Le fichier \"%s\" n'a pas été modifié.\n"},
        {Message::temporaire_impossible,
         "Erreur, impossible de créer un fichier temporaire à côté de \"%s\" : %s. Le fichier n'a pas été "
         "modifié.\n"},
        {Message::dossier_non_synchronise,
         "Attention, le dossier du fichier \"%s\" n'a pas pu être synchronisé sur le disque (%s) : le fichier a "
         "bien été remplacé.\n"},
        {Message::valeur_hexadecimale_incorrecte, "%s n'est pas une valeur hexadécimale correcte\n"},
        {Message::valeur_incorrecte, "%s n'est pas une valeur correcte\n"},
        {Message::parentheses, "Erreur, il y a une erreur dans les paranthèses\n"},
        {Message::resultat_negatif, "math_error : Le résultat va être négatif, calcul arrêté.\n"},
        {Message::division_par_zero, "math_error : Tentative de division par zéro, calcul arrêté.\n"},
        {Message::formule_incorrecte, "math_error : La formule est incorrecte, calcul arrêté.\n"},
        {Message::formule_trop_longue, "math_error : La formule est trop longue, calcul arrêté.\n"},
        {Message::nombre_trop_long, "math_error : Un nombre de la formule est trop long, calcul arrêté.\n"},
        {Message::entree_vide, "Une entrée vide a été detectée (\"%s=%s\")\n"},
        {Message::entree_existante, "Attention, il existe déjà une entrée : \"%s=%s\"\n"},
        {Message::entree_ignoree, "L'entrée \"%s=%s\" sera ignorée\n"},
        {Message::table_utf16,
         "Attention, la table est en UTF-16 : elle est lue convertie en UTF-8, et le script "
         "doit l'être aussi\n"},
        {Message::ligne_sans_egal,
         "Attention, la ligne %d de la table n'est pas une entrée, il lui manque un \"=\" (\"%s\") "
         ": elle est ignorée\n"},
        {Message::ligne_directive,
         "Attention, la ligne %d de la table est une directive (\"%s\") : le changement de "
         "table n'est pas pris en charge, elle est ignorée\n"},
        {Message::cle_non_hexadecimale,
         "Attention, la ligne %d de la table a une clé qui n'est pas hexadécimale (\"%s\") "
         ": elle est ignorée\n"},
        {Message::parametres_incorrects,
         "Attention, la ligne %d de la table ne dit pas combien de paramètres suivent son code "
         "(\"%s\", attendu \"$XX=nom,N\" avec N de 0 à 255) : elle est ignorée\n"},
        {Message::cle_trop_longue,
         "Attention, la clé de la ligne %d de la table dépasse 256 caractères : la ligne est "
         "ignorée\n"},
        {Message::texte_trop_long,
         "Attention, le texte de la ligne %d de la table dépasse 256 caractères : il est coupé\n"},
        {Message::liste_taille_max, "Taille max : %d\n"},
        {Message::liste_entree, "%s\t\"%s\"\n"},
        {Message::debut_apres_fin, "Erreur, le début du texte se situe après la fin du texte\n"},
        {Message::texte_hors_rom, "Erreur, l'emplacement du texte est situé hors de la rom\n"},
        {Message::pointeurs_hors_rom, "Erreur, l'adresse du début des pointeurs se situe en dehors de la rom\n"},
        {Message::nombre_de_pointeurs_negatif, "Erreur, le nombre de pointeurs est négatif\n"},
        {Message::taille_des_pointeurs, "Erreur, la taille des pointeurs est incorrecte\n"},
        {Message::nombre_de_mots_negatif, "Erreur, le nombre de mots est négatif\n"},
        {Message::taille_des_mots_negative, "Erreur, la taille des mots est négative\n"},
        {Message::pointeur_non_repere,
         "Attention, le pointeur numéro %d est situé hors de la rom, il ne sera pas repéré\n"},
        {Message::pointeurs_non_reperes,
         "Attention, les pointeurs numéros %d à %d sont situés hors de la rom, ils ne seront "
         "pas repérés\n"},
        {Message::mots_au_dela_de_la_rom,
         "Attention, les mots dépassent la fin de la rom : seuls les %lld octets qui s'y trouvent "
         "seront lus\n"},
        {Message::mot_non_extrait, "Attention, le mot %d est situé hors de la rom, il ne sera pas extrait\n"},
        {Message::mots_non_extraits,
         "Attention, les mots %d à %d sont situés hors de la rom, ils ne seront pas extraits\n"},
        {Message::caractere_inconnu, "Le caractère \"%s\" est inconnu (\"%s\")...\n"},
        {Message::pointeur_au_dela_du_nombre,
         "Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est supérieur au nombre "
         "de pointeurs\n"},
        {Message::pointeur_inferieur_a_un,
         "Erreur : le pointeur numéro %d ne sera pas inseré : son numéro est inférieur à 1\n"},
        {Message::pointeur_hors_rom,
         "Erreur : le pointeur numéro %d ne sera pas inseré : son emplacement est situé hors "
         "de la rom\n"},
        {Message::espace_insuffisant, "Espace insuffisant, il manque %lld octets...\n"},
        {Message::octets_restants, "%d octets restants\n"},
        {Message::mot_trop_court, "Le mot %d est trop court\n"},
        {Message::souligne_absent, "Le caractère '_' n'est pas défini dans la table...\n"},
        {Message::mot_trop_long, "Le mot %d est trop long\n"},
        {Message::mot_au_dela_de_la_rom, "Erreur : le mot %d ne sera pas inseré : il dépasse la fin de la rom\n"},
        {Message::dte_entete, "DTE\tApparitions\n"},
        {Message::dte_paire, "\"%c%c\"\t%d\n"},
        {Message::dte_score, "Score : %d\n"},
        {Message::mte_taille, "Taille mte : %d\n"},
        {Message::mte_taille_incorrecte, "Erreur, la taille de la mte dans la rom doit être 1 ou 2\n"},
        {Message::mte_nombre_incorrect, "Erreur, le nombre de MTE indiqué est incorrect\n"},
        {Message::mte_taille_maximale, "Erreur, la taille maximale d'une MTE doit être supérieure à %d\n"},
        {Message::mte_texte_vide, "Empty text.\n"},
        {Message::mte_mot, "Taille : %8i  Apparitions : %8i  Score : %8i   \"%s\"\n"},
        {Message::mte_score_total, "Score total : %d\n"},
        {Message::alb_entree_erronee, "Une entrée érronée a été detectée (\"%s=%s\")\n"},
        {Message::alb_entree_existante, "Attention, il existe déjà une entrée : \"%s\"=\"%s\"\n"},
        {Message::alb_linebreak_deja_defini,
         "Un LINEBREAK a déjà été défini. L'entrée \"%s\"=\"%s\" ne sera pas prise en compte\n"},
        {Message::alb_defaut_deja_defini,
         "Une valeur par défaut a déjà été définie. L'entrée \"%s=%s\" ne sera pas considérée "
         "comme par défaut\n"},
        {Message::alb_espace_absent, "L'espace n'a pas été défini... Arrêt du programme...\n"},
        {Message::alb_new_defaut_absent, "Aucune balise NEW_DEFAUT n'a été trouvée... Arrêt du programme...\n"},
        {Message::alb_linebreak_absent, "Aucune balise LINEBREAK n'a été trouvée... Arrêt du programme...\n"},
        {Message::alb_liste_entete, "Max : %d\nTaille espace : %d\nLinebreak : %s\nDefaut NEW : %s\n"},
        {Message::alb_liste_entree, "\"%s\"\t\"%s\"\n"},
        {Message::alb_caractere_inconnu, "Le caractère '%c' est inconnu (\"%s\")\n"},
        {Message::bloc_sans_fin, "Attention, le bloc du pointeur %d n'a pas de balise de fin."},
        {Message::pointeur_dans_le_bloc,
         "Attention, le pointeur numéro %d a été détecté dans le bloc du pointeur %d...\n"},
        {Message::mot_supprime, "Mot : %10s   Taille : %2d   Apparitions : %d\n"},
        {Message::verification_debut, "Vérification de la mise en forme du fichier '%s'...\n"},
        {Message::verification_fin, "Vérification terminée !\n\n"},
        {Message::ligne_trop_large,
         "Ligne trop large : pointeur %d, boîte %d, ligne %d : largeur %lld pour %d (\"%s\")\n"},
        {Message::boite_trop_pleine, "Boîte trop pleine : pointeur %d, boîte %d : %d lignes pour %d\n"},
        {Message::bloc_sans_fin_verifie, "Attention, le bloc du pointeur %d n'a pas de balise de fin.\n"},
        {Message::problemes_trouves, "%d problème(s) trouvé(s)\n"},
        {Message::creation_patch_debut, "Création du patch '%s' de '%s' vers '%s'...\n"},
        {Message::creation_patch_fin, "Création du patch terminée !\n\n"},
        {Message::application_patch_debut, "Application du patch '%s' à '%s' vers '%s'...\n"},
        {Message::application_patch_fin, "Application du patch terminée !\n\n"},
        {Message::patch_extension, "Erreur, le patch '%s' doit finir par \".ips\" ou \".bps\"\n"},
        {Message::ips_trop_grand,
         "Erreur, la rom modifiée '%s' fait %lld octets : un patch IPS ne décrit pas plus de "
         "16 Mio, faites un patch BPS (\".bps\")\n"},
        {Message::ips_troncature_impossible,
         "Erreur, la rom modifiée '%s' fait 16 Mio et l'originale plus : un patch IPS ne peut "
         "pas la raccourcir, faites un patch BPS (\".bps\")\n"},
        {Message::bps_trop_grand, "Erreur, un patch BPS ne décrit pas de rom de plus de 1 Gio\n"},
        {Message::patch_ips_cree, "Patch IPS '%s' : %d enregistrements dont %d RLE, %lld octets\n"},
        {Message::patch_bps_cree, "Patch BPS '%s' : %lld octets\n"},
        {Message::patch_inconnu, "Erreur, le fichier '%s' n'est ni un patch IPS ni un patch BPS\n"},
        {Message::ips_enregistrement_tronque,
         "Erreur, le patch IPS '%s' est tronqué : l'enregistrement de l'octet %lld est coupé\n"},
        {Message::ips_fin_absente,
         "Erreur, le patch IPS '%s' est tronqué : sa fin (\"EOF\") manque à l'octet %lld\n"},
        {Message::ips_rle_vide,
         "Erreur, le patch IPS '%s' est incorrect : l'enregistrement RLE de l'octet %lld a "
         "une longueur nulle\n"},
        {Message::ips_octets_apres_fin,
         "Erreur, le patch IPS '%s' est incorrect : des octets suivent sa fin, à l'octet %lld\n"},
        {Message::bps_tronque, "Erreur, le patch BPS '%s' est tronqué\n"},
        {Message::bps_endommage, "Erreur, le patch BPS '%s' est endommagé (CRC32 %08X au lieu de %08X)\n"},
        {Message::bps_nombre_tronque,
         "Erreur, le patch BPS '%s' est incorrect : le nombre de l'octet %lld est coupé\n"},
        {Message::bps_nombre_demesure,
         "Erreur, le patch BPS '%s' est incorrect : le nombre de l'octet %lld est démesuré\n"},
        {Message::bps_metadonnees_tronquees,
         "Erreur, le patch BPS '%s' est incorrect : ses métadonnées sont coupées\n"},
        {Message::bps_cible_trop_grande,
         "Erreur, le patch BPS '%s' est incorrect : la rom qu'il décrit ferait %lld octets, "
         "plus de 1 Gio\n"},
        {Message::bps_lecture_hors_source,
         "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld lit hors de la "
         "rom d'origine\n"},
        {Message::bps_copie_hors_sortie,
         "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld copie ce qui n'est "
         "pas encore écrit\n"},
        {Message::bps_litteral_tronque,
         "Erreur, le patch BPS '%s' est incorrect : les octets de l'action de l'octet %lld "
         "sont coupés\n"},
        {Message::bps_ecriture_hors_cible,
         "Erreur, le patch BPS '%s' est incorrect : l'action de l'octet %lld écrit au-delà "
         "de la rom qu'il décrit\n"},
        {Message::bps_cible_incomplete,
         "Erreur, le patch BPS '%s' est incorrect : ses actions écrivent %lld octets des %lld "
         "de la rom qu'il décrit\n"},
        {Message::bps_source_taille,
         "Erreur, la rom '%s' n'est pas celle que le patch '%s' attend : elle fait %lld octets "
         "au lieu de %lld\n"},
        {Message::bps_source_crc,
         "Erreur, la rom '%s' n'est pas celle que le patch '%s' attend (CRC32 %08X au lieu "
         "de %08X)\n"},
        {Message::bps_resultat_faux,
         "Erreur, le patch BPS '%s' est endommagé : la rom obtenue a le CRC32 %08X au lieu "
         "de %08X\n"},
        {Message::patch_applique, "Patch '%s' appliqué : '%s' écrit, %lld octets\n"},
        {Message::apercu_debut, "Aperçu du fichier '%s'...\n"},
        {Message::apercu_fin, "Aperçu terminé !\n\n"},
        {Message::apercu_arguments,
         "Erreur, apercu attend une table : apercu{ script = ..., table = ..., police = { rom = ..., "
         "adresse = ..., premier = ... }, largeurs = ..., largeur = ..., lignes = ..., sortie = ... }\n"},
        {Message::apercu_champ_inconnu, "Erreur, apercu ne connaît pas le champ '%s'\n"},
        {Message::apercu_champ_incorrect, "Erreur, le champ '%s' de apercu doit être %s\n"},
        {Message::apercu_boite_vide,
         "Erreur, une boîte de l'aperçu doit avoir une largeur et un nombre de lignes d'au moins 1\n"},
        {Message::apercu_boite_trop_grande,
         "Erreur, une boîte de l'aperçu ne dépasse pas %d pixels de large ni %d lignes\n"},
        {Message::apercu_page_vide, "Erreur, une page de l'aperçu montre de 1 à %d boîtes\n"},
        {Message::apercu_premier_code, "Erreur, le premier code de la police (%d) doit être compris entre 0 et 255\n"},
        {Message::apercu_police_hors_rom,
         "Erreur, la police à l'adresse 0x%llX (codes %02X à %02X) sort de la rom de %lld octets\n"},
        {Message::glyphe_sans_largeur, "Caractère sans largeur : pointeur %d, boîte %d, ligne %d : '%s'\n"},
        {Message::glyphe_sans_code, "Caractère sans code d'un octet : pointeur %d, boîte %d, ligne %d : '%s'\n"},
        {Message::glyphe_hors_police,
         "Caractère hors de la police : pointeur %d, boîte %d, ligne %d : '%s' (code %02X)\n"},
        {Message::apercu_pages, "%d boîte(s) sur %d page(s) : de '%s' à '%s'\n"},
        {Message::apercu_rien_a_montrer, "Attention, aucune boîte à montrer : aucune image écrite\n"},
        {Message::jeu_champ_inconnu, "Erreur, la description du jeu ne connaît pas le champ '%s'\n"},
        {Message::jeu_champ_absent, "Erreur, il manque le champ '%s' à la description du jeu\n"},
        {Message::jeu_nom_de_fichier, "Erreur, le champ '%s' de la description du jeu doit être un nom de fichier\n"},
        {Message::jeu_entier, "Erreur, le champ '%s' de la description du jeu doit être un nombre entier de %lld à %lld\n"},
        {Message::jeu_booleen, "Erreur, le champ '%s' de la description du jeu doit être true ou false\n"},
        {Message::jeu_formule, "Erreur, le champ '%s' de la description du jeu doit être une formule (une chaine sans octet nul)\n"},
        {Message::jeu_plage, "Erreur, le champ '%s' de la description du jeu doit être une plage { debut, fin } de deux nombres entiers\n"},
        {Message::jeu_plages, "Erreur, le champ '%s' de la description du jeu doit être une liste non vide de plages { debut, fin }\n"},
        {Message::jeu_groupes, "Erreur, le champ '%s' de la description du jeu doit être une liste de groupes de pointeurs\n"},
        {Message::jeu_groupe, "Erreur, le champ '%s' de la description du jeu doit être une table décrivant un groupe de pointeurs\n"},
        {Message::jeu_disposition, "Erreur, le groupe de pointeurs %d doit avoir un seul des champs adresse, octets ou liste\n"},
        {Message::jeu_positions, "Erreur, le champ '%s' de la description du jeu doit être une liste non vide de nombres entiers\n"},
        {Message::jeu_octets, "Erreur, le champ '%s' de la description du jeu doit être une liste de 1 à 4 positions, une par octet d'un "
     "pointeur\n"},
        {Message::jeu_octets_du_profil, "Erreur, le champ '%s' de la description du jeu doit donner %d positions, une par octet d'un pointeur du "
     "profil '%s'\n"},
        {Message::jeu_nombre_de_la_liste, "Erreur, le champ '%s' de la description du jeu doit valoir %d, le nombre de positions du champ '%s'\n"},
        {Message::jeu_profil, "Erreur, le champ '%s' de la description du jeu doit être un nom de profil\n"},
        {Message::jeu_profil_inconnu, "Erreur, le champ '%s' de la description du jeu nomme un profil inconnu : '%s'\n"},
        {Message::jeu_champs_exclusifs, "Erreur, le champ '%s' de la description du jeu ne peut pas être donné avec le champ '%s'\n"},
        {Message::jeu_champ_sans_compagnon, "Erreur, le champ '%s' de la description du jeu ne va pas sans le champ '%s'\n"},
        {Message::jeu_option_inconnue, "Erreur, inserer_jeu ne connaît pas le champ '%s'\n"},
        {Message::jeu_option_booleen, "Erreur, le champ '%s' de inserer_jeu doit être true ou false\n"},
        {Message::jeu_option_placement, "Erreur, le champ 'options.placement' de inserer_jeu doit être \"ordre\" ou \"compact\"\n"},
        {Message::jeu_plage_inversee, "Erreur, la plage %s ($%llX-$%llX) commence après sa fin\n"},
        {Message::jeu_plage_hors_rom, "Erreur, la plage %s ($%llX-$%llX) sort de la rom de %lld octets\n"},
        {Message::jeu_plages_chevauchees, "Erreur, les plages %s et %s se chevauchent\n"},
        {Message::jeu_formule_illisible, "Erreur, la %s '%s' du groupe de pointeurs %d ne peut pas être calculée :\n"},
        {Message::jeu_pointeur_hors_rom, "Erreur, le pointeur %d (groupe %d) est situé hors de la rom de %lld octets\n"},
        {Message::jeu_pointeurs_chevauches, "Erreur, les pointeurs %d (groupe %d) et %d (groupe %d) se partagent l'octet $%llX\n"},
        {Message::jeu_pointeur_dans_une_plage, "Erreur, le pointeur %d (groupe %d) est situé dans la plage %s\n"},
        {Message::jeu_pointeur_sans_position, "Attention, le pointeur %d ne désigne le début d'aucun texte des plages\n"},
        {Message::jeu_pointeurs_sans_position, "Attention, les pointeurs %d à %d ne désignent le début d'aucun texte des plages\n"},
        {Message::jeu_marque_inconnue, "Erreur, la marque '<PLAGE $%llX-$%llX>' du script ne désigne aucune plage de textes de la description\n"},
        {Message::jeu_plage_marquee_deux_fois, "Erreur, la plage %s est marquée deux fois dans le script\n"},
        {Message::jeu_texte_hors_plage, "Erreur, le script commence par un texte qu'aucun pointeur ne désigne, avant toute marque de plage\n"},
        {Message::jeu_balise_repetee, "Attention, le pointeur %d est repéré plusieurs fois dans le script : seule sa dernière balise compte\n"},
        {Message::jeu_bloc, "Bloc %d ($%llX-$%llX) : %lld octets utilisés, %lld libres\n"},
        {Message::jeu_texte_sans_place, "Le texte des pointeurs %s (%lld octets) ne tient dans aucun bloc où ses pointeurs peuvent le désigner\n"},
        {Message::jeu_debut_trop_long, "Le texte du début de la plage %s (%lld octets) ne tient pas dans la plage\n"},
        {Message::jeu_rien_ecrit, "Erreur, %d texte(s) sans place : rien n'a été écrit\n"},
        {Message::jeu_ecrit_en_partie, "Attention, %d texte(s) sans place n'ont pas été écrits : leurs pointeurs sont inchangés\n"},
        {Message::jeu_pointeur_perime, "Attention, le pointeur %d, qu'aucune balise ne nomme, désigne de la place que l'insertion récrit\n"},
        {Message::jeu_pointeurs_perimes, "Attention, les pointeurs %d à %d, qu'aucune balise ne nomme, désignent de la place que l'insertion récrit\n"},
    };
    std::set<Message> vus;
    for (Cas const& c : cas) {
        EXPECT_STREQ(texte_du_message(c.message), c.texte) << static_cast<int>(c.message);
        vus.insert(c.message);
    }
    EXPECT_EQ(vus.size(), static_cast<std::size_t>(Message::nombre_de_messages));
}

// Each message's kind, which the exit status counts: an error is what says that something was
// not done as asked; warnings, notes of fixed-length insertion and results are not.
TEST(Catalogue, EachMessageHasItsKind) {
    struct Groupe {
        Genre genre;
        std::vector<Message> messages;
    };
    Groupe const groupes[] = {
        {Genre::information, {
        Message::banniere, Message::usage, Message::invite, Message::invite_suite, Message::fin_de_ligne,
        Message::extraction_debut, Message::extraction_fin, Message::insertion_debut, Message::insertion_fin,
        Message::extraction_fixe_debut, Message::extraction_fixe_fin, Message::insertion_fixe_debut,
        Message::insertion_fixe_fin, Message::optimisation_debut, Message::optimisation_fin,
        Message::suppression_debut, Message::suppression_fin, Message::mise_en_forme_debut,
        Message::mise_en_forme_fin, Message::liste_taille_max, Message::liste_entree, Message::octets_restants,
        Message::dte_entete, Message::dte_paire, Message::dte_score, Message::mte_taille,
        Message::mte_texte_vide, Message::mte_mot, Message::mte_score_total, Message::alb_liste_entete,
        Message::alb_liste_entree, Message::mot_supprime, Message::verification_debut,
        Message::verification_fin, Message::problemes_trouves, Message::creation_patch_debut,
        Message::creation_patch_fin, Message::application_patch_debut, Message::application_patch_fin,
        Message::patch_ips_cree, Message::patch_bps_cree, Message::patch_applique, Message::apercu_debut,
        Message::apercu_fin, Message::apercu_pages,
        Message::jeu_bloc,
        }},
        {Genre::attention, {
        Message::dossier_non_synchronise, Message::entree_vide, Message::entree_existante,
        Message::entree_ignoree, Message::pointeur_non_repere, Message::pointeurs_non_reperes,
        Message::mots_au_dela_de_la_rom, Message::mot_non_extrait, Message::mots_non_extraits,
        Message::mot_trop_court, Message::souligne_absent, Message::mot_trop_long, Message::alb_entree_erronee,
        Message::alb_entree_existante, Message::alb_linebreak_deja_defini, Message::alb_defaut_deja_defini,
        Message::bloc_sans_fin, Message::pointeur_dans_le_bloc, Message::bloc_sans_fin_verifie,
        Message::table_utf16, Message::ligne_sans_egal, Message::ligne_directive, Message::cle_non_hexadecimale,
        Message::parametres_incorrects, Message::cle_trop_longue, Message::texte_trop_long,
        Message::apercu_rien_a_montrer,
        Message::jeu_pointeur_sans_position, Message::jeu_pointeurs_sans_position,
        Message::jeu_balise_repetee, Message::jeu_ecrit_en_partie, Message::jeu_pointeur_perime,
        Message::jeu_pointeurs_perimes,
        }},
        {Genre::probleme, {Message::ligne_trop_large, Message::boite_trop_pleine, Message::glyphe_sans_largeur,
                            Message::glyphe_sans_code, Message::glyphe_hors_police}},
        {Genre::erreur, {
        Message::texte_brut, Message::erreur_interpreteur, Message::message_absent,
        Message::memoire_insuffisante, Message::hex_nombre_d_arguments, Message::hex_arguments_incorrects,
        Message::argument_chaine, Message::argument_nombre, Message::argument_incorrect,
        Message::nombre_d_arguments_incorrect, Message::nom_d_argument_incorrect, Message::profil_inconnu,
        Message::fopen_impossible, Message::fopen_impossible_ligne, Message::ouverture_impossible,
        Message::ouverture_impossible_ligne, Message::ouverture_impossible_dte, Message::fseek_position,
        Message::fseek_origine, Message::lecture_impossible, Message::ecriture_impossible,
        Message::script_est_la_rom, Message::script_est_la_table, Message::sortie_est_une_entree,
        Message::cause_fichier_intact, Message::temporaire_impossible, Message::valeur_hexadecimale_incorrecte,
        Message::valeur_incorrecte, Message::parentheses, Message::resultat_negatif, Message::division_par_zero,
        Message::formule_incorrecte, Message::formule_trop_longue, Message::nombre_trop_long,
        Message::debut_apres_fin, Message::texte_hors_rom, Message::pointeurs_hors_rom,
        Message::nombre_de_pointeurs_negatif, Message::taille_des_pointeurs, Message::nombre_de_mots_negatif,
        Message::taille_des_mots_negative, Message::caractere_inconnu, Message::pointeur_au_dela_du_nombre,
        Message::pointeur_inferieur_a_un, Message::pointeur_hors_rom, Message::espace_insuffisant,
        Message::mot_au_dela_de_la_rom, Message::mte_taille_incorrecte, Message::mte_nombre_incorrect,
        Message::mte_taille_maximale, Message::alb_espace_absent, Message::alb_new_defaut_absent,
        Message::alb_linebreak_absent, Message::alb_caractere_inconnu, Message::patch_extension,
        Message::ips_trop_grand, Message::ips_troncature_impossible, Message::bps_trop_grand,
        Message::patch_inconnu, Message::ips_enregistrement_tronque, Message::ips_fin_absente,
        Message::ips_rle_vide, Message::ips_octets_apres_fin, Message::bps_tronque, Message::bps_endommage,
        Message::bps_nombre_tronque, Message::bps_nombre_demesure, Message::bps_metadonnees_tronquees,
        Message::bps_cible_trop_grande, Message::bps_lecture_hors_source, Message::bps_copie_hors_sortie,
        Message::bps_litteral_tronque, Message::bps_ecriture_hors_cible, Message::bps_cible_incomplete,
        Message::bps_source_taille, Message::bps_source_crc, Message::bps_resultat_faux,
        Message::apercu_arguments, Message::apercu_champ_inconnu, Message::apercu_champ_incorrect,
        Message::apercu_boite_vide, Message::apercu_boite_trop_grande, Message::apercu_page_vide, Message::apercu_premier_code,
        Message::apercu_police_hors_rom,
        Message::jeu_champ_inconnu, Message::jeu_champ_absent, Message::jeu_nom_de_fichier,
        Message::jeu_entier, Message::jeu_booleen, Message::jeu_formule, Message::jeu_plage,
        Message::jeu_plages, Message::jeu_groupes, Message::jeu_groupe, Message::jeu_disposition,
        Message::jeu_positions, Message::jeu_octets, Message::jeu_octets_du_profil,
        Message::jeu_nombre_de_la_liste, Message::jeu_profil, Message::jeu_profil_inconnu,
        Message::jeu_champs_exclusifs, Message::jeu_champ_sans_compagnon, Message::jeu_option_inconnue,
        Message::jeu_option_booleen, Message::jeu_option_placement, Message::jeu_plage_inversee,
        Message::jeu_plage_hors_rom, Message::jeu_plages_chevauchees, Message::jeu_formule_illisible,
        Message::jeu_pointeur_hors_rom, Message::jeu_pointeurs_chevauches,
        Message::jeu_pointeur_dans_une_plage, Message::jeu_marque_inconnue,
        Message::jeu_plage_marquee_deux_fois, Message::jeu_texte_hors_plage, Message::jeu_texte_sans_place,
        Message::jeu_debut_trop_long, Message::jeu_rien_ecrit,
        }},
    };
    std::set<Message> vus;
    for (Groupe const& g : groupes) {
        for (Message m : g.messages) {
            EXPECT_EQ(genre_du_message(m), g.genre) << texte_du_message(m);
            EXPECT_TRUE(vus.insert(m).second) << texte_du_message(m);
        }
    }
    EXPECT_EQ(vus.size(), static_cast<std::size_t>(Message::nombre_de_messages));
}

}  // namespace
