-- An end token's text is followed by a line feed when extracting; insertion takes it with
-- or without. A bare end token shows its raw form.
aller_retour_sans_pointeurs()
