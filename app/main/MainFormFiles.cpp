// TMainForm: the file commands, the save query, recent files, settings and closing.
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "ChildWindows.h"
#include "InputOutputError.h"
#include "MeasuredCurveFile.h"
#include "PlotFileReader.h"
#include "ProjectFromCpt.h"
#include "TMainForm.h"
#include "TableEditors.h"
#include "TdlgNewFromCpt.h"
#include "WindowLayout.h"
#include "WindowTitle.h"

namespace keldar {

namespace {

const QStringList kDataFileFilters = {QStringLiteral("KELDAR 2014 (*.kd3d)"),
                                      QStringLiteral("KELDAR 2.0 (*.kdd)"),
                                      QStringLiteral("All Files (*.*)")};
// The old data files, the second filter, have no modification-factor records.
constexpr int kOldFormatFilter = 1;
// A name typed without extension becomes a data file.
const QString kDataFileSuffix = QStringLiteral("kd3d");

// A failed save names the file and says that the project is still only in memory.
QString SaveFailureText(const QString& fileName, const QString& reason) {
    return QStringLiteral("The project could not be saved to \"%1\": %2.\rNothing was saved.")
        .arg(QDir::toNativeSeparators(fileName), reason);
}

bool HasExtension(const QString& fileName, const char* extension) {
    return QFileInfo(fileName).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

// The measured load test kept beside a project: taken when the project is opened, dropped with
// it. A damaged file is reported and leaves the plot without a measured curve.
void RestoreMeasured(TGraphPlot& plot, const QString& projectFile, UserMessages& messages) {
    try {
        RestoreMeasuredCurve(plot, projectFile);
    } catch (const EInputOutputError& e) {
        messages.information(QStringLiteral("Measured Curve"), e.Message());
    }
}

// A project saved under a new name takes its measured curve along.
void CarryMeasured(TGraphPlot& plot, const QString& projectFile, UserMessages& messages) {
    plot.MeasuredFile = MeasuredFileName(projectFile);
    try {
        KeepMeasuredCurve(plot);
    } catch (const EInputOutputError& e) {
        messages.information(QStringLiteral("Measured Curve"), e.Message());
    }
}

}  // namespace

// ---- Settings ----

void TMainForm::ReadSettings() {
    // A store that cannot be read leaves the editor and the recent list empty; the program goes
    // on without them.
    ReadProgramSettings(store_, settings_);
}

void TMainForm::WriteSettings() { WriteProgramSettings(store_, settings_); }

void TMainForm::AddRecentFile(const QString& fileName) {
    if (settings_.RecentFiles.Add(fileName)) WriteSettings();
}

// ---- Opening ----

// The file that the desktop hands over (a double-click in the file manager) opens as Open does:
// current folder, results and recent files. Only a .kdd file is read without the
// modification-factor records: it has none, and reading them would reject the file.
void TMainForm::OpenCommandLineFile() {
    QString name = commandLineFile_;
    if (!name.isEmpty() && !name.contains(QLatin1Char('.'))) name += QStringLiteral(".kd3d");
    if (!name.isEmpty() && QFileInfo(name).isFile()) {
        OpenFileName(name, !HasExtension(name, "kdd"));
        return;
    }
    project_->CreateNew();
    CheckSpeedButtons();
    SetWindowTitle();
}

void TMainForm::ReadResults(bool reportErrors) {
    const QString plotFile = PlotFileName(project_->FileName);
    if (!QFileInfo::exists(plotFile)) return;
    plotsLoaded_ = ReadPlotFile(plots_, plotFile, reportErrors, project_->UnitSystem, desktop_);
}

void TMainForm::OpenFileName(const QString& fileName, bool withFactorRecords) {
    CloseChildWindows();
    const QFileInfo file(fileName);
    QDir::setCurrent(file.absolutePath());
    project_->LoadFromFile(file.absoluteFilePath(), withFactorRecords, desktop_);
    SetWindowTitle();
    plotsLoaded_ = false;
    runSucceeded_ = false;
    RestoreMeasured(plots_.pltAxial, project_->FileName, desktop_);
    ReadResults(false);
    CheckSpeedButtons();
    AddRecentFile(project_->FileName);
}

void TMainForm::FileNewClick() {
    DeactivateActiveChild();
    if (!SaveQuery()) return;
    CloseChildWindows();
    project_->CreateNew();
    ShowNewProject();
}

void TMainForm::FileNewFromCptClick() {
    DeactivateActiveChild();
    TdlgNewFromCpt dialog(desktop_, this);
    // The save query comes with OK, so that cancelling it leaves the entries in the dialog.
    dialog.SetAcceptCheck([this] { return SaveQuery(); });
    desktop_.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || !dialog.Design() || !dialog.Record()) return;
    CloseChildWindows();
    cpt::FillProject(*project_, *dialog.Design(), dialog.Options().pile,
                     cpt::DefaultTitle(*dialog.Record()));
    ShowNewProject();
}

void TMainForm::ShowNewProject() {
    SetWindowTitle();
    plotsLoaded_ = false;
    runSucceeded_ = false;
    RestoreMeasured(plots_.pltAxial, QString(), desktop_);
    CheckSpeedButtons();
}

void TMainForm::FileOpenClick() {
    DeactivateActiveChild();
    if (!SaveQuery()) return;
    TFileDialogRequest request{QStringLiteral("Open"), QString(), kDataFileFilters, 0,
                               kDataFileSuffix};
    const std::optional<TFileChoice> choice = desktop_.openFileName(request);
    if (!choice || choice->fileName.isEmpty()) return;
    OpenFileName(choice->fileName, choice->filterIndex != kOldFormatFilter);
}

void TMainForm::OpenRecentFile(int index) {
    if (index < 0 || index >= settings_.RecentFiles.Count()) return;
    // The entry moves when the file is opened: take a copy.
    const QString name = settings_.RecentFiles.Entry(index);
    if (!SaveQuery()) return;
    OpenFileName(name, HasExtension(name, "kd3d"));
}

void TMainForm::DropFiles(const QStringList& fileNames) {
    if (fileNames.isEmpty() || !SaveQuery()) return;
    const QString name = fileNames.constFirst();
    OpenFileName(name, HasExtension(name, "kd3d"));
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    QStringList names;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) names.append(url.toLocalFile());
    }
    if (names.isEmpty()) return;
    event->acceptProposedAction();
    Guarded([this, names] { DropFiles(names); });
}

// ---- Saving ----

bool TMainForm::IsUnnamed() const {
    return project_->FileName == QLatin1String(kNewProjectFileName);
}

TMainForm::SaveResult TMainForm::Save(QString* error) {
    if (IsUnnamed() || HasExtension(project_->FileName, "kdd")) return SaveAs(error);
    if (project_->ReadIncomplete()) {
        switch (AskReplaceIncompleteFile()) {
            case ReplaceChoice::NewName:
                return SaveAs(error);
            case ReplaceChoice::Cancel:
                return SaveResult::Cancelled;
            case ReplaceChoice::Replace:
                break;
        }
    }
    try {
        project_->SaveToFile();
    } catch (const EInputOutputError& e) {
        *error = SaveFailureText(project_->FileName, e.Message());
        return SaveResult::Failed;
    }
    SetWindowTitle();
    return SaveResult::Saved;
}

TMainForm::ReplaceChoice TMainForm::AskReplaceIncompleteFile() {
    // The buttons from left to right; saving under a new name loses nothing and comes first.
    const QStringList buttons = {QStringLiteral("Save under a new name"),
                                 QStringLiteral("Replace the file"), QStringLiteral("Cancel")};
    const QString text =
        QStringLiteral(
            "The project was read from \"%1\" only in part: the rest of that file was "
            "not read.\rSaving over the file would lose that rest.")
            .arg(QDir::toNativeSeparators(project_->FileName));
    switch (desktop_.choose(QStringLiteral("Incomplete File"), text, buttons, 0, 2)) {
        case 0:
            return ReplaceChoice::NewName;
        case 1:
            return ReplaceChoice::Replace;
        default:
            return ReplaceChoice::Cancel;
    }
}

// The Save As dialog until the user names a file that may be written, or cancels.
std::optional<TFileChoice> TMainForm::ChooseSaveName(const TFileDialogRequest& request) {
    for (;;) {
        std::optional<TFileChoice> choice = desktop_.saveFileName(request);
        if (!choice || choice->fileName.isEmpty()) return std::nullopt;
        const bool sameFile = QFileInfo(choice->fileName) == QFileInfo(project_->FileName);
        if (!project_->ReadIncomplete() || !sameFile) return choice;
        switch (AskReplaceIncompleteFile()) {
            case ReplaceChoice::NewName:
                continue;
            case ReplaceChoice::Cancel:
                return std::nullopt;
            case ReplaceChoice::Replace:
                return choice;
        }
    }
}

TMainForm::SaveResult TMainForm::SaveAs(QString* error) {
    const QString current = project_->FileName;
    const QString preset =
        HasExtension(current, "kdd") ? ChangeFileExt(current, QStringLiteral(".kd3d")) : current;
    TFileDialogRequest request{
        QStringLiteral("Save ") + DisplayFileName(current) + QStringLiteral(" As"), preset,
        kDataFileFilters, 0, kDataFileSuffix};
    const std::optional<TFileChoice> choice = ChooseSaveName(request);
    SaveResult result = SaveResult::Cancelled;
    if (choice) {
        project_->FileName = QFileInfo(choice->fileName).absoluteFilePath();
        // The last run's results belong to the old name.
        if (project_->FileName != current) runSucceeded_ = false;
        try {
            project_->SaveToFile();
            result = SaveResult::Saved;
            CarryMeasured(plots_.pltAxial, project_->FileName, desktop_);
        } catch (const EInputOutputError& e) {
            *error = SaveFailureText(project_->FileName, e.Message());
            // The project keeps the name under which it was last read or written.
            project_->FileName = current;
            result = SaveResult::Failed;
        }
        SetWindowTitle();
    }
    CheckSpeedButtons();
    CloseChildWindows();
    return result;
}

TMainForm::SaveResult TMainForm::SaveReportingFailure(SaveResult (TMainForm::*save)(QString*)) {
    QString error;
    const SaveResult result = (this->*save)(&error);
    if (result == SaveResult::Failed) desktop_.error(QStringLiteral("Error"), error);
    return result;
}

bool TMainForm::FileSaveClick() {
    DeactivateActiveChild();
    return SaveReportingFailure(&TMainForm::Save) == SaveResult::Saved;
}

bool TMainForm::FileSaveAsClick() {
    DeactivateActiveChild();
    return SaveReportingFailure(&TMainForm::SaveAs) == SaveResult::Saved;
}

bool TMainForm::SaveQuery() {
    if (!project_->Modified()) return true;
    switch (desktop_.confirm(QStringLiteral("Confirm"),
                             QStringLiteral("Do you want to save any changes?"), true)) {
        case UserMessages::Answer::Cancel:
            return false;
        case UserMessages::Answer::No:
            return true;
        case UserMessages::Answer::Yes:
            break;
    }
    // Only a project that is safely on disk may be replaced or closed.
    return SaveReportingFailure(&TMainForm::Save) == SaveResult::Saved && !IsUnnamed();
}

// ---- Closing ----

void TMainForm::FileExitClick() { close(); }

void TMainForm::closeEvent(QCloseEvent* event) {
    // An entry still rejected in a table editor is corrected or discarded first: closing must
    // neither lose the rest of the project nor save a value the user has not seen accepted.
    if (!QueryCloseTableEditors(mdiArea_, desktop_)) {
        event->ignore();
        return;
    }
    // One rejected in a data window keeps the program open, with its message.
    if (!DeactivateActiveChild()) {
        event->ignore();
        return;
    }
    bool mayClose = false;
    Guarded([this, &mayClose] { mayClose = SaveQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    WriteSettings();
    SaveWindowLayout(store_, *this);
    // A child with an entry still to be corrected keeps the program open.
    if (!CloseChildWindows()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace keldar
