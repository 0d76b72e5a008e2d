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
                          const QString& unitCode, UserMessages* messages);

// The text that shows a stored value: the value in the fewest
// significant digits (at most 18) that read back as that value. A value that came from a data
// file as a double shows as it was written there (201.06, not 201.060000000000002).
QString FieldText(const TDataEdit& field, long double value);

// Shows `value` in the field, kept within the field's limits.
void ShowNumber(TDataEdit& field, long double value);

// Stores the field's value into `target` unless the field still shows `target`, so that an
// unchanged value is neither rounded through its text nor reported as a change (a value shown
// at a limit it exceeded is stored as shown). True when `target` changed.
bool StoreNumber(const TDataEdit& field, long double& target);

}  // namespace keldar
