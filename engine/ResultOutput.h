// Result sections of the report (.kd3o) and the plot data file (.kd3p).
#pragma once

#include <string>

#include "IncrementTable.h"
#include "PileSolution.h"

namespace keldar {

// One result row: top load, top movement, tip movement, tip load (already signed).
struct ResultRow {
    float topLoad, topMovement, tipMovement, tipLoad;
};

// The per-case texts are put together apart from the files (each case may be solved on its own
// thread) and written in the order of the cases.

// Report block of one tip-movement case: its heading with the tip movement and tip load, then
// the node and middle rows from the tip up and the pile-head row. An uplift case (tip movement
// not above 1e-10) has every load and movement of the rows negated.
void appendCaseBlock(std::string& text, const IncrementTable& table, const PileSolution& solution,
                     float tipMovement, float tipLoad, bool uplift);

// Plot file: the analysis header (cases, increments, unit system).
void writeAnalysisHeader();

// Plot file: the load distribution of one case (middle depth, average load, average movement),
// from the tip up, never negated.
void appendLoadDistribution(std::string& text, const IncrementTable& table,
                            const PileSolution& solution);

// Report: the load-settlement table of the cases (heading and one row per case).
void writeLoadSettlementHeading();
void writeResultRow(const ResultRow& row);  // to the report
void writePlotRow(const ResultRow& row);    // to the plot file

// Report: the load-controlled table heading, and the row of a head load without a solution.
void writeLoadControlledHeading();
void writeNoConvergenceRow(float load);

// Report: a stop of the analysis for an axial stiffness not above zero at the depth.
void writeStiffnessWarning(float depth);
// Report: a stop of the analysis for a count outside its capacity.
void writeCountWarning(const char* what, int count, int lowest, int highest);

}  // namespace keldar
