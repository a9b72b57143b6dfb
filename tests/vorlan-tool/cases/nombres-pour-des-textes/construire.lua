ecrire("123", string.rep("\238", 16) .. "AB" .. string.rep("\238", 14))
