#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ExportTestPlots.h"
#include "MainPlots.h"
#include "ProgramData.h"
#include "TDlgExport.h"
#include "TDlgSideView.h"
#include "TestDesktop.h"
#include "Views.h"
#include "WorkbookReader.h"

using namespace keldar;

class ViewsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void exportListBeforeAnyRun();
    void exportListRules();
    void exportWritesOpensAndReports();
    void exportSaysWhatItWritesAndProposesTheProjectsName();
    void exportFailureShowsTheMessage();
    void exportCsvFiles();
    void profileOnlyForGeneratedCurves();
    void profileDrawsToScaleAndReadsDepth();
    void profileRebuildsOnActivation();
    void profilePrintsAndSavesPictures();

  private:
    QPushButton* Button(QWidget& window, const QString& text) {
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == text) return button;
        }
        return nullptr;
    }
    TExportChoice Choice(bool available) {
        return {{&plots->pltLoad, &plots->pltAxial, &plots->pltTZcurves, &plots->PltQW},
                {available, available, available, available},
                QString()};
    }
    void SetLayer(double bottom) {
        TGridTableChart& layers = tables.Chart("D2");
        layers.SetRowCount(1);
        layers.Cell(0, 0).SetInteger(1);
        layers.Cell(1, 0).SetFloat(bottom);
    }

    std::unique_ptr<TMainPlots> plots;
    TMainTables tables = TMainTables::BuiltIn();
    std::unique_ptr<TProgramData> project;
    test::TestDesktop desktop;
    QTemporaryDir folder;
};

void ViewsWindowTest::init() {
    plots = std::make_unique<TMainPlots>();
    project = std::make_unique<TProgramData>(tables);
    desktop = test::TestDesktop();
}

void ViewsWindowTest::exportListBeforeAnyRun() {
    TDlgExport dialog(Choice(false), desktop);
    auto* list = dialog.findChild<QListWidget*>();
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->item(3)->text(), QString("Tip Resistance Curve"));
    for (int row = 0; row < 4; ++row) {
        QVERIFY(!(list->item(row)->flags() & Qt::ItemIsEnabled));
        QCOMPARE(list->item(row)->checkState(), Qt::Unchecked);
    }
    QVERIFY(!Button(dialog, "Generate Excel File")->isEnabled());
    Button(dialog, "Select All")->click();
    QCOMPARE(dialog.GetNPlots(), 0);
}

void ViewsWindowTest::exportListRules() {
    test::FillPlot(plots->pltLoad, 2, 3);
    test::FillPlot(plots->PltQW, 1, 3);  // axial and t-z plots stay empty
    TDlgExport dialog(Choice(true), desktop);
    auto* list = dialog.findChild<QListWidget*>();
    QCOMPARE(dialog.GetNPlots(), 2);
    QVERIFY(!(list->item(1)->flags() & Qt::ItemIsEnabled));
    QVERIFY(Button(dialog, "Generate Excel File")->isEnabled());
    Button(dialog, "Unselect All")->click();
    QCOMPARE(dialog.GetNPlots(), 0);
    QVERIFY(!Button(dialog, "Generate Excel File")->isEnabled());
    list->item(3)->setCheckState(Qt::Checked);
    QVERIFY(Button(dialog, "Generate Excel File")->isEnabled());
    Button(dialog, "Select All")->click();
    QCOMPARE(dialog.GetNPlots(), 2);
}

void ViewsWindowTest::exportWritesOpensAndReports() {
    test::FillPlot(plots->pltLoad, 2, 3);
    test::FillPlot(plots->PltQW, 1, 3);
    desktop.queueSave(folder.filePath("results"));
    TDlgExport dialog(Choice(true), desktop);
    dialog.findChild<QListWidget*>()->item(0)->setCheckState(Qt::Unchecked);
    Button(dialog, "Generate Excel File")->click();
    const QString written = folder.filePath("results.xlsx");
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(written)});
    QCOMPARE(test::SheetNames(written), QStringList({"Legend", "Page_1", "Plot_1"}));
    QCOMPARE(test::SheetCells(written, 1)["C3"], QString("Tip Resistance Curve"));
    QCOMPARE(desktop.messages().size(), 1);
    QCOMPARE(desktop.messages()[0].text, QString("Export to Excel Completed\rThe workbook was "
                                                 "saved as %1.")
                                             .arg(QDir::toNativeSeparators(written)));
}

// The dialog describes the file it writes and proposes the project's folder and name; it never
// speaks of a spreadsheet instance to be saved afterwards.
void ViewsWindowTest::exportSaysWhatItWritesAndProposesTheProjectsName() {
    test::FillPlot(plots->PltQW, 1, 3);
    TExportChoice choice = Choice(true);
    choice.ProjectFile = folder.filePath("pile7.kd3d");
    TDlgExport dialog(choice, desktop);
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    const QString all = texts.join(' ');
    QVERIFY(all.contains("workbook") && all.contains("CSV files"));
    QVERIFY(!all.contains("instance") && !all.contains("need to save"));
    Button(dialog, "Generate Excel File")->click();  // cancelled: no answer scripted
    QCOMPARE(desktop.requests.size(), 1);
    QCOMPARE(desktop.requests[0].fileName, folder.filePath("pile7.xlsx"));
    QVERIFY(desktop.messages().isEmpty());
}

void ViewsWindowTest::exportFailureShowsTheMessage() {
    test::FillPlot(plots->PltQW, 1, 3);
    desktop.queueSave(folder.filePath("missing/results.xlsx"));
    TDlgExport dialog(Choice(true), desktop);
    Button(dialog, "Generate Excel File")->click();
    QVERIFY(desktop.opened.isEmpty());
    QCOMPARE(desktop.messages().size(), 1);
    QCOMPARE(desktop.messages()[0].kind, test::TestDesktop::Kind::Error);
    QVERIFY(desktop.messages()[0].text.startsWith("No file can be written in the folder"));
}

void ViewsWindowTest::exportCsvFiles() {
    test::FillPlot(plots->pltLoad, 2, 3);
    test::FillPlot(plots->PltQW, 1, 3);
    desktop.queueSave(folder.filePath("run.csv"), 1);  // CSV Files, one per plot
    TDlgExport dialog(Choice(true), desktop);
    Button(dialog, "Generate Excel File")->click();
    QFile second(folder.filePath("run_Page_2.csv"));
    QVERIFY(second.open(QIODevice::ReadOnly));
    QVERIFY(second.readLine().startsWith("Tip Resistance Curve"));
    QVERIFY(desktop.opened.isEmpty());
}

void ViewsWindowTest::profileOnlyForGeneratedCurves() {
    QMdiArea area;
    project->CurvesGenerated = false;
    QVERIFY(!OpenSoilProfile(&area, *project, desktop));
    QVERIFY(area.subWindowList().isEmpty());
    project->CurvesGenerated = true;
    QWidget* view = OpenSoilProfile(&area, *project, desktop);
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString("Elevation View"));
    QCOMPARE(OpenSoilProfile(&area, *project, desktop), view);
    QCOMPARE(area.subWindowList().size(), 1);
}

void ViewsWindowTest::profileDrawsToScaleAndReadsDepth() {
    SetLayer(50);
    project->PileLength = 40;
    project->OuterDiameter = 12;
    TDlgSideView view(*project, desktop);
    view.resize(400, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* canvas = view.findChild<QWidget*>("canvas");
    const QImage image = canvas->grab().toImage();
    const QColor ink = canvas->palette().color(QPalette::WindowText);
    const QColor paper = canvas->palette().color(QPalette::Window);
    const int middle = canvas->width() / 2;
    const QPoint tip = view.Geometry().WorldToScreen({0, 40});
    QCOMPARE(image.pixelColor(middle, tip.y() - 3), ink);    // the pile
    QCOMPARE(image.pixelColor(middle, tip.y() + 3), paper);  // below its tip
    QCOMPARE(image.pixelColor(canvas->width() - 5, view.Geometry().WorldToScreen({0, 50}).y()),
             ink);  // the layer's bottom line across the whole width

    // Only one axis range grows with the window: the drawing keeps its proportions.
    const QPoint pixel(middle, tip.y());
    QMouseEvent move(QEvent::MouseMove, pixel, canvas->mapToGlobal(pixel), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QVERIFY(view.windowTitle().startsWith("  Depth: "));
    QVERIFY(qAbs(view.windowTitle().mid(9).toDouble() - 40) < 0.15);
    view.resize(900, 500);
    QApplication::processEvents();
    const TWorldWindow& shown = view.Geometry().Display();
    QVERIFY(qAbs(double((shown.XMax - shown.XMin) / (shown.YMax - shown.YMin)) -
                 double(canvas->width()) / canvas->height()) < 1e-9);
}

void ViewsWindowTest::profileRebuildsOnActivation() {
    SetLayer(50);
    project->PileLength = 40;
    project->OuterDiameter = 12;
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    auto* view = static_cast<TDlgSideView*>(OpenSoilProfile(&area, *project, desktop));
    QMdiSubWindow* other = area.addSubWindow(new QWidget);
    other->show();
    area.setActiveSubWindow(other);
    project->PileLength = 80;
    area.setActiveSubWindow(area.subWindowList().first());
    QVERIFY(qAbs(double(view->Geometry().World().YMax) - 84) < 1e-9);
}

void ViewsWindowTest::profilePrintsAndSavesPictures() {
    SetLayer(20);
    project->PileLength = 30;
    project->OuterDiameter = 600;
    project->UnitSystem = keldar::usSI;
    TDlgSideView view(*project, desktop);
    view.resize(300, 400);
    desktop.queueSave(folder.filePath("profile.pdf"));
    Button(view, "Print")->click();
    QFile pdf(folder.filePath("profile.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    desktop.queueSave(folder.filePath("profile"), 1);  // SVG Drawing
    Button(view, "Save Picture...")->click();
    QFile svg(folder.filePath("profile.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));

    desktop.queueSave(folder.filePath("profile.png"), 0);  // PNG Image
    Button(view, "Save Picture...")->click();
    QVERIFY(!QImage(folder.filePath("profile.png")).isNull());
    QVERIFY(desktop.messages().isEmpty());
}

QTEST_MAIN(ViewsWindowTest)
#include "ViewsWindowTest.moc"
