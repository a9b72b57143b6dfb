-- A control code's parameters are written raw, never as characters, even cut by the end.
aller_retour_sans_pointeurs()
