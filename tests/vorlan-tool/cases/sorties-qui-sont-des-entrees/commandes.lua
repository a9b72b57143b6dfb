-- A result that is one of the command's inputs, under any name, would destroy it: refused
-- before anything is written.
optimiser_dte('script.txt', './script.txt', 3)
optimiser_mte('script.txt', 'lien.txt', 3, 4)
supprimer_mots('script.txt', 'liste.txt', 'liste.txt')
mettre_en_forme('script.txt', 'largeurs.tbl', 'largeurs.tbl', 40, 2)
inserer('table.tbl', 'table.tbl', 'script.txt', 0, 3, 'SANS_POINTEURS')
inserer_fixe('script.txt', 'table.tbl', 'script.txt', 0, 1, 2)
-- The script itself may be rewritten in place, through a link too.
supprimer_mots('script.txt', 'lien.txt', 'liste.txt')
mettre_en_forme('lien.txt', 'script.txt', 'largeurs.tbl', 40, 2)
