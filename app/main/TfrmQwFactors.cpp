#include "TfrmQwFactors.h"

#include <QGridLayout>

#include "DialogFields.h"

namespace keldar {

TfrmQwFactors::TfrmQwFactors(TProgramData& project, UserMessages& messages, QWidget* parent)
    : TDataDialog(messages, QStringLiteral("frmQwFactors"),
                  QStringLiteral("Enter Modifications Factors for Tip Resistance"), parent),
      project_(project) {
    auto* grid = new QGridLayout(this);
    DataQfactor = AddNumberField(*grid, QStringLiteral("DataQfactor"),
                                 QStringLiteral("Q-multiplier"), QString(), Messages());
    Datawfactor = AddNumberField(*grid, QStringLiteral("Datawfactor"),
                                 QStringLiteral("w-multiplier"), QString(), Messages());
    LoadFields();
}

void TfrmQwFactors::LoadFields() {
    ShowNumber(*DataQfactor, project_.QMultiplier);
    ShowNumber(*Datawfactor, project_.WMultiplier);
}

void TfrmQwFactors::StoreFields() {
    const bool changed = StoreNumber(*DataQfactor, project_.QMultiplier);
    if (StoreNumber(*Datawfactor, project_.WMultiplier) || changed) project_.SetModified(true);
}

}  // namespace keldar
