-- A dry run prints and returns what the insertion prints and returns, and writes nothing;
-- then the insertion itself.
local avant = lire('rom.bin')
print(simuler_inserer('rom.bin', 'table.tbl', 'script.txt', 16, 20, 0, 2, 2, 'X', true))
print(lire('rom.bin') == avant)
print(inserer('rom.bin', 'table.tbl', 'script.txt', 16, 20, 0, 2, 2, 'X', true))
print(lire('rom.bin') == avant)
