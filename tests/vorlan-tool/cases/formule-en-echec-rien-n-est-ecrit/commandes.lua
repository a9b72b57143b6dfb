-- The formula fails on the second tag, after text was encoded: nothing reaches the ROM, the
-- error is printed, the command gives no result and the script goes on.
local fin = inserer('rom.bin', 'table.tbl', 'script.txt', 16, 20, 0, 2, 2, '$12-X', true)
print(fin)
