// New Project from CPT: the CPT file, the pile, the loading, the ground and the layers, with a
// preview of qt, Ic and τf against depth that follows every change. The design it shows is the
// one keldar-cpt makes from the same entries; OK hands it to the main window.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "CptRecord.h"
#include "PileDesign.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace keldar {

class TCptPreview;
class TDesktop;

class TdlgNewFromCpt : public QDialog {
    Q_OBJECT

  public:
    explicit TdlgNewFromCpt(TDesktop& desktop, QWidget* parent = nullptr);
    ~TdlgNewFromCpt() override;

    // Asked when OK is pressed with a design; false keeps the dialog open (the save query).
    void SetAcceptCheck(std::function<bool()> mayAccept) { mayAccept_ = std::move(mayAccept); }
    // Reads the CPT file; its refusal (file, line, reason) shows in the dialog.
    void LoadFile(const QString& fileName);

    const std::optional<cpt::CptRecord>& Record() const { return record_; }
    const std::optional<cpt::PileDesign>& Design() const { return design_; }
    const cpt::DesignOptions& Options() const { return options_; }

  public slots:
    void accept() override;

  private:
    QWidget* CreatePileBox();
    QWidget* CreateGroundBox();
    QWidget* CreateLayerBox();
    // The entry fields: each change of them recomputes the design.
    QDoubleSpinBox* AddNumber(const char* name, double value, double most, int decimals);
    QCheckBox* AddCheck(const char* name, const QString& text);
    QComboBox* AddChoice(const char* name, const QStringList& items);
    void ChooseFile();
    void AddLayerRow(double top, cpt::SoilKind kind);
    void CopyLayersToTable();
    // The entries as design options; a message when the hand-set layers cannot be read.
    QString ReadOptions();
    void Recompute();
    // What the design holds, for the status line under the entries.
    QString DesignText() const;
    void ShowStatus(const QString& text, bool isError);

    TDesktop& desktop_;
    std::function<bool()> mayAccept_;
    std::optional<cpt::CptRecord> record_;
    std::optional<cpt::PileDesign> design_;
    cpt::DesignOptions options_;
    QString readError_;

    QLineEdit* fileEdit_ = nullptr;
    QDoubleSpinBox* diameter_ = nullptr;
    QDoubleSpinBox* wall_ = nullptr;
    QCheckBox* closedEnd_ = nullptr;
    QDoubleSpinBox* length_ = nullptr;
    QDoubleSpinBox* modulus_ = nullptr;
    QLabel* stiffness_ = nullptr;
    QComboBox* direction_ = nullptr;
    QDoubleSpinBox* waterTable_ = nullptr;
    QDoubleSpinBox* unitWeight_ = nullptr;
    QCheckBox* unitWeightFromCone_ = nullptr;
    QDoubleSpinBox* spacing_ = nullptr;
    QDoubleSpinBox* mergeTolerance_ = nullptr;
    QComboBox* baseAverage_ = nullptr;
    QRadioButton* layersFromIc_ = nullptr;
    QRadioButton* layersByHand_ = nullptr;
    QTableWidget* layerTable_ = nullptr;
    QLabel* status_ = nullptr;
    TCptPreview* preview_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace keldar
