#include "DepthScale.h"

#include "AxisLabels.h"
#include "PlotRange.h"
#include "UnitSystem.h"

namespace keldar {

std::vector<TDepthMark> DepthScaleMarks(long double top, long double bottom, int pixels,
                                        int textHeight) {
    std::vector<TDepthMark> marks;
    const TAxisRange range{static_cast<double>(top), static_cast<double>(bottom)};
    const auto ticks = AxisTicks(range, pixels, textHeight);
    if (!ticks) return marks;
    const TAxisLabelForm form = AxisLabelForm(*ticks);
    for (std::int64_t k = ticks->First; k <= ticks->Last; ++k) {
        const double depth = static_cast<double>(k) * ticks->Minor;
        marks.push_back({depth, k % 5 == 0 ? AxisLabel(depth, form) : QString()});
    }
    return marks;
}

QString DepthUnit(int unitSystem) {
    return unitSystem == usEnglish ? QStringLiteral("ft") : QStringLiteral("m");
}

QString DepthScaleCaption(int unitSystem) {
    return QStringLiteral("Depth (") + DepthUnit(unitSystem) + QStringLiteral(")");
}

}  // namespace keldar
