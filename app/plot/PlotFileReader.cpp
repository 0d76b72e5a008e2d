#include "PlotFileReader.h"

#include <algorithm>
#include <vector>

#include "NumberText.h"
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

static QString DepthName(double depth, int units) {
    return ShortestNumberText(depth) + (units == 1 ? QStringLiteral(" in") : QStringLiteral(" m"));
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
        tz.Curve(i).Name = DepthName(depths.back(), projectUnits);
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

static void ReadResultBlocks(TWordReader& reader, TMainPlots& plots,
                             const std::vector<double>& depths) {
    const int cases = reader.ReadInteger();
    const int increments = reader.ReadInteger();
    const int unitSystem = reader.ReadInteger();
    const bool english = unitSystem == 1;
    // Every case has a load-settlement row of 4 values and 3 values per increment.
    const int fittedCases = FittedCount(reader, cases, 4);
    const int fittedIncrements = FittedCount(reader, increments, 3);
    if (qint64{fittedCases} * fittedIncrements > kMaxPlotPoints) RaiseInvalid();
    plots.pltLoad.SetCurveCount(fittedCases);
    plots.pltLoad.SetPointCount(fittedIncrements);

    // The t-z values are in the file's units, so their depths are named in them too.
    for (std::size_t i = 0; i < depths.size(); ++i) {
        plots.pltTZcurves.Curve(static_cast<int>(i)).Name = DepthName(depths[i], english ? 1 : 2);
    }

    for (int i = 0; i < cases; ++i) {
        CheckFits(i, fittedCases);
        for (int j = 0; j < increments; ++j) {
            CheckFits(j, fittedIncrements);
            double depth = reader.ReadFloat();
            double load = reader.ReadFloat();
            reader.ReadFloat();  // average movement
            if (english) {
                depth /= 12;   // in to ft
                load /= 1000;  // lb to kips
            }
            plots.pltLoad.Point(i, j) = {load, depth};
        }
    }

    TGraphPlot& axial = plots.pltAxial;
    axial.SetPointCount(fittedCases + 1);
    for (int v = 1; v <= cases; ++v) {
        CheckFits(v - 1, fittedCases);
        double load = reader.ReadFloat();
        const double settlement = reader.ReadFloat();
        reader.ReadFloat();  // tip movement
        reader.ReadFloat();  // tip load
        if (english) load /= 1000;
        axial.Point(0, v) = {load, settlement};
    }
    // The curve starts at the origin unless the first case carries no load.
    if (cases > 0) {
        const TFloatPoint first = axial.Point(0, 1);
        axial.Point(0, 0) = first.X > 0 ? TFloatPoint{} : first;
    }

    // The engine runs S.I. for any unit system but 1: label the axes so.
    for (TGraphPlot* plot : plots.All()) plot->SetUnits(english ? 1 : 2);
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
