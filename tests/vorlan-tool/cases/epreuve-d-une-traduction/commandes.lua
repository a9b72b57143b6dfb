-- A proof sheet of a Latin-1 translation beside its original, end to end: the problems and
-- the summary it prints, what it returns, and in the page the title, texts and problems
-- escaped and in UTF-8, the counts, the anchors (a range's text by its range) and the picture.
-- The page and its picture are removed, so that the run leaves the folder as it found it.
local r = epreuve{ script = 'script-fr.txt', original = 'script.txt', table = 'jeu.tbl',
                   police = { rom = 'jeu.rom', adresse = 0x40, premier = 0x20 },
                   largeurs = 'largeurs.tbl', largeur = 120, lignes = 2, sortie = 'epreuve.html',
                   titre = 'Essai <1> & "2"' }
print(r.page, r.sections, r.problemes, r.pages, table.getn(r.boites))
local page = lire('epreuve.html')
local attendus = {
  '<title>Essai &lt;1&gt; &amp; &quot;2&quot;</title>',
  '<section class="texte" id="PLAGE-10000" data-problemes="0" data-traduit="non">',
  '<section class="texte" id="PT0001" data-problemes="0" data-traduit="oui">',
  '<section class="texte" id="PT0002" data-problemes="0" data-traduit="non">',
  '<section class="texte" id="PT0003" data-problemes="3" data-traduit="oui">',
  '<pre class="traduction">A &lt;b&gt; &amp; &quot;c&#39;est&quot;&lt;FIN&gt;</pre>',
  'A bient\195\180t, et merci pour tout.&lt;BOITE&gt;\nAu revoir.\nBonne route.\nFin.&lt;FIN&gt;</pre>',
  '<li class="fautive">A bient\195\180t, et merci pour tout.</li>',
  '<li class="fautive">Fin.</li>',
  'Bo\195\174te trop pleine : pointeur 3, bo\195\174te 2 : 3 lignes pour 2',
  '<span data-compte="textes">4</span>',
  '<span data-compte="boites">4</span>',
  '<span data-compte="problemes">3</span>',
  '<span data-compte="sans-largeur">1</span>',
  'Caract\195\168re sans largeur : pointeur 3, bo\195\174te 1, ligne 1 : &#39;\195\180&#39;',
  '<span data-compte="non-traduits">2</span>',
  'src="epreuve-images/page-001.png"',
}
for _, a in ipairs(attendus) do
  if not string.find(page, a, 1, true) then print('absent : ' .. a) end
end
print(string.sub(lire('epreuve-images/page-001.png'), 2, 4))
os.remove('epreuve-images/page-001.png')
os.remove('epreuve-images')
os.remove('epreuve.html')
