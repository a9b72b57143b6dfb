#pragma once
#include "lib/string.h"

class Lua;

// Argument checks shared by the script commands. Each reports the first failing argument
// of premier..dernier with its message and returns false; true when all pass.
bool verifier_chaines(Lua& lua, int premier, int dernier);
bool verifier_nombres(Lua& lua, int premier, int dernier);

// "Erreur, l'argument %d est incorrect\n"; returns no result for the command to hand back.
int argument_incorrect(int position);

// What follows a profile's formula for the shifts a script gives with it: "+$%X" of `plus`
// then "-$%X" of `moins`, each written as its 32 bits.
String montants_de_profil(int plus, int moins);
