#include "pakrun/codec-encoder.h"

#include <algorithm>

#include "pakrun/dictionary.h"
#include "pakrun/ring.h"

namespace pakrun {

int pkComp(unsigned char const* in, unsigned char* out, int length) {
    Dictionary ring;
    // The ring holds up to longestMatch input bytes ahead of the coding position (the
    // lookahead), so that matches can overlap the bytes they produce.
    int const preloaded = std::min(length, longestMatch);
    int fill = copyToDictionary(ring, ringStart, in, preloaded);
    int read = preloaded;
    int code = ringStart;

    int control = 0;
    int written = 1;
    unsigned flags = 0;
    int bit = 7;
    bool firstOfPair = true;
    int lengthsAt = 0;
    for (;;) {
        // Once the coding position reaches the fill position, or passes it because the last
        // reference ran beyond the input, every input byte is coded.
        int const ahead = (fill - code) & 0xFF;
        if (ahead == 0 || ahead > longestMatch) break;
        if (bit < 0) {
            out[control] = static_cast<unsigned char>(flags);
            control = written++;
            flags = 0;
            bit = 7;
            continue;
        }
        int position = 0;
        int const match = findSequence(ring, code, position);
        // Lazy matching: a strictly longer match one byte later makes this byte a literal.
        // Below the shortest length or at the longest one, the later match cannot matter.
        int later = 0;
        if (match >= shortestMatch && match < longestMatch) {
            int laterPosition = 0;
            later = findSequence(ring, code + 1, laterPosition);
        }
        if (match < shortestMatch || match < later) {
            out[written++] = ring.at(code);
            flags |= 1u << bit;
            if (read < length) {
                ring.put(fill, in[read++]);
                fill = (fill + 1) & 0xFF;
            }
            code = (code + 1) & 0xFF;
        } else {
            out[written++] = static_cast<unsigned char>(position);
            if (firstOfPair) {
                lengthsAt = written;
                out[written++] = static_cast<unsigned char>((match - shortestMatch) << 4);
            } else {
                out[lengthsAt] = static_cast<unsigned char>(out[lengthsAt] | (match - shortestMatch));
            }
            firstOfPair = !firstOfPair;
            // Near the end the match may run past the input: only what is left is loaded.
            int const loaded = std::min(match, length - read);
            fill = copyToDictionary(ring, fill, in + read, loaded);
            read += loaded;
            code = (code + match) & 0xFF;
        }
        --bit;
    }
    out[control] = static_cast<unsigned char>(flags);
    return written;
}

}  // namespace pakrun
