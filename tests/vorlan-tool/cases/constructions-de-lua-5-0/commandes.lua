-- What scripts written for Lua 5.0 use and still runs here.
print(table.getn({'a', 'b', 'c'}))
print(math.mod(17, 5))
local mots = {}
for mot in string.gfind('un deux trois', '%a+') do table.insert(mots, mot) end
print(table.concat(mots, ','))
-- A vararg function sees its arguments in the table arg, with their count in arg.n.
local function compter(...)
  return arg.n, arg[2]
end
print(compter('x', 'y', nil))
-- Iterating over a table needs pairs(t): "for k, v in t do" is refused by this interpreter.
local n = 0
for _, v in pairs({10, 20}) do n = n + v end
print(n)
print(pcall(loadstring('for k, v in {1} do end')))
