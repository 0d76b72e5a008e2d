#include "PlotLegend.h"

#include "PlotRange.h"

namespace keldar {

QColor CurveColour(int activePosition) {
    static constexpr QRgb kColours[17] = {
        0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
        0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};
    const int index = ((activePosition % 17) + 17) % 17;
    return QColor::fromRgb(kColours[index]);
}

int MarkerShape(int curveIndex) { return ((curveIndex % 10) + 10) % 10 + 1; }

QVector<TLegendEntry> LegendEntries(const TGraphPlot& plot) {
    QVector<TLegendEntry> entries;
    for (int i = 0; i < plot.CurveCount(); ++i) {
        const TLine& curve = plot.Curve(i);
        if (!curve.Active) continue;
        TLegendEntry entry;
        entry.Curve = i;
        entry.Position = static_cast<int>(entries.size());
        entry.Text = plot.LegendEntry(i);
        entry.Shown = curve.Shown;
        entry.Drawable = IsDrawableCurve(curve);
        if (!entry.Drawable) entry.Text += QString::fromLatin1(kSkippedCurveNote);
        entries.append(entry);
    }
    return entries;
}

void ActivateCurvesForNewWindow(TGraphPlot& plot) {
    static constexpr int kFirstActive = 20;
    for (int i = 0; i < plot.CurveCount(); ++i) {
        plot.Curve(i).Active = !plot.LimitCurves || i < kFirstActive;
    }
}

}  // namespace keldar
