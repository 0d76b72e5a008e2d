// The drawing surface of the soil profile view: paints the profile fitted to its size and
// reports the depth under the pointer.
#pragma once

#include <QWidget>
#include <functional>

#include "SideViewGeometry.h"
#include "SideViewPainter.h"

namespace keldar {

class TSideViewCanvas : public QWidget {
  public:
    explicit TSideViewCanvas(TSideViewGeometry& geometry, QWidget* parent = nullptr);

    TSideViewStyle Style() const;
    // Called with the readout text when the pointer moves over the drawing.
    std::function<void(const QString&)> OnDepthReadout;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    TSideViewGeometry& fGeometry;
};

}  // namespace keldar
