-- Every text input is read with its CR LF line ends turned into LF: tables, scripts and word
-- lists alike (a word list keeps its CR only before a line feed, as part of the line end).
extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 4, 'SANS_POINTEURS')
mettre_en_forme('script.txt', 'forme.txt', 'largeurs.tbl', 60, 2)
optimiser_dte('script.txt', 'dte.txt', 1)
supprimer_mots('script.txt', 'marque.txt', 'liste.txt')
