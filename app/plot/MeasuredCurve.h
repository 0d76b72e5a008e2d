// A measured head load-settlement curve, as a static load test gives it, read from a CSV or
// tab-separated text (a file or the clipboard) to be drawn beside the computed curve.
//
// The text has two columns, a load and a settlement, one reading per line. An optional first
// line names them and their units, as in "load (kN), settlement (mm)"; the units decide which
// column is which, so the columns may come in either order. Without units the numbers are in the
// project's units: lb and in, or kN and m, as the pile-head loads and tip movements are entered.
// Lines starting with "#" are notes. Numbers use "." as decimal point whatever the locale.
//
// A text with any fault is refused as a whole with a message that names its line: nothing of a
// half-read test is ever drawn.
#pragma once

#include <QString>
#include <vector>

#include "FloatPoint.h"

namespace keldar {

struct TMeasuredCurve {
    // The readings in the order of the test (unloading included), X the load in kN and Y the
    // settlement in m: a curve read once keeps its meaning when the project's units change.
    std::vector<TFloatPoint> Points;
    QString Source;  // the file name, or "clipboard text"
};

// Readings one curve may hold: far beyond any load test, small enough for any screen.
inline constexpr int kMaxMeasuredReadings = 100000;

// Reads the text; unitSystem (1 English, 2 S.I.) gives the units of a text without them. Raises
// EInputOutputError with the message the user sees.
TMeasuredCurve ReadMeasuredCurveText(const QString& text, int unitSystem, const QString& source);

// The same from a file, its name in the messages.
TMeasuredCurve ReadMeasuredCurveFile(const QString& fileName, int unitSystem);

// The readings in a unit system's own units: loads in lb or kN, settlements in in or m.
std::vector<TFloatPoint> MeasuredPointsIn(const TMeasuredCurve& curve, int unitSystem);

// The curve as a text that ReadMeasuredCurveText reads back: a note naming its source, a header
// with the units of the unit system, and one reading per line.
QString MeasuredCurveText(const TMeasuredCurve& curve, int unitSystem);

}  // namespace keldar
