#include "RecordingMessages.h"

namespace keldar {

void RecordingMessages::information(const QString& title, const QString& text) {
    messages_.append({Kind::Information, title, text, {}});
}

void RecordingMessages::error(const QString& title, const QString& text) {
    messages_.append({Kind::Error, title, text, {}});
}

UserMessages::Answer RecordingMessages::confirm(const QString& title, const QString& text,
                                                bool withCancel) {
    messages_.append({Kind::Confirm, title, text, {}});
    if (!answers_.isEmpty()) {
        const Answer answer = answers_.takeFirst();
        if (answer != Answer::Cancel || withCancel) return answer;
    }
    return withCancel ? Answer::Cancel : Answer::No;
}

int RecordingMessages::choose(const QString& title, const QString& text, const QStringList& buttons,
                              int defaultButton, int cancelButton) {
    QStringList shown = buttons;
    if (defaultButton >= 0 && defaultButton < shown.size()) shown.move(defaultButton, 0);
    messages_.append({Kind::Choose, title, text, shown});
    return choices_.isEmpty() ? cancelButton : choices_.takeFirst();
}

}  // namespace keldar
