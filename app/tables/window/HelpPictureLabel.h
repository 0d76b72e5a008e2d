// The help picture under a table's grid. It asks for its full size but takes the width the
// window gives it, drawing the picture scaled down, whole, when the window is narrower.
#pragma once

#include <QLabel>
#include <string>

namespace keldar {

class THelpPictureLabel : public QLabel {
  public:
    explicit THelpPictureLabel(QWidget* parent = nullptr);

    // An unknown or empty name shows nothing and hides the label.
    void SetPicture(std::string name);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Redraw();

    std::string name_;
};

}  // namespace keldar
