-- Blank lines and comments (#, //, ;) are skipped without a word.
aller_retour_sans_pointeurs()
