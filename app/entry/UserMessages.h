// Messages to the user: information and error boxes with an OK button and the Yes/No(/Cancel)
// confirmation. Windows and fields show their messages through this interface, so that tests can
// read a message (and answer a confirmation) without a modal box.
#pragma once

#include <QString>
#include <QStringList>

namespace keldar {

class UserMessages {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserMessages() = default;

    virtual void information(const QString& title, const QString& text) = 0;
    virtual void error(const QString& title, const QString& text) = 0;
    // Yes and No, and Cancel as well when withCancel is set.
    virtual Answer confirm(const QString& title, const QString& text, bool withCancel) = 0;
    // A question whose buttons say what they do, from left to right; the answer is the index of
    // the button pressed. Enter presses defaultButton; Escape and closing the box press
    // cancelButton, which is also the answer where nobody can be asked.
    virtual int choose(const QString& title, const QString& text, const QStringList& buttons,
                       int defaultButton, int cancelButton) {
        (void)title, (void)text, (void)buttons, (void)defaultButton;
        return cancelButton;
    }
};

}  // namespace keldar
