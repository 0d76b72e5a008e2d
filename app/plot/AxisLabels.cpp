#include "AxisLabels.h"

#include <algorithm>
#include <cmath>

namespace keldar {

// Fixed labels stay short enough for the label spacing: at most six digits before the point
// and four after it.
static constexpr double kLargestFixed = 1e6;
static constexpr int kMostFixedDecimals = 4;

// The decade of the labelled step: the step is 1, 2 or 5 times 10 to this power.
static int StepDecade(double step) { return static_cast<int>(std::floor(std::log10(step) + 1e-9)); }

TAxisLabelForm AxisLabelForm(const TTickStep& ticks) {
    TAxisLabelForm form;
    const double step = 5 * ticks.Minor;
    if (!(step > 0) || !std::isfinite(step)) return form;
    // The outermost labelled ticks: the multiples of five at the ends of the index range.
    const auto first = static_cast<double>(ticks.First + (((-ticks.First) % 5) + 5) % 5);
    const auto last = static_cast<double>(ticks.Last - ((ticks.Last % 5) + 5) % 5);
    const double largest = std::max(std::fabs(first), std::fabs(last)) * ticks.Minor;
    const int decade = StepDecade(step);
    if (largest < kLargestFixed && -decade <= kMostFixedDecimals) {
        form.Decimals = std::max(0, -decade);
        return form;
    }
    form.Scientific = true;
    form.Exponent = largest > 0 ? StepDecade(largest) : decade;
    form.Decimals = std::max(0, form.Exponent - decade);
    return form;
}

QString AxisLabel(double value, const TAxisLabelForm& form) {
    const double unit = form.Scientific ? std::pow(10.0, form.Exponent) : 1.0;
    const double shown = value / unit;
    // A tick index times the minor step is zero only up to rounding.
    if (std::fabs(shown) < 0.5 * std::pow(10.0, -form.Decimals)) return QStringLiteral("0");
    QString text = QString::number(shown, 'f', form.Decimals);
    if (form.Scientific) text += QStringLiteral("E") + QString::number(form.Exponent);
    return text;
}

}  // namespace keldar
