-- A UTF-8 byte-order mark at the start of the table is no part of the first key.
local function lire(nom)
  local f = io.open(nom, 'rb')
  local octets = f:read('*a')
  f:close()
  return octets
end
local function ecrire(nom, octets)
  local f = io.open(nom, 'wb')
  f:write(octets)
  f:close()
end
local fin = string.len(lire('rom.bin')) - 1
extraire('rom.bin', 'table.tbl', 'script.txt', 0, fin, 'SANS_POINTEURS')
io.write('[', lire('script.txt'), ']\n')
ecrire('copie.bin', string.rep('\0', fin + 1))
inserer('copie.bin', 'table.tbl', 'script.txt', 0, fin, 'SANS_POINTEURS')
print(lire('copie.bin') == lire('rom.bin'))
os.remove('copie.bin')
