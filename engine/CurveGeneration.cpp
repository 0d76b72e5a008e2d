// Placeholder until curve generation is built: generated-mode runs produce no curves yet.
#include "CurveGeneration.h"

namespace keldar {

void buildSideCurves(std::int32_t& /*status*/) {}
void buildTipCurve(std::int32_t& /*status*/) {}

}  // namespace keldar
