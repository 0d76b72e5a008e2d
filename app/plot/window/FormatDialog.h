// The Save Attributes dialog: picture height and width in inches and pixels per inch.
#pragma once

#include <QDialog>

#include "PlotExport.h"

class QDoubleSpinBox;
class QSpinBox;

namespace keldar {

class TdlgFormat : public QDialog {
    Q_OBJECT

  public:
    TdlgFormat(const TSaveAttributes& attributes, QWidget* parent = nullptr);
    TSaveAttributes Attributes() const;

  private:
    QDoubleSpinBox* height_;
    QDoubleSpinBox* width_;
    QSpinBox* resolution_;
};

}  // namespace keldar
