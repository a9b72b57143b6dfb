-- Demonstration: dump the text of a small ROM, translate one line, put it back, and read it
-- again; then the same with a list of fixed-length item names; then see the dialogue in the
-- game's own font, before and after re-wrapping it to the game's text boxes.
-- Run from this folder: ../build/vorlan-tool -e demo.lua (scripts/demo.sh does it).
-- The ROM is made afresh by every run, so the committed files never change.

local fin_texte = creer_rom(ROM)

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
