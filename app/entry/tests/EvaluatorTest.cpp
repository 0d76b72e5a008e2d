#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Evaluator.h"

namespace keldar {
namespace {

struct Value {
    const char* entry;
    long double expected;
};

// clang-format off
// Exact results: whole numbers and short decimals survive the 18-digit rounding unchanged, and
// that rounding also absorbs the last-bit differences of extended logarithms between processors.
TEST(Evaluate, Values) {
    const Value cases[] = {
        {"2+3*4", 14},      {"(2+3)*4", 20},     {"2^3^2", 64},  // left-associative
        {"10%3", 1},        {"7.9%2.5", 1},      // both operands truncated first
        {"2*-3", -6},       {"5--3", 8},         {"--5", 5},
        {"1.5E-3*2", 0.003L},                    {"1E5", 100000},
        {"sqrt(16)", 4},    {"SQRT(16)", 4},     {"abs(-2)", 2},
        {"5!", 120},        {"0!", 1},           {"-3!", -6},
        {"$ff", 255},       {"$FFFFFFFFFFFFFFFF", -1},
        {"3=3", 1},         {"3=4", 0},          {"0|2", 1},
        {"1&0", 0},         {"2&3", 1},          {"2 5", 25},  // blanks removed anywhere
        {"2(3)", 23},       {"sqrt(2+2)", 2},    // parentheses splice their value as text
        {"0-sqrt(4)", -2},  {"2^(0-1)", 0.5L},   {"frac(-2.5)", -0.5L},
        {"int(2.7)", 2},    {"round(2.5)", 2},   // ties to even
        {"ceil(2.1)", 3},   {"floor(-2.1)", -3}, {"log(1000)", 3},
        {"arccosh(1)", 0},  {"1E-5000", 0},      // below the extended range: reads as zero
    };
    for (const Value& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(Evaluate(c.entry), c.expected);
    }
}
// clang-format on

// Results of transcendental functions, within the 18 digits of the intermediate text.
TEST(Evaluate, ApproximateValues) {
    constexpr long double kPi = 3.141592653589793238462643383279502884L;
    const Value cases[] = {{"pi", kPi},
                           {"PI/2", kPi / 2},
                           {"-pi", -kPi},
                           {"e", std::exp(1.0L)},
                           {"cosec(pi/2)", 1},
                           {"sin-pi", 0},
                           {"cos(pi)", -1},
                           {"cotan(pi/4)", 1},
                           {"arctan(1)*4", kPi},
                           {"arccos(0-1)", kPi},
                           {"arctanh(0.5)", std::atanh(0.5L)},
                           {"arccosh(2)", std::acosh(2.0L)},
                           {"sqrt(2)/2", std::sqrt(2.0L) / 2},
                           {"2^0.5", std::sqrt(2.0L)}};
    for (const Value& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_NEAR(static_cast<double>(Evaluate(c.entry)), static_cast<double>(c.expected), 1e-15);
    }
}

// Intermediate values carry 18 significant digits, not the full extended value.
TEST(Evaluate, IntermediateValuesAreWrittenWith18Digits) {
    EXPECT_EQ(Evaluate("1/3"), 0.333333333333333333L);
    EXPECT_EQ(Evaluate("(1/3)*3"), 0.999999999999999999L);
}

struct Rejection {
    const char* entry;
    const char* reason;
};

// The message of the error of kind Error that the entry raises.
template <class Error>
std::string messageOf(const char* entry) {
    try {
        Evaluate(entry);
        return "<accepted>";
    } catch (const Error& e) {
        return e.what();
    }
}

TEST(Evaluate, RejectedEntriesRaiseTheirReason) {
    const Rejection cases[] = {
        {"", "entry cannot be blank"},
        {"   ", "invalid expression"},
        {"5+", "invalid expression"},
        {"2+3)", "() (parentheses) do not match"},
        {"(2+3", "invalid character(s) in expression"},
        {"1E+5", "invalid character(s) in expression"},  // cut into 1E and 5
        {"-sqrt(4)", "invalid character(s) in expression"},
        {"2*sin-pi", "invalid character(s) in expression"},  // leaves the bare operand sin
        {"+5", "invalid character(s) in expression"},
        {"2pi", "invalid character(s) in expression"},
        {"1,5", "invalid character(s) in expression"},
        {"2.5!", "! (factoral) applicable to integers only"},
        {"$xyz", "invalid use of $ (hex function)"},
        {"$10000000000000000", "invalid use of $ (hex function)"},  // beyond 64 bits
    };
    for (const Rejection& c : cases) {
        EXPECT_EQ(messageOf<EAssignError>(c.entry),
                  std::string("Entry could not be evaluated:\r") + c.reason)
            << c.entry;
    }
}

TEST(Evaluate, ArithmeticFaultsRaiseMathErrorNeverAValue) {
    const Rejection cases[] = {
        {"1/0", "division by zero"},
        {"5%0.5", "division by zero"},  // the divisor truncates to 0
        {"0^(0-1)", "division by zero"},
        {"cotan(0)", "division by zero"},
        {"sqrt(0-1)", "square root of a negative number"},
        {"ln(0)", "logarithm of zero or of a negative number"},
        {"arcsin(2)", "argument outside the function's domain"},
        {"arccosh(0.5)", "argument outside the function's domain"},
        {"(0-8)^(1/3)", "argument outside the function's domain"},
        {"1E4000*1E4000", "number too large (floating-point overflow)"},
        {"1E5000", "number too large (floating-point overflow)"},
        {"2000!", "number too large (floating-point overflow)"},
        {"1E30%7", "number outside the integer range"},
        {"round(1E19)", "number outside the integer range"},
        {"ceil(3E9)", "number outside the integer range"},
    };
    for (const Rejection& c : cases) {
        EXPECT_EQ(messageOf<EMathError>(c.entry),
                  std::string("Entry could not be evaluated:\r") + c.reason)
            << c.entry;
    }
    EXPECT_EQ(Evaluate("$8000000000000000%(0-1)"), 0);  // the one 64-bit remainder that traps
}

TEST(IsFunctionName, NamesInAnyCaseAndTheTwoSigns) {
    for (const char* name : {"arctanh", "ArcTan", "COSEC", "csc", "ln", "sqrt", "!", "$"}) {
        EXPECT_TRUE(IsFunctionName(name)) << name;
    }
    for (const char* text : {"", "pi", "e", "sin1", "arc", "-", "sinh2"}) {
        EXPECT_FALSE(IsFunctionName(text)) << text;
    }
}

}  // namespace
}  // namespace keldar
