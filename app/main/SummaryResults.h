// The results that the Results Summary shows. After a run that ended normally the program runs
// the same data file again in memory, with the same identification, and keeps the results as
// numbers: the summary is then the engine's own, the one that keldar-run gives. Only when that
// fails does the summary come from the plot data file (.kd3p), to its few digits, with the
// project's pile added so that the capacity criteria, Davisson's elastic line and the neutral
// plane can still be computed; the window then says so.
#pragma once

#include <QString>
#include <optional>

#include "PlotFilePileData.h"
#include "RunResults.h"

namespace keldar {

class TProgramData;

// The project's pile in the numbers the analysis reads from its data file: each value written
// as the data file writes it and read back in single precision.
PileData PileDataOf(const TProgramData& project);

// The results of the project's plot data file (.kd3p) and report (.kd3o) with its pile added;
// false with a message when the plot file cannot be read.
bool ReadSummaryResults(const TProgramData& project, RunResults& results, QString& message);

// The results of a run at the engine's full precision, or why there are none.
struct TExactResults {
    std::optional<RunResults> Results;
    QString Problem;
};

// The run that the hand-off file namesFile describes, again in memory: the data file's text
// with the identification lines of names.dat; no file is read but these two, none written.
// No results when either file cannot be read or the run does not end normally.
TExactResults RunAgainInMemory(const QString& namesFile);

// What the Results Summary window shows: the exact results when there are some, otherwise the
// plot file's, with `note` saying so. False with a message when neither can be had.
bool SummaryResultsOf(const TProgramData& project, const TExactResults& exact, RunResults& results,
                      QString& note, QString& message);

}  // namespace keldar
