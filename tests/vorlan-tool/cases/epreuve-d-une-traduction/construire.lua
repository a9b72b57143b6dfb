-- A font of blank 12 x 12 glyphs for the codes $20 to $7E, from $40 on, and the table that
-- gives each of those codes its character.
ecrire('jeu.rom', string.rep('\0', 0x40 + 95 * 18))
local t = {}
for c = 0x20, 0x7E do table.insert(t, string.format('%02X=%s\n', c, string.char(c))) end
ecrire('jeu.tbl', table.concat(t))
