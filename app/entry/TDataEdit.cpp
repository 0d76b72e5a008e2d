#include "TDataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "CommandChord.h"
#include "EntryErrors.h"
#include "Evaluator.h"
#include "NumberFormat.h"
#include "Units.h"

namespace keldar {

// As the tables show their cells: enough for any entry a user types, short enough to be read
// whole in the field.
static constexpr int kValueDigits = 8;
static constexpr int kWholeDigits = 18;
static constexpr long double kInt32Min = -2147483648.0L;
static constexpr long double kInt32Max = 2147483647.0L;

long double TDataEdit::DefaultMaxVal() {
    // Mantissa FFFFFFFFFFFFFFB0 hex with the largest finite exponent: 1.18973149535723176e4932.
    return std::ldexp(static_cast<long double>(0xFFFFFFFFFFFFFFB0ULL), 16383 - 63);
}

TDataEdit::TDataEdit(UserMessages& messages, QWidget* parent)
    : QLineEdit(parent), maxVal_(DefaultMaxVal()), minVal_(-DefaultMaxVal()), messages_(messages) {
    showValue(0);
}

void TDataEdit::SetIntegerOnly(bool on) {
    integerOnly_ = on;
    if (on) {
        SetMaxVal(maxVal_);
        SetMinVal(minVal_);
    }
}

void TDataEdit::SetCaption(const QString& caption) {
    caption_ = caption;
    updateLabel();
}

void TDataEdit::SetEditLabel(QLabel* label) {
    label_ = label;
    if (label != nullptr) label->setBuddy(this);
    updateLabel();
}

void TDataEdit::SetHex(bool on) {
    hex_ = on;
    long double value;
    if (currentValue(value)) SetNumber(value);
}

long double TDataEdit::integerLimit(long double value) const {
    return integerOnly_ ? std::clamp(value, kInt32Min, kInt32Max) : value;
}

void TDataEdit::SetMaxVal(long double value) {
    if (std::isnan(value)) return;
    maxVal_ = integerLimit(std::max(value, minVal_));
    long double current;
    if (currentValue(current) && current > maxVal_) SetNumber(maxVal_);
}

void TDataEdit::SetMinVal(long double value) {
    if (std::isnan(value)) return;
    minVal_ = integerLimit(std::min(value, maxVal_));
    long double current;
    if (currentValue(current) && current < minVal_) SetNumber(minVal_);
}

long double TDataEdit::Number() const {
    if (text() == shownText_) return shownValue_;
    return Evaluate(text().toStdString());
}

void TDataEdit::SetNumber(long double value) {
    if (std::isnan(value)) return;
    showValue(std::clamp(value, minVal_, maxVal_));
}

void TDataEdit::showValue(long double value) {
    shownText_ = ValueText(value);
    shownValue_ = value;
    setText(shownText_);
    // A text longer than the field shows its leading digits, not its exponent alone.
    setCursorPosition(0);
}

// The current entry's value when it evaluates; a field being typed into may hold anything.
bool TDataEdit::currentValue(long double& value) const {
    try {
        value = Number();
        return true;
    } catch (const EAssignError&) {
    } catch (const EMathError&) {
    }
    return false;
}

void TDataEdit::SetUnitsString(const QString& code) {
    unitsString_ = code;
    updateLabel();
}

void TDataEdit::SetUnits(int system) {
    units_ = std::clamp(system, 1, 3);
    updateLabel();
}

QString TDataEdit::ValueText(long double value) const {
    if (hex_) {
        const long double whole = std::nearbyint(value);
        if (whole >= -0x1p63L && whole < 0x1p63L) {
            // A negative value shows in two's complement, as "$" reads it back.
            const auto bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(whole));
            return QLatin1Char('$') +
                   QString::number(bits, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        }
    }
    // A whole-number field shows every digit of its (32-bit) value.
    const int digits = integerOnly_ ? kWholeDigits : kValueDigits;
    return QString::fromStdString(formatGeneral(value, digits, localeDecimalPoint()));
}

void TDataEdit::updateLabel() {
    if (label_ == nullptr) return;
    label_->setEnabled(isEnabled());
    if (unitsString_.isEmpty()) {
        label_->setText(caption_);
    } else {
        const std::string unit = FieldUnitLabel(unitsString_.toStdString(), units_);
        label_->setText(caption_ + QStringLiteral(" (") + QString::fromStdString(unit) +
                        QLatin1Char(')'));
    }
}

void TDataEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) updateLabel();
}

bool TDataEdit::Validate() {
    exitValidation();
    return accepted_;
}

void TDataEdit::reject(const QString& message) {
    messages_.error(QStringLiteral("Error"), message);
    if (isVisible()) setFocus(Qt::OtherFocusReason);
}

void TDataEdit::exitValidation() {
    if (validating_) return;  // the message box moves the focus while it is shown
    validating_ = true;
    accepted_ = false;
    emit OnExit();
    try {
        const long double value = Number();
        if (integerOnly_ && value != std::trunc(value))
            throw EIntError("Entry must be an integer.");
        if (value < minVal_) {
            throw EMinError("Entry must be greater than or equal to " +
                            ValueText(minVal_).toStdString());
        }
        if (value > maxVal_) {
            throw EMaxError("Entry must be less than or equal to " +
                            ValueText(maxVal_).toStdString());
        }
        // Only what the user typed: a window passed through keeps a value the program gave it.
        // Refused as typed, as there is no least value above 0 to put in its place.
        if (positiveOnly_ && isModified() && !(value > 0))
            throw EAssignError("Entry must be greater than 0");
        showValue(value);
        accepted_ = true;
    } catch (const EAssignError& e) {
        reject(integerOnly_ ? QStringLiteral("Entry must be a valid integer.")
                            : QString::fromStdString(e.what()));
    } catch (const EIntError& e) {
        reject(QString::fromStdString(e.what()));
    } catch (const EMinError& e) {
        SetNumber(minVal_);
        reject(QString::fromStdString(e.what()));
    } catch (const EMaxError& e) {
        SetNumber(maxVal_);
        reject(QString::fromStdString(e.what()));
    } catch (const EMathError& e) {
        // Division by zero and the like: answered like a rejected entry, never stored.
        reject(QString::fromStdString(e.what()));
    }
    validating_ = false;
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu (by mouse or by its access key) does not
    // leave the field: the menu has the entry stored, or answered, itself.
    switch (event->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return;
        default:
            break;
    }
    exitValidation();
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
    if (IsCommandChord(*event)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        exitValidation();
        selectAll();
        event->accept();
        return;
    }
    // An operator typed over the selected value extends it: after Enter, *2 doubles the value.
    const QString typed = event->text();
    if (typed.size() == 1 && QStringLiteral("+-/*^=%!").contains(typed[0]) && hasSelectedText() &&
        selectedText() == text()) {
        setCursorPosition(static_cast<int>(text().size()));
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace keldar
