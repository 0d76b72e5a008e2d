#include <gtest/gtest.h>

#include <vector>

#include "Multipliers.h"
#include "RunStore.h"

namespace keldar {
namespace {

struct Row {
    float depth, t, z;
};

void setRows(const std::vector<Row>& rows) {
    clearRunStore();
    RunStore& s = runStore();
    s.NTFAC = static_cast<int>(rows.size());
    for (int i = 1; i <= s.NTFAC; ++i) {
        s.XTFAC[i] = rows[i - 1].depth;
        s.TMULT[i] = rows[i - 1].t;
        s.ZMULT[i] = rows[i - 1].z;
    }
}

TEST(Multipliers, InterpolatedInDepth) {
    struct Case {
        std::vector<Row> rows;
        float depth, t, z;
    };
    const Case cases[] = {
        // Rows at 0 and 10: halfway between, and 1.0 below the last row.
        {{{0, 1.0f, 1.0f}, {10, 0.5f, 2.0f}}, 5.0f, 0.75f, 1.5f},
        {{{0, 1.0f, 1.0f}, {10, 0.5f, 2.0f}}, 12.0f, 1.0f, 1.0f},
        {{{0, 1.0f, 1.0f}, {10, 0.5f, 2.0f}}, 10.0f, 0.5f, 2.0f},
        {{{2, 0.4f, 0.4f}, {10, 0.5f, 2.0f}}, 1.0f, 1.0f, 1.0f},  // above the first row
        // A step at 4: the lower row wins at the step's depth.
        {{{0, 1.0f, 1}, {4, 0.8f, 1}, {4, 0.6f, 1}, {10, 0.5f, 1}}, 4.0f, 0.6f, 1.0f},
        {{{0, 1.0f, 1}, {4, 0.8f, 1}, {4, 0.6f, 1}, {10, 0.5f, 1}}, 2.0f, 0.9f, 1.0f},
        {{{0, 1.0f, 1}, {4, 0.8f, 1}, {4, 0.6f, 1}, {10, 0.5f, 1}}, 7.0f, 0.55f, 1.0f},
        // One row, or none: no scaling anywhere.
        {{{3, 0.5f, 0.5f}}, 3.0f, 1.0f, 1.0f},
        {{}, 3.0f, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        setRows(c.rows);
        EXPECT_FLOAT_EQ(TFACTOR(c.depth), c.t) << "rows " << c.rows.size() << " depth " << c.depth;
        EXPECT_FLOAT_EQ(ZFACTOR(c.depth), c.z) << "rows " << c.rows.size() << " depth " << c.depth;
    }
}

TEST(Multipliers, ScaleEveryPointOfEveryCurve) {
    setRows({{0, 1.0f, 1.0f}, {10, 0.5f, 3.0f}});
    RunStore& s = runStore();
    s.NCURV = 2;
    s.XC[1] = 5.0f;
    s.XC[2] = 20.0f;
    s.NPTC[1] = s.NPTC[2] = 2;
    s.TC[1][2] = 8.0f;
    s.ZC[1][2] = 0.1f;
    s.TC[2][2] = 8.0f;
    s.ZC[2][2] = 0.1f;
    applyTzMultipliers();
    EXPECT_FLOAT_EQ(s.TC[1][2], 6.0f);  // 8 x 0.75
    EXPECT_FLOAT_EQ(s.ZC[1][2], 0.2f);  // 0.1 x 2
    EXPECT_FLOAT_EQ(s.TC[2][2], 8.0f);  // below the last row
    EXPECT_FLOAT_EQ(s.ZC[2][2], 0.1f);

    s.NQW = 2;
    s.QTIP[2] = 100.0f;
    s.WTIP[2] = 0.4f;
    s.QMULT = 0.8f;
    s.WMULT = 1.25f;
    applyQwMultipliers();
    EXPECT_FLOAT_EQ(s.QTIP[2], 80.0f);
    EXPECT_FLOAT_EQ(s.WTIP[2], 0.5f);
}

}  // namespace
}  // namespace keldar
