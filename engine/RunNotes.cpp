#include "RunNotes.h"

#include <charconv>
#include <cmath>

#include "OutputFile.h"
#include "PileSolution.h"
#include "RunContext.h"
#include "RunResultsCollect.h"
#include "RunStore.h"

namespace keldar {

// Steel yields near 0.2 % strain and concrete crushes near 0.3 %: 1 % is beyond any pile.
static constexpr float kLargestPileStrain = 0.01f;

static void writeNote(const std::string& text) { runFiles().notes.writeText(text + "\n"); }

static const char* lengthUnit() { return unitLabels(runStore().IUNIT).length; }
static const char* forceUnit() { return unitLabels(runStore().IUNIT).force; }

std::string noteNumber(float value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "inf" : "-inf");
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

void startRunNotes() { currentRun().anyUnconverged = false; }

void noteRangeWarning(const RangeWarning& warning) {
    writeNote("WARNING: " + warning.message);
    collectWarning(warning);
}

static std::string unconvergedCount(int unconverged, int increments) {
    return std::to_string(unconverged) + " of " + std::to_string(increments) +
           (increments == 1 ? " increment" : " increments") + " did not converge within " +
           std::to_string(kMaxEvaluations) + " evaluations";
}

void noteUnconvergedCase(int k, float tipMovement, int unconverged, int increments) {
    if (unconverged <= 0) return;
    currentRun().anyUnconverged = true;
    writeNote("NOT CONVERGED: case " + std::to_string(k) + " (tip movement " +
              noteNumber(tipMovement) + " " + lengthUnit() +
              "): " + unconvergedCount(unconverged, increments) + ".");
}

void noteUnconvergedLoad(int j, float load, int unconverged, int increments) {
    if (unconverged <= 0) return;
    currentRun().anyUnconverged = true;
    writeNote("NOT CONVERGED: head load " + std::to_string(j) + " (" + noteNumber(load) + " " +
              forceUnit() + "): " + unconvergedCount(unconverged, increments) +
              " in the solution found.");
}

void noteAxialStrain(int k, float tipMovement, float largestStrain) {
    if (!(largestStrain > kLargestPileStrain)) return;
    noteRangeWarning(
        {"axial strain", 0, 0, largestStrain,
         "case " + std::to_string(k) + " (tip movement " + noteNumber(tipMovement) + " " +
             lengthUnit() + "): the pile shortens by up to " + noteNumber(largestStrain) +
             " times the length of an increment. No pile material stays elastic beyond about "
             "0.003; check the axial stiffness AE and its unit."});
}

void finishRunNotes() {
    if (!currentRun().anyUnconverged) return;
    writeNote(
        "The loads and movements of a case or head load named NOT CONVERGED are not a solution.\n"
        "An increment converges when k x pi x D x DL^2 / (8 AE) < 1, k being the steepest slope "
        "of the t-z curves at its depth.\nTo get there: use shorter increments (more of them), a "
        "stiffer pile section (larger AE), or t-z curves that are softer near zero movement.\n"
        "Check a result by doubling the number of increments: the head movement should not "
        "change.");
}

}  // namespace keldar
