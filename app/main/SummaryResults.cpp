#include "SummaryResults.h"

#include "DataFileNumbers.h"
#include "PlotFileResults.h"
#include "ProgramData.h"

namespace keldar {

// The value the analysis reads for a number that the project writes into its data file.
static float AsAnalysisReads(long double value) {
    float read = 0.0f;
    return AnalysisReal(FormatDataReal(value), read) ? read : 0.0f;
}

PileData PileDataOf(const TProgramData& project) {
    PileData pile;
    pile.pileLength = AsAnalysisReads(project.PileLength);
    pile.diameter = AsAnalysisReads(project.OuterDiameter);
    pile.increments = project.IncrementCount;
    // The AE table: depth in column 0, stiffness in column 1.
    const TGridTableChart& stiffness = project.Tables().Chart("TblAE2");
    for (int row = 0; row < stiffness.RowCount(); ++row) {
        pile.aeDepth.push_back(AsAnalysisReads(stiffness.Cell(0, row).GetFloat()));
        pile.ae.push_back(AsAnalysisReads(stiffness.Cell(1, row).GetFloat()));
    }
    // A settlement profile reaches the analysis only with down-drag switched on.
    pile.settlementPoints =
        project.DowndragOn ? project.Tables().Chart("TblSettlement2").RowCount() : 0;
    return pile;
}

bool ReadSummaryResults(const TProgramData& project, RunResults& results, QString& message) {
    std::string problem;
    const QString plot = PlotFileName(project.FileName);
    const QString report = ReportFileName(project.FileName);
    if (!readPlotFileResults(plot.toLocal8Bit().toStdString(), report.toLocal8Bit().toStdString(),
                             results, problem)) {
        message = QString::fromStdString(problem);
        return false;
    }
    addPileData(results, PileDataOf(project));
    return true;
}

}  // namespace keldar
