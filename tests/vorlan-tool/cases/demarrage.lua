-- The start-up script of every case (copied as vorlan-tool.lua, run before construire.lua and
-- commandes.lua): helpers the cases share. It must print nothing.

-- A whole file's bytes.
function lire(nom)
  local f = io.open(nom, 'rb')
  local octets = f:read('*a')
  f:close()
  return octets
end

function ecrire(nom, octets)
  local f = io.open(nom, 'wb')
  f:write(octets)
  f:close()
end

-- A table case's round trip: all of rom.bin extracted with table.tbl, without pointers, into
-- script.txt, printed between brackets; then inserted into a copy of zeros the same size,
-- which must come back as rom.bin. The copy is removed, so it is no file the case expects.
function aller_retour_sans_pointeurs()
  local fin = string.len(lire('rom.bin')) - 1
  extraire('rom.bin', 'table.tbl', 'script.txt', 0, fin, 'SANS_POINTEURS')
  io.write('[', lire('script.txt'), ']\n')
  ecrire('copie.bin', string.rep('\0', fin + 1))
  inserer('copie.bin', 'table.tbl', 'script.txt', 0, fin, 'SANS_POINTEURS')
  print(lire('copie.bin') == lire('rom.bin'))
  os.remove('copie.bin')
end
