// Quick writers of the Ew.d and Fw.d fields of the long result tables (thousands of rows per
// run). They put exactly the text that formatExponent and formatFixed give, straight into a
// character buffer: each real32 is rounded from its exact binary value in integer arithmetic.
#pragma once

#include <cstring>

namespace keldar {

// Each writes `width` characters at out and returns the end.
char* putExponent(char* out, float value, int width, int digits);
char* putFixed(char* out, float value, int width, int decimals);

// Inline: the long tables put a few blanks between every two fields.
inline char* putBlanks(char* out, int count) {
    // Eight blanks at a time, then the rest, without a library call.
    constexpr char kBlanks[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    char* p = out;
    for (; count >= 8; count -= 8, p += 8) std::memcpy(p, kBlanks, 8);
    if (count >= 4) {
        std::memcpy(p, kBlanks, 4);
        p += 4;
        count -= 4;
    }
    if (count >= 2) {
        std::memcpy(p, kBlanks, 2);
        p += 2;
        count -= 2;
    }
    if (count == 1) *p++ = ' ';
    return p;
}

}  // namespace keldar
