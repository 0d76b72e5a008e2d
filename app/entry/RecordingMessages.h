// Messages for tests: every message is recorded; confirmations take queued answers.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "UserMessages.h"

namespace keldar {

class RecordingMessages : public UserMessages {
  public:
    enum class Kind { Information, Error, Confirm, Choose };
    struct Message {
        Kind kind;
        QString title;
        QString text;
        QStringList buttons;  // of a choice, the default one first
    };

    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    // The next queued answer; with none queued, Cancel (or No without a Cancel button), the
    // answer that changes nothing.
    Answer confirm(const QString& title, const QString& text, bool withCancel) override;

    // The next queued choice; with none queued, cancelButton.
    int choose(const QString& title, const QString& text, const QStringList& buttons,
               int defaultButton, int cancelButton) override;

    void queueAnswer(Answer answer) { answers_.append(answer); }
    void queueChoice(int button) { choices_.append(button); }
    const QList<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

  private:
    QList<Message> messages_;
    QList<Answer> answers_;
    QList<int> choices_;
};

}  // namespace keldar
