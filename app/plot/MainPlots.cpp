#include "MainPlots.h"

namespace keldar {

static void Declare(TGraphPlot& plot, const char* caption, const char* xCaption, const char* xUnits,
                    bool xOnTop, const char* yCaption, const char* yUnits) {
    plot.SetCaption(QString::fromLatin1(caption));
    plot.SetXCaption(QString::fromLatin1(xCaption));
    plot.SetXUnits(QString::fromLatin1(xUnits));
    plot.SetXOnTop(xOnTop);
    plot.SetYCaption(QString::fromLatin1(yCaption));
    plot.SetYUnits(QString::fromLatin1(yUnits));
}

TMainPlots::TMainPlots() {
    // Trailing blanks in some captions are as declared: the unit label follows them.
    Declare(pltLoad, "Load Distribution", "Total Capacity ", "F1", true, "Depth ", "L2");
    Declare(pltAxial, "Axial Load vs Settlement", "Axial Load ", "F1", true, "Settlement ", "L");
    pltAxial.TakesMeasuredCurve = true;
    Declare(pltTZcurves, "t-z Curves", "Displacement, z", "L", false, "Unit Load Transfer, t",
            "F/L^2");
    Declare(PltQW, "Tip Resistance Curve", "Q", "F", true, "w", "L");
    Declare(pltSkin, "Acculumated Skin Friction vs Depth", "Accumulated Skin Friction ", "F1", true,
            "Depth ", "L2");
    Declare(pltUSkin, "Unit Skin Friction vs Depth", "Unit Skin Friction", "F1/L2^2", true, "Depth",
            "L2");
    Declare(PltExtraTZ, "Extra t-z Curves", "Displacement, z", "L2", false, "Unit Load Transfer, t",
            "F1/L2^2");
    Declare(pltTip, "Tip Resistance vs Depth", "Tip Resistance ", "F1", true, "Depth ", "L2");
    Declare(pltTotal, "Total Capacity vs Depth", "Total Capacity ", "F1", true, "Depth ", "L2");
    Declare(pltCombine, "Axial Capacity vs Depth", "Axial Capacity", "F1", false, "Depth", "L2");
}

}  // namespace keldar
