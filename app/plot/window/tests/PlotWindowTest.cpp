// The plot window driven as a user does: zooming, the legend, the Plot menu and its dialogs,
// saving, printing and copying.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "PlotCanvas.h"
#include "PlotForm.h"
#include "PlotLegend.h"
#include "PlotLegendBox.h"
#include "PlotTestSupport.h"
#include "PlotWindows.h"
#include "ScriptedPlotDialogs.h"

namespace keldar {

class PlotWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void windowOpensOnceAndGoesWithItsPlot();
    void aOnePointFirstCurveDrawsNoCurves();
    void rubberBandZoomStopsAtATwentieth();
    void zoomOutAtTheRangeEdgeStaysInside();
    void pointerCoordinatesInTheTitle();
    void twentyFiveCurvesShowTwentyEntries();
    void legendDoubleClickTogglesACurve();
    void renamingWithInactiveCurves();
    void plotMenuCommandsSetThePlot();
    void saveToDiskWritesTheChosenSize();
    void printedPdfHasItsLegendAndText();
    void copyPutsThePictureOnTheClipboard();
    void damagedPlotFile();

  private:
    // A plot of count curves from the origin to (40 + 10 i, 20).
    void MakePlot(int count, int points = 3);
    TPlotForm* Open() { return OpenPlotWindow(area_.get(), *plot_, desktop_, dialogs_); }
    QStringList LegendLines(TPlotForm* form) { return form->Canvas()->LegendBox()->Lines(); }

    std::unique_ptr<QMdiArea> area_;
    std::unique_ptr<TGraphPlot> plot_;
    test::TestDesktop desktop_;
    ScriptedPlotDialogs dialogs_;
    QTemporaryDir dir_;
};

void PlotWindowTest::init() {
    area_ = std::make_unique<QMdiArea>();
    area_->resize(900, 700);
    area_->show();
    plot_ = std::make_unique<TGraphPlot>();
    plot_->SetCaption(QStringLiteral("Load Distribution"));
    plot_->SetXCaption(QStringLiteral("Total Capacity "));
    plot_->SetXUnits(QStringLiteral("F1"));
    plot_->SetYCaption(QStringLiteral("Depth "));
    plot_->SetYUnits(QStringLiteral("L2"));
    desktop_.clear();
    dialogs_ = ScriptedPlotDialogs{};
}

void PlotWindowTest::cleanup() {
    area_.reset();
    plot_.reset();
}

void PlotWindowTest::MakePlot(int count, int points) {
    plot_->SetCurveCount(count);
    plot_->SetPointCount(points);
    for (int i = 0; i < count; ++i) {
        for (int j = 1; j < points; ++j) {
            plot_->Point(i, j) = {(40.0 + 10 * i) * j / (points - 1), 20.0 * j / (points - 1)};
        }
    }
}

void PlotWindowTest::windowOpensOnceAndGoesWithItsPlot() {
    MakePlot(2);
    TPlotForm* form = Open();
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Load Distribution"));
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    QVERIFY(sub);
    sub->showMinimized();
    QCOMPARE(Open(), form);
    QVERIFY(!sub->isMinimized());
    QCOMPARE(area_->subWindowList().size(), 1);

    QPointer<QMdiSubWindow> watched(sub);
    plot_.reset();
    form->Canvas()->repaint();  // a paint in between draws nothing and survives
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watched.isNull());
}

void PlotWindowTest::aOnePointFirstCurveDrawsNoCurves() {
    MakePlot(2, 2);
    TPlotForm* form = Open();
    form->Canvas()->LegendBox()->hide();
    const QColor blue = CurveColour(1);
    const QRect plotArea = form->Canvas()->PlotRect();
    QVERIFY(CountColour(form->Canvas()->grab().toImage(), plotArea, blue) > 20);
    plot_->SetPointCount(1);
    plot_->Point(1, 0) = {30, 10};
    form->Canvas()->LegendBox()->hide();
    const QImage image = form->Canvas()->grab().toImage();
    QCOMPARE(CountColour(image, plotArea, blue), 0);
    // Axes and grid are still there.
    QVERIFY(CountColour(image, plotArea, Qt::black) > 100);
}

void PlotWindowTest::rubberBandZoomStopsAtATwentieth() {
    MakePlot(1);  // full range 0..40 by 0..20
    TPlotForm* form = Open();
    TPlotCanvas* canvas = form->Canvas();
    QCOMPARE(canvas->FullRange(), (TPlotRange{{0, 40}, {0, 20}}));
    const QRect r = canvas->PlotRect();
    const QPoint from = r.center(), to = r.center() + QPoint(3, 2);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
    const TPlotRange view = canvas->ViewRange();
    QVERIFY(qAbs(view.X.Span() - 2) < 1e-9);
    QVERIFY(qAbs(view.Y.Span() - 1) < 1e-9);
    // Centred on the band.
    const TPlotMapping before(r, canvas->FullRange(), true);
    const QPointF centre = (before.ToData(from) + before.ToData(to)) / 2;
    QVERIFY(qAbs((view.X.Min + view.X.Max) / 2 - centre.x()) < 1e-9);
    QVERIFY(qAbs((view.Y.Min + view.Y.Max) / 2 - centre.y()) < 1e-9);

    // A band of no height changes nothing.
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(30, 0));
    QCOMPARE(canvas->ViewRange(), view);
}

void PlotWindowTest::zoomOutAtTheRangeEdgeStaysInside() {
    MakePlot(1);
    TPlotForm* form = Open();
    TPlotCanvas* canvas = form->Canvas();
    const QRect r = canvas->PlotRect();
    // Zoom into the top-left corner (x 0, depth 0), then zoom out there.
    canvas->ZoomToBand(r.topLeft(), r.topLeft() + QPoint(r.width() / 4, r.height() / 4));
    const TPlotRange zoomed = canvas->ViewRange();
    QTest::mouseClick(canvas, Qt::RightButton, {}, r.topLeft() + QPoint(1, 1));
    const TPlotRange out = canvas->ViewRange();
    const TPlotRange full = canvas->FullRange();
    QVERIFY(qAbs(out.X.Span() - 2 * zoomed.X.Span()) < 1e-9);
    QCOMPARE(out.X.Min, full.X.Min);
    QCOMPARE(out.Y.Min, full.Y.Min);
    // Out again and again: never beyond the full range.
    for (int i = 0; i < 3; ++i) QTest::mouseClick(canvas, Qt::RightButton, {}, r.bottomRight());
    QCOMPARE(canvas->ViewRange(), full);
}

void PlotWindowTest::pointerCoordinatesInTheTitle() {
    MakePlot(1);
    TPlotForm* form = Open();
    const QRect r = form->Canvas()->PlotRect();
    QTest::mouseMove(form->Canvas(), r.bottomRight() + QPoint(20, 20));  // clamped to the plot
    QCOMPARE(form->windowTitle(), QStringLiteral("Load Distribution X: 40 Y: 20"));
}

void PlotWindowTest::twentyFiveCurvesShowTwentyEntries() {
    MakePlot(25);
    TPlotForm* form = Open();
    QCOMPARE(LegendLines(form).size(), 20);
    QCOMPARE(form->CurveItems().size(), 20);
    QCOMPARE(LegendLines(form).back(), QStringLiteral("Curve #20 *"));
    dialogs_.ActiveCurves = [](QVector<bool>& active) { active.fill(true); };
    form->ChooseActiveCurves();
    QCOMPARE(dialogs_.ActiveCurveNames.size(), 25);
    QCOMPARE(LegendLines(form).size(), 25);
    QCOMPARE(form->CurveItems().size(), 25);
    // The legend grows with its entries.
    const TPlotLegendBox* box = form->Canvas()->LegendBox();
    QVERIFY(box->EntryRect(24).bottom() < box->height());
}

void PlotWindowTest::legendDoubleClickTogglesACurve() {
    MakePlot(3);
    TPlotForm* form = Open();
    TPlotLegendBox* box = form->Canvas()->LegendBox();
    QVERIFY(box->isVisible());
    QTest::mouseDClick(box, Qt::LeftButton, {}, box->EntryRect(1).center());
    QVERIFY(!plot_->Curve(1).Shown);
    QCOMPARE(LegendLines(form), (QStringList{"Curve #1 *", "Curve #2", "Curve #3 *"}));
    form->UpdateMenus();
    QVERIFY(!form->CurveItems()[1]->isChecked());
    form->CurveItems()[1]->trigger();
    QVERIFY(plot_->Curve(1).Shown);
    // Dragging moves the box, and never out of the window.
    const QPoint start = box->pos();
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(box, QPoint(-2000, -2000));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-2000, -2000));
    QVERIFY(box->pos() != start);
    QCOMPARE(box->pos(), QPoint(0, 0));
}

void PlotWindowTest::renamingWithInactiveCurves() {
    MakePlot(5);
    TPlotForm* form = Open();
    dialogs_.ActiveCurves = [](QVector<bool>& active) { active[1] = active[3] = false; };
    form->ChooseActiveCurves();
    QCOMPARE(LegendLines(form), (QStringList{"Curve #1 *", "Curve #3 *", "Curve #5 *"}));
    dialogs_.LineNames = [](QStringList& names) {
        QCOMPARE(names.size(), 5);
        names[1] = QStringLiteral("inactive one");
        names[2] = QStringLiteral("Pile head 300 kips");
    };
    form->EditLegend();
    QCOMPARE(LegendLines(form), (QStringList{"Curve #1 *", "Pile head 300 kips *", "Curve #5 *"}));
    QCOMPARE(form->CurveItems()[1]->text(), QStringLiteral("Pile head 300 kips"));
    QCOMPARE(plot_->LineName(1), QStringLiteral("inactive one"));
    // Activated again, it shows its new name.
    dialogs_.ActiveCurves = [](QVector<bool>& active) { active.fill(true); };
    form->ChooseActiveCurves();
    QCOMPARE(LegendLines(form)[1], QStringLiteral("inactive one *"));
}

void PlotWindowTest::plotMenuCommandsSetThePlot() {
    MakePlot(2);
    TPlotForm* form = Open();
    const TPlotActions& a = form->Actions();
    // A graph title takes room at the top or at the bottom.
    const QRect before = form->Canvas()->PlotRect();
    dialogs_.GraphCaption = {{QStringLiteral("Pile P-1"), true}};
    a.PlotCaption->trigger();
    QCOMPARE(plot_->Title, QStringLiteral("Pile P-1"));
    QVERIFY(form->Canvas()->PlotRect().top() > before.top());
    QCOMPARE(form->Canvas()->PlotRect().bottom(), before.bottom());
    dialogs_.GraphCaption = {{QStringLiteral("Pile P-1"), false}};
    a.PlotCaption->trigger();
    QVERIFY(!plot_->TitleAtTop);
    QCOMPARE(form->Canvas()->PlotRect().top(), before.top());
    QVERIFY(form->Canvas()->PlotRect().bottom() < before.bottom());

    TaggedItem(*a.PlotMarkers, 5)->trigger();
    QCOMPARE(plot_->Markers(), 5);
    TaggedItem(*a.FontSize, 20)->trigger();
    QCOMPARE(plot_->SizeFont(), 20);
    TaggedItem(*a.LineWidth, 4)->trigger();
    QCOMPARE(plot_->WidthLine(), 4);
    form->UpdateMenus();
    QVERIFY(TaggedItem(*a.PlotMarkers, 5)->isChecked());
    QVERIFY(!TaggedItem(*a.PlotMarkers, 1)->isChecked());
    QVERIFY(TaggedItem(*a.FontSize, 20)->isChecked());
    QVERIFY(!a.PlotSoilLayer->isVisible());  // no soil-layer lines
    a.PlotLegend->trigger();
    QVERIFY(!plot_->ShowLegend());
    QVERIFY(!form->Canvas()->LegendBox()->isVisible());
    // Settings outlive the window: a new one shows them.
    area_->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!FindPlotWindow(area_.get(), *plot_));
    form = Open();
    QVERIFY(!form->Canvas()->LegendBox()->isVisible());
    QCOMPARE(plot_->SizeFont(), 20);
}

void PlotWindowTest::saveToDiskWritesTheChosenSize() {
    MakePlot(2);
    TPlotForm* form = Open();
    desktop_.queueSave(dir_.filePath(QStringLiteral("plot.bmp")));
    dialogs_.Attributes = TSaveAttributes{2, 3, 50};
    form->SaveToDisk();
    QCOMPARE(QImage(dir_.filePath(QStringLiteral("plot.bmp"))).size(), QSize(150, 100));
    // The type comes from the name's extension, else from the chosen filter.
    desktop_.queueSave(dir_.filePath(QStringLiteral("plot")), static_cast<int>(TPlotFileType::Svg));
    form->SaveToDisk();
    QFile svg(dir_.filePath(QStringLiteral("plot")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    QVERIFY(desktop_.messages().isEmpty());

    // A picture too large for memory is refused with a message; nothing is written.
    desktop_.queueSave(dir_.filePath(QStringLiteral("huge.png")));
    dialogs_.Attributes = TSaveAttributes{100, 100, 2400};
    form->SaveToDisk();
    QCOMPARE(desktop_.messages().size(), 1);
    QCOMPARE(desktop_.messages()[0].text, QString::fromLatin1(kNotEnoughMemoryMessage));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("huge.png"))));
}

void PlotWindowTest::printedPdfHasItsLegendAndText() {
    MakePlot(3);
    plot_->Curve(2).Name = QStringLiteral("Pile head 300 kips");
    plot_->Curve(1).Shown = false;
    TPlotForm* form = Open();
    dialogs_.PdfName = dir_.filePath(QStringLiteral("plot.pdf"));
    form->Print();
    QVERIFY(desktop_.messages().isEmpty());
    QFile pdf(dialogs_.PdfName);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess process;
    process.start(pdftotext, {dialogs_.PdfName, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Total Capacity (kips)")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Depth (ft)")));
    // The printed legend lists the shown curves only.
    QVERIFY(text.contains(QStringLiteral("Curve #1")));
    QVERIFY(text.contains(QStringLiteral("Pile head 300 kips")));
    QVERIFY(!text.contains(QStringLiteral("Curve #2")));
}

void PlotWindowTest::copyPutsThePictureOnTheClipboard() {
    MakePlot(2);
    TPlotForm* form = Open();
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(area_.get());
    form->Canvas()->setFocus();
    QTest::keyClick(form->Canvas(), Qt::Key_C, Qt::ControlModifier);
    const QImage image = QApplication::clipboard()->image();
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), form->Canvas()->size() * 2);
}

void PlotWindowTest::damagedPlotFile() {
    const QString plotFile = RunSampleProject(QStringLiteral("steel-pipe-clay"), dir_.path());
    QVERIFY(!plotFile.isEmpty());
    QFile file(plotFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    // The first load of the first case's distribution becomes absurd.
    // The result blocks start with three integers: cases, increments and unit system.
    int header = 0;
    while (header < lines.size() &&
           (lines[header].simplified().split(' ').size() != 3 || lines[header].contains('.'))) {
        ++header;
    }
    QVERIFY(header + 1 < lines.size());
    QList<QByteArray> words = lines[header + 1].simplified().split(' ');
    words[1] = "0.1000E+31";
    lines[header + 1] = words.join("  ");

    TMainPlots plots;
    for (const bool cut : {false, true}) {
        QByteArray text = lines.join('\n');
        if (cut) text.truncate(text.size() * 9 / 10);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        desktop_.clear();
        QCOMPARE(ReadPlotFile(plots, plotFile, true, 1, desktop_), !cut);
        QCOMPARE(desktop_.messages().size(), cut ? 1 : 0);
        for (TGraphPlot* plot :
             {&plots.pltLoad, &plots.pltAxial, &plots.pltTZcurves, &plots.PltQW}) {
            TPlotForm* form = OpenPlotWindow(area_.get(), *plot, desktop_, dialogs_);
            QVERIFY(!form->Canvas()->grab().toImage().isNull());
        }
        // The absurd curve is left out with a note; the range follows the others.
        TPlotForm* load = FindPlotWindow(area_.get(), plots.pltLoad);
        QCOMPARE(LegendLines(load)[0],
                 plots.pltLoad.LineName(0) + QString::fromLatin1(kSkippedCurveNote) + " *");
        QVERIFY(load->Canvas()->FullRange().X.Max < 1e6);
    }
    area_->closeAllSubWindows();
}

int RunPlotWindowTests(int argc, char** argv) {
    PlotWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace keldar

#include "PlotWindowTest.moc"
