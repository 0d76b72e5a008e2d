// A user's session with the main window on the offscreen platform: message boxes and file
// dialogs answered by the recording message interface and the test desktop.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "ChildWindows.h"
#include "DataWindow.h"
#include "MainSession.h"
#include "MdiChildren.h"
#include "TMainForm.h"
#include "TdlgTitle.h"
#include "TestDesktop.h"
#include "WindowTitle.h"

using keldar::TMainActions;
using keldar::TMainForm;
using keldar::test::ExampleFile;
using keldar::test::ReadAll;
using keldar::test::Session;
using keldar::test::TestDesktop;
using Answer = keldar::UserMessages::Answer;

namespace {

const QString kCompleted = QStringLiteral(
    "Computations are completed. Please, check output file for results or error messages.");
const QString kSaveQuery = QStringLiteral("Do you want to save any changes?");
// The buttons of the question before a file read only in part is written over.
enum IncompleteFileAnswer { kSaveUnderNewName = 0, kReplaceFile = 1, kCancelSave = 2 };

// A data dialog as the main window sees it: it stores on deactivation and reloads on activation.
class CountingDialog : public QWidget, public keldar::TDataWindow {
    Q_OBJECT
    Q_INTERFACES(keldar::TDataWindow)

  public:
    void FormActivate() override { ++activations; }
    bool FormDeactivate() override {
        ++deactivations;
        return true;
    }

    int activations = 0;
    int deactivations = 0;
};

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString startFolder_;

    QString settingsFile() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    // A copy of a sample project in the test folder.
    QString copyExample(const QString& name, const QString& as = {}) {
        const QString target = dir_.filePath(as.isEmpty() ? name : as);
        QFile::remove(target);
        if (!QFile::copy(ExampleFile(name), target)) qFatal("cannot copy %s", qPrintable(name));
        return target;
    }

    // A copy with the first occurrence of `from` replaced by `to`.
    QString copyExampleEdited(const QString& name, const QString& as, const QByteArray& from,
                              const QByteArray& to) {
        const QString target = copyExample(name, as);
        QByteArray text = ReadAll(target);
        const qsizetype at = text.indexOf(from);
        if (at < 0) qFatal("%s does not hold the text to edit", qPrintable(name));
        text.replace(at, from.size(), to);
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(target));
        return target;
    }

  private slots:
    void init() {
        startFolder_ = QDir::currentPath();
        QFile::remove(settingsFile());
    }
    void cleanup() { QDir::setCurrent(startFolder_); }

    void newProjectMenusAndToolBar() {
        Session s(settingsFile());
        QCOMPARE(s.form.windowTitle(), QStringLiteral("KELDAR 2014.3.4 - NewKELDAR.kd3d"));
        QStringList menus;
        for (QAction* menu : s.form.menuBar()->actions()) menus.append(menu->text());
        QCOMPARE(menus, QStringList({"&File", "&Data", "&Options", "&Computation", "&Graphics",
                                     "&Window", "&Help"}));
        QCOMPARE(s.actions().FileNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(s.actions().FileSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

        // The tool bar's buttons are the menu items' own actions, left to right.
        const TMainActions& a = s.actions();
        QList<QAction*> buttons = s.form.findChild<QToolBar*>(QStringLiteral("ToolBar"))->actions();
        buttons.removeIf([](const QAction* action) { return action->isSeparator(); });
        QCOMPARE(buttons, QList<QAction*>({a.FileNew, a.FileOpen, a.FileSave, a.CompRun,
                                           a.SoilLayerCoordinates1, a.CompOutput, a.ResultsSummary,
                                           a.ViewSoilLayerCoordinates1, a.mLoad, a.mAxial,
                                           a.mtzcurves, a.mTip}));
        QCOMPARE(a.mtzcurves->toolTip(), QStringLiteral("View t-z Curves"));
        QCOMPARE(a.mtzcurves->text(), QStringLiteral("t-&z Curves (side friction)"));

        s.form.UpdateFileMenu();
        s.form.UpdateWindowMenu();
        for (QAction* on : {a.FileNew, a.FileOpen, a.FileSave, a.CompRun, a.SoilLayerCoordinates1,
                            a.ViewSoilLayerCoordinates1, a.TipMovement1, a.EnglishUnits,
                            a.miCircular, a.SpecifyTipMovements1}) {
            QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
        }
        for (QAction* off : {a.SoilParameters1, a.PileProperties1, a.Topload1, a.Settlements1,
                             a.tzfactortable, a.QwFactorTable, a.CompInput, a.CompKernel,
                             a.CompOutput, a.mLoad, a.mAxial, a.mtzcurves, a.mTip, a.ExportExcel}) {
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        }
        QVERIFY(s.actions().EnglishUnits->isChecked() && !s.actions().SIUnits->isChecked());
        QVERIFY(s.actions().miCircular->isChecked() &&
                s.actions().SpecifyTipMovements1->isChecked());
        QVERIFY(!s.actions().Downdrag1->isChecked() &&
                !s.actions().AssignLoadsatPileHead1->isChecked());
        for (QAction* hidden : {a.EditGRLWeapDataFile1, a.mUSkin, a.mSkin, a.mExtraTZ, a.N14, a.N3,
                                a.RecentFiles[0], a.WindowItems[0], a.CheckforUpdates1}) {
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        }

        // Curves entered by the user: the reverse of the curve commands.
        s.actions().miNonCircular->trigger();
        QVERIFY(!s.actions().SoilLayerCoordinates1->isEnabled());
        QVERIFY(s.actions().SoilParameters1->isEnabled() &&
                s.actions().PileProperties1->isEnabled());
        // Toggles and the unit switch change the project.
        s.actions().Topload1->trigger();
        s.actions().AssignLoadsatPileHead1->trigger();
        QVERIFY(s.form.Project().HeadLoadsOn);
        QVERIFY(s.actions().Topload1->isEnabled());
        s.form.Project().PileLength = 39.37007874L;
        s.actions().SIUnits->trigger();
        QCOMPARE(s.form.Project().UnitSystem, keldar::usSI);
        QVERIFY(std::abs(static_cast<double>(s.form.Project().PileLength) - 1.0) < 1e-12);
        // Data > Title opens its window, once however often it is chosen.
        s.actions().DataTitle->trigger();
        s.actions().DataTitle->trigger();
        QCOMPARE(s.texts().size(), 0);
        QCOMPARE(s.form.MdiArea().subWindowList().size(), 1);
        QVERIFY(keldar::FindChild<keldar::TdlgTitle>(s.form.MdiArea()) != nullptr);
        s.actions().HelpAbout->trigger();
        QCOMPARE(s.desktop.modals, QStringList({"AboutBox"}));
    }

    // Every option the user changes is an edit: leaving afterwards must ask to save it.
    void optionTogglesAndTheUnitSwitchMarkTheProjectModified() {
        Session s(settingsFile());
        keldar::TProgramData& project = s.form.Project();
        const keldar::TMainActions& a = s.actions();
        // Choices already in force change nothing.
        for (QAction* same : {a.EnglishUnits, a.miCircular}) {
            same->trigger();
            QVERIFY2(!project.Modified(), qPrintable(same->objectName()));
        }
        for (QAction* toggle :
             {a.SIUnits, a.EnglishUnits, a.miNonCircular, a.Downdrag1, a.SpecifyTipMovements1,
              a.AssignLoadsatPileHead1, a.ApplyFactors, a.ApplyQwFactors}) {
            project.SetModified(false);
            toggle->trigger();
            QVERIFY2(project.Modified(), qPrintable(toggle->objectName()));
        }
        project.FileName = dir_.filePath(QStringLiteral("toggled.kd3d"));
        project.SaveToFile();
        QVERIFY(!project.Modified());
    }

    void singleChildrenStoreBeforeMenusAndReloadAfterAUnitSwitch() {
        Session s(settingsFile());
        QMdiArea& area = s.form.MdiArea();
        const auto create = [&area] {
            auto* window = new CountingDialog;
            keldar::AddChild(area, window);
            return window;
        };
        QPointer<CountingDialog> dialog = keldar::ShowChild<CountingDialog>(area, create);
        QCOMPARE(keldar::ShowChild<CountingDialog>(area, create), dialog.data());
        QCOMPARE(area.subWindowList().size(), 1);

        s.form.findChild<QMenu*>(QStringLiteral("Data"))->aboutToShow();
        QCOMPARE(dialog->deactivations, 1);
        // A unit switch stores the entries before it converts, then reloads them.
        s.actions().SIUnits->trigger();
        QCOMPARE(dialog->deactivations, 2);
        QCOMPARE(dialog->activations, 1);

        // The tool bar's commands store the entries too; Save As closes the children.
        s.actions().FileSave->trigger();
        QVERIFY(dialog->deactivations > 2);
        QTest::qWait(0);
        QVERIFY(dialog.isNull());
    }

    void checkForUpdatesOpensThePageOfTheBuildsService() {
        Session s(settingsFile(), KELDAR_ENGINE_DIR, {}, QStringLiteral("https://updates.example"));
        QVERIFY(s.actions().CheckforUpdates1->isVisible());
        s.actions().CheckforUpdates1->trigger();
        QCOMPARE(s.desktop.opened.size(), 1);
        QVERIFY(s.desktop.opened.constFirst().toString().startsWith(
            QStringLiteral("https://updates.example/checkupdates/check/check.php?")));
    }

    void openingEachSample() {
        Session s(settingsFile());
        for (const char* name :
             {"drilled-shaft-sand.kd3d", "layered-downdrag.kd3d", "pipe-pile-clay.kd3d",
              "steel-pipe-clay.kd3d", "user-curves-si.kd3d"}) {
            const QString file = copyExample(name);
            s.open(file);
            QCOMPARE(s.form.Project().FileName, QFileInfo(file).absoluteFilePath());
            QVERIFY(!s.form.Project().Modified());
            QCOMPARE(s.form.RecentFiles().Entry(0), s.form.Project().FileName);
            QCOMPARE(QDir::currentPath(), QFileInfo(file).absolutePath());
            QCOMPARE(s.form.windowTitle(), keldar::MainWindowTitle(file));
        }
        QCOMPARE(s.texts(), QStringList());
        QCOMPARE(s.form.Project().UnitSystem, keldar::usSI);  // the last one is in S.I. units
        QVERIFY(!s.form.Project().CurvesGenerated);
        QVERIFY(!s.actions().SoilLayerCoordinates1->isEnabled());
    }

    void saveAsAndReopenGiveTheSameFile() {
        Session s(settingsFile());
        const QString original = copyExample("layered-downdrag.kd3d");
        s.open(original);
        const QString copy = dir_.filePath("copy");
        s.desktop.queueSave(copy + ".kd3d");
        QVERIFY(s.form.FileSaveAsClick());
        QCOMPARE(s.desktop.requests.last().title, QStringLiteral("Save Layered-downdrag.kd3d As"));
        QCOMPARE(s.desktop.requests.last().fileName, QFileInfo(original).absoluteFilePath());
        QCOMPARE(s.desktop.requests.last().defaultSuffix, QStringLiteral("kd3d"));
        QCOMPARE(s.form.windowTitle(), QStringLiteral("KELDAR 2014.3.4 - Copy.kd3d"));
        QCOMPARE(ReadAll(copy + ".kd3d"), ReadAll(original));
        QVERIFY(QFileInfo::exists(copy + ".gwi"));

        s.open(copy + ".kd3d");
        QVERIFY(s.form.FileSaveClick());
        QCOMPARE(ReadAll(copy + ".kd3d"), ReadAll(original));
        QCOMPARE(s.texts(), QStringList());
    }

    void oldFormatSavedAsNewName() {
        Session s(settingsFile());
        const QString old = copyExample("steel-pipe-clay.kd3d", "old.kdd");
        s.open(old, 1);
        // Save proposes the .kd3d name; cancelling keeps the .kdd name.
        QVERIFY(!s.form.FileSaveClick());
        QCOMPARE(s.desktop.requests.last().fileName, dir_.filePath("old.kd3d"));
        QCOMPARE(s.form.Project().FileName, old);
    }

    void runAnalysisWritesResultsAndEnablesPlots() {
        // The engine's folder given relative to the folder current at start.
        Session s(settingsFile(), QDir().relativeFilePath(QStringLiteral(KELDAR_ENGINE_DIR)));
        const QString data = copyExample("steel-pipe-clay.kd3d", "run.kd3d");
        s.open(data);
        auto* window = new QLabel(QStringLiteral("an open child"));
        QPointer<QMdiSubWindow> child = keldar::AddChild(s.form.MdiArea(), window);
        const QString folder = QDir::currentPath();
        s.form.UpdateWindowMenu();
        QVERIFY(s.actions().N3->isVisible() && s.actions().WindowItems[0]->isVisible());
        QVERIFY(!s.actions().WindowItems[1]->isVisible());

        s.actions().CompRun->trigger();
        QCOMPARE(s.texts(), QStringList({kCompleted}));
        QVERIFY(QFileInfo::exists(dir_.filePath("run.kd3o")));
        QVERIFY(QFileInfo::exists(dir_.filePath("run.kd3p")));
        QVERIFY(QFileInfo::exists(dir_.filePath("run.kd3r")));
        QVERIFY(ReadAll(dir_.filePath("run.kd3o")).contains("TOP  LOAD"));
        QVERIFY(s.form.PlotsLoaded());
        QVERIFY(s.form.Plots().pltAxial.CurveCount() > 0);
        const TMainActions& a = s.actions();
        for (QAction* on : {a.mLoad, a.mAxial, a.mtzcurves, a.mTip, a.ExportExcel}) {
            QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
        }
        QVERIFY(s.actions().CompOutput->isEnabled() && s.actions().CompKernel->isEnabled());
        QTest::qWait(0);
        QVERIFY(child.isNull() || !child->isVisible());
        QCOMPARE(QDir::currentPath(), folder);
        QVERIFY(!QFileInfo::exists(QDir(KELDAR_ENGINE_DIR).filePath("names.dat")));
        QVERIFY(!QFileInfo::exists(dir_.filePath("names.dat")));

        // A second run loads the engine afresh and gives the same report body.
        const QByteArray first = ReadAll(dir_.filePath("run.kd3p"));
        s.form.CompRunClick();
        QCOMPARE(ReadAll(dir_.filePath("run.kd3p")), first);

        // The report in the desktop's text editor, then in a chosen one that cannot start.
        s.actions().CompOutput->trigger();
        QCOMPARE(s.desktop.opened.last(), QUrl::fromLocalFile(dir_.filePath("run.kd3o")));
        s.form.SetEditorPath(QStringLiteral("/no/such/editor"));
        s.desktop.programsStart = false;
        s.actions().CompInput->trigger();
        QCOMPARE(s.desktop.started.last(), QStringLiteral("/no/such/editor ") + data);
        QCOMPARE(s.texts().last(),
                 QStringLiteral("An error occurred in running the Word Processor"));

        // The export dialog is shown by the same desktop that asks for its workbook's name and
        // hands the workbook to the spreadsheet program.
        s.desktop.onModal = [&](QDialog& dialog) {
            s.desktop.queueSave(dir_.filePath("run.xlsx"));
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Generate Excel File")) button->click();
        };
        a.ExportExcel->trigger();
        s.desktop.onModal = nullptr;
        QVERIFY(QFileInfo(dir_.filePath("run.xlsx")).size() > 0);
        QCOMPARE(s.desktop.opened.last(), QUrl::fromLocalFile(dir_.filePath("run.xlsx")));
        QVERIFY(s.texts().last().startsWith(QStringLiteral("Export to Excel Completed")));

        // Every result window and data window opens for real, none announced as missing.
        const qsizetype messagesBefore = s.texts().size();
        for (QAction* command : {a.mLoad, a.mAxial, a.mtzcurves, a.mTip, a.TipMovement1, a.Topload1,
                                 a.PileProperties1, a.QwFactorTable}) {
            const qsizetype before = s.form.MdiArea().subWindowList().size();
            command->setEnabled(true);
            command->trigger();
            QVERIFY2(s.form.MdiArea().subWindowList().size() == before + 1,
                     qPrintable(command->objectName()));
        }
        QCOMPARE(s.texts().size(), messagesBefore);
        s.form.CloseChildWindows();

        // A new project has no results.
        s.form.FileNewClick();
        QVERIFY(!s.form.PlotsLoaded() && !s.actions().mLoad->isEnabled());
    }

    void runWithNotesPointsToThem() {
        // The drilled shaft's tip curve rises above its entered tip resistance: one warning.
        Session s(settingsFile());
        s.open(copyExample("drilled-shaft-sand.kd3d", "noted.kd3d"));
        s.actions().CompRun->trigger();
        QCOMPARE(s.texts(), QStringList({kCompleted + QStringLiteral("\rThe run notes name results "
                                                                     "to check: Computation, Edit "
                                                                     "Processor-Run Notes.")}));
        QVERIFY(ReadAll(dir_.filePath("noted.kd3r")).startsWith("WARNING: layer 2, row 4:"));
    }

    void runOfAnUnnamedProjectCancelled() {
        Session s(settingsFile());
        s.form.CompRunClick();
        QCOMPARE(s.desktop.requests.size(), 1);
        QCOMPARE(s.texts(), QStringList());
        QCOMPARE(s.form.Project().FileName, QStringLiteral("NewKELDAR.kd3d"));
    }

    void engineLibraryMissingOrWithoutEntryPoint() {
        QTemporaryDir empty;
        for (const QString& folder : {empty.path(), QStringLiteral(KELDAR_NO_ENTRY_DIR)}) {
            Session s(settingsFile(), folder);
            s.open(copyExample("steel-pipe-clay.kd3d", "noengine.kd3d"));
            s.form.CompRunClick();
            QCOMPARE(s.texts(), QStringList({"Attempt to initialize DLL failed"}));
            QVERIFY(!QFileInfo::exists(dir_.filePath("noengine.kd3o")));
            QVERIFY(!s.form.PlotsLoaded());
        }
    }

    void recentFilesAfterElevenOpens() {
        QStringList files;
        {
            Session s(settingsFile());
            for (int i = 1; i <= 11; ++i) {
                files.append(copyExample("pipe-pile-clay.kd3d", QStringLiteral("r%1.kd3d").arg(i)));
                s.open(files.last());
            }
            QCOMPARE(s.form.RecentFiles().Count(), 10);
            QCOMPARE(s.form.RecentFiles().Entry(0), files.at(10));
            QCOMPARE(s.form.RecentFiles().Entry(9), files.at(1));
            QCOMPARE(s.settings.value("2014.3.4/File10").toString(), files.at(1));

            // Entry 3 comes first; the menu shows names of the current folder without it.
            s.form.UpdateFileMenu();
            QCOMPARE(s.actions().RecentFiles[2]->text(), QStringLiteral("3 r9.kd3d"));
            s.actions().RecentFiles[2]->trigger();
            QCOMPARE(s.form.Project().FileName, files.at(8));
            s.form.UpdateFileMenu();
            QCOMPARE(s.actions().RecentFiles[0]->text(), QStringLiteral("1 r9.kd3d"));
            QCOMPARE(s.actions().RecentFiles[1]->text(), QStringLiteral("2 r11.kd3d"));
            QVERIFY(s.actions().RecentFiles[9]->isVisible() && s.actions().N14->isVisible());
            // The editor reaches the settings when the program closes.
            s.form.SetEditorPath(QStringLiteral("/usr/bin/editor"));
            QVERIFY(s.form.close());
        }
        // The next session starts with the list and the editor of the last one.
        Session next(settingsFile());
        QCOMPARE(next.form.RecentFiles().Entry(0), files.at(8));
        QCOMPARE(next.form.RecentFiles().Count(), 10);
        QCOMPARE(next.form.EditorPath(), QStringLiteral("/usr/bin/editor"));
    }

    void saveQueryAnswers() {
        Session s(settingsFile());
        const QString file = copyExample("pipe-pile-clay.kd3d", "query.kd3d");
        s.open(file);
        s.form.Project().Title = QStringLiteral("Changed");
        s.form.Project().SetModified(true);

        s.desktop.queueAnswer(Answer::Cancel);
        s.form.FileNewClick();
        QCOMPARE(s.texts(), QStringList({kSaveQuery}));
        QCOMPARE(s.form.Project().Title, QStringLiteral("Changed"));

        s.desktop.queueAnswer(Answer::Yes);
        s.form.FileNewClick();
        QVERIFY(ReadAll(file).contains("Changed"));
        QCOMPARE(s.form.Project().FileName, QStringLiteral("NewKELDAR.kd3d"));

        // Yes for an unnamed project and a cancelled Save As stop the command.
        s.form.Project().SetModified(true);
        s.desktop.queueAnswer(Answer::Yes);
        s.open(file);
        QCOMPARE(s.form.Project().FileName, QStringLiteral("NewKELDAR.kd3d"));
        QVERIFY(s.form.Project().Modified());

        s.desktop.queueAnswer(Answer::No);
        s.open(file);
        QCOMPARE(s.form.Project().FileName, file);
    }

    void failedSaveKeepsTheProject() {
        Session s(settingsFile());
        QTemporaryDir doomed;
        const QString file = doomed.filePath("gone.kd3d");
        QVERIFY(QFile::copy(ExampleFile("pipe-pile-clay.kd3d"), file));
        s.open(file);
        QVERIFY(doomed.remove());  // the folder is gone: nothing can be written there
        s.form.Project().Title = QStringLiteral("Unsaved work");
        s.form.Project().SetModified(true);

        s.desktop.queueAnswer(Answer::Yes);
        s.form.FileNewClick();
        QCOMPARE(s.desktop.messages().last().kind, TestDesktop::Kind::Error);
        QCOMPARE(s.form.Project().Title, QStringLiteral("Unsaved work"));
        QCOMPARE(s.form.Project().FileName, file);
        QVERIFY(s.form.Project().Modified());

        // A run does not analyse the stale file.
        s.desktop.clear();
        s.form.CompRunClick();
        QCOMPARE(s.texts().size(), 1);
        QVERIFY(
            s.texts().constFirst().startsWith(QStringLiteral("An error occured during saving")));

        // Closing asks again; Cancel keeps the program open.
        s.desktop.queueAnswer(Answer::Cancel);
        QVERIFY(!s.form.close());
        QVERIFY(s.form.isVisible());
        s.desktop.queueAnswer(Answer::No);
        QVERIFY(s.form.close());
    }

    // A project whose file could not be read to its end never silently replaces that file.
    void incompleteFileIsNeverOverwrittenUnasked() {
        Session s(settingsFile());
        const QString broken = copyExampleEdited("steel-pipe-clay.kd3d", "broken.kd3d",
                                                 "3.6 0.128\r\n", "3.6 O.128\r\n");
        const QByteArray text = ReadAll(broken);
        QVERIFY(text.contains("3.6 O.128\r\n"));

        s.open(broken);
        QCOMPARE(s.texts().size(), 1);  // the reader's message
        QVERIFY(s.form.Project().Modified());
        QCOMPARE(s.form.windowTitle(),
                 QStringLiteral("KELDAR 2014.3.4 - Broken.kd3d (incomplete)"));

        // Run Analysis saves first: the question names the file; Cancel ends the run unwritten.
        s.desktop.clear();
        s.actions().CompRun->trigger();
        QCOMPARE(s.desktop.messages().size(), 1);
        const TestDesktop::Message question = s.desktop.messages().constFirst();
        QCOMPARE(question.kind, TestDesktop::Kind::Choose);
        QVERIFY(question.text.contains(QDir::toNativeSeparators(broken)));
        QVERIFY(question.text.contains(QStringLiteral("the rest of that file was not read")));
        QCOMPARE(question.buttons.constFirst(), QStringLiteral("Save under a new name"));
        QCOMPARE(ReadAll(broken), text);
        QVERIFY(!QFileInfo::exists(dir_.filePath("broken.kd3o")));

        // Save: a new name is proposed; cancelling that, or choosing the same file and then
        // Cancel, writes nothing.
        s.desktop.queueChoice(kSaveUnderNewName);
        s.desktop.queueSave(QString());
        s.actions().FileSave->trigger();
        QCOMPARE(ReadAll(broken), text);
        s.desktop.queueSave(broken);
        s.desktop.queueChoice(kCancelSave);
        s.actions().FileSaveAs->trigger();
        QCOMPARE(ReadAll(broken), text);
        QCOMPARE(s.form.Project().FileName, broken);

        // New asks the ordinary save query; Cancel keeps the project.
        s.desktop.clear();
        s.actions().FileNew->trigger();
        QCOMPARE(s.texts(), QStringList({kSaveQuery}));
        QCOMPARE(s.form.Project().FileName, broken);

        // Saved under a new name, the file holds the whole project and is run without a question
        // (the engine then finds that the pile data, never read, are missing).
        const QString whole = dir_.filePath("whole.kd3d");
        s.desktop.queueChoice(kSaveUnderNewName);
        s.desktop.queueSave(whole);
        s.actions().FileSave->trigger();
        QCOMPARE(s.form.Project().FileName, whole);
        QCOMPARE(s.form.windowTitle(), QStringLiteral("KELDAR 2014.3.4 - Whole.kd3d"));
        s.desktop.clear();
        s.actions().CompRun->trigger();
        QCOMPARE(s.desktop.messages().size(), 1);
        QCOMPARE(s.desktop.messages().constFirst().title, QStringLiteral("Analysis Stopped"));
        QCOMPARE(ReadAll(broken), text);

        // Only a confirmed answer replaces the file.
        s.desktop.queueAnswer(Answer::No);
        s.open(broken);
        s.desktop.queueChoice(kReplaceFile);
        s.actions().FileSave->trigger();
        QVERIFY(ReadAll(broken) != text);
        QVERIFY(!s.form.Project().Modified());
        QVERIFY(!s.form.windowTitle().endsWith(QStringLiteral("(incomplete)")));

        // A file that is no data file at all takes the same way.
        const QString alien = dir_.filePath("alien.kd3d");
        const QByteArray passwd = "root:x:0:0:root:/root:/bin/bash\n";
        QFile other(alien);
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write(passwd) == passwd.size());
        other.close();
        s.open(alien);
        QVERIFY(s.form.windowTitle().endsWith(QStringLiteral("(incomplete)")));
        s.actions().CompRun->trigger();
        QCOMPARE(ReadAll(alien), passwd);
    }

    // Switching the tip factors on changes nothing until factors are entered.
    void newProjectTipFactorsAreTheIdentity() {
        Session s(settingsFile());
        QCOMPARE(s.form.Project().QMultiplier, 1.0L);
        QCOMPARE(s.form.Project().WMultiplier, 1.0L);
        s.actions().ApplyQwFactors->trigger();
        s.actions().QwFactorTable->trigger();
        auto* factor = s.form.findChild<QLineEdit*>(QStringLiteral("DataQfactor"));
        QVERIFY(factor);
        QCOMPARE(factor->text(), QStringLiteral("1"));
        s.form.CloseChildWindows();

        // The same run with the factors off and on gives the same results.
        s.desktop.queueAnswer(Answer::No);  // the toggle above is an edit: not saved
        s.open(copyExample("pipe-pile-clay.kd3d", "identity.kd3d"));
        s.form.CompRunClick();
        const QByteArray off = ReadAll(dir_.filePath("identity.kd3p"));
        QVERIFY(!s.form.Project().QWFactorsOn);
        s.actions().ApplyQwFactors->trigger();
        s.form.CompRunClick();
        QVERIFY(ReadAll(dir_.filePath("identity.kd3d")).endsWith(" 1\r\n1 1\r\n"));
        QCOMPARE(ReadAll(dir_.filePath("identity.kd3p")), off);

        // A new project's file does not write them while the option is off.
        s.desktop.queueAnswer(Answer::No);
        s.form.FileNewClick();
        s.desktop.queueSave(dir_.filePath("fresh.kd3d"));
        QVERIFY(s.form.FileSaveClick());
        QVERIFY(ReadAll(dir_.filePath("fresh.kd3d")).endsWith("\r\n0\r\n 0\r\n 0\r\n 0\r\n 0\r\n"));
    }

    // A run that the engine stops is reported as stopped, in the engine's words.
    void stoppedRunSaysWhyAndOffersTheReport() {
        Session s(settingsFile());
        const QString data =
            copyExampleEdited("steel-pipe-clay.kd3d", "stopped.kd3d", "\n1E-5 600 16 201.06\r\n",
                              "\n1E-5 -600 16 201.06\r\n");
        s.open(data);
        QCOMPARE(s.form.Project().PileLength, -600.0L);  // a file's value as it stands

        s.desktop.queueChoice(0);
        s.actions().CompRun->trigger();
        QCOMPARE(s.desktop.messages().size(), 1);
        const TestDesktop::Message stop = s.desktop.messages().constFirst();
        QCOMPARE(stop.kind, TestDesktop::Kind::Choose);
        QCOMPARE(stop.title, QStringLiteral("Analysis Stopped"));
        QVERIFY2(stop.text.startsWith(QStringLiteral("The analysis stopped (engine status 20).")),
                 qPrintable(stop.text));
        QVERIFY2(stop.text.contains(QRegularExpression(
                     QStringLiteral("Line \\d+ of the data file: the pile length and the outer "
                                    "diameter must be above 0."))),
                 qPrintable(stop.text));
        QCOMPARE(stop.buttons.constFirst(), QStringLiteral("Open the Report"));
        QCOMPARE(s.desktop.opened.last(), QUrl::fromLocalFile(dir_.filePath("stopped.kd3o")));
        QVERIFY(!s.texts().contains(kCompleted));
        // The plot commands follow the results, of which there are none.
        QVERIFY(!s.form.ResultsAvailable());
        QVERIFY(!s.actions().mLoad->isEnabled());
    }

    // A failed Save As says which file and that nothing was saved; the project is unchanged.
    void failedSaveAsNamesTheFile() {
        Session s(settingsFile());
        const QString file = copyExample("pipe-pile-clay.kd3d", "kept.kd3d");
        s.open(file);
        s.form.Project().Title = QStringLiteral("Unsaved work");
        s.form.Project().SetModified(true);
        const QString target = dir_.filePath("no-such-folder/elsewhere.kd3d");
        s.desktop.queueSave(target);
        s.actions().FileSaveAs->trigger();
        QCOMPARE(s.desktop.messages().size(), 1);
        const QString text = s.texts().constFirst();
        QVERIFY2(text.contains(QDir::toNativeSeparators(target)), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("Nothing was saved.")));
        QCOMPARE(s.form.Project().FileName, file);
        QCOMPARE(s.form.windowTitle(), keldar::MainWindowTitle(file));
        QVERIFY(s.form.Project().Modified());
        QVERIFY(!QFileInfo::exists(target));
    }

    void commandLineAndDroppedFiles() {
        copyExample("pipe-pile-clay.kd3d", "pile7.kd3d");
        QDir::setCurrent(dir_.path());
        Session s(settingsFile(), KELDAR_ENGINE_DIR, QStringLiteral("pile7"));
        QCOMPARE(s.form.Project().FileName, dir_.filePath("pile7.kd3d"));
        QCOMPARE(s.form.windowTitle(), QStringLiteral("KELDAR 2014.3.4 - Pile7.kd3d"));
        // Opened as Open opens a file: it heads the recent files.
        QCOMPARE(s.form.RecentFiles().Entry(0), dir_.filePath("pile7.kd3d"));

        const QString dropped = copyExample("user-curves-si.kd3d");
        s.form.DropFiles({dropped, dir_.filePath("pile7.kd3d")});
        QCOMPARE(s.form.Project().FileName, dropped);
        QCOMPARE(s.form.RecentFiles().Entry(0), dropped);

        // A .kdd file from the desktop has no modification-factor records and is read without.
        QByteArray old = ReadAll(ExampleFile(QStringLiteral("steel-pipe-clay.kd3d")));
        QVERIFY(old.endsWith(" 0\r\n 0\r\n"));
        old.chop(8);
        const QString oldFile = dir_.filePath("old.kdd");
        QFile file(oldFile);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        Session fromDesktop(settingsFile(), KELDAR_ENGINE_DIR, oldFile);
        QCOMPARE(fromDesktop.form.Project().FileName, oldFile);
        QCOMPARE(fromDesktop.texts(), QStringList());

        Session missing(settingsFile(), KELDAR_ENGINE_DIR, QStringLiteral("no-such-pile"));
        QCOMPARE(missing.form.Project().FileName, QStringLiteral("NewKELDAR.kd3d"));
        QCOMPARE(missing.texts(), QStringList());
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
