#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "Format.h"

namespace keldar {
namespace {

TEST(FormatExponent, GoldenStrings) {
    EXPECT_EQ(formatExponent(1234.5, 10, 3), " 0.123E+04");
    EXPECT_EQ(formatExponent(0.0, 16, 4), "      0.0000E+00");
    EXPECT_EQ(formatExponent(-0.0, 10, 3), "-0.000E+00");
    EXPECT_EQ(formatExponent(-1234.5, 10, 3), "-0.123E+04");
    EXPECT_EQ(formatExponent(0.00254, 15, 4), "     0.2540E-02");
    EXPECT_EQ(formatExponent(9.9996, 10, 4), "0.1000E+02");  // rounding carries into the exponent
    EXPECT_EQ(formatExponent(12.34, 9, 2), " 0.12E+02");
    EXPECT_EQ(formatExponent(1.0, 8, 2), "0.10E+01");
    EXPECT_EQ(formatExponent(-1.0, 8, 2), "-.10E+01");  // no room for the leading zero
    EXPECT_EQ(formatExponent(-1.0, 7, 2), "*******");
    EXPECT_EQ(formatExponent(1e-120, 10, 3), " 0.100-119");  // three exponent digits drop the E
    EXPECT_EQ(formatExponent(std::numeric_limits<double>::infinity(), 6, 2), "******");
}

TEST(FormatExponent, RealsKeepTheirSinglePrecisionValue) {
    // 0.1f is 0.100000001490116...: seven digits round to 0.1000000.
    EXPECT_EQ(formatExponent(0.1f, 16, 7), "   0.1000000E+00");
    EXPECT_EQ(formatExponent(3.1416f, 16, 7), "   0.3141600E+01");
}

TEST(FormatRounding, ExactTiesGoAwayFromZero) {
    EXPECT_EQ(formatFixed(11.25, 6, 1), "  11.3");
    EXPECT_EQ(formatFixed(11.75, 6, 1), "  11.8");
    EXPECT_EQ(formatFixed(-0.125, 6, 2), " -0.13");
    EXPECT_EQ(formatFixed(9.95f, 5, 1), "  9.9");  // 9.9499998...: below the tie
    EXPECT_EQ(formatFixed(99.5, 5, 0), " 100.");
    EXPECT_EQ(formatFixed(0.5, 3, 0), " 1.");
    EXPECT_EQ(formatExponent(1234.5, 10, 4), "0.1235E+04");
    EXPECT_EQ(formatExponent(9.5, 8, 1), " 0.1E+02");
    EXPECT_EQ(formatExponent(-0.15625, 11, 4), "-0.1563E+00");
    EXPECT_EQ(formatExponent(0.15f, 10, 1), "   0.2E+00");  // 0.1500000059...: above
    EXPECT_EQ(formatExponent(0.35f, 10, 1), "   0.3E+00");  // 0.3499999940...: below
}

TEST(FormatFixed, GoldenStrings) {
    EXPECT_EQ(formatFixed(0.5, 6, 3), " 0.500");
    EXPECT_EQ(formatFixed(0.5, 4, 3), ".500");
    EXPECT_EQ(formatFixed(-0.5, 5, 3), "-.500");
    EXPECT_EQ(formatFixed(-0.0001, 6, 3), "-0.000");
    EXPECT_EQ(formatFixed(120.0, 6, 1), " 120.0");
    EXPECT_EQ(formatFixed(1.0e10, 10, 3), "**********");
    EXPECT_EQ(formatFixed(0.75, 4, 2), "0.75");
    EXPECT_EQ(formatFixed(2.0, 4, 0), "  2.");
}

TEST(FormatInteger, GoldenStrings) {
    EXPECT_EQ(formatInteger(42, 5), "   42");
    EXPECT_EQ(formatInteger(-42, 3), "-42");
    EXPECT_EQ(formatInteger(-420, 3), "***");
    EXPECT_EQ(formatInteger(5, 2, 2), "05");
    EXPECT_EQ(formatInteger(2026, 4), "2026");
    EXPECT_EQ(formatInteger(7, 0), "7");
}

TEST(FormatText, WidthRules) {
    EXPECT_EQ(formatText("2014.3.4", 12), "    2014.3.4");
    EXPECT_EQ(formatText("2014.3.4.5678xyz", 12), "2014.3.4.567");
    EXPECT_EQ(formatText("IN.", 0), "IN.");
}

TEST(Layout, LiteralsBlanksAndSlashes) {
    EXPECT_EQ(Layout("(5X,'abc')")(), "     abc\n");
    EXPECT_EQ(Layout("(/,'x',/)")(), "\nx\n\n");
    EXPECT_EQ(Layout("(\"it's\")")(), "it's\n");
    EXPECT_EQ(Layout("('it''s')")(), "it's\n");
    EXPECT_EQ(Layout("(10X)")(), "\n");  // blanks only when something follows
    EXPECT_EQ(Layout("(20X,'Version ',A12)")("2014.3.4"),
              "                    Version     2014.3.4\n");
}

TEST(Layout, FieldsAndRepeats) {
    EXPECT_EQ(Layout("(2X,I5,I11,E16.4)")(12, 10, 3.5f), "     12         10      0.3500E+01\n");
    EXPECT_EQ(Layout("(10X,2(I5,5X),2(E10.3,2X))")(1, 2, 0.0f, 10.0f),
              "              1         2      0.000E+00   0.100E+02\n");
    EXPECT_EQ(Layout("(E17.4,3E16.4)")(1.0, 2.0, 3.0, 4.0),
              "       0.1000E+01      0.2000E+01      0.3000E+01      0.4000E+01\n");
    EXPECT_EQ(Layout("(15X,'Date:  ',A,' ',I2.2,', ',I4)")("March", 5, 2026),
              "               Date:  March 05, 2026\n");
}

TEST(Layout, LineEndsBeforeFirstFieldWithoutValue) {
    EXPECT_EQ(Layout("(5X,'a=',I3,' b=',I3)")(1), "     a=  1 b=\n");
    EXPECT_EQ(Layout("(5X,'a=',I3,5X,I3)")(1), "     a=  1\n");
}

TEST(Layout, MoreValuesReuseTheLayoutOnNewLines) {
    EXPECT_EQ(Layout("(E18.4,E19.4)")(1.0, 2.0, 3.0, 4.0),
              "        0.1000E+01         0.2000E+01\n"
              "        0.3000E+01         0.4000E+01\n");
    EXPECT_EQ(Layout("(4X,F10.3)")(1.0, 2.0), "         1.000\n         2.000\n");
}

TEST(Layout, RejectsMalformedLayouts) {
    for (const char* bad :
         {"(5X,'abc)", "(I)", "(Q5)", "(2(I5)", "(I5))", "(E10)", "(F.3)", "(I5 I6)"}) {
        EXPECT_THROW(Layout{bad}, std::invalid_argument) << bad;
    }
}

TEST(ListLine, IntegersAndReals) {
    EXPECT_EQ(listLine(3), "           3\n");
    EXPECT_EQ(listLine(9, 50, 1), "           9          50           1\n");
    EXPECT_EQ(listLine(4, 10.0f), "           4   0.1000000E+02\n");
}

}  // namespace
}  // namespace keldar
