// The number texts of fields, files and unit labels: readDecimal on any text, formatGeneral of
// any finite extended value at every precision (its text reads back), and ConversionFactor of any
// unit code.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "NumberFormat.h"
#include "Units.h"

using namespace keldar;

static void checkFormat(long double value) {
    if (!std::isfinite(value)) return;
    for (int precision = 1; precision <= 18; ++precision) {
        const std::string text = formatGeneral(value, precision, '.');
        long double back = 0;
        const DecimalRead read = readDecimal(text, '.', back);
        // Within a few units of the largest extended value, rounding to fewer digits may step
        // beyond it ("1.2E4932"); that text is refused as too large, never misread.
        if (read == DecimalRead::Overflow && std::fabs(value) > 1e4931L) continue;
        fuzz::Check(read == DecimalRead::Ok, "formatted text reads back");
        if (precision == 18 && value != 0) {
            const long double relative = std::fabs((back - value) / value);
            fuzz::Check(relative < 1e-17L || std::fabs(value) < 1e-4900L,
                        "18 digits keep the value");
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    long double value = 0;
    const DecimalRead read = readDecimal(text, '.', value);
    if (read == DecimalRead::Ok) {
        fuzz::Check(std::isfinite(value), "a decimal read is finite");
        checkFormat(value);
    }

    // The same bytes as an extended value: a 64-bit significand and a binary exponent across the
    // whole range, denormals included.
    if (size >= 10) {
        std::uint64_t significand = 0;
        std::int16_t exponent = 0;
        std::memcpy(&significand, data, 8);
        std::memcpy(&exponent, data + 8, 2);
        const bool negative = significand & 1;
        const long double magnitude =
            std::ldexp(static_cast<long double>(significand), exponent % 16446 - 63);
        checkFormat(negative ? -magnitude : magnitude);
    }

    for (int from = 0; from <= 3; ++from) {
        for (int to = 0; to <= 3; ++to) {
            const long double factor = ConversionFactor(text, from, to);
            fuzz::Check(std::isfinite(factor) && factor > 0,
                        "a conversion factor is a positive number");
        }
    }
    return 0;
}
