#include "PlotFileReader.h"

#include <algorithm>
#include <vector>

#include "NumberText.h"
#include "WordReader.h"

namespace keldar {

// Points one plot may hold. The largest run (100 cases of 1000 increments) needs 100 000.
static constexpr qint64 kMaxPlotPoints = 2'000'000;

[[noreturn]] static void RaiseInvalid() { throw EInputOutputError(kIncompleteFileMessage); }

// A count from the file, checked before anything is sized by it: a negative count, or one that
// the words still unread cannot hold at wordsEach per item, means the file is broken or cut
// short, and is reported at once.
static int CheckedCount(const TWordReader& reader, int count, qint64 wordsEach) {
    if (count < 0 || count * wordsEach > reader.WordsLeft()) RaiseInvalid();
    return count;
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
    const int curves = CheckedCount(reader, reader.ReadInteger(), 3);
    Reset(tz, curves);
    qint64 largest = 2;
    std::vector<int> counts;
    for (int i = 0; i < curves; ++i) {
        reader.ReadInteger();  // curve number
        const int n = CheckedCount(reader, reader.ReadInteger(), 2);
        if (n > largest) {
            if (n * static_cast<qint64>(curves) > kMaxPlotPoints) RaiseInvalid();
            largest = n;
        }
        tz.SetPointCount(static_cast<int>(largest));
        counts.push_back(n);
        depths.push_back(reader.ReadFloat());
        tz.Curve(i).Name = DepthName(depths.back(), projectUnits);
        for (int j = 0; j < n; ++j) {
            const double t = reader.ReadFloat();
            const double z = reader.ReadFloat();
            tz.Point(i, j) = {z, t};
        }
    }
    // Short curves end on their last real point repeated. A curve without points has no
    // last point: it keeps its zero points.
    for (int i = 0; i < curves; ++i) {
        auto& points = tz.Curve(i).Points;
        for (std::size_t j = std::max<std::size_t>(counts[i], 1); j < points.size(); ++j) {
            points[j] = points[j - 1];
        }
    }

    const int qw = CheckedCount(reader, reader.ReadInteger(), 2);
    plots.PltQW.SetPointCount(qw);
    for (int j = 0; j < qw; ++j) {
        const double q = reader.ReadFloat();
        const double w = reader.ReadFloat();
        plots.PltQW.Point(0, j) = {q, w};
    }
}

static void ReadResultBlocks(TWordReader& reader, TMainPlots& plots,
                             const std::vector<double>& depths) {
    // Every case has 3 values per increment and a load-settlement row of 4.
    const int cases = CheckedCount(reader, reader.ReadInteger(), 4);
    plots.pltLoad.SetCurveCount(cases);
    const int increments = CheckedCount(reader, reader.ReadInteger(), 3 * qint64{cases});
    plots.pltLoad.SetPointCount(increments);
    const int unitSystem = reader.ReadInteger();
    const bool english = unitSystem == 1;

    // The t-z values are in the file's units, so their depths are named in them too.
    for (std::size_t i = 0; i < depths.size(); ++i) {
        plots.pltTZcurves.Curve(static_cast<int>(i)).Name = DepthName(depths[i], english ? 1 : 2);
    }

    for (int i = 0; i < cases; ++i) {
        for (int j = 0; j < increments; ++j) {
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
    axial.SetPointCount(cases + 1);
    for (int v = 1; v <= cases; ++v) {
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
