#include "CptPreview.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "SoilBehaviourType.h"

namespace keldar {

namespace {

constexpr double kKiloPerMega = 1000.0;
// Ic is drawn from 1 to 4, the range of the soil behaviour type chart.
constexpr double kIcLeast = 1.0;
constexpr double kIcMost = 4.0;

// A round step (1, 2 or 5 × 10^k) giving at most `most` intervals over `span`.
double RoundStep(double span, int most) {
    const double raw = span / most;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * decade >= raw) return factor * decade;
    }
    return 10 * decade;
}

double RoundUp(double value, double step) { return std::ceil(value / step - 1e-9) * step; }

QString TickText(double value) { return QString::number(value, 'g', 6); }

const QColor kSand(190, 140, 30);
const QColor kClay(40, 90, 170);

}  // namespace

struct TCptPreview::Panel {
    QRect frame;
    QString title;
    double least = 0, most = 1;
    double depth = 1;  // depth at the bottom edge, m
    void (TCptPreview::*trace)(QPainter&, const Panel&) const = nullptr;

    double X(double value) const {
        return frame.left() + (value - least) / (most - least) * frame.width();
    }
    double Y(double z) const { return frame.top() + z / depth * frame.height(); }
};

TCptPreview::TCptPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CptPreview"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TCptPreview::SetProfile(std::vector<cpt::ConeProfileRow> profile,
                             const cpt::PileDesign* design, double pileLength) {
    profile_ = std::move(profile);
    friction_.clear();
    boundaries_.clear();
    pileLength_ = pileLength;
    if (design) {
        for (const cpt::DesignCurve& curve : design->curves)
            friction_.emplace_back(curve.tauF, curve.depth);
        for (std::size_t i = 0; i + 1 < design->layers.size(); ++i) {
            if (design->layers[i].bottom < pileLength)
                boundaries_.push_back(design->layers[i].bottom);
        }
    }
    update();
}

void TCptPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect());
}

void TCptPreview::paint(QPainter& painter, const QRect& area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(painter.font());
    const int line = metrics.height();
    const int left = area.left() + metrics.horizontalAdvance(QStringLiteral("000")) + line;
    const int top = area.top() + 2 * line;
    const int bottom = area.bottom() - line / 2;
    const int gap = line;
    const int width = (area.right() - left - 2 * gap - 2 * line) / 3;
    const auto frame = [&](int k) {
        return QRect(left + k * (width + gap), top, width, bottom - top);
    };

    double deepest = std::max(pileLength_, 1.0);
    for (const cpt::ConeProfileRow& row : profile_) deepest = std::max(deepest, row.depth);
    const double depthStep = RoundStep(deepest, 8);
    const double depth = RoundUp(deepest, depthStep);
    const std::array<Panel, 3> panels = Panels({frame(0), frame(1), frame(2)}, depth);

    PaintDepthAxis(painter, QRect(area.left(), area.top(), left - area.left(), area.height()),
                   panels[0], depthStep);
    for (const Panel& panel : panels) PaintPanel(painter, panel);
    for (const Panel& panel : panels) PaintPileMarks(painter, panel);
    painter.restore();
}

// qt, Ic and τf side by side, each scaled to round values over its range.
std::array<TCptPreview::Panel, 3> TCptPreview::Panels(const std::array<QRect, 3>& frames,
                                                      double depth) const {
    double qtMost = 1.0, tauMost = 1.0;
    for (const cpt::ConeProfileRow& row : profile_)
        qtMost = std::max(qtMost, row.qt / kKiloPerMega);
    for (const QPointF& p : friction_) tauMost = std::max(tauMost, p.x());
    const double qtTop = RoundUp(qtMost, RoundStep(qtMost, 4));
    const double tauTop = RoundUp(tauMost, RoundStep(tauMost, 4));
    return {Panel{frames[0], QStringLiteral("qt (MPa)"), 0, qtTop, depth, &TCptPreview::TraceQt},
            Panel{frames[1], QStringLiteral("Ic"), kIcLeast, kIcMost, depth, &TCptPreview::TraceIc},
            Panel{frames[2], QStringLiteral("τf (kPa)"), 0, tauTop, depth,
                  &TCptPreview::TraceFriction}};
}

// Depth ticks in the room left of the first panel, the caption above them.
void TCptPreview::PaintDepthAxis(QPainter& painter, const QRect& room, const Panel& first,
                                 double step) const {
    const int line = QFontMetrics(painter.font()).height();
    painter.setPen(palette().color(QPalette::Text));
    for (double z = 0; z <= first.depth + 1e-9; z += step) {
        const double y = first.Y(z);
        painter.drawText(QRectF(room.left(), y - line / 2.0, room.width() - 4, line),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(z));
    }
    painter.drawText(QRect(room.left(), room.top(), room.width(), 2 * line),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("z (m)"));
}

void TCptPreview::TraceQt(QPainter& p, const Panel& panel) const {
    QPolygonF trace;
    for (const cpt::ConeProfileRow& row : profile_)
        trace << QPointF(panel.X(row.qt / kKiloPerMega), panel.Y(row.depth));
    p.setPen(QPen(palette().color(QPalette::Text), 1));
    p.drawPolyline(trace);
}

// Ic as dots coloured by the side of the sand/clay boundary they fall on.
void TCptPreview::TraceIc(QPainter& p, const Panel& panel) const {
    const double split = panel.X(cpt::kSandClayBoundary);
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawLine(QPointF(split, panel.frame.top()), QPointF(split, panel.frame.bottom()));
    p.setPen(Qt::NoPen);
    for (const cpt::ConeProfileRow& row : profile_) {
        if (std::isnan(row.ic)) continue;
        const double x = panel.X(std::clamp(row.ic, kIcLeast, kIcMost));
        p.setBrush(row.ic < cpt::kSandClayBoundary ? kSand : kClay);
        p.drawEllipse(QPointF(x, panel.Y(row.depth)), 1.5, 1.5);
    }
}

// The peak friction of each t-z curve at its depth.
void TCptPreview::TraceFriction(QPainter& p, const Panel& panel) const {
    const QColor ink = palette().color(QPalette::Text);
    QPolygonF peaks;
    for (const QPointF& f : friction_) peaks << QPointF(panel.X(f.x()), panel.Y(f.y()));
    p.setPen(QPen(ink, 1.5));
    p.drawPolyline(peaks);
    p.setBrush(ink);
    for (const QPointF& at : peaks) p.drawEllipse(at, 2.0, 2.0);
}

// The pile tip and the layer boundaries across the panel.
void TCptPreview::PaintPileMarks(QPainter& painter, const Panel& panel) const {
    painter.setPen(QPen(Qt::red, 1.5, Qt::DashLine));
    const double yTip = panel.Y(pileLength_);
    painter.drawLine(QPointF(panel.frame.left(), yTip), QPointF(panel.frame.right(), yTip));
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DotLine));
    for (double b : boundaries_)
        painter.drawLine(QPointF(panel.frame.left(), panel.Y(b)),
                         QPointF(panel.frame.right(), panel.Y(b)));
}

void TCptPreview::PaintPanel(QPainter& painter, const Panel& panel) const {
    const QFontMetrics metrics(painter.font());
    const int line = metrics.height();
    const QColor ink = palette().color(QPalette::Text);
    painter.setPen(QPen(Qt::lightGray, 1));
    painter.setBrush(Qt::NoBrush);
    // Grid lines at the round values of the value axis, labelled along the top: as many as the
    // panel's width holds without their labels running together.
    const int labelRoom = metrics.horizontalAdvance(QStringLiteral("0000"));
    const double step =
        RoundStep(panel.most - panel.least, std::clamp(panel.frame.width() / labelRoom, 1, 4));
    for (double v = panel.least; v <= panel.most + 1e-9; v += step) {
        const double x = panel.X(v);
        painter.setPen(QPen(Qt::lightGray, 1));
        painter.drawLine(QPointF(x, panel.frame.top()), QPointF(x, panel.frame.bottom()));
        painter.setPen(ink);
        painter.drawText(QRectF(x - 3 * line, panel.frame.top() - line, 6 * line, line),
                         Qt::AlignHCenter | Qt::AlignBottom, TickText(v));
    }
    painter.drawText(
        QRect(panel.frame.left(), panel.frame.top() - 2 * line, panel.frame.width(), line),
        Qt::AlignHCenter | Qt::AlignBottom, panel.title);
    painter.save();
    painter.setClipRect(panel.frame.adjusted(-3, -3, 3, 3));
    (this->*panel.trace)(painter, panel);
    painter.restore();
    painter.setPen(QPen(ink, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(panel.frame);
}

}  // namespace keldar
