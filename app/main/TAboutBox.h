// The About box: the program's name, version and purpose.
#pragma once

#include <QDialog>

namespace keldar {

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace keldar
