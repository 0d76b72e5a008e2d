// Everything the program asks of the desktop: message boxes (the UserMessages the entry fields
// know), the file dialogs, whether a printer exists, handing a file or web page to the shell,
// starting a program and showing a modal dialog. One object is made at the start and passed to
// every window; the program uses TQtDesktop, tests answer with canned choices.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

#include "UserMessages.h"

class QDialog;
class QWidget;

namespace keldar {

struct TFileDialogRequest {
    QString title{};
    QString fileName{};       // preset name, may be empty
    QStringList filters{};    // "KELDAR 2014 (*.kd3d)", ...
    int filterIndex = 0;      // filter selected at start
    QString defaultSuffix{};  // appended to a name typed without extension
    // Picking another filter makes its extension the one appended, for dialogs whose filters
    // choose the kind of file written.
    bool suffixFollowsFilter = false;
    QWidget* parent = nullptr;  // the window the dialog stands over; the main window when null
};

struct TFileChoice {
    QString fileName;
    int filterIndex = 0;  // the filter the user left selected
};

class TDesktop : public UserMessages {
  public:
    // Open dialog for an existing file; nothing when cancelled.
    virtual std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) = 0;
    // Save dialog with its overwrite prompt; nothing when cancelled.
    virtual std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) = 0;
    // Whether the system has a printer to print to; without one, printing writes a PDF file.
    virtual bool hasPrinter() = 0;
    // Starts a program without waiting for it; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The shell's default action: a file in its application, a web address in the browser.
    virtual bool openUrl(const QUrl& url) = 0;
    // Shows a dialog and waits until it is closed.
    virtual void showModal(QDialog& dialog) = 0;
};

}  // namespace keldar
