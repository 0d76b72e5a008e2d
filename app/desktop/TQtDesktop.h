// The desktop of the running program: Qt's message boxes and file dialogs, the system's printers,
// QProcess and QDesktopServices.
#pragma once

#include <QPointer>
#include <QWidget>

#include "TDesktop.h"

class QMessageBox;

namespace keldar {

class TQtDesktop : public TDesktop {
  public:
    // The main window, over which boxes and dialogs stand when no other window is active.
    void setParent(QWidget* parent) { parent_ = parent; }

    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    Answer confirm(const QString& title, const QString& text, bool withCancel) override;
    int choose(const QString& title, const QString& text, const QStringList& buttons,
               int defaultButton, int cancelButton) override;

    std::optional<TFileChoice> openFileName(const TFileDialogRequest& request) override;
    std::optional<TFileChoice> saveFileName(const TFileDialogRequest& request) override;
    bool hasPrinter() override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url) override;
    void showModal(QDialog& dialog) override;

  protected:
    // Shows a question built by choose and waits for the answer. Pictures of the program's
    // questions take it over: they grab the box and press its default button.
    virtual void ask(QMessageBox& box);

  private:
    // A message stands over the window the user works in: a data dialog, or the main window.
    QWidget* messageParent() const;

    QPointer<QWidget> parent_;
};

// The extension a file filter such as "PNG image (*.png)" names; empty when it names none or
// several.
QString SingleSuffixOf(const QString& filter);

}  // namespace keldar
