#include "TitleMemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextCursor>
#include <algorithm>

namespace keldar {

TTitleMemo::TTitleMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(this, &QPlainTextEdit::textChanged, this, &TTitleMemo::keepOneShortLine);
}

void TTitleMemo::SetTitle(const QString& title) {
    maxLength_ = std::max<qsizetype>(kMaxLength, title.size());
    setPlainText(title);
}

void TTitleMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TTitleMemo::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) return;
    QString text = source->text();
    text.replace(QRegularExpression(QStringLiteral("[\r\n\t]+")), QStringLiteral(" "));
    insertPlainText(text);
}

// Whatever reached the text (typing, pasting, dropping): line breaks become blanks and the text
// is cut at the maximum length, with the caret kept where it was.
void TTitleMemo::keepOneShortLine() {
    const QString text = toPlainText();
    QString kept = text;
    kept.replace(QRegularExpression(QStringLiteral("[\r\n\t\u2028\u2029]")), QStringLiteral(" "));
    kept.truncate(maxLength_);
    if (kept == text) return;
    const int position = std::min(textCursor().position(), static_cast<int>(kept.size()));
    const QSignalBlocker blocker(this);
    setPlainText(kept);
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}

}  // namespace keldar
