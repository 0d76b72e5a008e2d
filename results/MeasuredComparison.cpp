#include "MeasuredComparison.h"

#include <cmath>
#include <cstdio>

#include "ResultsSummaryText.h"

namespace keldar {

MeasuredComparison compareMeasured(const ResultsSummary& s,
                                   const std::vector<CurvePoint>& measured) {
    MeasuredComparison m;
    m.capacity10PctDiameter =
        settlementLineCrossing(measured, 0.0f, s.settlement10PctDiameter).load;
    const CurveCrossing davisson =
        settlementLineCrossing(measured, s.davissonFlexibility, s.davissonOffset);
    m.davissonCapacity = davisson.load;
    m.davissonSettlement = davisson.settlement;
    m.loadAtChosenSettlement = settlementLineCrossing(measured, 0.0f, s.chosenSettlement).load;
    m.settlementAtChosenLoad = loadCrossing(measured, s.chosenLoad).settlement;
    return m;
}

// The summary's own number form; a criterion the test does not reach says so.
static std::string number(float value) {
    return std::isfinite(value) ? summaryNumber(value) : std::string("not reached");
}

// One line of the table: the criterion, then the computed and the measured column.
static std::string columns(const std::string& criterion, const std::string& computed,
                           const std::string& measured) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-42.42s%14s%14s", criterion.c_str(), computed.c_str(),
                  measured.c_str());
    return line;
}

static std::string row(const std::string& criterion, float computed, float measured) {
    return columns(criterion, number(computed), number(measured));
}

std::vector<std::string> measuredComparisonText(const ResultsSummary& s,
                                                const MeasuredComparison& m, int unitSystem) {
    const UnitLabels units = unitLabels(unitSystem);
    const std::string force = units.force, length = units.length;
    std::vector<std::string> lines = {
        "Measured load test beside the computed curve (loads in " + force + ", settlements in " +
            length + ")",
        columns("Criterion", "Computed", "Measured"),
    };
    if (std::isfinite(s.settlement10PctDiameter)) {
        lines.push_back(
            row("Load at 10 % D (" + number(s.settlement10PctDiameter) + " " + length + ")",
                s.capacity10PctDiameter, m.capacity10PctDiameter));
    }
    if (std::isfinite(s.davissonFlexibility) && std::isfinite(s.davissonOffset)) {
        lines.push_back(row("Davisson offset limit load", s.davissonCapacity, m.davissonCapacity));
        lines.push_back(row("  head settlement there", s.davissonSettlement, m.davissonSettlement));
    }
    if (std::isfinite(s.chosenSettlement)) {
        lines.push_back(row("Load at a settlement of " + number(s.chosenSettlement) + " " + length,
                            s.loadAtChosenSettlement, m.loadAtChosenSettlement));
    }
    if (std::isfinite(s.chosenLoad)) {
        lines.push_back(row("Settlement at a load of " + number(s.chosenLoad) + " " + force,
                            s.settlementAtChosenLoad, m.settlementAtChosenLoad));
    }
    return lines;
}

}  // namespace keldar
