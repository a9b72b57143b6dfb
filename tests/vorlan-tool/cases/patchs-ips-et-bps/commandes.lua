-- Both kinds of patch, written, applied to the original and compared with the translated ROM;
-- a BPS patch given another ROM is refused and writes nothing.
creer_patch('original.bin', 'modifie.bin', 'jeu.ips')
creer_patch('original.bin', 'modifie.bin', 'jeu.bps')
appliquer_patch('original.bin', 'jeu.ips', 'par-ips.bin')
appliquer_patch('original.bin', 'jeu.bps', 'par-bps.bin')
print(lire('par-ips.bin') == lire('modifie.bin'), lire('par-bps.bin') == lire('modifie.bin'))
appliquer_patch('modifie.bin', 'jeu.bps', 'refus.bin')
print(io.open('refus.bin', 'rb') == nil)
for _, nom in ipairs({'jeu.ips', 'jeu.bps', 'par-ips.bin', 'par-bps.bin'}) do os.remove(nom) end
