#include "reference-encoder.h"

namespace pakrun_reference {

int checkSequence(unsigned char const* ring, int a, int b) {
    int count = 0;
    while (count < 17 && ring[(a + count) & 0xFF] == ring[(b + count) & 0xFF]) ++count;
    return count;
}

int findSequence(unsigned char const* ring, int position, int& best) {
    int length = 0;
    best = 0;
    for (int distance = 1; distance <= 239; ++distance) {
        int const candidate = (position - distance) & 0xFF;
        int const count = checkSequence(ring, candidate, position);
        if (count > length) {
            length = count;
            best = candidate;
            if (length == 17) break;
        }
    }
    return length;
}

int pkComp(unsigned char const* in, unsigned char* out, int length) {
    unsigned char ring[256] = {};
    int fill = 0xEF;
    int read = 0;
    while (read < length && read < 17) {
        ring[fill] = in[read++];
        fill = (fill + 1) & 0xFF;
    }
    bool exhausted = read == length;
    int code = 0xEF;
    int control = 0;
    int written = 1;
    unsigned flags = 0;
    int bit = 7;
    bool firstOfPair = true;
    int lengthsAt = 0;
    for (;;) {
        int const ahead = (fill - code) & 0xFF;
        if (ahead == 0 || ahead > 17) break;
        if (bit < 0) {
            out[control] = static_cast<unsigned char>(flags);
            control = written++;
            flags = 0;
            bit = 7;
            continue;
        }
        int position = 0;
        int laterPosition = 0;
        int const match = findSequence(ring, code, position);
        int const later = findSequence(ring, (code + 1) & 0xFF, laterPosition);
        if (match < later || match < 2) {
            out[written++] = ring[code];
            flags |= 1u << bit;
            if (!exhausted) {
                ring[fill] = in[read++];
                fill = (fill + 1) & 0xFF;
            }
            code = (code + 1) & 0xFF;
        } else {
            out[written++] = static_cast<unsigned char>(position);
            if (firstOfPair) {
                lengthsAt = written;
                out[written++] = static_cast<unsigned char>((match - 2) * 16);
            } else {
                out[lengthsAt] = static_cast<unsigned char>(out[lengthsAt] | (match - 2));
            }
            firstOfPair = !firstOfPair;
            if (!exhausted) {
                int const left = length - read;
                int const loaded = match < left ? match : left;
                for (int i = 0; i < loaded; ++i) {
                    ring[fill] = in[read++];
                    fill = (fill + 1) & 0xFF;
                }
            }
            code = (code + match) & 0xFF;
        }
        exhausted = read == length;
        --bit;
    }
    out[control] = static_cast<unsigned char>(flags);
    return written;
}

}  // namespace pakrun_reference
