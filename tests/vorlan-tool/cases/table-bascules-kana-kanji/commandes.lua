-- A kana and a kanji table in one file, the kanji reached one at a time (N = 1): dumped
-- without pointers and with them.
extraire('rom.bin', 'table.tbl', 'sans-pointeurs.txt', 0, 10, 'SANS_POINTEURS')
extraire('rom.bin', 'table.tbl', 'avec-pointeurs.txt', 0, 10, 11, 2, 2, 'X', true)
