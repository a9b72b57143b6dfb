-- Builds the demonstration ROM (this file is Latin-1, like the ROM's texts): an 8 KiB image laid out like a small cartridge game, with its
-- texts encoded as demo.tbl describes (ASCII and Latin-1 letters stand for themselves,
-- control codes below $20 and above $F0).
--
--   $000  header "VORLAN DEMO", then $FF
--   $100  pointer table: 6 pointers of 3 bytes, little-endian, LowRom bank 0 ($8000 + offset)
--   $200  the texts, each ended by $00 (<FIN>); free space (zeros) up to $3FF
--   $400  item names: 5 words of 8 characters, padded with "_"
--   $500  the items' table: 5 entries of 4 bytes, a 2-byte pointer to the item's description
--         (its offset from the entry itself) and the item's price
--   $600  the descriptions, each ended by $00; zeros up to $67F
--   $680  bytes standing for the game's code, up to $EFF
--   $F00  free space (zeros) up to $FFF
--   $1000 the font: 12 x 12 tiles of the codes $20 to $FF (police.lua), then zeros up to $1FFF

local FIN, LIGNE, ATTENTE = "\000", "\001", "\002"
local ALDO, MIRA, ROUGE, BLANC = "\240\001", "\240\002", "\241", "\242"

local textes = {
    ALDO .. " : Bienvenue au village de Karst !" .. LIGNE .. "Les gardes t'attendent au nord." .. FIN,
    MIRA .. " : As-tu vu la " .. ROUGE .. "pierre de lune" .. BLANC .. " ?" .. ATTENTE
        .. "On dit qu'elle brille la nuit." .. FIN,
    "Le pont est fermé." .. FIN,
    ALDO .. " : Je reviendrai demain." .. FIN,
    "Tu as trouvé 50 pièces d'or !" .. FIN,
}
-- Pointer n designates text textes_des_pointeurs[n]: two pointers share the second text, and
-- the table does not follow the order of the texts.
local textes_des_pointeurs = {1, 2, 2, 4, 3, 5}

local objets = {"Epée____", "Bouclier", "Potion__", "Clé_____", "Carte___"}
local descriptions = {
    "Une vieille lame." .. FIN,
    "Un bouclier de bois." .. FIN,
    "Rend 20 PV." .. FIN,
    "Ouvre une porte." .. FIN,
    "Le plan du village." .. FIN,
}
local prix = {120, 80, 15, 5, 30}

local function reste(a, b)
    return a - math.floor(a / b) * b
end

local function octets(n, valeur)
    return string.rep(string.char(valeur), n)
end

-- A 2-byte little-endian number.
local function deux_octets(valeur)
    return string.char(reste(valeur, 256), math.floor(valeur / 256))
end

-- The pointer value of a ROM offset in bank 0 of a LowRom cartridge, as 3 bytes, little-endian.
local function pointeur(offset)
    local valeur = offset + 0x8000
    return string.char(reste(valeur, 256), math.floor(valeur / 256), 0)
end

function creer_rom(nom)
    local debuts, position = {}, 0x200
    for i = 1, table.getn(textes) do
        debuts[i] = position
        position = position + string.len(textes[i])
    end
    local morceaux = {"VORLAN DEMO", octets(0x20 - 11, 0), octets(0xE0, 0xFF)}
    for n = 1, table.getn(textes_des_pointeurs) do
        table.insert(morceaux, pointeur(debuts[textes_des_pointeurs[n]]))
    end
    table.insert(morceaux, octets(0x100 - 3 * table.getn(textes_des_pointeurs), 0xFF))
    table.insert(morceaux, table.concat(textes))
    table.insert(morceaux, octets(0x400 - position, 0))
    table.insert(morceaux, table.concat(objets))
    table.insert(morceaux, octets(0x100 - 8 * table.getn(objets), 0xFF))
    local description = 0x600
    for i = 1, table.getn(descriptions) do
        local relatif = description - (0x500 + 4 * (i - 1))
        table.insert(morceaux, deux_octets(relatif) .. deux_octets(prix[i]))
        description = description + string.len(descriptions[i])
    end
    table.insert(morceaux, octets(0x100 - 4 * table.getn(descriptions), 0xFF))
    table.insert(morceaux, table.concat(descriptions))
    table.insert(morceaux, octets(0x680 - description, 0))
    for i = 0x680, 0xEFF do
        table.insert(morceaux, string.char(reste(i * 37 + 11, 256)))
    end
    table.insert(morceaux, octets(0x100, 0))
    local police = police_12x12()
    table.insert(morceaux, police)
    table.insert(morceaux, octets(0x1000 - string.len(police), 0))
    local f = assert(io.open(nom, "wb"))
    f:write(table.concat(morceaux))
    f:close()
    -- The offsets of the last text byte and of the last description byte: where the two text
    -- blocks of the original game end.
    return position - 1, description - 1
end
