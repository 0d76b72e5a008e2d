#include "SideViewCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace keldar {

TSideViewCanvas::TSideViewCanvas(TSideViewGeometry& geometry, QWidget* parent)
    : QWidget(parent), fGeometry(geometry) {
    setMouseTracking(true);
    setMinimumSize(120, 120);
}

TSideViewStyle TSideViewCanvas::Style() const {
    return {palette().color(QPalette::Window), palette().color(QPalette::WindowText), font()};
}

void TSideViewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintSideView(painter, rect(), fGeometry, Style());
}

void TSideViewCanvas::resizeEvent(QResizeEvent*) {
    fGeometry.Fit(width(), height());
    update();
}

void TSideViewCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (fGeometry.Disabled() || !OnDepthReadout) return;
    OnDepthReadout(DepthReadout(fGeometry.ScreenToWorld(event->position().toPoint()).Y));
}

}  // namespace keldar
