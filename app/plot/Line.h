// One curve of a plot, owned by its TGraphPlot.
#pragma once

#include <QString>
#include <vector>

#include "FloatPoint.h"

namespace keldar {

class TGraphPlot;

struct TLine {
    TLine(TGraphPlot* owner, double number, std::size_t pointCount)
        : Points(pointCount), Number(number), Owner(owner) {}

    std::vector<TFloatPoint> Points;  // drawn in this order
    double Number;                    // numbers the default name: "Curve #3"
    QString Name;                     // explicit legend text; empty: the default name
    QString CaseName;                 // what the curve shows ("tip 0.12 in"), before the number
    bool Shown = true;                // drawn (toggled from the legend and the Plot menu)
    bool Active = true;               // takes part in the plot and the legend
    TGraphPlot* Owner;
};

}  // namespace keldar
