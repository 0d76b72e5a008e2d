#include "PlotLegend.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PlotRange.h"

namespace keldar {

static double LinearChannel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour) {
    return 0.2126 * LinearChannel(colour.red()) + 0.7152 * LinearChannel(colour.green()) +
           0.0722 * LinearChannel(colour.blue());
}

double ContrastOnWhite(const QColor& colour) { return 1.05 / (RelativeLuminance(colour) + 0.05); }

QColor DarkenedForWhite(const QColor& colour, double contrast) {
    // Scaling every channel alike keeps the hue; the brightest channel steps down one level at a
    // time, so the result is the lightest shade of the colour that reads well.
    const int brightest = std::max({colour.red(), colour.green(), colour.blue()});
    for (int level = brightest; level > 0; --level) {
        const double f = static_cast<double>(level) / brightest;
        const QColor shade = QColor::fromRgb(static_cast<int>(std::lround(colour.red() * f)),
                                             static_cast<int>(std::lround(colour.green() * f)),
                                             static_cast<int>(std::lround(colour.blue() * f)));
        if (ContrastOnWhite(shade) >= contrast) return shade;
    }
    return Qt::black;
}

QColor CurveColour(int activePosition) {
    static constexpr QRgb kColours[17] = {
        0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
        0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};
    static const auto readable = [] {
        std::array<QColor, 17> colours;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i] = DarkenedForWhite(QColor::fromRgb(kColours[i]), kLineContrast);
        }
        return colours;
    }();
    const int index = ((activePosition % 17) + 17) % 17;
    return readable[static_cast<std::size_t>(index)];
}

int MarkerShape(int curveIndex) {
    if (curveIndex == kMeasuredCurve) return kMeasuredMarkerShape;
    return ((curveIndex % 10) + 10) % 10 + 1;
}

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
    // The measured curve comes last, in the next colour of the sequence.
    if (const TLine* measured = plot.MeasuredLine()) {
        TLegendEntry entry;
        entry.Curve = kMeasuredCurve;
        entry.Position = static_cast<int>(entries.size());
        entry.Text = measured->Name;
        entry.Shown = measured->Shown;
        entry.Drawable = IsDrawableCurve(*measured);
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
