#include "AnalysisNumber.h"

#include <charconv>
#include <cmath>

namespace keldar {

static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

static std::size_t SkipDigits(std::string_view word, std::size_t i, int& digits) {
    for (; i < word.size() && IsDigit(word[i]); ++i) ++digits;
    return i;
}

static bool IsAnalysisRealText(std::string_view word) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    int digits = 0;
    i = SkipDigits(word, i, digits);
    if (i < word.size() && word[i] == '.') i = SkipDigits(word, i + 1, digits);
    if (digits == 0) return false;
    if (i == word.size()) return true;
    if (std::string_view("eEdD").find(word[i]) == std::string_view::npos) return false;
    ++i;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    int exponentDigits = 0;
    i = SkipDigits(word, i, exponentDigits);
    return exponentDigits > 0 && i == word.size();
}

TNumberReading ReadAnalysisReal(std::string_view word, float& value) {
    if (word.size() > 64 || !IsAnalysisRealText(word)) return TNumberReading::NotANumber;
    // The library conversion takes no leading plus and no D exponent: it reads an E-form copy,
    // kept on the stack as the analysis allocates nothing during a run.
    char text[64];
    std::size_t length = 0;
    for (char c : word) {
        if (length == 0 && c == '+') continue;
        text[length++] = (c == 'd' || c == 'D') ? 'E' : c;
    }
    const char* const first = text;
    const char* const last = first + length;
    float parsed = 0.0f;
    const auto [end, ec] = std::from_chars(first, last, parsed);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow has no single-precision value.
        double wide = 0.0;
        std::from_chars(first, last, wide);
        if (std::fabs(wide) >= 1.0 || std::isinf(wide)) return TNumberReading::OutOfRange;
        parsed = std::signbit(wide) ? -0.0f : 0.0f;
    } else if (ec != std::errc() || end != last) {
        return TNumberReading::NotANumber;
    }
    value = parsed;
    return TNumberReading::Read;
}

}  // namespace keldar
