-- A kana and a kanji table in one file, the kanji reached one at a time (N = 1): dumped
-- without pointers and with them.
extraire('rom.bin', 'table.tbl', 'sans-pointeurs.txt', 0, 10, 'SANS_POINTEURS')
extraire('rom.bin', 'table.tbl', 'avec-pointeurs.txt', 0, 10, 11, 2, 2, 'X', true)

-- The bytes of a file, in hex.
local function octets(nom)
  return (string.gsub(lire(nom), '.', function(c) return string.format('%02X ', string.byte(c)) end))
end

-- Inserted unchanged, with its pointers, into a copy: the same ROM, byte for byte.
ecrire('copie.bin', lire('rom.bin'))
inserer('copie.bin', 'table.tbl', 'avec-pointeurs.txt', 0, 10, 11, 2, 2, 'X', true)
print(lire('copie.bin') == lire('rom.bin'))
-- Translated: after a kana comes a kanji that only the kanji table holds, and two kanji in a
-- row; the encoder writes the switch F0 before each, and a new dump reads the translation
-- (then the zero byte left in the range).
ecrire('traduction.txt', '<PT0001>\nい語あ<FIN>\n<PT0002>\n本日<FIN>\n')
inserer('copie.bin', 'table.tbl', 'traduction.txt', 0, 10, 11, 2, 2, 'X', true)
print(octets('copie.bin'))
extraire('copie.bin', 'table.tbl', 'relu.txt', 0, 10, 11, 2, 2, 'X', true)
io.write(lire('relu.txt'), '\n')
os.remove('copie.bin')
os.remove('traduction.txt')
os.remove('relu.txt')
