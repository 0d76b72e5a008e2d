#include "ConeProfile.h"

#include "SoilBehaviourType.h"

namespace keldar::cpt {

std::vector<ConeProfileRow> ConeProfile(const CptRecord& record, const DesignOptions& options) {
    const StressProfile stresses = StressesFor(record, options);
    std::vector<ConeProfileRow> rows;
    rows.reserve(record.readings.size());
    for (const CptReading& r : record.readings) {
        const double qt = record.Qt(r);
        const BehaviourType type =
            SoilBehaviourIndex(qt, r.fs, stresses.Total(r.depth), stresses.Effective(r.depth));
        rows.push_back({r.depth, qt, type.valid ? type.ic : kNotMeasured});
    }
    return rows;
}

}  // namespace keldar::cpt
