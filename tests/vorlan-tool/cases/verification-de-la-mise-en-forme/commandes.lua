-- Boxes of 2 lines of 160 pixels: the script is measured as it is written and left as it is;
-- the problems found are no errors, so the run ends with 0.
local problemes = verifier_mise_en_forme('script.txt', 'largeurs.tbl', 160, 2)
print('problemes : ' .. problemes)
