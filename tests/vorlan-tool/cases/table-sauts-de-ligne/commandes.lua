-- A line break alone is a line feed; with a text, the text and a line feed.
aller_retour_sans_pointeurs()
