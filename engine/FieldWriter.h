// Quick writers of the Ew.d and Fw.d fields of the long result tables (thousands of rows per
// run). They put exactly the text that formatExponent and formatFixed give, straight into a
// character buffer: each real32 is rounded from its exact binary value in integer arithmetic.
#pragma once

namespace keldar {

// Each writes `width` characters at out and returns the end.
char* putExponent(char* out, float value, int width, int digits);
char* putFixed(char* out, float value, int width, int decimals);
char* putBlanks(char* out, int count);

}  // namespace keldar
