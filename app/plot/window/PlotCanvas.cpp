#include "PlotCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "PlotLegend.h"
#include "PlotLegendBox.h"
#include "PlotPainter.h"

namespace keldar {

// The window is laid out in Qt's logical pixels, 96 to the inch on every screen.
static constexpr double kScreenResolution = 96;

TPlotCanvas::TPlotCanvas(TGraphPlot& plot, QWidget* parent)
    : QWidget(parent), plot_(&plot), legend_(new TPlotLegendBox(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    connect(legend_, &TPlotLegendBox::curveToggled, this, &TPlotCanvas::curveToggled);
    ResetRanges();
}

void TPlotCanvas::ResetRanges() {
    if (plot_) full_ = FullPlotRange(*plot_);
    view_ = full_;
    update();
}

bool TPlotCanvas::UpdateFullRange() {
    if (!plot_ || FullPlotRange(*plot_) == full_) return false;
    ResetRanges();
    return true;
}

TPlotSurface TPlotCanvas::ScreenSurface() const {
    TPlotSurface surface;
    surface.Page = rect();
    surface.Px = surface.Py = kScreenResolution;
    return surface;
}

QRect TPlotCanvas::PlotRect() const {
    return plot_ ? LayOutPlot(*plot_, ScreenSurface()).Plot : QRect();
}

TPlotMapping TPlotCanvas::Mapping() const { return {PlotRect(), view_, plot_ && plot_->XOnTop()}; }

void TPlotCanvas::RefreshLegend() {
    if (!plot_) return;
    const QVector<TLegendEntry> entries = LegendEntries(*plot_);
    legend_->SetEntries(entries, LegendFont(*plot_, kScreenResolution));
    legend_->setVisible(plot_->CurveCount() > 0 && plot_->ShowLegend() && !entries.isEmpty());
    legend_->MoveInside(legend_->pos());
}

void TPlotCanvas::PlaceLegend() {
    const QRect plot = PlotRect();
    legend_->MoveInside(plot.bottomRight() - QPoint(legend_->width(), legend_->height()) +
                        QPoint(1, 1));
}

std::optional<QPointF> TPlotCanvas::LegendPosition() const {
    if (width() <= 0 || height() <= 0) return std::nullopt;
    return QPointF(static_cast<double>(legend_->x()) / width(),
                   static_cast<double>(legend_->y()) / height());
}

void TPlotCanvas::ZoomToBand(const QPoint& from, const QPoint& to) {
    const QRect plot = PlotRect();
    const auto clamp = [&plot](const QPoint& p) {
        return QPoint(std::clamp(p.x(), plot.left(), plot.right()),
                      std::clamp(p.y(), plot.top(), plot.bottom()));
    };
    const QPoint a = clamp(from), b = clamp(to);
    if (a.x() == b.x() || a.y() == b.y()) return;
    const TPlotMapping mapping = Mapping();
    const QPointF da = mapping.ToData(a), db = mapping.ToData(b);
    view_ = {ZoomedAxis(full_.X, da.x(), db.x()), ZoomedAxis(full_.Y, da.y(), db.y())};
    update();
}

void TPlotCanvas::ZoomOutAt(const QPoint& pixel) {
    const QPointF centre = Mapping().ToData(pixel);
    view_ = {ZoomedOutAxis(full_.X, view_.X, centre.x()),
             ZoomedOutAxis(full_.Y, view_.Y, centre.y())};
    update();
}

void TPlotCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!plot_) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    PaintPlot(painter, *plot_, view_, ScreenSurface());
    if (banding_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(anchor_, corner_).normalized());
    }
}

void TPlotCanvas::resizeEvent(QResizeEvent*) { PlaceLegend(); }

void TPlotCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!plot_ || !PlotRect().contains(pos)) return;
    if (event->button() == Qt::LeftButton && !plot_->ShowThree()) {
        banding_ = true;
        anchor_ = corner_ = pos;
    } else if (event->button() == Qt::RightButton) {
        ZoomOutAt(pos);
    }
}

void TPlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit pointerAt(Mapping().ToData(pos));
    if (banding_) {
        corner_ = pos;
        update();
    }
}

void TPlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (!banding_ || event->button() != Qt::LeftButton) return;
    banding_ = false;
    ZoomToBand(anchor_, event->position().toPoint());
    update();
}

}  // namespace keldar
