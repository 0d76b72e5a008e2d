// The legend of a plot: one entry per active curve, in the colour of its position.
#pragma once

#include <QColor>
#include <QString>
#include <QVector>

#include "GraphPlot.h"

namespace keldar {

// Curve colours by position among the active curves, cyclic with period 17.
QColor CurveColour(int activePosition);

// Marker shape 1..10 of a curve, from its 0-based index among all curves.
int MarkerShape(int curveIndex);

inline constexpr char kSkippedCurveNote[] = " (invalid values, not drawn)";

struct TLegendEntry {
    int Curve = 0;     // index among all curves
    int Position = 0;  // index among the active curves: the colour
    QString Text;      // the legend text, with a note when the curve cannot be drawn
    bool Shown = true;
    bool Drawable = true;
};

// Entries of the active curves in order; their texts pass through the plot's legend-text event.
QVector<TLegendEntry> LegendEntries(const TGraphPlot& plot);

// Activates every curve, or only the first 20 when the plot limits new windows so.
void ActivateCurvesForNewWindow(TGraphPlot& plot);

}  // namespace keldar
