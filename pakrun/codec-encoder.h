#pragma once
#include <climits>

namespace pakrun {

// Room that pkComp's output needs for an input of `length` bytes: one control byte per eight
// items, and a last reference may cost 2 bytes for the 1 input byte left. It is also the most
// that pkDecomp can consume for `length` output bytes.
constexpr long pkCompBound(long length) { return length + (length + 7) / 8 + 1; }

// The longest input whose compressed size still fits an int.
constexpr int pkMaxLength = 1908874352;
static_assert(pkCompBound(pkMaxLength) <= INT_MAX && pkCompBound(pkMaxLength + 1L) > INT_MAX,
              "pkMaxLength is the longest input whose bound fits an int");

// Compresses `length` bytes of input into `out`, which must hold pkCompBound(length) bytes.
// Returns the number of bytes written. Reads no input byte beyond in[length - 1].
int pkComp(unsigned char const* in, unsigned char* out, int length);

}  // namespace pakrun
