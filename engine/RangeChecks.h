// Inputs and generated values outside the range of the published method that uses them. Each
// gives a warning in the run notes and the results in numbers; none changes a number.
#pragma once

#include <cstdint>

#include "TipCurve.h"

namespace keldar {

// The property rows of generated-curve runs: e50 of Coyle & Reese clay above 0.05, effective
// unit weights outside 2 to 25 kN/m^3 (0.0074 to 0.092 lb/in^3) above a sand tip, the only
// place they are used, and friction angles of the sand methods outside 20 to 45 degrees.
void warnPropertiesOutsideMethods();

// The generated tip: an API sand unit tip resistance above the limiting unit end bearing of API
// RP 2A for its Nq class, and a sand tip curve that rises above an entered ultimate tip
// resistance. Reads the finished tip curve QTIP.
void warnTipOutsideMethod(TSoilCode code, const TipResistance& resistance);

// Limiting unit end bearing of API RP 2A-WSD (21st edition, table 6.4.3-1) for the class whose
// Nq (8, 12, 20, 40, 50) is the largest not above nq (the first class below 8), in the stress
// unit of the unit system: psi (IUNIT 1) or kPa.
float apiLimitingEndBearing(float nq, std::int32_t iunit);

}  // namespace keldar
