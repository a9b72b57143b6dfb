local octets = {}
for i = 0, 4095 do octets[#octets + 1] = string.char(math.mod(i * 7 + 3, 256)) end
local original = table.concat(octets)
-- A translation: a few bytes rewritten, the end cut, zero bytes added.
local modifie = string.sub(original, 1, 100) .. "traduction" .. string.sub(original, 111, 3000) .. string.rep("\0", 500)
ecrire("original.bin", original)
ecrire("modifie.bin", modifie)
