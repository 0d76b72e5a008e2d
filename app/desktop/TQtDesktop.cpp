#include "TQtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace keldar {

// Messages separate their lines with a carriage return; a label breaks lines at "\n".
static QString displayed(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QWidget* TQtDesktop::messageParent() const {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : parent_.data();
}

void TQtDesktop::information(const QString& title, const QString& text) {
    QMessageBox::information(messageParent(), title, displayed(text), QMessageBox::Ok);
}

void TQtDesktop::error(const QString& title, const QString& text) {
    QMessageBox::critical(messageParent(), title, displayed(text), QMessageBox::Ok);
}

UserMessages::Answer TQtDesktop::confirm(const QString& title, const QString& text,
                                         bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    const auto pressed =
        QMessageBox::question(messageParent(), title, displayed(text), buttons, QMessageBox::Yes);
    if (pressed == QMessageBox::Yes) return Answer::Yes;
    if (pressed == QMessageBox::No) return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

int TQtDesktop::choose(const QString& title, const QString& text, const QStringList& buttons,
                       int defaultButton, int cancelButton) {
    QMessageBox box(QMessageBox::Question, title, displayed(text), QMessageBox::NoButton,
                    messageParent());
    QList<QAbstractButton*> pressable;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const auto role = i == cancelButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        pressable.append(box.addButton(buttons.at(i), role));
    }
    if (defaultButton >= 0 && defaultButton < pressable.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(pressable.at(defaultButton)));
    if (cancelButton >= 0 && cancelButton < pressable.size())
        box.setEscapeButton(pressable.at(cancelButton));
    ask(box);
    const qsizetype pressed = pressable.indexOf(box.clickedButton());
    return pressed >= 0 ? static_cast<int>(pressed) : cancelButton;
}

void TQtDesktop::ask(QMessageBox& box) { box.exec(); }

QString SingleSuffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.([A-Za-z0-9]+)\)$)"));
    const QRegularExpressionMatch match = pattern.match(filter.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

static std::optional<TFileChoice> RunFileDialog(QWidget* parent, const TFileDialogRequest& request,
                                                QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.parent != nullptr ? request.parent : parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size()) {
        dialog.selectNameFilter(request.filters.at(request.filterIndex));
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.suffixFollowsFilter) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             const QString suffix = SingleSuffixOf(filter);
                             if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                         });
    }
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

bool TQtDesktop::hasPrinter() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool TQtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool TQtDesktop::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void TQtDesktop::showModal(QDialog& dialog) { dialog.exec(); }

}  // namespace keldar
