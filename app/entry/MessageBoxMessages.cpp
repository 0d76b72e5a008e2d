#include "MessageBoxMessages.h"

#include <QMessageBox>

namespace keldar {

// Messages separate their lines with a carriage return; a label breaks lines at "\n".
static QString displayed(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void MessageBoxMessages::information(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, displayed(text), QMessageBox::Ok);
}

void MessageBoxMessages::error(const QString& title, const QString& text) {
    QMessageBox::critical(parent_, title, displayed(text), QMessageBox::Ok);
}

UserMessages::Answer MessageBoxMessages::confirm(const QString& title, const QString& text,
                                                 bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    const auto pressed =
        QMessageBox::question(parent_, title, displayed(text), buttons, QMessageBox::Yes);
    if (pressed == QMessageBox::Yes) return Answer::Yes;
    if (pressed == QMessageBox::No) return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

}  // namespace keldar
