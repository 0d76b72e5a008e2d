#include "SideCurves.h"

#include <array>

#include "RunStore.h"
#include "UnitSystem.h"

namespace keldar {

namespace {

constexpr int kShapePoints = kGeneratedPoints - 1;  // points 2..10; point 1 is the origin
using ShapeRow = std::array<float, kShapePoints>;

enum class MovementScale { Inches, Diameter };

// A t-z shape as a table: movements (inches or fractions of the diameter) and t / tmax.
struct TzShape {
    MovementScale scale;
    ShapeRow movement;
    ShapeRow ratio;
};

// Coyle & Reese, driven pile in clay.
constexpr TzShape kCoyleReeseClay{MovementScale::Inches,
                                  {0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f},
                                  {0.18f, 0.38f, 0.79f, 0.97f, 1.0f, 0.97f, 0.93f, 0.93f, 0.93f}};

// Reese & O'Neill, drilled shaft in clay.
constexpr TzShape kReeseONeillClay{
    MovementScale::Diameter,
    {0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.1f},
    {0.51f, 0.72f, 0.9f, 0.925f, 0.945f, 0.955f, 0.925f, 0.9f, 0.835f}};

// Reese & O'Neill, drilled shaft in sand.
constexpr TzShape kReeseONeillSand{
    MovementScale::Diameter,
    {0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.1f},
    {0.335f, 0.58f, 0.72f, 0.86f, 0.91f, 0.95f, 0.965f, 0.96f, 0.95f}};

// API, driven pile in clay.
constexpr TzShape kApiClay{MovementScale::Diameter,
                           {0.0016f, 0.0031f, 0.0057f, 0.008f, 0.01f, 0.02f, 0.03f, 0.05f, 0.2f},
                           {0.3f, 0.5f, 0.75f, 0.9f, 1.0f, 0.9f, 0.9f, 0.9f, 0.9f}};

// API, driven pile in sand.
constexpr TzShape kApiSand{MovementScale::Inches,
                           {0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.09f, 0.1f, 0.5f, 2.0f},
                           {0.1f, 0.2f, 0.4f, 0.6f, 0.8f, 0.9f, 1.0f, 1.0f, 1.0f}};

// Mosher's curve is a hyperbola through these movements (inches).
constexpr ShapeRow kMosherMovement{0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f};

// Mosher's modulus: constant or rising by 1333.3 per degree within each friction-angle range.
struct ModulusRange {
    float phiMax;  // the range is phi <= phiMax (above the previous range)
    float base;    // Es at phiFrom
    float phiFrom;
    float perDegree;
};
constexpr std::array<ModulusRange, 6> kMosherModulus{{
    {28.0f, 6000.0f, 28.0f, 0.0f},
    {31.0f, 6000.0f, 28.0f, 1333.3f},
    {32.0f, 10000.0f, 32.0f, 0.0f},
    {34.0f, 10000.0f, 32.0f, 1333.3f},
    {35.0f, 14000.0f, 35.0f, 0.0f},
    {38.0f, 14000.0f, 35.0f, 1333.3f},
}};
constexpr float kMosherModulusAbove38 = 18000.0f;

// Mosher's modulus is in lb/ft^2 per inch: psi to lb/ft^2 is 144, kPa to lb/ft^2 is 20.88.
constexpr float kSquareInchesPerSquareFoot = 144.0f;
constexpr float kKpaToPsf = 20.88f;

bool englishUnits() { return runStore().IUNIT == usEnglish; }

void buildFromShape(const TzShape& shape, int j) {
    RunStore& s = runStore();
    const float tmax = s.SKINC[j];
    for (int k = 0; k < kShapePoints; ++k) {
        float z = 0.0f;
        if (shape.scale == MovementScale::Diameter) {
            z = shape.movement[k] * s.DIAM;
        } else {
            z = englishUnits() ? shape.movement[k] : shape.movement[k] * kMetresPerInch;
        }
        s.TC[j][k + 2] = tmax * shape.ratio[k];
        s.ZC[j][k + 2] = z;
    }
}

// t = z / (1 / E + z / tmax), z in inches; in SI the friction goes through lb/ft^2.
void buildMosherSand(int j) {
    RunStore& s = runStore();
    const float es = mosherModulus(s.PHIC[j]);
    const bool english = englishUnits();
    const float e = english ? es / kSquareInchesPerSquareFoot : es;
    const float tmax = english ? s.SKINC[j] : s.SKINC[j] * kKpaToPsf;
    for (int k = 0; k < kShapePoints; ++k) {
        const float z = kMosherMovement[k];
        // No side friction: the hyperbola collapses to t = 0 (z / tmax would divide by zero).
        float t = tmax == 0.0f ? 0.0f : z / (1.0f / e + z / tmax);
        if (!english) t = t / kKpaToPsf;
        s.TC[j][k + 2] = t;
        s.ZC[j][k + 2] = english ? z : z * kMetresPerInch;
    }
}

}  // namespace

float mosherModulus(float phi) {
    for (const ModulusRange& range : kMosherModulus) {
        if (!(phi <= range.phiMax)) continue;
        if (range.perDegree == 0.0f) return range.base;
        return range.base + (phi - range.phiFrom) * range.perDegree;
    }
    return kMosherModulusAbove38;
}

void clearTzCurve(int j) {
    RunStore& s = runStore();
    for (int k = 1; k <= kGeneratedPoints; ++k) {
        s.TC[j][k] = 0.0f;
        s.ZC[j][k] = 0.0f;
    }
}

void buildTzCurve(TSoilCode code, int j) {
    clearTzCurve(j);
    switch (code) {
        case scCoyleReeseClay:
            buildFromShape(kCoyleReeseClay, j);
            break;
        case scMosherSand:
            buildMosherSand(j);
            break;
        case scReeseONeillClay:
            buildFromShape(kReeseONeillClay, j);
            break;
        case scReeseONeillSand:
            buildFromShape(kReeseONeillSand, j);
            break;
        case scApiClay:
            buildFromShape(kApiClay, j);
            break;
        case scApiSand:
            buildFromShape(kApiSand, j);
            break;
    }
}

}  // namespace keldar
