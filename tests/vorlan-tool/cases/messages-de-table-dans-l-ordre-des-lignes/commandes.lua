-- A table's reports follow the order of the lines that cause them: the duplicate on line 2
-- comes before the empty entries of lines 3 and 4, in both directions.
extraire('rom.bin', 'table.tbl', 'sortie.txt', 0, 0, 'SANS_POINTEURS')
inserer('rom.bin', 'table-ins.tbl', 'script.txt', 0, 0, 'SANS_POINTEURS')
