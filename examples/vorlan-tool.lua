-- Start-up script of the example folder: vorlan-tool runs it before any other script started
-- here. It holds what every script of this translation shares: where things lie in the ROM,
-- and a few helpers. Like every text of the toolkit, the files here are Latin-1.

dofile("police.lua")
dofile("creer_rom.lua")

ROM = "demo.rom"
TABLE = "demo.tbl"
PROFIL = "SNES24-LowRom1"  -- 3-byte little-endian pointers, LowRom banks
POINTEURS = 0x100          -- offset of the pointer table
NB_POINTEURS = 6
TEXTE = 0x200              -- first byte of the text block
ESPACE_LIBRE = 0x3FF       -- last byte the translated text may use
OBJETS = 0x400             -- item names: words of a fixed length
NB_OBJETS = 5
TAILLE_OBJET = 8
TABLE_OBJETS = 0x500       -- the items' table: 4-byte entries, a pointer to each description first
DESCRIPTIONS = 0x600       -- first byte of the item descriptions
FIN_DESCRIPTIONS = 0x67F   -- last byte they may use
LIBRE = {0xF00, 0xFFF}     -- free room nothing else uses
POLICE = 0x1000            -- the font's first tile, that of code $20
LARGEURS = "demo-largeurs.tbl"  -- each character's width in pixels, the box keywords
ROM_DECOUVERTE = "demo-decouverte.rom"  -- a fresh copy of the original game, for its discovery

function lire_fichier(nom)
    local f = assert(io.open(nom, "rb"))
    local texte = f:read("*a")
    f:close()
    return texte
end

function ecrire_fichier(nom, texte)
    local f = assert(io.open(nom, "wb"))
    f:write(texte)
    f:close()
end

function afficher_fichier(nom)
    io.write(lire_fichier(nom))
end

-- The text with the first occurrence of `ancien` (plain text, not a pattern) replaced.
function remplacer(texte, ancien, nouveau)
    local debut, fin = string.find(texte, ancien, 1, true)
    assert(debut, "texte introuvable : " .. ancien)
    return string.sub(texte, 1, debut - 1) .. nouveau .. string.sub(texte, fin + 1)
end
