-- Switches inside a switched-to table: dumped, inserted unchanged (the same bytes), then a
-- translation whose first name the encoder reaches through both switches.
local function octets(nom)
  return (string.gsub(lire(nom), '.', function(c) return string.format('%02X ', string.byte(c)) end))
end

extraire('rom.bin', 'table.tbl', 'script.txt', 0, 10, 'SANS_POINTEURS')
io.write(lire('script.txt'))
ecrire('copie.bin', string.rep('\0', 11))
inserer('copie.bin', 'table.tbl', 'script.txt', 0, 10, 'SANS_POINTEURS')
print(lire('copie.bin') == lire('rom.bin'))
ecrire('traduction.txt', 'Aya本u<FIN>\n<K>本<FIN>\n')
inserer('copie.bin', 'table.tbl', 'traduction.txt', 0, 10, 'SANS_POINTEURS')
print(octets('copie.bin'))
extraire('copie.bin', 'table.tbl', 'relu.txt', 0, 10, 'SANS_POINTEURS')
io.write(lire('relu.txt'))
os.remove('copie.bin')
os.remove('traduction.txt')
os.remove('relu.txt')
