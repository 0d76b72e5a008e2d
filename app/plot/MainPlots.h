// The ten result plots of the main window, declared with their captions, units and options.
#pragma once

#include <array>

#include "GraphPlot.h"

namespace keldar {

struct TMainPlots {
    TMainPlots();
    TMainPlots(const TMainPlots&) = delete;
    TMainPlots& operator=(const TMainPlots&) = delete;

    TGraphPlot pltLoad;
    TGraphPlot pltAxial;
    TGraphPlot pltTZcurves;
    TGraphPlot PltQW;
    TGraphPlot pltSkin;
    TGraphPlot pltUSkin;
    TGraphPlot PltExtraTZ;
    TGraphPlot pltTip;
    TGraphPlot pltTotal;
    TGraphPlot pltCombine;

    std::array<TGraphPlot*, 10> All() {
        return {&pltLoad,  &pltAxial,   &pltTZcurves, &PltQW,    &pltSkin,
                &pltUSkin, &PltExtraTZ, &pltTip,      &pltTotal, &pltCombine};
    }
};

}  // namespace keldar
