#pragma once
#include <cstddef>

// Every text vorlan-tool prints, by identifier. The texts themselves live in catalogue.cpp,
// each next to its identifier and its kind; they are printf formats whose conversions take the
// arguments of a report (lib/rapport.h) in order.

// What a message tells: the program's exit status counts the errors.
enum class Genre {
    information,  // framing, results, reports of a command that did its job
    attention,    // a warning ("Attention, ..."), a note: the command still did its job
    probleme,     // something a check found in the user's text: the checking command did its job
    erreur,       // something was not done as asked: refused, not opened, not written, skipped
};

enum class Message {
    // Text handed through as it stands: an interpreter's message, an error built from a raw text.
    texte_brut,

    // Program, shell, hex.
    banniere,
    usage,
    invite,
    invite_suite,
    erreur_interpreteur,
    fin_de_ligne,
    message_absent,
    memoire_insuffisante,
    hex_nombre_d_arguments,
    hex_arguments_incorrects,

    // Argument checks of the script commands.
    argument_chaine,
    argument_nombre,
    argument_incorrect,
    nombre_d_arguments_incorrect,
    nom_d_argument_incorrect,
    profil_inconnu,

    // Framing of the script commands.
    extraction_debut,
    extraction_fin,
    insertion_debut,
    insertion_fin,
    extraction_fixe_debut,
    extraction_fixe_fin,
    insertion_fixe_debut,
    insertion_fixe_fin,
    optimisation_debut,
    optimisation_fin,
    suppression_debut,
    suppression_fin,
    mise_en_forme_debut,
    mise_en_forme_fin,

    // Files.
    fopen_impossible,
    fopen_impossible_ligne,
    ouverture_impossible,
    ouverture_impossible_ligne,
    ouverture_impossible_dte,
    fseek_position,
    fseek_origine,
    lecture_impossible,
    ecriture_impossible,
    script_est_la_rom,
    script_est_la_table,
    sortie_est_une_entree,
    cause_fichier_intact,
    temporaire_impossible,
    dossier_non_synchronise,

    // Numbers and formulas.
    valeur_hexadecimale_incorrecte,
    valeur_incorrecte,
    parentheses,
    resultat_negatif,
    division_par_zero,
    formule_incorrecte,
    formule_trop_longue,
    nombre_trop_long,

    // Character tables.
    entree_vide,
    entree_existante,
    entree_ignoree,
    table_utf16,
    ligne_sans_egal,
    ligne_directive,
    cle_non_hexadecimale,
    parametres_incorrects,
    cle_trop_longue,
    texte_trop_long,
    liste_taille_max,
    liste_entree,

    // Ranges of extraction and insertion.
    debut_apres_fin,
    texte_hors_rom,
    pointeurs_hors_rom,
    nombre_de_pointeurs_negatif,
    taille_des_pointeurs,
    nombre_de_mots_negatif,
    taille_des_mots_negative,

    // Extraction.
    pointeur_non_repere,
    pointeurs_non_reperes,
    mots_au_dela_de_la_rom,
    mot_non_extrait,
    mots_non_extraits,

    // Insertion.
    caractere_inconnu,
    pointeur_au_dela_du_nombre,
    pointeur_inferieur_a_un,
    pointeur_hors_rom,
    espace_insuffisant,
    octets_restants,
    mot_trop_court,
    souligne_absent,
    mot_trop_long,
    mot_au_dela_de_la_rom,

    // DTE and MTE.
    dte_entete,
    dte_paire,
    dte_score,
    mte_taille,
    mte_taille_incorrecte,
    mte_nombre_incorrect,
    mte_taille_maximale,
    mte_texte_vide,
    mte_mot,
    mte_score_total,

    // Line-break table and reformatting.
    alb_entree_erronee,
    alb_entree_existante,
    alb_linebreak_deja_defini,
    alb_defaut_deja_defini,
    alb_espace_absent,
    alb_new_defaut_absent,
    alb_linebreak_absent,
    alb_liste_entete,
    alb_liste_entree,
    alb_caractere_inconnu,
    bloc_sans_fin,
    pointeur_dans_le_bloc,

    // Word removal.
    mot_supprime,

    // Checks of the layout.
    verification_debut,
    verification_fin,
    ligne_trop_large,
    boite_trop_pleine,
    bloc_sans_fin_verifie,
    problemes_trouves,

    // Patches.
    creation_patch_debut,
    creation_patch_fin,
    application_patch_debut,
    application_patch_fin,
    patch_extension,
    ips_trop_grand,
    ips_troncature_impossible,
    bps_trop_grand,
    patch_ips_cree,
    patch_bps_cree,
    patch_inconnu,
    ips_enregistrement_tronque,
    ips_fin_absente,
    ips_rle_vide,
    ips_octets_apres_fin,
    bps_tronque,
    bps_endommage,
    bps_nombre_tronque,
    bps_nombre_demesure,
    bps_metadonnees_tronquees,
    bps_cible_trop_grande,
    bps_lecture_hors_source,
    bps_copie_hors_sortie,
    bps_litteral_tronque,
    bps_ecriture_hors_cible,
    bps_cible_incomplete,
    bps_source_taille,
    bps_source_crc,
    bps_resultat_faux,
    patch_applique,

    // Preview.
    apercu_debut,
    apercu_fin,
    apercu_arguments,
    apercu_champ_inconnu,
    apercu_champ_incorrect,
    apercu_boite_vide,
    apercu_boite_trop_grande,
    apercu_page_vide,
    apercu_premier_code,
    apercu_police_hors_rom,
    glyphe_sans_largeur,
    glyphe_sans_code,
    glyphe_hors_police,
    apercu_pages,
    apercu_rien_a_montrer,

    // Game layouts: the description and the options.
    jeu_champ_inconnu,
    jeu_champ_absent,
    jeu_nom_de_fichier,
    jeu_entier,
    jeu_booleen,
    jeu_formule,
    jeu_plage,
    jeu_plages,
    jeu_groupes,
    jeu_groupe,
    jeu_disposition,
    jeu_positions,
    jeu_octets,
    jeu_octets_du_profil,
    jeu_nombre_de_la_liste,
    jeu_profil,
    jeu_profil_inconnu,
    jeu_champs_exclusifs,
    jeu_champ_sans_compagnon,
    jeu_option_inconnue,
    jeu_option_booleen,
    jeu_option_placement,

    // Game layouts: extraction and insertion.
    jeu_plage_inversee,
    jeu_plage_hors_rom,
    jeu_plages_chevauchees,
    jeu_formule_illisible,
    jeu_pointeur_hors_rom,
    jeu_pointeurs_chevauches,
    jeu_pointeur_dans_une_plage,
    jeu_pointeur_sans_position,
    jeu_pointeurs_sans_position,
    jeu_marque_inconnue,
    jeu_plage_marquee_deux_fois,
    jeu_texte_hors_plage,
    jeu_balise_repetee,
    jeu_bloc,
    jeu_texte_sans_place,
    jeu_debut_trop_long,
    jeu_rien_ecrit,
    jeu_ecrit_en_partie,
    jeu_pointeur_perime,
    jeu_pointeurs_perimes,

    nombre_de_messages  // not a message: the size of the catalogue
};

// The message's text, exactly as it is printed (a printf format).
char const* texte_du_message(Message message);
Genre genre_du_message(Message message);
