// Messages to the user: information and error boxes with an OK button and the Yes/No(/Cancel)
// confirmation. Windows and fields show their messages through this interface, so that tests can
// read a message (and answer a confirmation) without a modal box.
#pragma once

#include <QString>

namespace keldar {

class UserMessages {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserMessages() = default;

    virtual void information(const QString& title, const QString& text) = 0;
    virtual void error(const QString& title, const QString& text) = 0;
    // Yes and No, and Cancel as well when withCancel is set.
    virtual Answer confirm(const QString& title, const QString& text, bool withCancel) = 0;
};

}  // namespace keldar
