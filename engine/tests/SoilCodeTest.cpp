#include <gtest/gtest.h>

#include <optional>

#include "SoilCode.h"

namespace keldar {
namespace {

// The numbers a data file or a table may hold: 1 to 6 name a method, the odd ones clay (their
// rows carry shear strength and e50) and the even ones sand (friction angle and blow count);
// every other number is no code and neither kind.
TEST(SoilCode, TheSixMethodNumbersAreCodesOddClayEvenSand) {
    for (int number = -1; number <= 8; ++number) {
        SCOPED_TRACE(number);
        const bool named = number >= 1 && number <= 6;
        const std::optional<TSoilCode> code = SoilCodeOf(number);
        ASSERT_EQ(code.has_value(), named);
        if (named) {
            EXPECT_EQ(static_cast<int>(*code), number);
        }
        EXPECT_EQ(IsClayCode(number), named && number % 2 == 1);
        EXPECT_EQ(IsSandCode(number), named && number % 2 == 0);
    }
}

}  // namespace
}  // namespace keldar
