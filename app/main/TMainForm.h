// The program's MDI frame: the menus and tool bar, the file commands, the option toggles, the
// recent files and settings, and the analysis run. It owns the project, its tables and the
// result plots; every other window is a child inside its MDI area (ChildWindows.h).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <functional>
#include <memory>
#include <optional>

#include "MainActions.h"
#include "MainPlots.h"
#include "PlotDialogs.h"
#include "ProgramData.h"
#include "ProgramSettings.h"
#include "SummaryResults.h"
#include "TDesktop.h"
#include "TReportViewer.h"
#include "TableDeclarations.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace keldar {
class TEngineLibrary;
}

namespace keldar {

class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    struct Services {
        TDesktop& desktop;
        QSettings& settings;
        QString programFolder;      // holds the engine library
        QString updateBaseAddress;  // empty: no Check for Updates
    };

    // commandLineFile is opened when the window is first shown.
    explicit TMainForm(const Services& services, QString commandLineFile = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // What the child windows work on.
    TProgramData& Project() { return *project_; }
    TMainTables& Tables() { return tables_; }
    TMainPlots& Plots() { return plots_; }
    TDesktop& Desktop() { return desktop_; }
    TPlotDialogs& PlotDialogs() { return plotDialogs_; }
    QMdiArea& MdiArea() { return *mdiArea_; }
    const QString& EditorPath() const { return settings_.EditorPath; }
    void SetEditorPath(const QString& path) { settings_.EditorPath = path; }
    // The setting itself, for the Control Options window that edits it in place.
    QString& EditorPathSetting() { return settings_.EditorPath; }
    TUserIdentification& UserSetting() { return settings_.User; }
    const TRecentFiles& RecentFiles() const { return settings_.RecentFiles; }
    bool PlotsLoaded() const { return plotsLoaded_; }
    // PlotsLoaded and the current project's plot data file exists.
    bool ResultsAvailable() const;
    // The current project's output report (.kd3o) exists.
    bool OutputReportExists() const;
    // The Results Summary can be shown: the project's last run in this session ended normally,
    // its results are available and the project has not changed since.
    bool SummaryAvailable() const;
    // Every command, as the menus and the tool bar share it.
    const TMainActions& Actions() const { return actions_; }
    // The last successful run's results at the engine's precision, or why there are none.
    const TExactResults& ExactResults() const { return exactResults_; }

    // Closes every child window; false when one refuses (an entry still to be corrected).
    bool CloseChildWindows();
    // Asks the children to store their entries (a dialog's FormDeactivate, a table editor's open
    // cell), the active one first. False while one holds a rejected entry: that window has its
    // message and the focus, and an open menu closes again.
    bool DeactivateActiveChild();

    // The commands, as the menus and tool bar run them.
    void FileNewClick();
    // New Project from CPT: the dialog, then (on OK, after the save query) a new project
    // holding the entered curves it designed, marked modified.
    void FileNewFromCptClick();
    void FileOpenClick();
    // true when the project was saved.
    bool FileSaveClick();
    bool FileSaveAsClick();
    void FileExitClick();
    void OpenRecentFile(int index);
    // Opens a data file as a dropped file is opened (the save query first).
    void DropFiles(const QStringList& fileNames);
    void CompRunClick();
    void CompInputClick();
    void CompKernelClick();
    void CompOutputClick();
    void ViewReportClick();
    void ResultsSummaryClick();
    void EditGRLWeapDataFileClick();
    void SetUnitSystem(int system);
    void SetCurvesGenerated(bool generated);
    // Computes every command's enabled and checked state from the project, its files and the
    // settings: after each change of them, and whenever a menu opens.
    void CheckSpeedButtons();
    // Opens a data file without the save query.
    void OpenFileName(const QString& fileName, bool withFactorRecords);

    // The recent files and the child windows, listed as their menus open.
    void UpdateFileMenu();
    void UpdateWindowMenu();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    enum class SaveResult { Saved, Cancelled, Failed };
    // The answers to the question before a file that was read only in part is written over.
    enum class ReplaceChoice { NewName, Replace, Cancel };
    // Whether a menu has the windows' entries stored before it opens.
    enum class TMenuEntries { Stored, AsTheyAre };

    void CreateMenus();
    void CreateFileMenu();
    void CreateDataMenu();
    void CreateOptionsMenu();
    void CreateUnitsMenu(QMenu& options);
    void CreateCurvesMenu(QMenu& options);
    void CreateComputationMenu();
    void CreateGraphicsMenu();
    void CreateWindowMenu();
    void CreateHelpMenu();
    void CreateToolBar();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     const std::function<void()>& command, const QKeySequence& shortcut = {});
    QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption,
                          const std::function<void()>& command);
    QAction* AddHiddenItem(QMenu* menu, const char* name, const QString& caption,
                           const std::function<void()>& command);
    void ShowStatesOnOpening(QMenu& menu, TMenuEntries entries);
    // A sub-menu whose items show their states as it opens.
    QMenu* AddSubMenu(QMenu& parent, const char* name, const QString& caption);
    void ArrangeIcons();
    // Brings the child window at `index` of the Window menu's list to the front.
    void ActivateChild(int index);
    // Runs a command; an error that it does not handle itself is shown with its own text. A
    // command that needs the windows' entries does not run while one of them is rejected.
    void Guarded(const std::function<void()>& command, bool needsAcceptedEntries = true);

    void ReadSettings();
    void WriteSettings();
    void OpenCommandLineFile();
    void SetWindowTitle();
    void AddRecentFile(const QString& fileName);
    // The save query; true when the command may go on.
    bool SaveQuery();
    // After the project was replaced in memory: title, curve items, no results, buttons.
    void ShowNewProject();
    SaveResult Save(QString* error);
    SaveResult SaveAs(QString* error);
    // Saves through Save or SaveAs; a failure is told to the user in an error box.
    SaveResult SaveReportingFailure(SaveResult (TMainForm::*save)(QString*));
    ReplaceChoice AskReplaceIncompleteFile();
    std::optional<TFileChoice> ChooseSaveName(const TFileDialogRequest& request);
    bool IsUnnamed() const;
    void ReadResults(bool reportErrors);
    // The engine's status above 0: says why, and offers the report.
    void ReportStoppedRun(std::int32_t status);
    // The steps of a run: the data file saved under its name, names.dat written in the current
    // folder, the engine loaded, and after the run its messages, plots and exact results.
    bool SaveForRun();
    bool WriteRunNames();
    bool LoadEngine();
    void TakeRunResults(std::int32_t status);
    // False when the editor or the desktop's handler could not be started.
    bool OpenInEditor(const QString& fileName, bool sayWhenNotStarted = true);
    // True when the output report exists; otherwise says so and recomputes the buttons.
    bool OutputReportOrSay();
    // The report viewer takes the place of a text editor that the desktop does not have.
    void OpenInEditorOrViewer(const QString& fileName, TReportPage page);
    void OpenPlot(TGraphPlot& plot);
    void ViewSoilProfile();
    void CheckForUpdates();
    void ShowAbout();
    void ReactivateUnitDialogs();

    TDesktop& desktop_;
    // The plot windows' own dialogs, outliving every plot window.
    TModalPlotDialogs plotDialogs_;
    QSettings& store_;
    QString programFolder_;
    QString updateBaseAddress_;
    QString commandLineFile_;

    TMainTables tables_;
    TMainPlots plots_;
    std::unique_ptr<TProgramData> project_;
    TProgramSettings settings_;
    std::unique_ptr<TEngineLibrary> engine_;  // loaded only during a run
    bool plotsLoaded_ = false;
    // The last run of the current project ended normally (status 0) with its results read.
    bool runSucceeded_ = false;
    TExactResults exactResults_;  // of that run, for the Results Summary
    bool shownBefore_ = false;

    QMdiArea* mdiArea_ = nullptr;
    TMainActions actions_;
};

}  // namespace keldar
