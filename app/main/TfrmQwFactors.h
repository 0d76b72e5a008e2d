// Modification factors on the tip resistance: the Q-multiplier and w-multiplier that scale the
// loads and the movements of the Q-w curve (dimensionless, no limits).
#pragma once

#include "ProgramData.h"
#include "TDataDialog.h"

namespace keldar {

class TfrmQwFactors : public TDataDialog {
    Q_OBJECT

  public:
    // Edits `project` (not owned, must outlive the window); messages as for TDataDialog.
    TfrmQwFactors(TProgramData& project, UserMessages& messages, QWidget* parent = nullptr);

  protected:
    void LoadFields() override;
    void StoreFields() override;

  private:
    TProgramData& project_;
    TDataEdit* DataQfactor;
    TDataEdit* Datawfactor;
};

}  // namespace keldar
