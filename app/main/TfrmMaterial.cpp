#include "TfrmMaterial.h"

#include <QGridLayout>
#include <QMetaMethod>
#include <QPushButton>
#include <cmath>

#include "DialogFields.h"

namespace keldar {

TfrmMaterial::TfrmMaterial(TProgramData& project, UserMessages& messages, QWidget* parent)
    : TDataDialog(messages, QStringLiteral("frmMaterial"), QStringLiteral("Pile Properties"),
                  parent),
      project_(project) {
    auto* grid = new QGridLayout(this);
    DataPL = AddNumberField(*grid, QStringLiteral("DataPL"), QStringLiteral("Pile Length"),
                            QStringLiteral("L"), Messages());
    DataPL->SetMaxVal(1000000.0L);
    // A pile without length or diameter stops the analysis; without tip area it has no tip
    // resistance.
    DataPL->SetPositiveOnly(true);
    DataNI = AddNumberField(*grid, QStringLiteral("DataNI"), QStringLiteral("Number of Increments"),
                            QString(), Messages());
    DataNI->SetIntegerOnly(true);
    DataNI->SetMaxVal(500.0L);
    DataNI->SetMinVal(10.0L);
    DataOD = AddNumberField(*grid, QStringLiteral("DataOD"), QStringLiteral("Outer Diameter"),
                            QStringLiteral("L"), Messages());
    DataOD->SetMaxVal(1000000.0L);
    DataOD->SetPositiveOnly(true);
    DataArea = AddNumberField(*grid, QStringLiteral("DataArea"), QStringLiteral("Area of Pile Tip"),
                              QStringLiteral("L²"), Messages());
    DataArea->SetMaxVal(1000000000.0L);
    DataArea->SetPositiveOnly(true);
    DataTol = AddNumberField(*grid, QStringLiteral("DataTol"), QStringLiteral("Tolerance"),
                             QStringLiteral("L"), Messages());
    DataTol->SetMaxVal(1.0L);
    DataTol->SetMinVal(0.000000001L);

    AEButton = new QPushButton(QStringLiteral("Edit AE vs. Depth Data"), this);
    AEButton->setObjectName(QStringLiteral("AEButton"));
    AEButton->setToolTip(QStringLiteral("Enter pile stiffness versus depth"));
    AEButton->setAutoDefault(false);
    connect(AEButton, &QPushButton::clicked, this, &TfrmMaterial::editAEDataClicked);
    grid->addWidget(AEButton, grid->rowCount(), 0, 1, 2, Qt::AlignHCenter);
    LoadFields();
}

void TfrmMaterial::LoadFields() {
    for (TDataEdit* field : {DataPL, DataOD, DataArea, DataTol}) {
        field->SetUnits(project_.UnitSystem);
    }
    ShowNumber(*DataPL, project_.PileLength);
    ShowNumber(*DataNI, project_.IncrementCount);
    ShowNumber(*DataOD, project_.OuterDiameter);
    ShowNumber(*DataArea, project_.TipArea);
    ShowNumber(*DataTol, project_.Tolerance);
}

void TfrmMaterial::StoreFields() {
    // Every change marks the project modified, so that closing the program asks to save it.
    bool changed = StoreNumber(*DataPL, project_.PileLength);
    long double increments = project_.IncrementCount;
    if (StoreNumber(*DataNI, increments)) {
        project_.IncrementCount = static_cast<std::int32_t>(std::lround(increments));
        changed = true;
    }
    changed = StoreNumber(*DataOD, project_.OuterDiameter) || changed;
    changed = StoreNumber(*DataArea, project_.TipArea) || changed;
    changed = StoreNumber(*DataTol, project_.Tolerance) || changed;
    if (changed) project_.SetModified(true);
}

void TfrmMaterial::editAEDataClicked() {
    if (isSignalConnected(QMetaMethod::fromSignal(&TfrmMaterial::EditAEData))) {
        emit EditAEData();
        return;
    }
    Messages().information(QStringLiteral("Information"),
                           QStringLiteral("The table editor is not available in this version."));
}

}  // namespace keldar
