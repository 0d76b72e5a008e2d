#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace keldar {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(30, 90, 180);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);
const QColor kClay(176, 132, 84);
const QColor kSand(232, 206, 140);
const QColor kSteel(120, 130, 140);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Sheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(5, 2.5);
    sheet.lineTo(14.5, 2.5);
    sheet.lineTo(19.5, 7.5);
    sheet.lineTo(19.5, 21.5);
    sheet.lineTo(5, 21.5);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({{14.5, 2.5}, {14.5, 7.5}, {19.5, 7.5}}));
}

void Axes(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(3.5, 2.5), QPointF(3.5, 20.5));
    p.drawLine(QPointF(3.5, 20.5), QPointF(21.5, 20.5));
}

// Load across the top, depth or settlement growing downwards, as the pile's plots are drawn.
void AxesFromTop(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(3.5, 3.5), QPointF(21.5, 3.5));
    p.drawLine(QPointF(3.5, 3.5), QPointF(3.5, 21.5));
}

void Curve(QPainter& p, const QColor& colour, std::initializer_list<QPointF> points) {
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(points));
}

void Layers(QPainter& p, double left, double right) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSand);
    p.drawRect(QRectF(left, 6, right - left, 7));
    p.setBrush(kClay);
    p.drawRect(QRectF(left, 13, right - left, 9));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(left, 6), QPointF(right, 6));
    p.drawLine(QPointF(left, 13), QPointF(right, 13));
}

void PaintNewFile(QPainter& p) {
    Sheet(p);
    p.setPen(QPen(kGreen, 2));
    p.drawLine(QPointF(9, 14), QPointF(15, 14));
    p.drawLine(QPointF(12, 11), QPointF(12, 17));
}

void PaintOpenFile(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(
        QPolygonF({{2.5, 5.5}, {9, 5.5}, {11, 7.5}, {20.5, 7.5}, {20.5, 19.5}, {2.5, 19.5}}));
    p.setBrush(QColor(250, 222, 130));
    p.drawPolygon(QPolygonF({{5, 10.5}, {22.5, 10.5}, {20.5, 19.5}, {2.5, 19.5}}));
}

void PaintSaveFile(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3.5, 10, 6));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(6.5, 13, 11, 7.5));
}

void PaintRun(QPainter& p) {
    p.setPen(QPen(kGreen.darker(130), 1));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{7, 4}, {19.5, 12}, {7, 20}}));
}

void PaintSoilLayers(QPainter& p) {
    Layers(p, 2.5, 21.5);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 2.5, 19, 19.5));
}

void PaintOutputText(QPainter& p) {
    Sheet(p);
    p.setPen(QPen(kInk, 1));
    for (double y : {10.5, 13.5, 16.5, 19.0}) p.drawLine(QPointF(7.5, y), QPointF(17, y));
}

// A sheet of label and value pairs, the key line underlined.
void PaintResultsSummary(QPainter& p) {
    Sheet(p);
    p.setPen(QPen(kInk, 1));
    for (double y : {10.5, 14.0, 17.5}) {
        p.drawLine(QPointF(7.5, y), QPointF(11.5, y));
        p.drawLine(QPointF(14, y), QPointF(17, y));
    }
    p.setPen(QPen(kRed, 1.6));
    p.drawLine(QPointF(7.5, 19.8), QPointF(17, 19.8));
}

void PaintSoilProfile(QPainter& p) {
    Layers(p, 2.5, 21.5);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSteel);
    p.drawRect(QRectF(10.5, 2, 3, 17));
}

void PaintLoadDistribution(QPainter& p) {
    AxesFromTop(p);
    Curve(p, kBlue, {{20, 4}, {16, 10}, {12, 16}, {9, 21}});
    Curve(p, kRed, {{13, 4}, {11, 11}, {8, 17}, {6, 21}});
}

void PaintLoadSettlement(QPainter& p) {
    AxesFromTop(p);
    Curve(p, kBlue, {{3.5, 3.5}, {12, 6}, {17, 10}, {19.5, 15}, {20.5, 21}});
}

void PaintTZCurves(QPainter& p) {
    Axes(p);
    Curve(p, kBlue, {{3.5, 20.5}, {7, 9}, {12, 5}, {21, 5}});
    Curve(p, kRed, {{3.5, 20.5}, {8, 13}, {13, 10}, {21, 10}});
}

void PaintQWCurve(QPainter& p) {
    Axes(p);
    Curve(p, kGreen, {{3.5, 20.5}, {8, 13}, {13, 8}, {21, 5}});
}

}  // namespace

QIcon ToolIcon(TToolIcon kind) {
    switch (kind) {
        case TToolIcon::NewFile:
            return Drawn(PaintNewFile);
        case TToolIcon::OpenFile:
            return Drawn(PaintOpenFile);
        case TToolIcon::SaveFile:
            return Drawn(PaintSaveFile);
        case TToolIcon::Run:
            return Drawn(PaintRun);
        case TToolIcon::SoilLayers:
            return Drawn(PaintSoilLayers);
        case TToolIcon::OutputText:
            return Drawn(PaintOutputText);
        case TToolIcon::ResultsSummary:
            return Drawn(PaintResultsSummary);
        case TToolIcon::SoilProfile:
            return Drawn(PaintSoilProfile);
        case TToolIcon::LoadDistribution:
            return Drawn(PaintLoadDistribution);
        case TToolIcon::LoadSettlement:
            return Drawn(PaintLoadSettlement);
        case TToolIcon::TZCurves:
            return Drawn(PaintTZCurves);
        case TToolIcon::QWCurve:
            return Drawn(PaintQWCurve);
    }
    return {};
}

}  // namespace keldar
