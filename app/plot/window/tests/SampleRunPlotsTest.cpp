// The four result plots of a real run, saved to disk by the window's command, have their curves
// where their data points are.
#include <QMdiArea>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "PlotForm.h"
#include "PlotLegend.h"
#include "PlotPainter.h"
#include "PlotTestSupport.h"
#include "PlotWindows.h"
#include "ScriptedPlotDialogs.h"

namespace keldar {

class SampleRunPlotsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void savedPlotsDrawTheirPoints_data();
    void savedPlotsDrawTheirPoints();
    void casesNamedAndDrawnHeadToTip();

  private:
    TGraphPlot* PlotNamed(const QString& name);

    QTemporaryDir dir_;
    TMainPlots plots_;
    test::TestDesktop desktop_;
    ScriptedPlotDialogs dialogs_;
    QMdiArea area_;
};

void SampleRunPlotsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    const QString plotFile = RunSampleProject(QStringLiteral("steel-pipe-clay"), dir_.path());
    QVERIFY(!plotFile.isEmpty());
    QVERIFY(ReadPlotFile(plots_, plotFile, true, 1, desktop_));
    area_.resize(1000, 800);
}

TGraphPlot* SampleRunPlotsTest::PlotNamed(const QString& name) {
    for (TGraphPlot* plot : plots_.All()) {
        if (plot->Caption() == name) return plot;
    }
    return nullptr;
}

void SampleRunPlotsTest::savedPlotsDrawTheirPoints_data() {
    QTest::addColumn<QString>("caption");
    QTest::newRow("load distribution") << QStringLiteral("Load Distribution");
    QTest::newRow("load vs settlement") << QStringLiteral("Axial Load vs Settlement");
    QTest::newRow("t-z curves") << QStringLiteral("t-z Curves");
    QTest::newRow("Q-w curve") << QStringLiteral("Tip Resistance Curve");
}

void SampleRunPlotsTest::savedPlotsDrawTheirPoints() {
    QFETCH(QString, caption);
    TGraphPlot* plot = PlotNamed(caption);
    QVERIFY(plot);
    QVERIFY(plot->PointCount() > 2);
    TPlotForm* form = OpenPlotWindow(&area_, *plot, desktop_, dialogs_);
    QVERIFY(form);

    constexpr int kPixelsPerInch = 200;
    const QString saved = dir_.filePath(caption + QStringLiteral(".png"));
    desktop_.queueSave(saved, static_cast<int>(TPlotFileType::Png));
    dialogs_.Attributes = TSaveAttributes{4, 6, kPixelsPerInch};
    form->SaveToDisk();
    QVERIFY(desktop_.messages().isEmpty());
    const QImage image(saved);
    QCOMPARE(image.size(), QSize(1200, 800));

    TPlotSurface surface;
    surface.Page = image.rect();
    surface.Px = surface.Py = kPixelsPerInch;
    surface.LegendOnSurface = true;
    surface.LegendAt = form->Picture().LegendAt;
    const TPlotLayout layout = LayOutPlot(*plot, surface);
    const QRect r = layout.Plot;
    // The frame stands where the layout puts the plot (the legend covers its bottom-right).
    for (const QPoint& corner : {r.topLeft(), r.topRight(), r.bottomLeft()}) {
        QVERIFY2(CloseColour(image.pixel(corner), Qt::black), qPrintable(caption));
    }
    const QRect legend = SurfaceLegendRect(*plot, layout, surface, &image).adjusted(-4, -4, 4, 4);

    // The last curve is drawn over the others: its points show its colour.
    const TPlotRange full = FullPlotRange(*plot);
    const QVector<TLegendEntry> entries = LegendEntries(*plot);
    const TLegendEntry& last = entries.back();
    const QColor colour = CurveColour(last.Position);
    const auto& points = plot->Curve(last.Curve).Points;
    int checked = 0;
    for (std::size_t j = 1; j < points.size(); ++j) {
        const double fx = (points[j].X - full.X.Min) / full.X.Span();
        const double fy = (points[j].Y - full.Y.Min) / full.Y.Span();
        const QPoint at(static_cast<int>(std::lround(r.left() + fx * (r.right() - r.left()))),
                        static_cast<int>(std::lround(
                            plot->XOnTop() ? r.top() + fy * (r.bottom() - r.top())
                                           : r.bottom() - fy * (r.bottom() - r.top()))));
        // Away from the frame (drawn over the curves, in black) and the legend.
        if (!r.adjusted(4, 4, -4, -4).contains(at) || legend.contains(at)) continue;
        QVERIFY2(ColourNear(image, at, colour, 2),
                 qPrintable(QStringLiteral("%1: point %2 at %3,%4")
                                .arg(caption)
                                .arg(j)
                                .arg(at.x())
                                .arg(at.y())));
        ++checked;
    }
    QVERIFY2(checked >= 2, qPrintable(caption));
}

// The S.I. example with an uplift case and head loads, one beyond the pile's capacity: every
// load distribution runs from its head load at depth 0 to its tip load at the 12 m tip, with the
// uplift case pulled in both plots; the legends name each case by what it was run for.
void SampleRunPlotsTest::casesNamedAndDrawnHeadToTip() {
    TMainPlots plots;
    const QString plotFile = RunSampleProject(QStringLiteral("user-curves-si"), dir_.path());
    QVERIFY(ReadPlotFile(plots, plotFile, true, 2, desktop_));
    const TGraphPlot& load = plots.pltLoad;
    const TGraphPlot& axial = plots.pltAxial;
    const QStringList tips = {"tip -0.005 m", "tip 0.001 m", "tip 0.003 m", "tip 0.006 m",
                              "tip 0.01 m",   "tip 0.02 m",  "tip 0.04 m"};
    QCOMPARE(load.CurveCount(), static_cast<int>(tips.size()));
    for (int i = 0; i < load.CurveCount(); ++i) {
        QCOMPARE(load.LineName(i), tips[i]);
        const auto& points = load.Curve(i).Points;
        const TFloatPoint head = axial.Point(0, i + 1);
        QCOMPARE(points.back().X, head.X);
        QCOMPARE(points.back().Y, 0.0);
        QVERIFY(std::fabs(points.front().Y - 12) < 0.01);
        for (const TFloatPoint& p : points) QVERIFY(i == 0 ? p.X <= 0 : p.X >= 0);
    }
    // The uplift case: 1018 kN pulled at the head, nothing at the tip.
    QCOMPARE(axial.Point(0, 1).X, -1018.0);
    QCOMPARE(load.Curve(0).Points.front().X, 0.0);
    QCOMPARE(load.Curve(1).Points.front().X, 30.0);
    // The head loads that converged stand beside the computed curve.
    QCOMPARE(axial.CurveCount(), 3);
    QCOMPARE(axial.LineName(0), QStringLiteral("computed"));
    QCOMPARE(axial.LineName(1), QStringLiteral("head 400 kN"));
    QCOMPARE(axial.LineName(2), QStringLiteral("head 900 kN"));
    QCOMPARE(axial.Curve(2).Points.front().Y, 0.004106);
}

int RunSampleRunPlotsTests(int argc, char** argv) {
    SampleRunPlotsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace keldar

#include "SampleRunPlotsTest.moc"
