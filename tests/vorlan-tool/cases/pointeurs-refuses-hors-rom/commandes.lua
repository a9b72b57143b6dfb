-- Pointer slots outside the ROM are refused, and the file never grows.
inserer('rom.bin', 'table.tbl', 'script.txt', 0, 3, 30, 2, 2, 'X', true)
