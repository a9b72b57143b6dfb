-- What comes before the pointer whose formula fails is reported (an unknown character, a
-- pointer past the table); nothing after it is: neither the unknown character that follows
-- nor the room left.
print(inserer('rom.bin', 'table.tbl', 'script.txt', 16, 20, 0, 2, 2, '$12-X', true))
print('suite')
