#pragma once

class Lua;

// The interactive shell: reads chunks at the "> " prompt (">> " for continuation lines
// ended by a backslash), runs each one, and ends on "exit()" or at the end of the input.
void lancer_interpreteur(Lua& lua);
