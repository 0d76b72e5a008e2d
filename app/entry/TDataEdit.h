// A one-line numeric field. The entry may be an expression (12*2.54); on leaving the field it is
// evaluated, checked against the limits (and for a whole number with IntegerOnly) and replaced by
// its value. A rejected entry is answered with an error message and the focus stays in the field.
// The associated label shows "Caption (unit label)".
//
// A value is shown in 8 significant digits, as the tables show theirs, from its first character;
// the field keeps the full value behind that text until the user edits it, so that a value
// converted to other units and back, or merely shown, is stored exactly as it was.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "UserMessages.h"

namespace keldar {

class TDataEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool IntegerOnly READ IntegerOnly WRITE SetIntegerOnly)
    Q_PROPERTY(bool PositiveOnly READ PositiveOnly WRITE SetPositiveOnly)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Hex READ Hex WRITE SetHex)
    Q_PROPERTY(QString UnitsString READ UnitsString WRITE SetUnitsString)
    Q_PROPERTY(int Units READ Units WRITE SetUnits)

  public:
    // Rejected entries are reported through `messages`, which outlives the field.
    explicit TDataEdit(UserMessages& messages, QWidget* parent = nullptr);

    bool IntegerOnly() const { return integerOnly_; }
    // Turning it on limits both bounds to the 32-bit integer range.
    void SetIntegerOnly(bool on);

    // Only values above 0 are accepted from the user (a length the analysis divides by). A value
    // set by the program and not edited is left as it is, so that a new project's zeros or a
    // file's own value never hold the user in the window.
    bool PositiveOnly() const { return positiveOnly_; }
    void SetPositiveOnly(bool on) { positiveOnly_ = on; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    QLabel* EditLabel() const { return label_; }
    // The label shows the caption and takes this field as its buddy.
    void SetEditLabel(QLabel* label);

    bool Hex() const { return hex_; }
    void SetHex(bool on);

    // Just below the largest extended value, so that its 18-digit text reads back in range.
    static long double DefaultMaxVal();

    long double MaxVal() const { return maxVal_; }
    // At least MinVal; a current value above it becomes the new maximum.
    void SetMaxVal(long double value);

    long double MinVal() const { return minVal_; }
    // At most MaxVal; a current value below it becomes the new minimum.
    void SetMinVal(long double value);

    // The value shown (full precision), or for an edited text its evaluation; raises
    // EAssignError or EMathError for an entry that does not evaluate (Validate first to have it
    // answered).
    long double Number() const;
    // Clamped into MinVal .. MaxVal and shown as value text; NaN is ignored.
    void SetNumber(long double value);

    QString UnitsString() const { return unitsString_; }
    void SetUnitsString(const QString& code);

    int Units() const { return units_; }
    // 1 English, 2 S.I., 3 dimension letters; other values are taken as the nearest.
    void SetUnits(int system);

    // Runs the exit validation; true when the entry was accepted.
    bool Validate();

    // The value as the field shows it: "$00FF" with Hex, else 8 significant digits.
    QString ValueText(long double value) const;

  signals:
    // Fires when the field is left, before its entry is validated.
    void OnExit();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void exitValidation();
    // Shows value from its first character and keeps it behind the text.
    void showValue(long double value);
    void reject(const QString& message);
    bool currentValue(long double& value) const;
    long double integerLimit(long double value) const;
    void updateLabel();

    bool integerOnly_ = false;
    bool positiveOnly_ = false;
    bool hex_ = false;
    bool accepted_ = false;
    bool validating_ = false;
    QString caption_;
    QString unitsString_;
    int units_ = 1;
    long double maxVal_;
    long double minVal_;
    // The value behind the text that showValue wrote, while the text is unedited.
    QString shownText_;
    long double shownValue_ = 0;
    QPointer<QLabel> label_;
    UserMessages& messages_;
};

}  // namespace keldar
