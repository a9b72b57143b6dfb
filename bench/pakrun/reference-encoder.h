#pragma once

// The codec's encoder with the plain match search: every one of the 239 positions behind the
// coding position is tried, twice per coded item. Kept here only, as the yardstick that the
// tool's indexed search must match byte for byte and beat on speed.
namespace pakrun_reference {

int checkSequence(unsigned char const* ring, int a, int b);
int findSequence(unsigned char const* ring, int position, int& best);
int pkComp(unsigned char const* in, unsigned char* out, int length);

}  // namespace pakrun_reference
