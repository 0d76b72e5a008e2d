#include "FormatDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

namespace keldar {

static QDoubleSpinBox* InchesBox(double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(2, 100);
    box->setDecimals(2);
    box->setValue(value);
    return box;
}

TdlgFormat::TdlgFormat(const TSaveAttributes& attributes, QWidget* parent)
    : QDialog(parent),
      height_(InchesBox(attributes.HeightInches, this)),
      width_(InchesBox(attributes.WidthInches, this)),
      resolution_(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Save Attributes"));
    resolution_->setRange(10, 2400);
    resolution_->setValue(attributes.PixelsPerInch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Height (inches):"), height_);
    layout->addRow(QStringLiteral("Width (inches):"), width_);
    layout->addRow(QStringLiteral("Pixels per inch:"), resolution_);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TSaveAttributes TdlgFormat::Attributes() const {
    return {height_->value(), width_->value(), resolution_->value()};
}

}  // namespace keldar
