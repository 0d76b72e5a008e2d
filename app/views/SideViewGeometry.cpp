#include "SideViewGeometry.h"

#include <algorithm>
#include <cmath>

#include "DepthScale.h"
#include "MainTableColumns.h"
#include "NumberText.h"
#include "ProgramData.h"
#include "UnitSystem.h"

namespace keldar {

TSideViewInput SideViewInputFrom(const TProgramData& project) {
    TSideViewInput input;
    const TGridTableChart& layers = project.Tables().Chart("D2");
    for (int row = 0; row < layers.RowCount(); ++row) {
        input.Layers.push_back({layers.Cell(SoilLayerColumn::SoilType, row).GetInteger(),
                                layers.Cell(SoilLayerColumn::Bottom, row).GetFloat()});
    }
    input.PileLength = project.PileLength;
    input.OuterDiameter = project.OuterDiameter;
    input.UnitSystem = project.UnitSystem;
    return input;
}

long double PileDrawWidth(long double outerDiameter, int unitSystem) {
    return outerDiameter * 1.5L / (unitSystem == usEnglish ? 12.0L : 1000.0L);
}

QString LayerLabel(long double top, long double bottom, int soilCode, int unitSystem) {
    QString label = QStringLiteral("depth= ") + ShortestNumberText(static_cast<double>(top)) +
                    QStringLiteral(" - ") + ShortestNumberText(static_cast<double>(bottom)) +
                    QLatin1Char(' ') + DepthUnit(unitSystem);
    if (IsClayCode(soilCode)) label += QStringLiteral("; Clay");
    if (IsSandCode(soilCode)) label += QStringLiteral("; Sand");
    return label;
}

QString DepthReadout(long double depth) {
    return QStringLiteral("  Depth: ") + QString::number(static_cast<double>(depth), 'f', 1);
}

void TSideViewGeometry::Rebuild(const TSideViewInput& input) {
    fShapes.clear();
    fLayers = input.Layers;
    fPileWidth = PileDrawWidth(input.OuterDiameter, input.UnitSystem);
    fPileLength = input.PileLength;
    fUnitSystem = input.UnitSystem;
    if (fLayers.empty()) return;

    const long double half = fPileWidth / 2;
    fShapes.push_back({TWorldPoint{-half, 0}, TWorldPoint{half, 0},
                       TWorldPoint{-half, input.PileLength}, TWorldPoint{half, input.PileLength}});

    TWorldWindow world{fShapes[0][0].X, fShapes[0][0].X, fShapes[0][0].Y, fShapes[0][0].Y};
    for (const TWorldQuad& quad : fShapes) {
        for (const TWorldPoint& p : quad) {
            world.XMin = std::min(world.XMin, p.X);
            world.XMax = std::max(world.XMax, p.X);
            world.YMin = std::min(world.YMin, p.Y);
            world.YMax = std::max(world.YMax, p.Y);
        }
    }
    world.YMax = std::max(world.YMax, fLayers.back().Bottom);
    // A margin of 5 % beyond the outermost shape on every side that is away from zero.
    fWorld = {world.XMin * 1.05L, world.XMax * 1.05L, world.YMin * 1.05L, world.YMax * 1.05L};
}

bool TSideViewGeometry::Fit(int width, int height) {
    fWidth = width;
    fHeight = height;
    fDisplay = fWorld;
    const long double r = (static_cast<long double>(width) / height) /
                          ((fWorld.XMax - fWorld.XMin) / (fWorld.YMax - fWorld.YMin));
    fDisabled = width <= 0 || height <= 0 || !std::isfinite(r) || r <= 0;
    if (fDisabled) return false;
    if (r >= 1) {
        fDisplay.XMin *= r;
        fDisplay.XMax *= r;
    } else {
        fDisplay.YMin /= r;
        fDisplay.YMax /= r;
    }
    return true;
}

QPoint TSideViewGeometry::WorldToScreen(TWorldPoint point) const {
    if (fDisabled) return {};
    const long double x = (point.X - fDisplay.XMin) / (fDisplay.XMax - fDisplay.XMin) * fWidth;
    const long double y = (point.Y - fDisplay.YMin) / (fDisplay.YMax - fDisplay.YMin) * fHeight;
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

TWorldPoint TSideViewGeometry::ScreenToWorld(QPoint pixel) const {
    if (fDisabled) return {};
    return {static_cast<long double>(pixel.x()) / fWidth * (fDisplay.XMax - fDisplay.XMin) +
                fDisplay.XMin,
            static_cast<long double>(pixel.y()) / fHeight * (fDisplay.YMax - fDisplay.YMin) +
                fDisplay.YMin};
}

QRectF TSideViewGeometry::PileScreenRect(double minWidth) const {
    if (fDisabled || fShapes.empty()) return {};
    const TWorldQuad& pile = fShapes.front();
    QRectF rect(QPointF(WorldToScreen(pile[0])), QPointF(WorldToScreen(pile[3])));
    if (rect.width() < minWidth) {
        const double centre = rect.center().x();
        rect.setLeft(centre - minWidth / 2);
        rect.setRight(centre + minWidth / 2);
    }
    return rect;
}

long double TSideViewGeometry::PrintedDepth() const {
    const long double profile = fLayers.empty() ? 0 : fLayers.back().Bottom;
    return std::max(profile, fPileLength);
}

double PrintPageY(long double depth, long double printedDepth, double pageTop, double pageHeight) {
    const long double scale = printedDepth > 0 ? depth / printedDepth : 0;
    return static_cast<double>(scale) * 0.8 * pageHeight + 0.1 * pageHeight + pageTop;
}

}  // namespace keldar
