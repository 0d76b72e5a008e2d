// Small helpers shared by the data windows: a captioned numeric field in a grid, and storing a
// field's value into the project only when the user changed it.
#pragma once

#include <QGridLayout>
#include <QString>

#include "TDataEdit.h"

namespace keldar {

// A numeric field with its label in the next row of `grid`; the label shows the caption and the
// unit label of `unitCode`.
TDataEdit* AddNumberField(QGridLayout& grid, const QString& name, const QString& caption,
                          const QString& unitCode, UserMessages& messages);

// Shows `value` in the field, kept within the field's limits.
void ShowNumber(TDataEdit& field, long double value);

// Stores the field's value into `target`. A field the user left unedited still holds the value
// it was shown with, so an unchanged value is neither rounded through its text nor reported as a
// change (a value shown at a limit it exceeded is stored as shown). True when `target` changed.
bool StoreNumber(const TDataEdit& field, long double& target);

}  // namespace keldar
