// The results of one run as numbers, for scripts and batch studies: the same content as the
// report's tables, at the engine's full single precision instead of the report's few digits.
//
// A caller that wants them passes a RunResults to runKeldar (RunOptions::results); the run
// fills it as it goes. A run stopped with a status above 0 keeps what it computed before the
// stop, with the `complete` flags of the unfinished tables left false.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace keldar {

struct CurvePoint {
    float x, y;  // t-z curve: x = movement z, y = load transfer t; Q-w: x = movement w, y = load Q

    bool operator==(const CurvePoint&) const = default;
};

struct TzCurveResult {
    int number = 0;
    float depth = 0.0f;
    std::vector<CurvePoint> points;

    bool operator==(const TzCurveResult&) const = default;
};

// Pile data and options as the engine read them.
struct InputSummary {
    bool read = false;  // false when the run stopped before the input was complete
    std::string title;
    float pileLength = 0, diameter = 0, tipArea = 0, tolerance = 0;
    int increments = 0;
    int outputOption = 0;
    bool curvesGenerated = false;
    int layers = 0, aePoints = 0, tipMovements = 0, headLoads = 0, settlementPoints = 0;
    bool tzFactors = false, qwFactors = false;
    float qMultiplier = 0, wMultiplier = 0;

    bool operator==(const InputSummary&) const = default;
};

// One load-settlement row: a tip-movement case or a pile-head load.
struct LoadSettlementRow {
    float topLoad = 0, topMovement = 0, tipMovement = 0, tipLoad = 0;
    bool converged = true;  // load-controlled rows only: false when no solution was found
    // Increments of the row's solution accepted without meeting the tolerance: the row's loads
    // and movements are then not a solution.
    int unconvergedIncrements = 0;

    bool operator==(const LoadSettlementRow&) const = default;
};

// An input or generated value outside the range of its published method, or a case whose pile
// strains beyond any material. It changes no number: the run goes on with the value as it stands.
struct RangeWarning {
    // "e50", "unit weight", "friction angle", "tip resistance", "tip curve", "axial strain"
    std::string quantity;
    int layer = 0;
    int row = 0;  // property row (2i-1 at the top of layer i, 2i at its bottom); 0: no soil row
    float value = 0;
    std::string message;  // the sentence of the run notes

    bool operator==(const RangeWarning&) const = default;
};

// Load and movement along the pile for one tip-movement case, signed as the report shows them
// (an uplift case negated). Nodes and increments run from the tip up; the last node is the head.
struct CaseDistribution {
    std::vector<float> nodeDepth, nodeLoad, nodeMovement;
    std::vector<float> middleDepth, transfer, loadTaken, averageLoad, shortening, averageMovement;

    bool operator==(const CaseDistribution&) const = default;
};

struct RunResults {
    std::int32_t status = 0;
    std::string message;  // the run's error message; empty after a normal run
    int unitSystem = 0;   // 1 = English (in, lb, psi), 2 = SI (m, kN, kPa); 0 before it was read
    InputSummary input;
    std::vector<TzCurveResult> tzCurves;  // as used by the solver (multipliers applied)
    std::vector<CurvePoint> qwCurve;
    std::vector<LoadSettlementRow> loadSettlement;
    bool loadSettlementComplete = false;
    std::vector<CaseDistribution> distributions;
    std::vector<LoadSettlementRow> loadControlled;
    bool loadControlledComplete = false;
    // Elastic head movement per unit load of a pile loaded at the head alone: the sum of
    // length / AE over the increments, AE taken at each increment's middle as the solver takes
    // it. 0 when the run stopped before the increments were set up.
    float pileFlexibility = 0;
    std::vector<RangeWarning> warnings;
    // Words of the data file that the run passed over (after a record's values), one entry per
    // line: "line 12: 000".
    std::vector<std::string> unusedWords;

    bool operator==(const RunResults&) const = default;
};

// Unit labels of a unit system: length, force, stress.
struct UnitLabels {
    const char* length;
    const char* force;
    const char* stress;
};
UnitLabels unitLabels(int unitSystem);

// A short description of a run status, used when a stop left no message of its own.
const char* statusDescription(std::int32_t status);

}  // namespace keldar
