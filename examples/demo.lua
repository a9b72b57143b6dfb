-- Demonstration: dump the text of a small ROM, translate one line, put it back, and read it
-- again; then the same with a list of fixed-length item names; then see the dialogue in the
-- game's own font, before and after re-wrapping it to the game's text boxes; last, describe
-- the whole game (two pointer groups, two text ranges, three free blocks) and let a longer
-- translation of the item descriptions spill over into the free block; and find that whole
-- layout again, with a table, from one phrase seen on screen; last, a proof sheet of the
-- translation for its reviewers, a web page to open in any browser.
-- Run from this folder: ../build/vorlan-tool -e demo.lua (scripts/demo.sh does it).
-- The ROM is made afresh by every run, so the committed files never change.

local fin_texte, fin_descriptions = creer_rom(ROM)

print("=== 1. Extraction du texte de " .. ROM)
extraire(ROM, TABLE, "demo-texte.txt", TEXTE, fin_texte, PROFIL, POINTEURS, NB_POINTEURS, 0, 0)
afficher_fichier("demo-texte.txt")

print("\n=== 2. Traduction d'une ligne")
local ancien = "Le pont est fermé."
local nouveau = "Le pont est fermé jusqu'à l'aube. Reviens demain !"
print("avant : " .. ancien)
print("après : " .. nouveau)
ecrire_fichier("demo-traduit.txt", remplacer(lire_fichier("demo-texte.txt"), ancien, nouveau))

print("\n=== 3. Insertion dans " .. ROM)
local fin = inserer(ROM, TABLE, "demo-traduit.txt", TEXTE, ESPACE_LIBRE, PROFIL, POINTEURS, NB_POINTEURS, 0, 0)
print(string.format("Le texte occupe maintenant $%X-$%X (il finissait en $%X).", TEXTE, fin - 1, fin_texte))

print("\n=== 4. Vérification : le texte relu dans la rom, pointeurs compris")
extraire(ROM, TABLE, "demo-verif.txt", TEXTE, fin - 1, PROFIL, POINTEURS, NB_POINTEURS, 0, 0)
afficher_fichier("demo-verif.txt")

print("\n=== 5. Les noms d'objets, mots de " .. TAILLE_OBJET .. " caractères")
extraire_fixe(ROM, TABLE, "demo-objets.txt", OBJETS, NB_OBJETS, TAILLE_OBJET)
afficher_fichier("demo-objets.txt")
print()
ecrire_fichier("demo-objets-traduits.txt", remplacer(lire_fichier("demo-objets.txt"), "Potion__", "Elixir"))
inserer_fixe(ROM, TABLE, "demo-objets-traduits.txt", OBJETS, NB_OBJETS, TAILLE_OBJET)
extraire_fixe(ROM, TABLE, "demo-objets-verif.txt", OBJETS, NB_OBJETS, TAILLE_OBJET)
afficher_fichier("demo-objets-verif.txt")

print("\n=== 6. Aper\231u des bo\238tes de dialogue dans la police du jeu")
-- The game's boxes: 2 lines of 192 pixels. The translated line is too long for its box.
local function boites(script, sortie)
    return apercu{script = script, table = TABLE, police = {rom = ROM, adresse = POLICE, premier = 0x20},
                  largeurs = LARGEURS, largeur = 192, lignes = 2, sortie = sortie}
end
local r = boites("demo-traduit.txt", "demo-apercu.png")
print(r.problemes .. " probl\232me(s), " .. r.boites[4].lignes[1].largeur .. " pixels pour la ligne du pont")
mettre_en_forme("demo-traduit.txt", "demo-reforme.txt", LARGEURS, 192, 2)
afficher_fichier("demo-reforme.txt")
r = boites("demo-reforme.txt", "demo-reforme.png")
print(r.problemes .. " probl\232me(s) une fois le texte remis en forme")

print("\n=== 7. Le jeu entier : dialogues et descriptions d'objets, deux groupes de pointeurs")
-- The descriptions' pointers hold the distance from their own entry (P) to their text, on
-- 2 bytes in entries of 4: they can designate nothing before their table, so none of the
-- descriptions may go into the dialogues' room.
local jeu = {
    rom = ROM, table = TABLE,
    textes = { {TEXTE, fin - 1}, {DESCRIPTIONS, fin_descriptions} },
    espace = { {TEXTE, ESPACE_LIBRE}, {DESCRIPTIONS, FIN_DESCRIPTIONS}, LIBRE },
    pointeurs = {
        { adresse = POINTEURS, nombre = NB_POINTEURS, profil = PROFIL },
        { adresse = TABLE_OBJETS, nombre = NB_OBJETS, taille = 2, pas = 4,
          formule_ext = "X+P", formule_ins = "X-P" },
    },
}
extraire_jeu(jeu, "demo-jeu.txt")
afficher_fichier("demo-jeu.txt")
local traductions = {
    {"Une vieille lame.", "Une vieille lame, rouill\233e mais encore tranchante."},
    {"Un bouclier de bois.", "Un bouclier de bois cercl\233 de fer, l\233ger et solide."},
    {"Rend 20 PV.", "Rend 20 points de vie \224 un membre de l'\233quipe."},
    {"Ouvre une porte.", "Ouvre la porte de la tour du nord, au bout du pont."},
    {"Le plan du village.", "Le plan du village de Karst et de ses environs."},
}
local script = lire_fichier("demo-jeu.txt")
for i = 1, table.getn(traductions) do
    script = remplacer(script, traductions[i][1], traductions[i][2])
end
ecrire_fichier("demo-jeu-traduit.txt", script)
print()
local r = inserer_jeu(jeu, "demo-jeu-traduit.txt")
-- Read back what each block now holds, every pointer of both groups with its text.
local relu = { rom = ROM, table = TABLE, textes = {}, pointeurs = jeu.pointeurs }
for i = 1, table.getn(r.blocs) do
    local b = r.blocs[i]
    if b.utilise > 0 then table.insert(relu.textes, {b.debut, b.debut + b.utilise - 1}) end
end
extraire_jeu(relu, "demo-jeu-verif.txt")
afficher_fichier("demo-jeu-verif.txt")

print("\n=== 8. Retrouver la table et la disposition du jeu \224 partir d'une phrase vue \224 l'\233cran")
-- A fresh copy of the original game, as a translator gets it: no table, no offsets. The phrase
-- fixes the capitals, the small letters and the digits (the accented letters, which it does
-- not tie to any of them, are jokers); the control codes and the punctuation it does not show
-- stay unknown, which the dump writes as raw bytes.
creer_rom(ROM_DECOUVERTE)
local decouvert = decouvrir{ rom = ROM_DECOUVERTE, texte = "Tu as trouv* 50 pi*ces d'or !", fins = {0x00},
                             table = "demo-decouverte.tbl", description = "demo-decouverte.lua",
                             minimum = 4, remplacer = true }
extraire_jeu(decouvert, "demo-decouverte.txt")
afficher_fichier("demo-decouverte.txt")

print("\n=== 9. Une page d'\233preuve pour les relecteurs")
-- The translated dialogue beside its original, its boxes in the game's font, its problems.
local e = epreuve{script = "demo-traduit.txt", original = "demo-texte.txt", table = TABLE,
                  police = {rom = ROM, adresse = POLICE, premier = 0x20}, largeurs = LARGEURS,
                  largeur = 192, lignes = 2, sortie = "demo-epreuve.html",
                  titre = "D\233mo : traduction fran\231aise"}
print(e.sections .. " texte(s), " .. e.problemes .. " probl\232me(s) : ouvrir " .. e.page .. " dans un navigateur")
