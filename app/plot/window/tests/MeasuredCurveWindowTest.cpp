// The measured load test in the load-settlement plot window: loaded from a file or the
// clipboard, refused whole when bad, drawn and listed as "measured", kept beside the project
// and removed again.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "MainPlots.h"
#include "PlotCanvas.h"
#include "PlotForm.h"
#include "PlotLegend.h"
#include "PlotLegendBox.h"
#include "PlotTestSupport.h"
#include "PlotWindows.h"
#include "ScriptedPlotDialogs.h"

namespace keldar {

class MeasuredCurveWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void loadPasteAndRemove();

  private:
    TPlotForm* Open(TGraphPlot& plot) {
        return OpenPlotWindow(area_.get(), plot, desktop_, dialogs_);
    }
    QString WriteFile(const char* name, const char* text) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text);
        return path;
    }

    std::unique_ptr<QMdiArea> area_;
    std::unique_ptr<TMainPlots> plots_;
    test::TestDesktop desktop_;
    ScriptedPlotDialogs dialogs_;
    QTemporaryDir dir_;
};

void MeasuredCurveWindowTest::init() {
    area_ = std::make_unique<QMdiArea>();
    area_->resize(900, 700);
    area_->show();
    plots_ = std::make_unique<TMainPlots>();
    // An S.I. run: the computed curve to 800 kN at 0.02 m.
    TGraphPlot& axial = plots_->pltAxial;
    axial.SetUnits(2);
    axial.SetCurveCount(1);
    axial.SetPointCount(3);
    axial.Point(0, 1) = {400, 0.005};
    axial.Point(0, 2) = {800, 0.02};
    axial.MeasuredFile = dir_.filePath(QStringLiteral("pile.measured.csv"));
    QFile::remove(axial.MeasuredFile);
    desktop_.clear();
    dialogs_ = ScriptedPlotDialogs{};
}

void MeasuredCurveWindowTest::cleanup() {
    area_.reset();
    plots_.reset();
}

void MeasuredCurveWindowTest::loadPasteAndRemove() {
    // Only the load-settlement plot takes a measured curve.
    plots_->pltLoad.SetCurveCount(1);
    TPlotForm* depthPlot = Open(plots_->pltLoad);
    depthPlot->UpdateMenus();
    QVERIFY(!depthPlot->Actions().PlotMeasuredLoad->isVisible());

    TGraphPlot& axial = plots_->pltAxial;
    TPlotForm* form = Open(axial);
    form->UpdateMenus();
    QVERIFY(form->Actions().PlotMeasuredLoad->isVisible());
    QVERIFY(!form->Actions().PlotMeasuredRemove->isEnabled());

    // A bad row refuses the whole file: nothing is drawn or kept.
    desktop_.queueOpen(WriteFile("bad.csv", "load (kN),settlement (mm)\n0,0\n300,2.1\n600,x\n"));
    form->Actions().PlotMeasuredLoad->trigger();
    QCOMPARE(desktop_.messages().size(), 1);
    QCOMPARE(desktop_.messages()[0].kind, test::TestDesktop::Kind::Error);
    QCOMPARE(desktop_.messages()[0].text,
             QStringLiteral("bad.csv, line 4: \"x\" is not a number (decimals are written with "
                            "\".\")."));
    QVERIFY(!axial.Measured());
    QVERIFY(!QFile::exists(axial.MeasuredFile));

    desktop_.queueOpen(
        WriteFile("test.csv", "load (kN),settlement (mm)\n0,0\n300,2.1\n600,6.5\n900,24\n"));
    form->Actions().PlotMeasuredLoad->trigger();
    QVERIFY(axial.Measured());
    QCOMPARE(axial.MeasuredLine()->Points.back(), (TFloatPoint{900, 0.024}));
    QCOMPARE(form->Canvas()->LegendBox()->Lines(), (QStringList{"Curve #1 *", "measured *"}));
    QVERIFY(QFile::exists(axial.MeasuredFile));
    form->UpdateMenus();
    QVERIFY(form->Actions().PlotMeasuredRemove->isEnabled());

    // Bad clipboard text leaves the loaded curve as it was; good text replaces it.
    QApplication::clipboard()->setText(QStringLiteral("0\t0\n250\n"));
    form->Actions().PlotMeasuredPaste->trigger();
    QCOMPARE(desktop_.messages().last().text,
             QStringLiteral("The clipboard text, line 2: 1 value(s) where a reading has two, a "
                            "load and a settlement."));
    QCOMPARE(axial.Measured()->Points.size(), 4u);
    QApplication::clipboard()->setText(QStringLiteral("0\t0\n250\t0.001\n500\t0.004\n"));
    form->Actions().PlotMeasuredPaste->trigger();
    QCOMPARE(axial.Measured()->Points.size(), 3u);
    QCOMPARE(axial.Measured()->Source, QStringLiteral("The clipboard text"));

    // The legend hides and shows it like any curve.
    TPlotLegendBox* box = form->Canvas()->LegendBox();
    QTest::mouseDClick(box, Qt::LeftButton, {}, box->EntryRect(1).center());
    QVERIFY(!axial.MeasuredLine()->Shown);
    form->UpdateMenus();
    QVERIFY(!form->CurveItems()[1]->isChecked());

    form->Actions().PlotMeasuredRemove->trigger();
    QVERIFY(!axial.Measured());
    QCOMPARE(form->Canvas()->LegendBox()->Lines(), (QStringList{"Curve #1 *"}));
    QVERIFY(!QFile::exists(axial.MeasuredFile));
}

int RunMeasuredCurveWindowTests(int argc, char** argv) {
    MeasuredCurveWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace keldar

#include "MeasuredCurveWindowTest.moc"
