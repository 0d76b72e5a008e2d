// The result commands of the main window: when the Results Summary may be shown, that it shows
// the summary keldar-run gives for the same data file, the report viewer in place of a missing
// text editor, and the viewer after each run when the user asks for it.
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cmath>

#include "MainSession.h"
#include "ResultsSummary.h"
#include "RunDriver.h"
#include "TReportViewer.h"
#include "TResultsSummaryWindow.h"

using keldar::TReportPage;
using keldar::TReportViewer;
using keldar::TResultsSummaryWindow;
using keldar::test::ExampleFile;
using keldar::test::Session;

class ResultCommandsTest : public QObject {
    Q_OBJECT

  private:
    keldar::test::TestFolder folder_;
    static bool summaryEnabled(Session& s) {
        s.form.CheckSpeedButtons();
        return s.actions().ResultsSummary->isEnabled();
    }
    template <class Window>
    static Window* child(Session& s) {
        return s.form.MdiArea().findChild<Window*>();
    }

  private slots:
    void init() { folder_.init(); }
    void cleanup() { folder_.cleanup(); }

    void summaryOnlyAfterANormalRunOfTheProjectAsItStands() {
        Session s(folder_.settingsFile());
        QAction* summary = s.actions().ResultsSummary;
        // One command, in the menu and on the tool bar.
        QVERIFY(
            s.form.findChild<QToolBar*>(QStringLiteral("ToolBar"))->actions().contains(summary));
        QVERIFY(!summaryEnabled(s));
        const QString data = folder_.copyExample(QStringLiteral("steel-pipe-clay.kd3d"));
        s.open(data);
        QVERIFY(!summaryEnabled(s));
        s.actions().CompRun->trigger();
        QVERIFY(summary->isEnabled());

        // A change of the project after the run: its results no longer describe it.
        s.form.Project().PileLength = 700;
        s.form.Project().SetModified(true);
        s.messages.clear();
        summary->trigger();  // enabled until the button states are next computed
        QCOMPARE(s.texts().size(), 1);
        QVERIFY(s.texts().constFirst().startsWith(QLatin1String("The Results Summary needs")));
        QVERIFY(!summary->isEnabled());
        QVERIFY(child<TResultsSummaryWindow>(s) == nullptr);

        s.actions().CompRun->trigger();
        QVERIFY(summaryEnabled(s));
        // Open and New leave the results of another session's run unsummarised.
        s.open(data);
        QVERIFY(s.form.ResultsAvailable());
        QVERIFY(!summaryEnabled(s));
        s.actions().CompRun->trigger();
        s.actions().FileNew->trigger();
        QVERIFY(!summaryEnabled(s));
        // A run that the engine stops.
        s.open(data);
        s.form.Project().PileLength = -1;
        s.form.Project().SetModified(true);
        s.actions().CompRun->trigger();
        QVERIFY(!summaryEnabled(s));
    }

    void summaryIsKeldarRunsForTheSameDataFile() {
        for (const QString& name :
             {QStringLiteral("user-curves-si.kd3d"), QStringLiteral("layered-downdrag.kd3d")}) {
            Session s(folder_.settingsFile());
            const QString data = folder_.copyExample(name);
            s.open(data);
            s.actions().CompRun->trigger();
            s.actions().ResultsSummary->trigger();
            const TResultsSummaryWindow* window = child<TResultsSummaryWindow>(s);
            QVERIFY(window != nullptr);
            const keldar::ResultsSummary& shown = window->Summary();

            // keldar-run's summary: the same file run in this process, at full precision.
            keldar::RunResults full;
            keldar::RunOptions options;
            options.consoleBanner = false;
            options.results = &full;
            const QString copy = folder_.path(QStringLiteral("full.kd3d"));
            QFile::remove(copy);
            QVERIFY(QFile::copy(data, copy));
            QCOMPARE(keldar::runKeldar(keldar::RunPathsFor(copy.toStdString()), {}, options), 0);
            const keldar::ResultsSummary expected = keldar::summarizeResults(full);

            // The program reads the plot file's four digits.
            const auto close = [](float a, float b) {
                return std::isnan(a) ? std::isnan(b) : std::fabs(a - b) <= 1e-3f * std::fabs(b);
            };
            QCOMPARE(shown.davissonFlexibility, expected.davissonFlexibility);
            QVERIFY(close(shown.davissonCapacity, expected.davissonCapacity));
            QVERIFY(close(shown.capacity10PctDiameter, expected.capacity10PctDiameter));
            QVERIFY(close(shown.loadAtChosenSettlement, expected.loadAtChosenSettlement));
            QVERIFY(close(shown.settlementAtChosenLoad, expected.settlementAtChosenLoad));
            QCOMPARE(shown.downDrag, expected.downDrag);
            QCOMPARE(shown.cases.size(), expected.cases.size());
            for (std::size_t k = 0; k < shown.cases.size(); ++k) {
                QVERIFY(close(shown.cases[k].headLoad, expected.cases[k].headLoad));
                if (expected.downDrag) {
                    QVERIFY(std::fabs(shown.cases[k].neutralPlaneDepth -
                                      expected.cases[k].neutralPlaneDepth) <= 9.0f);
                }
            }
        }
    }

    void editOutputTextFallsBackToTheViewer() {
        Session s(folder_.settingsFile());
        s.open(folder_.copyExample(QStringLiteral("user-curves-si.kd3d")));
        s.actions().CompRun->trigger();
        s.messages.clear();
        // No editor set and no handler on the desktop for the report.
        s.form.SetEditorPath(QString());
        s.desktop.urlsOpen = false;
        s.actions().CompOutput->trigger();
        TReportViewer* viewer = child<TReportViewer>(s);
        QVERIFY(viewer != nullptr);
        QCOMPARE(viewer->CurrentPage(), TReportPage::OutputReport);
        s.actions().CompKernel->trigger();
        QCOMPARE(child<TReportViewer>(s), viewer);  // one viewer, now on the notes
        QCOMPARE(viewer->CurrentPage(), TReportPage::RunNotes);
        QVERIFY(s.texts().isEmpty());
        QCOMPARE(s.desktop.opened.size(), 2);

        // An editor that the user chose and that fails is reported, not replaced.
        s.form.CloseChildWindows();
        QTRY_VERIFY(child<TReportViewer>(s) == nullptr);
        s.form.SetEditorPath(QStringLiteral("/no/such/editor"));
        s.desktop.programsStart = false;
        s.actions().CompOutput->trigger();
        QCOMPARE(s.texts(),
                 QStringList{QStringLiteral("An error occurred in running the Word Processor")});
        QVERIFY(child<TReportViewer>(s) == nullptr);
    }

    void viewerAfterEachRunWhenAsked() {
        const QString data = folder_.copyExample(QStringLiteral("steel-pipe-clay.kd3d"));
        {
            Session s(folder_.settingsFile());
            s.open(data);
            s.actions().CompRun->trigger();
            QVERIFY(child<TReportViewer>(s) == nullptr);
            s.actions().ShowReportAfterRun->trigger();
        }
        Session s(folder_.settingsFile());  // the choice is kept with the settings
        s.form.CheckSpeedButtons();
        QVERIFY(s.actions().ShowReportAfterRun->isChecked());
        s.open(data);
        s.actions().CompRun->trigger();
        TReportViewer* viewer = child<TReportViewer>(s);
        QVERIFY(viewer != nullptr);
        QVERIFY(!viewer->Headings().isEmpty());
    }
};

QTEST_MAIN(ResultCommandsTest)
#include "ResultCommandsTest.moc"
