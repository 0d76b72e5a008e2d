// The result commands of the main window: when the Results Summary may be shown, that it shows
// the summary keldar-run gives for the same data file to the last digit (and where its numbers
// come from when the run cannot be repeated in memory), the report viewer in place of a missing
// text editor, and the viewer after each run when the user asks for it.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "MainSession.h"
#include "NamesFile.h"
#include "ResultsSummary.h"
#include "ResultsWriter.h"
#include "SummaryResults.h"
#include "TReportViewer.h"
#include "TResultsSummaryWindow.h"

using keldar::RunAgainInMemory;
using keldar::TExactResults;
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
    // keldar-run's results of a copy of a data file, as JSON.
    QJsonObject keldarRunJson(const QString& data) {
        const QString copy = folder_.path(QStringLiteral("keldar-run.kd3d"));
        const QString json = folder_.path(QStringLiteral("keldar-run.json"));
        QFile::remove(copy);
        QFile::remove(json);
        if (!QFile::copy(data, copy)) return {};
        QProcess run;
        run.start(QStringLiteral(KELDAR_RUN),
                  {QStringLiteral("--quiet"), QStringLiteral("--results"), QStringLiteral("json"),
                   QStringLiteral("--out"), json, copy});
        if (!run.waitForFinished(60000) || run.exitCode() != 0) return {};
        return QJsonDocument::fromJson(keldar::test::ReadAll(json)).object();
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
        s.desktop.clear();
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

    // Every example, the down-drag one and those made from cone tests among them.
    void summaryIsKeldarRunsToTheLastDigit_data() {
        QTest::addColumn<QString>("example");
        for (const char* name :
             {"drilled-shaft-sand.kd3d", "layered-downdrag.kd3d", "pipe-pile-clay.kd3d",
              "steel-pipe-clay.kd3d", "user-curves-si.kd3d", "cpt/clay-over-sand.kd3d",
              "cpt/dense-sand-pipe.kd3d", "cpt/onshore-sand.kd3d"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void summaryIsKeldarRunsToTheLastDigit() {
        QFETCH(QString, example);
        QVERIFY(QDir().mkpath(folder_.path(QStringLiteral("cpt"))));
        Session s(folder_.settingsFile());
        const QString data = folder_.copyExample(example);
        s.open(data);
        s.actions().CompRun->trigger();
        s.actions().ResultsSummary->trigger();
        const TResultsSummaryWindow* window = child<TResultsSummaryWindow>(s);
        QVERIFY(window != nullptr);
        QVERIFY(!window->Text().startsWith(QLatin1String("NOTE")));

        // keldar-run's JSON of a copy of the same data file: every number of its summary, as
        // written with the digits that read back to the engine's value, is the window's.
        const QJsonObject expected = keldarRunJson(data).value(QLatin1String("summary")).toObject();
        QVERIFY(!expected.isEmpty());
        const QJsonObject shown =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(keldar::summaryJson(window->Summary())))
                .object();
        QCOMPARE(QJsonDocument(shown).toJson(), QJsonDocument(expected).toJson());
    }

    void summaryFromThePlotFileSaysWhy() {
        Session s(folder_.settingsFile());
        s.open(folder_.copyExample(QStringLiteral("layered-downdrag.kd3d")));
        s.actions().CompRun->trigger();
        QVERIFY(s.form.ExactResults().Results.has_value());

        // The run cannot be repeated: no hand-off file, or a data file that stops the analysis.
        const TExactResults noNames = RunAgainInMemory(folder_.path(QStringLiteral("none.dat")));
        QVERIFY(!noNames.Results);
        QVERIFY(noNames.Problem.contains(QLatin1String("none.dat")));
        const QString broken = folder_.path(QStringLiteral("broken.kd3d"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("no data\r\n") > 0);
        file.close();
        const QString names = folder_.path(QStringLiteral("names.dat"));
        keldar::WriteNamesFile(names, keldar::NamesFileLines({}, broken));
        const TExactResults stopped = RunAgainInMemory(names);
        QVERIFY(!stopped.Results);
        QVERIFY(stopped.Problem.startsWith(QLatin1String("The analysis stopped with status")));

        // The plot file's numbers then, with a note above the summary that names the reason.
        keldar::RunResults results;
        QString note;
        QString message;
        QVERIFY(keldar::SummaryResultsOf(s.form.Project(), stopped, results, note, message));
        QVERIFY(note.startsWith(QLatin1String("NOTE")));
        QVERIFY(note.simplified().contains(stopped.Problem));
        TResultsSummaryWindow window(results, {}, s.desktop);
        window.SetSourceNote(note);
        QVERIFY(window.Text().startsWith(note + QStringLiteral("\n\n")));
    }

    void editOutputTextFallsBackToTheViewer() {
        Session s(folder_.settingsFile());
        s.open(folder_.copyExample(QStringLiteral("user-curves-si.kd3d")));
        s.actions().CompRun->trigger();
        s.desktop.clear();
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
