// The program's messages: modal message boxes over a parent window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "UserMessages.h"

namespace keldar {

class MessageBoxMessages : public UserMessages {
  public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}

    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    Answer confirm(const QString& title, const QString& text, bool withCancel) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace keldar
