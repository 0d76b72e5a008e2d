// The program's messages: modal message boxes over a parent window.
#pragma once

#include <QPointer>
#include <QWidget>

class QMessageBox;

#include "UserMessages.h"

namespace keldar {

class MessageBoxMessages : public UserMessages {
  public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}

    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    Answer confirm(const QString& title, const QString& text, bool withCancel) override;
    int choose(const QString& title, const QString& text, const QStringList& buttons,
               int defaultButton, int cancelButton) override;

  protected:
    // Shows a question built by choose and waits for the answer. Pictures of the program's
    // questions take it over: they grab the box and press its default button.
    virtual void ask(QMessageBox& box);

  private:
    QPointer<QWidget> parent_;
};

}  // namespace keldar
