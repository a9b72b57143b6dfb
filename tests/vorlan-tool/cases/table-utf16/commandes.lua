-- A table in UTF-16 is read as its UTF-8 text, and said to be: the script is then UTF-8 too.
aller_retour_sans_pointeurs()
