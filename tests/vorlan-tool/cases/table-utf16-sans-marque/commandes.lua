-- Without a byte-order mark, a table whose every second byte is zero is read as UTF-16.
aller_retour_sans_pointeurs()
