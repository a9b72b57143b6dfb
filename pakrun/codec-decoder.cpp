#include "pakrun/codec-decoder.h"

#include "pakrun/dictionary.h"
#include "pakrun/ring.h"

namespace pakrun {

// Stream layout: a control byte holds eight flags, bit 7 first (1 = literal, 0 = reference),
// for the items that follow it.
//   literal:                 B            one output byte
//   reference, first of pair:  P  LL      P = ring position, LL high nibble = length - 2,
//                                         LL low nibble = length - 2 of the next reference
//   reference, second of pair: P          length from the low nibble kept above
// References pair up across the whole stream, whatever lies between them.
int pkDecomp(unsigned char const* in, int available, unsigned char* out, int size) {
    if (size <= 0) return 0;
    Dictionary ring;
    int write = ringStart;
    int read = 0;
    int produced = 0;
    unsigned flags = 0;
    int flagsLeft = 0;
    bool firstOfPair = true;
    unsigned lengths = 0;
    while (produced < size) {
        if (flagsLeft == 0) {
            if (read >= available) return pkInputExhausted;
            flags = in[read++];
            flagsLeft = 8;
        }
        bool const literal = (flags & 0x80) != 0;
        flags <<= 1;
        --flagsLeft;
        if (literal) {
            if (read >= available) return pkInputExhausted;
            unsigned char const byte = in[read++];
            ring.put(write, byte);
            write = (write + 1) & 0xFF;
            out[produced++] = byte;
            continue;
        }
        if (read + (firstOfPair ? 2 : 1) > available) return pkInputExhausted;
        int const source = in[read++];
        int length;
        if (firstOfPair) {
            lengths = in[read++];
            length = static_cast<int>(lengths >> 4) + shortestMatch;
        } else {
            length = static_cast<int>(lengths & 0x0F) + shortestMatch;
        }
        firstOfPair = !firstOfPair;
        int const start = write;
        write = copyDictionary(ring, source, write, length);
        for (int i = 0; i < length && produced < size; ++i) out[produced++] = ring.at(start + i);
    }
    return read;
}

}  // namespace pakrun
