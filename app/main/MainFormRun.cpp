// TMainForm: the analysis run, the project's text files in the editor, plots, help and About.
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include "ChildWindows.h"
#include "NamesFile.h"
#include "PlotFileReader.h"
#include "RunStopMessage.h"
#include "SummaryResults.h"
#include "TAboutBox.h"
#include "TEngineLibrary.h"
#include "TMainForm.h"
#include "UpdateAddress.h"

namespace keldar {

namespace {

const QString kProgramTitle = QStringLiteral("KELDAR 3.0");
const QString kInformation = QStringLiteral("Information");
const QString kAnalysisStopped = QStringLiteral("Analysis Stopped");

// The wait cursor for as long as the engine runs.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Makes a folder current and returns to the previous one at the end of the scope.
class CurrentFolder {
  public:
    explicit CurrentFolder(const QString& folder) : previous_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    QString previous_;
};

// The closing message of a run; when the run left notes (cases that did not converge, inputs
// outside the range of their method) it points to them.
QString CompletedMessage(const QString& dataFile) {
    QString text = QStringLiteral(
        "Computations are completed. Please, check output file for results or error messages.");
    if (QFileInfo(NotesFileName(dataFile)).size() > 0) {
        text += QStringLiteral(
            "\rThe run notes name results to check: Computation, Edit Processor-Run Notes.");
    }
    return text;
}

}  // namespace

void TMainForm::CompRunClick() {
    DeactivateActiveChild();
    if (!SaveForRun()) return;
    // The data file on disk is now the project: the results of an earlier run no longer match
    // it, whatever becomes of this one.
    runSucceeded_ = false;

    // The engine reads names.dat from the current folder: a private one, since the program's
    // own folder is not writable once installed.
    QTemporaryDir handOff;
    if (!handOff.isValid()) {
        desktop_.information(kProgramTitle,
                             QStringLiteral("An error occured while writing file names"));
        return;
    }
    const CurrentFolder current(handOff.path());
    if (!WriteRunNames() || !LoadEngine()) return;
    // Released however the run ends, so that the next one loads fresh engine storage.
    const std::unique_ptr<TEngineLibrary, void (*)(TEngineLibrary*)> release(
        engine_.get(), [](TEngineLibrary* engine) { engine->Release(); });
    std::int32_t status = 0;
    {
        const WaitCursor wait;
        status = engine_->Run();
    }
    TakeRunResults(status);
    engine_->Release();
    QFile::remove(QLatin1String(kNamesFileName));
    if (status == 0 && settings_.ShowReportAfterRun && OutputReportExists())
        OpenReportViewer(*this, TReportPage::OutputReport);
}

bool TMainForm::SaveForRun() {
    QString error;
    switch (Save(&error)) {
        case SaveResult::Cancelled:
            return false;
        case SaveResult::Failed:
            // The file on disk is not what the user sees: running it would give wrong results.
            desktop_.information(kProgramTitle, QStringLiteral("An error occured during saving\r") +
                                                    error +
                                                    QStringLiteral("\rThe analysis was not run."));
            return false;
        case SaveResult::Saved:
            break;
    }
    return !IsUnnamed();
}

bool TMainForm::WriteRunNames() {
    try {
        WriteNamesFile(QLatin1String(kNamesFileName),
                       NamesFileLines(settings_.User, project_->FileName));
    } catch (const EInputOutputError&) {
        desktop_.information(kProgramTitle,
                             QStringLiteral("An error occured while writing file names"));
        return false;
    }
    return true;
}

bool TMainForm::LoadEngine() {
    if (engine_->Held()) {
        desktop_.information(kInformation, QStringLiteral("Attempt to reinitialize DLL"));
        return false;
    }
    if (!engine_->Load(programFolder_)) {
        desktop_.information(kInformation, QStringLiteral("Attempt to initialize DLL failed"));
        return false;
    }
    return true;
}

void TMainForm::TakeRunResults(std::int32_t status) {
    if (status > 0) {
        ReportStoppedRun(status);
    } else {
        desktop_.information(kInformation, CompletedMessage(project_->FileName));
    }
    // A stopped run has been explained: its partial plot file only decides the plot commands.
    ReadResults(status <= 0);
    runSucceeded_ = status == 0 && ResultsAvailable();
    // The Results Summary's numbers: the same run again in memory, at the engine's precision
    // rather than the plot file's few digits.
    exactResults_ =
        runSucceeded_ ? RunAgainInMemory(QLatin1String(kNamesFileName)) : TExactResults{};
    CheckSpeedButtons();
    CloseChildWindows();
}

void TMainForm::ReportStoppedRun(std::int32_t status) {
    const QString report = ReportFileName(project_->FileName);
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly)) {
        desktop_.information(
            kAnalysisStopped,
            RunStoppedText(status, {}) + QStringLiteral("\rNo output report was written."));
        return;
    }
    const QString text = RunStoppedText(status, EngineStopReason(file.readAll())) +
                         QStringLiteral(
                             "\r\rThe output report shows what was read and computed "
                             "before the stop.");
    const QStringList buttons = {QStringLiteral("Open the Report"), QStringLiteral("Close")};
    if (desktop_.choose(kAnalysisStopped, text, buttons, 0, 1) == 0) {
        OpenInEditorOrViewer(report, TReportPage::OutputReport);
    }
}

// ---- Text files in the editor ----

bool TMainForm::OpenInEditor(const QString& fileName, bool sayWhenNotStarted) {
    const QString path = QFileInfo(fileName).absoluteFilePath();
    const bool started = settings_.EditorPath.isEmpty()
                             ? desktop_.openUrl(QUrl::fromLocalFile(path))
                             : desktop_.startProgram(settings_.EditorPath, {path});
    if (!started && sayWhenNotStarted) {
        desktop_.information(kInformation,
                             QStringLiteral("An error occurred in running the Word Processor"));
    }
    return started;
}

void TMainForm::OpenInEditorOrViewer(const QString& fileName, TReportPage page) {
    // An editor that the user chose and that fails is reported: he expects it.
    const bool noEditor = settings_.EditorPath.isEmpty();
    if (!OpenInEditor(fileName, !noEditor) && noEditor) OpenReportViewer(*this, page);
}

void TMainForm::CompInputClick() { OpenInEditor(project_->FileName); }

void TMainForm::CompKernelClick() {
    OpenInEditorOrViewer(NotesFileName(project_->FileName), TReportPage::RunNotes);
}

bool TMainForm::OutputReportOrSay() {
    // A command may have been enabled before the report was deleted.
    if (OutputReportExists()) return true;
    desktop_.information(kInformation,
                         QStringLiteral("There is no output report yet: run the analysis first."));
    CheckSpeedButtons();
    return false;
}

void TMainForm::CompOutputClick() {
    if (!OutputReportOrSay()) return;
    OpenInEditorOrViewer(ReportFileName(project_->FileName), TReportPage::OutputReport);
}

void TMainForm::ViewReportClick() {
    if (OutputReportOrSay()) OpenReportViewer(*this, TReportPage::OutputReport);
}

void TMainForm::ResultsSummaryClick() {
    // The button may have been enabled before the project changed.
    if (!SummaryAvailable()) {
        desktop_.information(kInformation,
                             QStringLiteral("The Results Summary needs a run that ended normally "
                                            "and a project unchanged since: run the analysis."));
        CheckSpeedButtons();
        return;
    }
    OpenResultsSummary(*this);
}

void TMainForm::EditGRLWeapDataFileClick() {
    OpenInEditor(ChangeFileExt(project_->FileName, QStringLiteral(".gwi")));
}

// ---- Results, views and help ----

void TMainForm::OpenPlot(TGraphPlot& plot) {
    if (ResultsAvailable()) OpenPlotWindow(*this, plot);
}

void TMainForm::ViewSoilProfile() {
    // The view draws the soil layers, which only generated curves use.
    if (project_->CurvesGenerated) ShowSoilProfile(*this);
}

void TMainForm::ShowAbout() {
    TAboutBox box(this);
    desktop_.showModal(box);
}

void TMainForm::CheckForUpdates() {
    const QString address = UpdatePageAddress(updateBaseAddress_, QDate::currentDate());
    if (!address.isEmpty()) desktop_.openUrl(QUrl(address));
}

}  // namespace keldar
