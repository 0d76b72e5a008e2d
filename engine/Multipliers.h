// Modification factors on the t-z and Q-w curves, applied after the curves are echoed: the
// report and the plot data file show the curves as entered or generated, the solver uses the
// scaled ones.
#pragma once

namespace keldar {

// The t-multiplier (TFACTOR) and z-multiplier (ZFACTOR) at depth x, interpolated in the factor
// rows XTFAC 1..NTFAC; 1.0 above the first row, below the last, and with fewer than two rows.
float TFACTOR(float x);
float ZFACTOR(float x);

// Scales every point of every t-z curve by the multipliers at the curve's depth.
void applyTzMultipliers();

// Scales the tip curve: QTIP by QMULT, WTIP by WMULT.
void applyQwMultipliers();

}  // namespace keldar
