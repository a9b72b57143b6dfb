-- Each script exported with itself as its translation, then imported: the same script comes
-- back, through PO, CSV and TSV. The Latin-1 script holds quotes, backslashes, tabs, commas,
-- line breaks, codes, accents, a text of its end code only, a text two pointers share and a
-- line longer than gettext's page; the UTF-8 one, range markers and characters Latin-1 lacks;
-- the word list, an empty word. The Latin-1 script's files, and one with the box's widths in
-- its notes, are kept to pin their bytes.
local function avec(t, options)
  for k, v in pairs(options) do t[k] = v end
  return t
end

local scripts = { { 'script.txt', {} }, { 'jeu.txt', { encodage = 'utf8' } }, { 'mots.txt', { fixe = true } } }
for _, s in ipairs(scripts) do
  for _, format in ipairs({ 'po', 'csv', 'tsv' }) do
    local nom = s[1] .. '.' .. format
    exporter(avec({ script = s[1], traduction = s[1], sortie = nom, langue = 'fr' }, s[2]))
    local r = importer(avec({ fichier = nom, script = s[1], sortie = 'retour.txt' }, s[2]))
    print(nom, lire('retour.txt') == lire(s[1]), r.traduits, r.non_traduits, r.pourcentage)
    if s[1] ~= 'script.txt' then os.remove(nom) end
  end
end
os.remove('retour.txt')

exporter{ script = 'script.txt', sortie = 'boite.pot', largeurs = 'largeurs.tbl', largeur = 160, lignes = 2 }
