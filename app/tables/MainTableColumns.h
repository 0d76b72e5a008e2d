// Column positions of the main tables, as MainTables.txt declares them, for the code that reads
// or fills a table's cells by position (the data file, the side view, the summary, the projects
// made from a cone test). Each table has its own scope, so that "Depth" says which table's depth.
#pragma once

namespace keldar {

// D2: one row per soil layer.
namespace SoilLayerColumn {
enum : int { SoilType = 0, Bottom = 1, LayerData = 2 };
}

// tblDataClay2 and tblDataSand2: the same eight columns, each showing only its kind's values.
namespace LayerDataColumn {
enum : int {
    UnitWeight = 0,
    ShearStrength = 1,
    E50 = 2,
    FrictionAngle = 3,
    BlowCount = 4,
    SideFriction = 5,
    TipResistance = 6,
};
}

// TblTZDepth2: the depth of each user-defined t-z curve and the table of its points.
namespace CurveDepthColumn {
enum : int { Depth = 0, Curve = 1 };
}

// TblTZCurves2 (each curve's points) and TblQwcurve2 (the tip curve): the load, then the
// movement.
namespace CurvePointColumn {
enum : int { Load = 0, Movement = 1 };
}

// TblAE2: pile sections by the depth where each starts.
namespace StiffnessColumn {
enum : int { Depth = 0, AxialStiffness = 1 };
}

// TblSettlement2: the soil settlement profile.
namespace SettlementColumn {
enum : int { Depth = 0, Settlement = 1 };
}

// TblTZFactors2: the modification factors on the t-z curves.
namespace TZFactorColumn {
enum : int { Depth = 0, TMultiplier = 1, ZMultiplier = 2 };
}

// TblTipMove and TblTopload: one value a row.
inline constexpr int kOnlyColumn = 0;

}  // namespace keldar
