ecrire("rom.bin", string.rep("\238", 32))
