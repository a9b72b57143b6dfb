-- Tables that cannot be read refuse the extraction before any file is written: two tables
-- of one name, a switch to a table that does not exist, forms this program does not read,
-- and table arguments that are no list of file names.
extraire('rom.bin', {'doubles-a.tbl', 'doubles-b.tbl'}, 'script.txt', 0, 3, 'SANS_POINTEURS')
extraire('rom.bin', 'absente.tbl', 'script.txt', 0, 3, 'SANS_POINTEURS')
extraire_fixe('rom.bin', 'forme.tbl', 'script.txt', 0, 2, 2)
extraire('rom.bin', {}, 'script.txt', 0, 3, 'SANS_POINTEURS')
extraire('rom.bin', {'kana.tbl', ''}, 'script.txt', 0, 3, 'SANS_POINTEURS')
extraire_fixe('rom.bin', {'kana.tbl', 3}, 'script.txt', 0, 2, 2)
extraire('rom.bin', {'kana.tbl', nil, 'kana.tbl'}, 'script.txt', 0, 3, 'SANS_POINTEURS')
extraire('rom.bin', {'kana.tbl', 'absent.tbl'}, 'script.txt', 0, 3, 'SANS_POINTEURS')
-- The insertions refuse the same tables before they touch the ROM.
inserer('rom.bin', {'doubles-a.tbl', 'doubles-b.tbl'}, 'script.txt', 0, 3, 'SANS_POINTEURS')
inserer('rom.bin', 'absente.tbl', 'script.txt', 0, 3, 'SANS_POINTEURS')
inserer_fixe('rom.bin', 'forme.tbl', 'script.txt', 0, 2, 2)
inserer('rom.bin', {'kana.tbl', ''}, 'script.txt', 0, 3, 'SANS_POINTEURS')
