// Messages for tests: every message is recorded; confirmations take queued answers.
#pragma once

#include <QList>
#include <QString>

#include "UserMessages.h"

namespace keldar {

class RecordingMessages : public UserMessages {
  public:
    enum class Kind { Information, Error, Confirm };
    struct Message {
        Kind kind;
        QString title;
        QString text;
    };

    void information(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    // The next queued answer; with none queued, Cancel (or No without a Cancel button), the
    // answer that changes nothing.
    Answer confirm(const QString& title, const QString& text, bool withCancel) override;

    void queueAnswer(Answer answer) { answers_.append(answer); }
    const QList<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

  private:
    QList<Message> messages_;
    QList<Answer> answers_;
};

}  // namespace keldar
