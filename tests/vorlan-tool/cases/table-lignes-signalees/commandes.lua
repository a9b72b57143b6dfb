-- Lines that define nothing usable are reported with their number and skipped.
aller_retour_sans_pointeurs()
