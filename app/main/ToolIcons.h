// The tool bar's pictures, drawn on a 24 x 24 grid so that they stay sharp at any scaling.
#pragma once

#include <QIcon>

namespace keldar {

enum class TToolIcon {
    NewFile,
    OpenFile,
    SaveFile,
    Run,
    SoilLayers,
    OutputText,
    ResultsSummary,
    SoilProfile,
    LoadDistribution,
    LoadSettlement,
    TZCurves,
    QWCurve
};

QIcon ToolIcon(TToolIcon kind);

}  // namespace keldar
