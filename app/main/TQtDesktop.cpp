#include "TQtDesktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QProcess>

namespace keldar {

static std::optional<TFileChoice> RunFileDialog(QWidget* parent, const TFileDialogRequest& request,
                                                QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size()) {
        dialog.selectNameFilter(request.filters.at(request.filterIndex));
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return TFileChoice{dialog.selectedFiles().constFirst(),
                       static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<TFileChoice> TQtDesktop::openFileName(const TFileDialogRequest& request) {
    return RunFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<TFileChoice> TQtDesktop::saveFileName(const TFileDialogRequest& request) {
    return RunFileDialog(parent_, request, QFileDialog::AcceptSave);
}

bool TQtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool TQtDesktop::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void TQtDesktop::showModal(QDialog& dialog) { dialog.exec(); }

}  // namespace keldar
