#include "PlotLegendBox.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace keldar {

static QString LineOf(const TLegendEntry& entry) {
    return entry.Shown ? entry.Text + QStringLiteral(" *") : entry.Text;
}

TPlotLegendBox::TPlotLegendBox(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeAllCursor);
    setToolTip(QStringLiteral("Drag to move; double-click an entry to show or hide its curve"));
}

int TPlotLegendBox::ItemHeight() const {
    // The list's rows are one and a half times the legend font's point size.
    const double points = font().pixelSize() * 72.0 / 96;
    return std::max(fontMetrics().height(), static_cast<int>(std::lround(1.5 * points)));
}

void TPlotLegendBox::SetEntries(const QVector<TLegendEntry>& entries, const QFont& font) {
    entries_ = entries;
    setFont(font);
    int widest = 0;
    for (const TLegendEntry& entry : entries_) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(LineOf(entry)));
    }
    // A quarter inch of room beside the widest text.
    resize(widest + 24, static_cast<int>(entries_.size()) * ItemHeight() + 3);
    update();
}

QStringList TPlotLegendBox::Lines() const {
    QStringList lines;
    for (const TLegendEntry& entry : entries_) lines << LineOf(entry);
    return lines;
}

QRect TPlotLegendBox::EntryRect(int entry) const {
    return {1, 1 + entry * ItemHeight(), width() - 2, ItemHeight()};
}

int TPlotLegendBox::EntryAt(const QPoint& pos) const {
    for (int i = 0; i < entries_.size(); ++i) {
        if (EntryRect(i).contains(pos)) return i;
    }
    return -1;
}

void TPlotLegendBox::MoveInside(QPoint topLeft) {
    if (const QWidget* owner = parentWidget()) {
        topLeft.setX(std::clamp(topLeft.x(), 0, std::max(0, owner->width() - width())));
        topLeft.setY(std::clamp(topLeft.y(), 0, std::max(0, owner->height() - height())));
    }
    move(topLeft);
}

void TPlotLegendBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i < entries_.size(); ++i) {
        painter.setPen(CurveColour(entries_[i].Position));
        painter.drawText(EntryRect(i).adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         LineOf(entries_[i]));
    }
}

void TPlotLegendBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    grab_ = event->position().toPoint();
}

void TPlotLegendBox::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    MoveInside(mapToParent(event->position().toPoint()) - grab_);
    emit moved();
}

void TPlotLegendBox::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TPlotLegendBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const int entry = EntryAt(event->position().toPoint());
    if (entry >= 0) emit curveToggled(entries_[entry].Curve);
}

}  // namespace keldar
