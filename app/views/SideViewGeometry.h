// The soil profile drawn to scale: the layers and the pile in world coordinates (x across the
// pile, y the depth below the pile head, positive downward, in the project's depth unit), the
// world window that holds them and the display window fitted to a drawing surface.
#pragma once

#include <QPoint>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

#include "SoilCode.h"
#include "UnitSystem.h"

namespace keldar {

class TProgramData;

struct TSoilLayerBand {
    int SoilCode = scCoyleReeseClay;  // the layer table's number
    long double Bottom = 0;           // depth of the layer's bottom
};

struct TSideViewInput {
    std::vector<TSoilLayerBand> Layers;  // top down; the first starts at the ground surface
    long double PileLength = 0;
    long double OuterDiameter = 0;  // in inches or millimetres
    int UnitSystem = usEnglish;     // English: depths in ft; S.I.: in m
};

struct TWorldPoint {
    long double X = 0;
    long double Y = 0;
};

struct TWorldWindow {
    long double XMin = -10;
    long double XMax = 10;
    long double YMin = 0;
    long double YMax = 10;
};

// Corners in the order top-left, top-right, bottom-left, bottom-right.
using TWorldQuad = std::array<TWorldPoint, 4>;

// The layers of the soil layer table and the pile of the project.
TSideViewInput SideViewInputFrom(const TProgramData& project);

// The width of the pile bar on the depth scale: 1.5 diameters, the diameter taken from inches to
// feet or from millimetres to metres.
long double PileDrawWidth(long double outerDiameter, int unitSystem);

// "depth= 0 - 50 ft; Clay"
QString LayerLabel(long double top, long double bottom, int soilCode, int unitSystem);
// The window caption while the pointer is over the drawing: "  Depth: 12.3"
QString DepthReadout(long double depth);

class TSideViewGeometry {
  public:
    // Rebuilds the shapes and the world window from the project; then fit() must follow.
    void Rebuild(const TSideViewInput& input);
    // Fits the display window to a surface of this size: the world window widened along one
    // axis to the surface's aspect ratio, so the drawing is never distorted. A surface or window
    // without extent leaves the geometry disabled until a later fit succeeds.
    bool Fit(int width, int height);
    bool Disabled() const { return fDisabled; }

    // Both give the origin while disabled.
    QPoint WorldToScreen(TWorldPoint point) const;
    TWorldPoint ScreenToWorld(QPoint pixel) const;

    const TWorldWindow& World() const { return fWorld; }
    const TWorldWindow& Display() const { return fDisplay; }
    const std::vector<TWorldQuad>& Shapes() const { return fShapes; }
    const std::vector<TSoilLayerBand>& Layers() const { return fLayers; }
    // Top of layer i: the ground surface for the first, else the bottom of the one above.
    long double LayerTop(std::size_t i) const { return i == 0 ? 0 : fLayers[i - 1].Bottom; }
    // The depth the printed page spans: the deeper of the profile's bottom and the pile tip.
    long double PrintedDepth() const;
    long double PileWidth() const { return fPileWidth; }
    long double PileLength() const { return fPileLength; }
    int UnitSystem() const { return fUnitSystem; }
    // The pile on the fitted surface, widened about its axis to at least minWidth pixels: a
    // slender pile drawn to scale would be a hairline. Empty without a pile or while disabled.
    QRectF PileScreenRect(double minWidth) const;

  private:
    std::vector<TWorldQuad> fShapes;
    std::vector<TSoilLayerBand> fLayers;
    TWorldWindow fWorld;
    TWorldWindow fDisplay;
    long double fPileWidth = 0;
    long double fPileLength = 0;
    int fUnitSystem = usEnglish;
    int fWidth = 0;
    int fHeight = 0;
    bool fDisabled = false;
};

// Page position of a depth on the printed profile: the depth range spans 10 % to 90 % of the
// page height.
double PrintPageY(long double depth, long double printedDepth, double pageTop, double pageHeight);

}  // namespace keldar
