#include <gtest/gtest.h>

#include "Units.h"

namespace keldar {
namespace {

TEST(UnitLabel, TableAndFieldForms) {
    struct Label {
        const char* code;
        int system;
        const char* table;
        const char* field;
    };
    const Label cases[] = {
        {"F1/L2^2", 1, "kips/ft^2", "kips/ft^2"},
        {"F1/L2^2", 2, "kN/m^2", "kN/m^2"},
        {"F1/L2^2", 3, "F/L^2", "F1/L2^2"},
        {"F/L^2", 1, "lbs/in^2", "lbs/in^2"},
        {"L\xC2\xB2", 1, "in\xC2\xB2", "in\xC2\xB2"},
        {"L\xC2\xB2", 2, "m\xC2\xB2", "m\xC2\xB2"},
        {"F4", 3, "M", "F4"},
        {"F1*F", 1, "kips*lbs", "kips*F"},  // the field names only the first force symbol found
        {"", 2, "", ""},
        {"L", 7, "L", "L"},
    };
    for (const Label& c : cases) {
        EXPECT_EQ(UnitLabel(c.code, c.system), c.table) << c.code << " " << c.system;
        EXPECT_EQ(FieldUnitLabel(c.code, c.system), c.field) << c.code << " " << c.system;
    }
}

TEST(ConversionFactor, Examples) {
    struct Factor {
        const char* code;
        int from;
        int to;
        long double expected;
    };
    const long double kN = 224.8089237L;  // lbs in one kN
    const long double m = 39.37007874L;   // in in one m
    const Factor cases[] = {
        {"F/L^2", 2, 1, kN / (m * m)},
        {"F/L^2", 1, 2, (m * m) / kN},
        {"L1", 2, 1, 0.03937007874L},
        {"F1/L2^2", 2, 1, 0.2248089237L / (3.280839895L * 3.280839895L)},
        {"F/L^3", 2, 1, kN / (m * m * m)},
        {"F1*L2", 2, 1, 0.2248089237L * 3.280839895L},
        {"F^2", 2, 1, kN * kN},
        {"L\xC2\xB2", 2, 1, m * m},
        {"", 1, 2, 1},
        {"", 2, 1, 1},
        {"F/L^2", 1, 1, 1},
        {"F/L^2", 2, 3, 1},
        // Malformed codes never read past their end.
        {"L^", 2, 1, m},
        {"F/", 2, 1, kN},
        {"/", 2, 1, 1},
    };
    for (const Factor& c : cases) {
        EXPECT_NEAR(static_cast<double>(ConversionFactor(c.code, c.from, c.to) / c.expected), 1.0,
                    1e-15)
            << c.code << " " << c.from << "->" << c.to;
    }
    // kN/m^2 to lbs/in^2
    EXPECT_NEAR(static_cast<double>(ConversionFactor("F/L^2", 2, 1)), 0.14503772521, 1e-11);
}

}  // namespace
}  // namespace keldar
