extraire('rom.bin', 'table.tbl', 'sortie.txt', 1, 2, 'SANS_POINTEURS')
extraire_fixe('rom.bin', 'table.tbl', 'mots.txt', 0, 2, 2)
inserer_fixe('rom.bin', 'table.tbl', 'nouveaux.txt', 0, 2, 2)
