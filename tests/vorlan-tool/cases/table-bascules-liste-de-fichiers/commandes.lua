-- The kana in one file, the kanji in another: given as a list, their tables load together
-- (the start table is the first file's first).
extraire('rom.bin', {'kana.tbl', 'kanji.tbl'}, 'script.txt', 0, 7, 'SANS_POINTEURS')
extraire_fixe('rom.bin', {'kana.tbl', 'kanji.tbl'}, 'mots.txt', 0, 2, 3)
