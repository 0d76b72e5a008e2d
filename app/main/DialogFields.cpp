#include "DialogFields.h"

#include <QLabel>
#include <cmath>

namespace keldar {

TDataEdit* AddNumberField(QGridLayout& grid, const QString& name, const QString& caption,
                          const QString& unitCode, UserMessages& messages) {
    auto* parent = grid.parentWidget();
    auto* label = new QLabel(parent);
    auto* field = new TDataEdit(messages, parent);
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

void ShowNumber(TDataEdit& field, long double value) {
    if (std::isnan(value)) {
        field.setText(field.ValueText(value));
    } else {
        field.SetNumber(value);
    }
}

bool StoreNumber(const TDataEdit& field, long double& target) {
    if (std::isnan(target) && field.text() == field.ValueText(target)) return false;
    const long double value = field.Number();
    if (value == target) return false;
    target = value;
    return true;
}

}  // namespace keldar
