#pragma once

// True when the format holds at most one conversion, an integer one (d i o u x X c, with
// flags, width and precision), "%%" aside: the only formats hex can safely print its one
// int with. A format without a conversion is printed as it stands.
bool format_hex_valide(char const* format);
