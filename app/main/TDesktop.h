// What the main window asks of the desktop: the file dialogs, starting a program, the shell's
// default action on a file or web page and modal dialogs. The program uses TQtDesktop; tests
// answer with canned choices.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QDialog;

namespace keldar {

struct TFileDialogRequest {
    QString title;
    QString fileName;       // preset name, may be empty
    QStringList filters;    // "KELDAR 2014 (*.kd3d)", ...
    int filterIndex = 0;    // filter selected at start
    QString defaultSuffix;  // appended to a name typed without extension
};

struct TFileChoice {
    QString fileName;
    int filterIndex = 0;  // the filter the user left selected
};

class TDesktop {
  public:
    virtual ~TDesktop() = default;

    // Open dialog for an existing file; nothing when cancelled.
    virtual std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) = 0;
    // Save dialog with its overwrite prompt; nothing when cancelled.
    virtual std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) = 0;
    // Starts a program without waiting for it; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The shell's default action: a file in its application, a web address in the browser.
    virtual bool openUrl(const QUrl& url) = 0;
    // Shows a dialog and waits until it is closed.
    virtual void showModal(QDialog& dialog) = 0;
};

}  // namespace keldar
