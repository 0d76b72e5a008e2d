#include "DataFileNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "AnalysisNumber.h"
#include "NumberFormat.h"

namespace keldar {

std::string FormatDataReal(long double value) { return formatGeneral(value, 8, '.'); }

std::string FormatFixedScientific(long double value) {
    // The tables hold finite values only; these show up as in the general form.
    if (!std::isfinite(value)) return formatGeneral(value, 8, '.');
    // printf rounds to 15 digits; only its digits and exponent are taken, so the locale's
    // separator never reaches the file.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits += *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    char out[32];
    std::snprintf(out, sizeof out, "%c%c.%sE%c%04d", value < 0 ? '-' : ' ', digits[0],
                  digits.c_str() + 1, exponent < 0 ? '-' : '+', std::abs(exponent));
    return out;
}

bool AnalysisReal(std::string_view word, float& value) {
    return ReadAnalysisReal(word, value) == TNumberReading::Read;
}

// The fixed scientific form starts with the blank that stands for its sign.
static std::string_view WithoutBlanks(std::string_view word) {
    const std::size_t first = word.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return word.substr(first, word.find_last_not_of(' ') - first + 1);
}

bool SameForTheAnalysis(std::string_view a, std::string_view b) {
    a = WithoutBlanks(a);
    b = WithoutBlanks(b);
    float x = 0;
    float y = 0;
    return AnalysisReal(a, x) && AnalysisReal(b, y) && x == y;
}

}  // namespace keldar
