-- A names table reached for as long as it matches (N = 0) and up to a code ($FF).
extraire('rom.bin', 'table.tbl', 'script.txt', 0, 11, 'SANS_POINTEURS')
