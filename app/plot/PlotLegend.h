// The legend of a plot: one entry per active curve, in the colour of its position.
#pragma once

#include <QColor>
#include <QString>
#include <QVector>

#include "GraphPlot.h"

namespace keldar {

// Curve colours by position among the active curves, cyclic with period 17: the classic
// sequence, each colour darkened where needed to stand out on white paper.
QColor CurveColour(int activePosition);

// The contrast every line and legend text keeps against white: the least for graphics and large
// text in the web accessibility guidelines (WCAG 2.1, success criterion 1.4.11).
inline constexpr double kLineContrast = 3.0;

// WCAG 2.1 relative luminance of an sRGB colour, 0 for black to 1 for white.
double RelativeLuminance(const QColor& colour);
// WCAG contrast ratio against white: 1 (white) to 21 (black).
double ContrastOnWhite(const QColor& colour);
// The lightest shade of the colour (its channels scaled alike) with at least this contrast.
QColor DarkenedForWhite(const QColor& colour, double contrast);

// Marker shape 1..10 of a curve, from its 0-based index among all curves; the measured curve's
// readings are marked with near-circles, unlike any computed curve of the same plot.
inline constexpr int kMeasuredMarkerShape = 10;
int MarkerShape(int curveIndex);

inline constexpr char kSkippedCurveNote[] = " (invalid values, not drawn)";

struct TLegendEntry {
    int Curve = 0;     // index among all curves
    int Position = 0;  // index among the active curves: the colour
    QString Text;      // the legend text, with a note when the curve cannot be drawn
    bool Shown = true;
    bool Drawable = true;
};

// Entries of the active curves in order, their texts passed through the plot's legend-text
// event, then the measured curve's entry when there is one (Curve kMeasuredCurve).
QVector<TLegendEntry> LegendEntries(const TGraphPlot& plot);

// Activates every curve, or only the first 20 when the plot limits new windows so.
void ActivateCurvesForNewWindow(TGraphPlot& plot);

}  // namespace keldar
