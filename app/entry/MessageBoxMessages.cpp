#include "MessageBoxMessages.h"

#include <QMessageBox>
#include <QPushButton>

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

int MessageBoxMessages::choose(const QString& title, const QString& text,
                               const QStringList& buttons, int defaultButton, int cancelButton) {
    QMessageBox box(QMessageBox::Question, title, displayed(text), QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> pressable;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const auto role = i == cancelButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        pressable.append(box.addButton(buttons.at(i), role));
    }
    if (defaultButton >= 0 && defaultButton < pressable.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(pressable.at(defaultButton)));
    if (cancelButton >= 0 && cancelButton < pressable.size())
        box.setEscapeButton(pressable.at(cancelButton));
    ask(box);
    const qsizetype pressed = pressable.indexOf(box.clickedButton());
    return pressed >= 0 ? static_cast<int>(pressed) : cancelButton;
}

void MessageBoxMessages::ask(QMessageBox& box) { box.exec(); }

}  // namespace keldar
