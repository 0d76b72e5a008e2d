// Project Title: the title line saved with the project, and the designer's name and the date,
// which are kept for this session only.
#pragma once

#include "ProgramData.h"
#include "TDataDialog.h"

class QLineEdit;

namespace keldar {

class TTitleMemo;

class TdlgTitle : public TDataDialog {
    Q_OBJECT

  public:
    // Edits `project` (not owned, must outlive the window).
    TdlgTitle(TProgramData& project, UserMessages& messages, QWidget* parent = nullptr);

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    TProgramData& project_;
    TTitleMemo* TitleMemo;
    QLineEdit* DataEdit1;
    QLineEdit* DataEdit2;
};

}  // namespace keldar
