local rom = io.open("123", "wb")
rom:write(string.rep("\238", 16) .. "AB" .. string.rep("\238", 14))
rom:close()
