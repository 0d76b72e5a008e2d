#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "FieldWriter.h"
#include "Format.h"

namespace keldar {
namespace {

std::string exponentText(float v, int width, int digits) {
    char buffer[128];
    return {buffer, putExponent(buffer, v, width, digits)};
}

std::string fixedText(float v, int width, int decimals) {
    char buffer[128];
    return {buffer, putFixed(buffer, v, width, decimals)};
}

TEST(FieldWriter, GoldenStrings) {
    EXPECT_EQ(exponentText(1234.5f, 10, 3), " 0.123E+04");
    EXPECT_EQ(exponentText(0.0f, 16, 4), "      0.0000E+00");
    EXPECT_EQ(exponentText(-0.0f, 10, 3), "-0.000E+00");
    EXPECT_EQ(exponentText(9.9996f, 10, 4), "0.1000E+02");
    EXPECT_EQ(exponentText(1.125f, 10, 3), " 0.113E+01");  // an exact tie rounds away from zero
    EXPECT_EQ(exponentText(-1.0f, 8, 2), "-.10E+01");
    EXPECT_EQ(exponentText(-1.0f, 7, 2), "*******");
    EXPECT_EQ(fixedText(100.0f, 6, 1), " 100.0");
    EXPECT_EQ(fixedText(0.05f, 6, 1), "   0.1");  // 0.05f lies just above 0.05
    EXPECT_EQ(fixedText(-0.01f, 6, 1), "  -0.0");
    EXPECT_EQ(fixedText(-0.5f, 5, 3), "-.500");
    EXPECT_EQ(fixedText(2.5f, 4, 0), "  3.");
    EXPECT_EQ(fixedText(1.0e10f, 10, 3), "**********");
}

// Every field must be the general formatting's text, for values of every magnitude.
TEST(FieldWriter, SameTextAsTheGeneralFormatting) {
    struct Field {
        int width, digits;
    };
    const Field exponentFields[] = {{10, 3}, {16, 4}, {17, 4}, {23, 4}, {9, 2}, {8, 2}, {16, 7}};
    const Field fixedFields[] = {{6, 1}, {10, 3}, {4, 2}, {6, 0}, {12, 5}};
    std::mt19937 random(4);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_real_distribution<float> ordinary(-2000.0f, 2000.0f);
    const float specials[] = {0.0f,
                              -0.0f,
                              1.0f,
                              0.5f,
                              0.05f,
                              0.95f,
                              9.995f,
                              99.95f,
                              999.5f,
                              1e-30f,
                              1e30f,
                              3.4e38f,
                              std::numeric_limits<float>::denorm_min(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN()};
    for (int n = 0; n < 200000; ++n) {
        float v;
        if (n < static_cast<int>(std::size(specials))) {
            v = specials[n];
        } else if (n % 2 == 0) {
            const std::uint32_t b = bits(random);
            std::memcpy(&v, &b, sizeof v);
        } else {
            v = ordinary(random);
            if (n % 3 == 0) v = static_cast<float>(static_cast<int>(v * 8.0f)) / 8.0f;  // ties
        }
        for (const Field& f : exponentFields)
            ASSERT_EQ(exponentText(v, f.width, f.digits), formatExponent(v, f.width, f.digits))
                << v << " E" << f.width << "." << f.digits;
        for (const Field& f : fixedFields)
            ASSERT_EQ(fixedText(v, f.width, f.digits), formatFixed(v, f.width, f.digits))
                << v << " F" << f.width << "." << f.digits;
    }
}

// Dyadic values m x 2^q end in a 5 in decimal, so each of them is an exact tie for some number
// of digits: ties across the whole range of magnitudes, every field width from too narrow to
// wide (asterisks, the dropped leading zero), and both signs.
TEST(FieldWriter, TiesAndNarrowFieldsAcrossMagnitudes) {
    const int widths[] = {1, 3, 6, 7, 8, 10, 11, 12, 16};
    for (int m = 1; m < 256; m += 2) {
        for (int q = -40; q <= 40; q += 3) {
            for (const float sign : {1.0f, -1.0f}) {
                const float v = sign * std::ldexp(static_cast<float>(m), q);
                for (int digits = 1; digits <= 9; digits += (digits < 5 ? 1 : 4)) {
                    for (const int width : widths) {
                        ASSERT_EQ(exponentText(v, width, digits), formatExponent(v, width, digits))
                            << v << " E" << width << "." << digits;
                        ASSERT_EQ(fixedText(v, width, digits - 1),
                                  formatFixed(v, width, digits - 1))
                            << v << " F" << width << "." << digits - 1;
                    }
                }
            }
        }
    }
}

// The reals nearest to a decimal half (d.5 x 10^e, which a real32 seldom holds exactly) and their
// neighbours: the values that round differently when the scaled value is not exact enough.
TEST(FieldWriter, ValuesNextToDecimalHalves) {
    for (int digits : {2, 3, 4, 7}) {
        for (int e = -12; e <= 12; ++e) {
            for (int d = 1; d < 1000; d += 7) {
                const float half = static_cast<float>((d + 0.5) * std::pow(10.0, e - 3));
                for (const float v : {std::nextafter(half, 0.0f), half,
                                      std::nextafter(half, std::numeric_limits<float>::max())}) {
                    ASSERT_EQ(exponentText(v, 16, digits), formatExponent(v, 16, digits))
                        << v << " E16." << digits;
                }
            }
        }
    }
}

// Reals handed to a layout take the quick writers when a real32 holds them exactly and the
// general formatting otherwise; the text is the same either way.
TEST(FieldWriter, LayoutFieldsOfSingleAndDoublePrecisionValues) {
    const Layout layout("(E10.3,F6.1,1X,E16.7,F12.5)");
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-40.0, 40.0);
    for (int n = 0; n < 20000; ++n) {
        double v = std::pow(10.0, exponent(random)) * (n % 2 == 0 ? 1.0 : -1.0);
        if (n % 3 == 0) v = static_cast<float>(v);
        if (n % 5 == 0) v = std::ldexp(std::round(std::ldexp(v, 10)), -10);  // ties
        const std::string expected = formatExponent(v, 10, 3) + formatFixed(v, 6, 1) + " " +
                                     formatExponent(v, 16, 7) + formatFixed(v, 12, 5) + "\n";
        ASSERT_EQ(layout(v, v, v, v), expected) << v;
    }
    EXPECT_EQ(layout(1e300, 1e300, std::numeric_limits<double>::quiet_NaN(), -1e39),
              " 0.100+301" + std::string(6 + 1 + 16 + 12, '*').replace(6, 1, " ") + "\n");
}

}  // namespace
}  // namespace keldar
