#include <gtest/gtest.h>

#include <limits>

#include "NumberFormat.h"

namespace keldar {
namespace {

TEST(FormatGeneral, GoldenStrings) {
    struct Golden {
        long double value;
        int precision;
        const char* text;
    };
    const Golden cases[] = {
        // Data file, 8 digits.
        {1e-5L, 8, "1E-5"},
        {0.0001L, 8, "0.0001"},
        {123456789, 8, "1.2345679E8"},
        {12345678, 8, "12345678"},
        {2.5e10L, 8, "2.5E10"},
        {-0.0L, 8, "0"},
        {0.1f, 8, "0.1"},  // a single-precision value keeps 8 digits only
        {-0.00012345L, 8, "-0.00012345"},
        {0.0000999999999L, 8, "0.0001"},  // the rounded value decides the notation
        {99999999.5L, 8, "1E8"},          // rounding carries into a ninth digit
        {-6.02e23L, 8, "-6.02E23"},
        // Evaluator and edit field, 18 digits.
        {1.0L / 3, 18, "0.333333333333333333"},
        {1e17L, 18, "100000000000000000"},
        {1e18L, 18, "1E18"},
        // Plot labels, 4 and 5 digits; halves round away from zero on the typed decimal value.
        {12345.6L, 4, "1.235E4"},
        {12345.6L, 5, "12346"},
        {-2.5L, 1, "-3"},
        {0.15L, 1, "0.2"},
        {9.9996L, 4, "10"},
        // Precision outside 1 .. 18 is limited.
        {2.5L, 0, "3"},
        {1.0L / 3, 1000, "0.333333333333333333"},
    };
    for (const Golden& c : cases) {
        EXPECT_EQ(formatGeneral(c.value, c.precision), c.text) << c.text;
    }
    EXPECT_EQ(formatGeneral(2.5e-7L, 8, ','), "2,5E-7");
    EXPECT_EQ(formatGeneral(-std::numeric_limits<long double>::infinity(), 8), "-INF");
    EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::quiet_NaN(), 8), "NAN");
}

TEST(ReadDecimal, AcceptsPlainNumbersOnly) {
    long double value = 0;
    for (const char* text : {"12", "-1.5", ".5", "5.", "1e5", "1E-3"}) {
        EXPECT_EQ(readDecimal(text, '.', value), DecimalRead::Ok) << text;
        EXPECT_EQ(value, std::strtold(text, nullptr)) << text;
    }
    for (const char* text : {"", ".", "-", "1E", "1 ", "1,000", "inf", "0x1p3", "1.2.3"}) {
        EXPECT_EQ(readDecimal(text, '.', value), DecimalRead::Invalid) << text;
    }
    EXPECT_EQ(readDecimal("1E5000", '.', value), DecimalRead::Overflow);
    EXPECT_EQ(readDecimal("2,5", ',', value), DecimalRead::Ok);
    EXPECT_EQ(value, 2.5L);
}

}  // namespace
}  // namespace keldar
