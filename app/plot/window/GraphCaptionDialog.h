// The Graph Caption dialog: the graph title and whether it stands at the top or the bottom.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace keldar {

class TfrmGraphCaption : public QDialog {
    Q_OBJECT

  public:
    TfrmGraphCaption(const QString& title, bool atTop, QWidget* parent = nullptr);
    QString Title() const;
    bool AtTop() const;

  private:
    QLineEdit* edit_;
    QRadioButton* top_;
};

}  // namespace keldar
