#include "CurveGeneration.h"

#include <algorithm>
#include <optional>

#include "PropertyLookup.h"
#include "RangeChecks.h"
#include "RunStore.h"
#include "SideCurves.h"
#include "SoilCode.h"
#include "TipCurve.h"

namespace keldar {

void buildSideCurves(std::int32_t& status) {
    RunStore& s = runStore();
    const int curves = std::clamp(s.NCURV, 0, kMaxCurves);
    for (int j = 1; j <= curves; ++j) {
        s.SKINC[j] = lookupSKIN(s.XC[j], status);
        if (status > 0) return;
        s.PHIC[j] = lookupPHI1(s.XC[j], status);
        if (status > 0) return;
        s.CURVNO[j] = j;
        s.NPTC[j] = kGeneratedPoints;
        // Numbers that name no method are refused on input; a store filled otherwise gets a
        // curve of zero load transfer rather than whatever the points held.
        if (const std::optional<TSoilCode> code = SoilCodeOf(s.KSOILC[j])) {
            buildTzCurve(*code, j);
        } else {
            clearTzCurve(j);
        }
    }
}

void buildTipCurve(std::int32_t& status) {
    const std::optional<TSoilCode> code = tipSoilCode();
    if (!code) return;  // refused on input; no tip curve
    const TipResistance resistance = unitTipResistance(*code, status);
    if (status > 0) return;
    buildQwCurve(*code, resistance.unit * runStore().ATIP, status);
    if (status > 0) return;
    warnTipOutsideMethod(*code, resistance);
}

}  // namespace keldar
