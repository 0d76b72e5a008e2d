// The legend on screen: an owner-drawn list of the active curves, each text in its curve's
// colour and followed by " *" while the curve is shown. It can be dragged anywhere inside its
// parent; a double click on an entry shows or hides that curve.
#pragma once

#include <QPoint>
#include <QVector>
#include <QWidget>

#include "PlotLegend.h"

namespace keldar {

class TPlotLegendBox : public QWidget {
    Q_OBJECT

  public:
    explicit TPlotLegendBox(QWidget* parent = nullptr);

    void SetEntries(const QVector<TLegendEntry>& entries, const QFont& font);
    // The texts as the list shows them.
    QStringList Lines() const;
    int EntryAt(const QPoint& pos) const;  // -1 between entries
    QRect EntryRect(int entry) const;
    // Keeps the whole box inside its parent.
    void MoveInside(QPoint topLeft);

  signals:
    void curveToggled(int curve);
    void moved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int ItemHeight() const;

    QVector<TLegendEntry> entries_;
    bool dragging_ = false;
    QPoint grab_;
};

}  // namespace keldar
