-- The kana in one file, the kanji in another: given as a list, their tables load together
-- (the start table is the first file's first).
extraire('rom.bin', {'kana.tbl', 'kanji.tbl'}, 'script.txt', 0, 7, 'SANS_POINTEURS')
extraire_fixe('rom.bin', {'kana.tbl', 'kanji.tbl'}, 'mots.txt', 0, 2, 3)

-- Both inserted back with the same list into a copy of zeros: the words as they were (a word
-- of two characters is three units, the switch included); then a translated word of two
-- units, padded with a zero byte since no table has "_", and one of four, cut after three;
-- then the string, one byte shorter, as its final switch had nothing to switch for.
local function octets(nom)
  return (string.gsub(lire(nom), '.', function(c) return string.format('%02X ', string.byte(c)) end))
end
ecrire('copie.bin', string.rep('\0', 8))
inserer_fixe('copie.bin', {'kana.tbl', 'kanji.tbl'}, 'mots.txt', 0, 2, 3)
print(octets('copie.bin'))
ecrire('mots-fr.txt', '日\nいあ本\n')
inserer_fixe('copie.bin', {'kana.tbl', 'kanji.tbl'}, 'mots-fr.txt', 0, 2, 3)
print(octets('copie.bin'))
inserer('copie.bin', {'kana.tbl', 'kanji.tbl'}, 'script.txt', 0, 7, 'SANS_POINTEURS')
print(octets('copie.bin'))
os.remove('copie.bin')
os.remove('mots-fr.txt')
