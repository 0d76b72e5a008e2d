#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include "AxisLabels.h"

namespace keldar {
namespace {

// The labels an axis of 600 pixels shows for a view, with 20-pixel text (a label every 120 or
// more).
QStringList Labels(double min, double max) {
    const auto ticks = AxisTicks({min, max}, 600, 20);
    if (!ticks) return {};
    const TAxisLabelForm form = AxisLabelForm(*ticks);
    QStringList labels;
    for (std::int64_t k = ticks->First; k <= ticks->Last; ++k) {
        if (k % 5 == 0) labels << AxisLabel(static_cast<double>(k) * ticks->Minor, form);
    }
    return labels;
}

TEST(AxisLabels, OneFormPerAxis) {
    struct Case {
        double min, max;
        const char* labels;
    };
    const Case cases[] = {
        {0, 10000, "0 2000 4000 6000 8000 10000"},  // never "8000 1E4"
        {7500, 10500, "7500 8000 8500 9000 9500 10000 10500"},
        {0, 0.03, "0 0.005 0.010 0.015 0.020 0.025 0.030"},  // decimals of the step throughout
        {-0.006, 0.002, "-0.006 -0.005 -0.004 -0.003 -0.002 -0.001 0 0.001 0.002"},
        {0, 1.2e6, "0 0.2E6 0.4E6 0.6E6 0.8E6 1.0E6 1.2E6"},
        {0, 2.5e-4, "0 0.5E-4 1.0E-4 1.5E-4 2.0E-4 2.5E-4"},
        {0, 600000, "0 100000 200000 300000 400000 500000 600000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Labels(c.min, c.max).join(' ').toStdString(), c.labels)
            << c.min << " .. " << c.max;
    }
}

// Whatever the view, the labels of one axis share their form and exponent and carry at most 4
// significant digits.
TEST(AxisLabels, NoMixedFormsAndFewDigits) {
    const QRegularExpression scientific(QStringLiteral("^-?\\d+(\\.\\d+)?E(-?\\d+)$"));
    const double views[][2] = {{0, 9700},    {8000, 12000}, {0, 1.018e3}, {-1018, 1482},
                               {0, 4.5e5},   {0, 9.9e6},    {0, 2.2e-5},  {0.0051, 0.0059},
                               {12.3, 13.1}, {0, 1e12}};
    for (const auto& view : views) {
        const QStringList labels = Labels(view[0], view[1]);
        ASSERT_GE(labels.size(), 2) << view[0];
        QStringList exponents;
        int scientificCount = 0;
        for (const QString& label : labels) {
            if (label == QStringLiteral("0")) continue;
            const auto match = scientific.match(label);
            if (match.hasMatch()) {
                ++scientificCount;
                exponents << match.captured(2);
            }
            QString digits = label.section('E', 0, 0);
            digits.remove('-').remove('.');
            while (digits.startsWith('0')) digits.remove(0, 1);
            while (digits.endsWith('0')) digits.chop(1);
            EXPECT_LE(digits.size(), 4) << label.toStdString();
        }
        const qsizetype nonZero = labels.size() - labels.count(QStringLiteral("0"));
        EXPECT_TRUE(scientificCount == 0 || scientificCount == nonZero)
            << labels.join(' ').toStdString();
        exponents.removeDuplicates();
        EXPECT_LE(exponents.size(), 1) << labels.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace keldar
