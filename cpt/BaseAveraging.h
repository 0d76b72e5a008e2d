// The cone resistance qp that stands for the ground at the pile base.
#pragma once

#include "DepthSeries.h"

namespace keldar::cpt {

enum class BaseAveraging {
    Dutch,        // the Dutch (Koppejan) minimum-path average, as the Unified sand method states
    OnePointFive  // the plain mean over 1.5 D above and below the base
};

// Mean of the profile from tip − 1.5 D to tip + 1.5 D.
double OnePointFiveDiameterAverage(const DepthSeries& qt, double tipDepth, double diameter);

// Dutch method (Van Mierlo & Koppejan 1952, as set out by Schmertmann 1978) for a pile of
// equivalent diameter Deq: qp = [(qc1 + qc2)/2 + qc3]/2, with qc1 the mean over y below the tip,
// qc2 the mean of the minimum path traced up from tip + y to the tip, qc3 the mean of the minimum
// path carried on up to 8 Deq above the tip, and y between 0.7 Deq and 4 Deq chosen to give the
// least qp. The Unified sand method (Lehane et al. 2020) uses Deq = D Are^0.5.
double DutchAverage(const DepthSeries& qt, double tipDepth, double equivalentDiameter);

}  // namespace keldar::cpt
