// The preview of a CPT design against depth: qt, the soil behaviour type index Ic with the
// sand/clay boundary, and the peak shaft friction τf of each t-z curve, the pile tip marked.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "ConeProfile.h"
#include "PileDesign.h"

namespace keldar {

class TCptPreview : public QWidget {
    Q_OBJECT

  public:
    explicit TCptPreview(QWidget* parent = nullptr);

    // An empty profile draws the empty panels.
    void SetProfile(std::vector<cpt::ConeProfileRow> profile, const cpt::PileDesign* design,
                    double pileLength);
    // The one drawing routine, for the window and for pictures of it.
    void paint(QPainter& painter, const QRect& area) const;

    QSize sizeHint() const override { return {480, 420}; }
    QSize minimumSizeHint() const override { return {420, 320}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Panel;
    std::array<Panel, 3> Panels(const std::array<QRect, 3>& frames, double depth) const;
    void PaintDepthAxis(QPainter& painter, const QRect& room, const Panel& first,
                        double step) const;
    void PaintPanel(QPainter& painter, const Panel& panel) const;
    void TraceQt(QPainter& painter, const Panel& panel) const;
    void TraceIc(QPainter& painter, const Panel& panel) const;
    void TraceFriction(QPainter& painter, const Panel& panel) const;
    void PaintPileMarks(QPainter& painter, const Panel& panel) const;

    std::vector<cpt::ConeProfileRow> profile_;
    std::vector<QPointF> friction_;  // (τf kPa, depth m) of each curve
    std::vector<double> boundaries_;
    double pileLength_ = 0;
};

}  // namespace keldar
