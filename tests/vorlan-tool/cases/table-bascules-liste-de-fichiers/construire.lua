-- 01 F0 01 | 02 F0 02 | 01 F0: as words of three units (a switch code is one), two words and
-- what is left; as a string, a switch at its very end.
ecrire('rom.bin', string.char(0x01, 0xF0, 0x01, 0x02, 0xF0, 0x02, 0x01, 0xF0))
