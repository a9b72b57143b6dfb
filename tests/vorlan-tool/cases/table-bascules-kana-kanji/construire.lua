-- Two strings of kana and kanji, then their two pointers (16 bits, little-endian):
--   0: 01 F0 01 F0 02 02 FF    7: F0 03 03 FF    11: 00 00 07 00
ecrire('rom.bin', string.char(0x01, 0xF0, 0x01, 0xF0, 0x02, 0x02, 0xFF, 0xF0, 0x03, 0x03, 0xFF,
                              0x00, 0x00, 0x07, 0x00))
