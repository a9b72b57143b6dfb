-- Demonstration: dump the text of a small ROM, translate one line, put it back, and read it
-- again; then the same with a list of fixed-length item names.
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
