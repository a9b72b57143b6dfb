-- ROM named "123", script written to "456", the formula 16 sends every pointer to offset 16,
-- the pointer table's offset "0" is a numeric string: explicit form, not a profile.
extraire(123, 'table.tbl', 456, 16, 17, '0', 2, 2, 16, true)
