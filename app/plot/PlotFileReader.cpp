#include "PlotFileReader.h"

#include <algorithm>
#include <vector>

#include "NumberText.h"
#include "UnitSystem.h"
#include "WordReader.h"

namespace keldar {

// Points one plot may hold. The largest run (100 cases of 1000 increments) needs 100 000.
static constexpr qint64 kMaxPlotPoints = 2'000'000;

[[noreturn]] static void RaiseInvalid() { throw EInputOutputError(kIncompleteFileMessage); }

// Storage for a count from the file: no more items than the words still unread can hold at
// wordsEach per item, so that an absurd count allocates nothing. The items that fit are read;
// the reader raises at the first missing word, and the plots keep what was read.
static int FittedCount(const TWordReader& reader, int count, qint64 wordsEach) {
    if (count < 0) RaiseInvalid();
    return static_cast<int>(std::min<qint64>(count, reader.WordsLeft() / wordsEach));
}

// An item beyond the fitted count needs words that the file does not have.
static void CheckFits(int index, int fitted) {
    if (index >= fitted) RaiseInvalid();
}

static void Reset(TGraphPlot& plot, int curves) {
    // Curves start again from their new-line state: no names, shown and active.
    plot.SetCurveCount(0);
    plot.SetCurveCount(curves);
}

// Unit names in curve names: a curve is named by what it was run for, in the file's units.
static QString LengthUnit(bool english) {
    return english ? QStringLiteral(" in") : QStringLiteral(" m");
}

static QString ForceUnit(bool english) {
    return english ? QStringLiteral(" kips") : QStringLiteral(" kN");
}

static QString DepthName(double depth, bool english) {
    return ShortestNumberText(depth) + LengthUnit(english);
}

static void ReadCurveBlocks(TWordReader& reader, TMainPlots& plots, int projectUnits,
                            std::vector<double>& depths) {
    TGraphPlot& tz = plots.pltTZcurves;
    const int curves = reader.ReadInteger();
    const int fittedCurves = FittedCount(reader, curves, 3);
    Reset(tz, fittedCurves);
    qint64 largest = 2;
    tz.SetPointCount(static_cast<int>(largest));
    std::vector<int> counts;
    for (int i = 0; i < curves; ++i) {
        CheckFits(i, fittedCurves);
        reader.ReadInteger();  // curve number
        const int n = reader.ReadInteger();
        const int fitted = FittedCount(reader, n, 2);
        if (fitted > largest) {
            if (fitted * static_cast<qint64>(fittedCurves) > kMaxPlotPoints) RaiseInvalid();
            largest = fitted;
            tz.SetPointCount(static_cast<int>(largest));
        }
        counts.push_back(fitted);
        depths.push_back(reader.ReadFloat());
        tz.Curve(i).Name = DepthName(depths.back(), projectUnits == usEnglish);
        for (int j = 0; j < n; ++j) {
            CheckFits(j, fitted);
            const double t = reader.ReadFloat();
            const double z = reader.ReadFloat();
            tz.Point(i, j) = {z, t};
        }
    }
    // Short curves end on their last real point repeated. A curve without points has no
    // last point: it keeps its zero points.
    for (std::size_t i = 0; i < counts.size(); ++i) {
        auto& points = tz.Curve(static_cast<int>(i)).Points;
        for (std::size_t j = std::max<std::size_t>(counts[i], 1); j < points.size(); ++j) {
            points[j] = points[j - 1];
        }
    }

    const int qw = reader.ReadInteger();
    const int fittedQw = FittedCount(reader, qw, 2);
    plots.PltQW.SetPointCount(fittedQw);
    for (int j = 0; j < qw; ++j) {
        CheckFits(j, fittedQw);
        const double q = reader.ReadFloat();
        const double w = reader.ReadFloat();
        plots.PltQW.Point(0, j) = {q, w};
    }
}

// Reads one case's increments into points 1..n of its load-distribution curve. The file lists
// them from the tip upward; points 0 and n + 1 are the tip and the head, filled once the
// load-settlement row is read and until then copies of their neighbours, so that a file cut
// short draws nothing that was not computed.
static void ReadLoadDistribution(TWordReader& reader, TGraphPlot& load, int curve, int increments,
                                 int fittedIncrements, bool english) {
    for (int j = 0; j < increments; ++j) {
        CheckFits(j, fittedIncrements);
        double depth = reader.ReadFloat();
        double force = reader.ReadFloat();
        reader.ReadFloat();  // average movement
        if (english) {
            depth /= 12;    // in to ft
            force /= 1000;  // lb to kips
        }
        load.Point(curve, j + 1) = {force, depth};
    }
    if (increments > 0) {
        load.Point(curve, 0) = load.Point(curve, 1);
        load.Point(curve, increments + 1) = load.Point(curve, increments);
    }
}

// One row of the load-settlement block, loads in the plots' force unit.
struct TCaseRow {
    double HeadLoad = 0;
    double HeadMovement = 0;
    double TipMovement = 0;
    double TipLoad = 0;
};

static TCaseRow ReadCaseRow(TWordReader& reader, bool english) {
    TCaseRow row;
    row.HeadLoad = reader.ReadFloat();
    row.HeadMovement = reader.ReadFloat();
    row.TipMovement = reader.ReadFloat();
    row.TipLoad = reader.ReadFloat();
    if (english) {
        row.HeadLoad /= 1000;
        row.TipLoad /= 1000;
    }
    return row;
}

// The engine runs a tip movement not above this as an uplift case: it solves the pile pulled out
// by the movement's size and writes the load-settlement row negated.
static constexpr double kUpliftLimit = 1e-10;

// Completes a case's load distribution from its load-settlement row: the curve runs from the
// tip (the tip load at the pile length) to the head (the head load at depth 0). The increments are
// equal, so the pile is as long as the shallowest increment's middle depth times twice their
// count; that middle, the smallest depth, is the one the file's three digits give most closely.
// An uplift case is drawn pulled, as its load-settlement row gives it; nothing acts at its tip.
static void CompleteLoadDistribution(TGraphPlot& load, int curve, const TCaseRow& row,
                                     bool english) {
    auto& points = load.Curve(curve).Points;
    load.Curve(curve).CaseName =
        QStringLiteral("tip ") + ShortestNumberText(row.TipMovement) + LengthUnit(english);
    if (points.size() < 3) return;
    const bool uplift = row.TipMovement <= kUpliftLimit;
    const std::size_t increments = points.size() - 2;
    double shallowest = points[1].Y;
    for (std::size_t j = 1; j <= increments; ++j) {
        shallowest = std::min(shallowest, points[j].Y);
        if (uplift) points[j].X = -points[j].X;
    }
    const double length = 2 * static_cast<double>(increments) * shallowest;
    points.front() = {uplift ? 0.0 : row.TipLoad, length};
    points.back() = {row.HeadLoad, 0.0};
}

// The load-controlled block, when the run had head loads: each converged head load becomes a
// curve of its one point (repeated to the plot's point count) beside the load-settlement curve.
// The GUI has never needed this block, so a damaged or missing one only leaves the points out.
static void ReadHeadLoadCases(TWordReader& reader, TGraphPlot& axial, bool english) {
    std::vector<TCaseRow> rows;
    try {
        while (reader.WordsLeft() >= 4) rows.push_back(ReadCaseRow(reader, english));
    } catch (const EInputOutputError&) {
        return;
    }
    const auto points = static_cast<std::size_t>(axial.PointCount());
    for (const TCaseRow& row : rows) {
        // A load without convergence is written with three zeros.
        if (row.HeadMovement == 0 && row.TipMovement == 0 && row.TipLoad == 0) continue;
        axial.SetCurveCount(axial.CurveCount() + 1);
        TLine& curve = axial.Curve(axial.CurveCount() - 1);
        curve.Points.assign(points, TFloatPoint{row.HeadLoad, row.HeadMovement});
        curve.CaseName =
            QStringLiteral("head ") + ShortestNumberText(row.HeadLoad) + ForceUnit(english);
    }
}

static void ReadResultBlocks(TWordReader& reader, TMainPlots& plots,
                             const std::vector<double>& depths) {
    const int cases = reader.ReadInteger();
    const int increments = reader.ReadInteger();
    const int unitSystem = reader.ReadInteger();
    const bool english = unitSystem == usEnglish;
    // Every case has a load-settlement row of 4 values and 3 values per increment.
    const int fittedCases = FittedCount(reader, cases, 4);
    const int fittedIncrements = FittedCount(reader, increments, 3);
    if (qint64{fittedCases} * fittedIncrements > kMaxPlotPoints) RaiseInvalid();
    TGraphPlot& load = plots.pltLoad;
    load.SetCurveCount(fittedCases);
    load.SetPointCount(fittedIncrements > 0 ? fittedIncrements + 2 : 0);

    // The t-z values are in the file's units, so their depths are named in them too.
    for (std::size_t i = 0; i < depths.size(); ++i) {
        plots.pltTZcurves.Curve(static_cast<int>(i)).Name = DepthName(depths[i], english);
    }

    for (int i = 0; i < cases; ++i) {
        CheckFits(i, fittedCases);
        ReadLoadDistribution(reader, load, i, increments, fittedIncrements, english);
    }

    TGraphPlot& axial = plots.pltAxial;
    axial.SetPointCount(fittedCases + 1);
    axial.Curve(0).CaseName = QStringLiteral("computed");
    for (int v = 1; v <= cases; ++v) {
        CheckFits(v - 1, fittedCases);
        const TCaseRow row = ReadCaseRow(reader, english);
        axial.Point(0, v) = {row.HeadLoad, row.HeadMovement};
        CompleteLoadDistribution(load, v - 1, row, english);
    }
    // The curve starts at the origin unless the first case carries no load.
    if (cases > 0) {
        const TFloatPoint first = axial.Point(0, 1);
        axial.Point(0, 0) = first.X > 0 ? TFloatPoint{} : first;
    }
    ReadHeadLoadCases(reader, axial, english);

    // The engine runs S.I. for any unit system but 1: label the axes so.
    for (TGraphPlot* plot : plots.All()) plot->SetUnits(UnitSystemOf(unitSystem));
}

bool ReadPlotFile(TMainPlots& plots, const QString& fileName, bool reportErrors, int projectUnits,
                  UserMessages& messages) {
    bool complete = false;
    try {
        TWordReader reader(fileName);
        for (TGraphPlot* plot :
             {&plots.pltSkin, &plots.pltUSkin, &plots.pltTip, &plots.pltTotal, &plots.pltLoad}) {
            Reset(*plot, 9);
        }
        Reset(plots.pltAxial, 1);
        Reset(plots.pltCombine, 3);
        Reset(plots.PltQW, 1);

        std::vector<double> depths;
        ReadCurveBlocks(reader, plots, projectUnits, depths);
        ReadResultBlocks(reader, plots, depths);
        complete = true;
    } catch (const EInputOutputError&) {
        if (reportErrors) {
            messages.information(QStringLiteral("Information"),
                                 QString::fromLatin1(kRunErrorMessage));
        }
    }
    // Points were filled in place.
    for (TGraphPlot* plot : plots.All()) plot->NotifyChanged();
    return complete;
}

}  // namespace keldar
