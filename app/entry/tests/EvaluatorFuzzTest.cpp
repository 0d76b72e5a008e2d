// Whatever is typed, the evaluator returns a finite value or raises one of its two error kinds:
// it never crashes, hangs or lets another exception out.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <string>
#include <string_view>

#include "Evaluator.h"
#include "NumberFormat.h"

namespace keldar {
namespace {

enum class Outcome { Value, Rejected, MathFault };

Outcome evaluateAnything(const std::string& text) {
    try {
        const long double v = Evaluate(text);
        EXPECT_TRUE(std::isfinite(v)) << text;
        return Outcome::Value;
    } catch (const EAssignError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Entry could not be evaluated:\r", 0), 0u) << text;
        return Outcome::Rejected;
    } catch (const EMathError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Entry could not be evaluated:\r", 0), 0u) << text;
        return Outcome::MathFault;
    }
}

// Pieces with a meaning of their own to the evaluator, so that random texts reach every path.
const std::string_view kPieces[] = {
    "0",      "1",       "2",     "9",    "7.5",      ".",    "E",
    "e",      "E-",      "-",     "--",   "+",        "*",    "/",
    "%",      "^",       "&",     "|",    "=",        "!",    "$",
    "$ff",    "(",       ")",     " ",    "\t",       "pi",   "sin",
    "cos",    "arctanh", "cosec", "sqrt", "ln",       "log",  "round",
    "ceil",   "1E",      "99",    "x",    "\xC2\xB2", "\x9B", std::string_view("\0", 1),
    "1E4000", "1E-4000", "3!",    "floor"};

TEST(EvaluateFuzz, RandomTextsEndInAValueOrAnError) {
    std::mt19937 random(20140304);
    const auto start = std::chrono::steady_clock::now();
    int counts[3] = {0, 0, 0};
    for (int round = 0; round < 100000; ++round) {
        std::string text;
        const int pieces = static_cast<int>(random() % 24);
        for (int i = 0; i < pieces; ++i) {
            if (random() % 8 == 0) {
                text += static_cast<char>(random() % 256);  // any byte at all
            } else {
                text += kPieces[random() % std::size(kPieces)];
            }
        }
        ++counts[static_cast<int>(evaluateAnything(text))];
    }
    // The run reached values, rejections and arithmetic faults alike.
    EXPECT_GT(counts[0], 1000);
    EXPECT_GT(counts[1], 1000);
    EXPECT_GT(counts[2], 10);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// Long entries: deep nesting, long chains of functions, factorials, signs and operators.
TEST(EvaluateFuzz, LongEntriesFinish) {
    const int n = 20000;
    const std::string repeated[][2] = {{"(", ")"}, {"sin", ""}, {"abs", ""}, {"", "!"},
                                       {"-", ""},  {"1+", ""},  {"2^", ""},  {"$", ""},
                                       {"(", ""},  {"", ")"},   {"1*(", ")"}};
    const auto start = std::chrono::steady_clock::now();
    for (const auto& piece : repeated) {
        std::string text;
        for (int i = 0; i < n; ++i) text += piece[0];
        text += "1";
        for (int i = 0; i < n; ++i) text += piece[1];
        SCOPED_TRACE(piece[0] + "..." + piece[1]);
        evaluateAnything(text);
    }
    EXPECT_EQ(Evaluate(std::string(n, '(') + "1" + std::string(n, ')')), 1);
    EXPECT_EQ(Evaluate(std::string(n, '-') + "1"), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// Whole numbers of either sign add, subtract and multiply exactly, with or without parentheses.
TEST(EvaluateProperty, WholeNumberArithmetic) {
    std::mt19937 random(7);
    std::uniform_int_distribution<long long> whole(-1000000, 1000000);
    for (int round = 0; round < 2000; ++round) {
        const long long a = whole(random);
        const long long b = whole(random);
        const std::string sa = std::to_string(a);
        const std::string sb = std::to_string(b);
        EXPECT_EQ(Evaluate(sa + "-" + sb + "*2"), a - b * 2);
        EXPECT_EQ(Evaluate(sa + "-(" + sb + ")+" + sb), a);
    }
}

// A value written with 18 digits and evaluated again keeps its 18 digits.
TEST(EvaluateProperty, ValueTextReadsBack) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int round = 0; round < 2000; ++round) {
        const long double v =
            std::ldexp(static_cast<long double>(mantissa(random)), exponent(random));
        const std::string text = formatGeneral(v, 18);
        EXPECT_EQ(formatGeneral(Evaluate(text), 18), text);
    }
}

}  // namespace
}  // namespace keldar
