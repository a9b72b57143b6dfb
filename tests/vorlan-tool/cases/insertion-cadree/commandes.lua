print(inserer('rom.bin', 'table.tbl', 'script.txt', 2, 6, 'SANS_POINTEURS'))
-- A reported error still returns a result: the start offset. Numbers are truncated toward zero.
print(inserer('rom.bin', 'table.tbl', 'script.txt', 7.9, 6.2, 'SANS_POINTEURS'))
