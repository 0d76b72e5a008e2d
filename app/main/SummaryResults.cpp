#include "SummaryResults.h"

#include <QFile>

#include "DataFileNumbers.h"
#include "PlotFileResults.h"
#include "ProgramData.h"
#include "RunDriver.h"

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

// The width of the summary's text: a note above it is wrapped to the same.
constexpr qsizetype kSummaryWidth = 78;

// The text broken at spaces into lines of at most `width` characters; a longer word (a path)
// keeps a line of its own.
static QString WrappedLines(const QString& text, qsizetype width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) lines.append(line);
    return lines.join(QLatin1Char('\n'));
}

static TExactResults NoExactResults(const QString& problem) { return {std::nullopt, problem}; }

TExactResults RunAgainInMemory(const QString& namesFile) {
    RunIdentity identity;
    RunPaths paths;
    bool pathsIncomplete = false;
    std::string problem;
    if (!readNamesFile(QFile::encodeName(namesFile).toStdString(), identity, paths, pathsIncomplete,
                       problem)) {
        return NoExactResults(QString::fromStdString(problem));
    }
    const QString dataFile = QFile::decodeName(paths.dataFile.c_str());
    QFile data(dataFile);
    if (paths.dataFile.empty() || !data.open(QIODevice::ReadOnly)) {
        return NoExactResults(QStringLiteral("The data file \"%1\" cannot be read.").arg(dataFile));
    }
    const std::string text = data.readAll().toStdString();

    RunResults results;
    RunOptions options;
    options.consoleBanner = false;
    options.consoleErrors = false;  // the run from the engine library has shown them
    options.results = &results;
    const std::int32_t status = runKeldarInMemory(text, paths, identity, options);
    if (status != 0) {
        const std::string why =
            results.message.empty() ? statusDescription(status) : results.message;
        return NoExactResults(QStringLiteral("The analysis stopped with status %1: %2")
                                  .arg(status)
                                  .arg(QString::fromStdString(why)));
    }
    return {std::move(results), {}};
}

bool SummaryResultsOf(const TProgramData& project, const TExactResults& exact, RunResults& results,
                      QString& note, QString& message) {
    if (exact.Results) {
        results = *exact.Results;
        note.clear();
        return true;
    }
    if (!ReadSummaryResults(project, results, message)) return false;
    note = WrappedLines(QStringLiteral("NOTE: read from the plot data file, to its 4 digits (3 for "
                                       "the load along the pile), because the analysis could not "
                                       "be repeated in memory. %1 keldar-run --results json gives "
                                       "the analysis's own numbers.")
                            .arg(exact.Problem),
                        kSummaryWidth);
    return true;
}

}  // namespace keldar
