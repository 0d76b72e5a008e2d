#include "DialogFields.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "NumberFormat.h"

namespace keldar {

TDataEdit* AddNumberField(QGridLayout& grid, const QString& name, const QString& caption,
                          const QString& unitCode, UserMessages* messages) {
    auto* parent = grid.parentWidget();
    auto* label = new QLabel(parent);
    auto* field = new TDataEdit(parent, messages);
    field->setObjectName(name);
    field->SetUnitsString(unitCode);
    field->SetCaption(caption);
    field->SetEditLabel(label);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 20);
    const int row = grid.rowCount();
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
    return field;
}

// Whether `read` stands for `value`: the same value, or for a value that a double holds exactly,
// the same double.
static bool sameValue(long double read, long double value) {
    const bool isDouble = static_cast<long double>(static_cast<double>(value)) == value;
    return isDouble ? static_cast<double>(read) == static_cast<double>(value) : read == value;
}

QString FieldText(const TDataEdit& field, long double value) {
    if (field.Hex() || std::isnan(value)) return field.ValueText(value);
    const char point = localeDecimalPoint();
    for (int digits = 1; digits < 18; ++digits) {
        // Rounded to `digits` significant digits, then written as the field writes values.
        long double rounded = 0;
        const std::string text = formatGeneral(value, digits, point);
        if (readDecimal(text, point, rounded) == DecimalRead::Ok && sameValue(rounded, value)) {
            return field.ValueText(rounded);
        }
    }
    return field.ValueText(value);
}

void ShowNumber(TDataEdit& field, long double value) {
    if (!std::isnan(value)) value = std::clamp(value, field.MinVal(), field.MaxVal());
    field.setText(FieldText(field, value));
}

bool StoreNumber(const TDataEdit& field, long double& target) {
    if (field.text() == FieldText(field, target)) return false;
    const long double value = field.Number();
    if (value == target) return false;
    target = value;
    return true;
}

}  // namespace keldar
