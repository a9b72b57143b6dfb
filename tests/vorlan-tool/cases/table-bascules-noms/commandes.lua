-- A names table reached for as long as it matches (N = 0) and up to a code ($FF).
extraire('rom.bin', 'table.tbl', 'script.txt', 0, 11, 'SANS_POINTEURS')

local function octets(nom)
  return (string.gsub(lire(nom), '.', function(c) return string.format('%02X ', string.byte(c)) end))
end

-- Inserted unchanged: the first text as it was; the second one byte shorter, since 02 is no
-- name and ends the names' stay without FF. A new dump gives the same script.
ecrire('copie.bin', string.rep('\0', 12))
inserer('copie.bin', 'table.tbl', 'script.txt', 0, 11, 'SANS_POINTEURS')
print(octets('copie.bin'))
extraire('copie.bin', 'table.tbl', 'relu.txt', 0, 10, 'SANS_POINTEURS')
print(lire('relu.txt') == lire('script.txt'))
-- Translated: a name typed without its label (the encoder writes the shortest switch that
-- reaches it, F2, whose label the new dump shows), and a name entered up to FF that ends the
-- text.
ecrire('traduction.txt', 'bArlo<FIN>\n[Arn<FIN>\n')
inserer('copie.bin', 'table.tbl', 'traduction.txt', 0, 11, 'SANS_POINTEURS')
extraire('copie.bin', 'table.tbl', 'relu.txt', 0, 11, 'SANS_POINTEURS')
io.write(lire('relu.txt'))
os.remove('copie.bin')
os.remove('traduction.txt')
os.remove('relu.txt')
