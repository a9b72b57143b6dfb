local rom = io.open("rom.bin", "wb")
rom:write(string.rep("\238", 32))
rom:close()
