// Pile Properties: pile length, number of increments, outer diameter, tip area and tolerance, in
// the project's unit system, and the command that opens the pile stiffness (AE) table.
#pragma once

#include "ProgramData.h"
#include "TDataDialog.h"

class QPushButton;

namespace keldar {

class TfrmMaterial : public TDataDialog {
    Q_OBJECT

  public:
    // Edits `project` (not owned, must outlive the window); messages as for TDataDialog.
    TfrmMaterial(TProgramData& project, UserMessages& messages, QWidget* parent = nullptr);

  signals:
    // "Edit AE vs. Depth Data": the main window opens the editor of the AE table.
    void EditAEData();

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    void editAEDataClicked();

    TProgramData& project_;
    TDataEdit* DataPL;
    TDataEdit* DataNI;
    TDataEdit* DataOD;
    TDataEdit* DataArea;
    TDataEdit* DataTol;
    QPushButton* AEButton;
};

}  // namespace keldar
