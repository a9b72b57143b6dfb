#pragma once
#include "lib/rapport.h"

// The one way vorlan-tool prints: a report's text on the standard output through C stdio,
// byte for byte (NUL bytes included).
void afficher(Rapport const& rapport);
void afficher(Rapports const& rapports);
