-- A UTF-8 byte-order mark at the start of the table is no part of the first key.
aller_retour_sans_pointeurs()
