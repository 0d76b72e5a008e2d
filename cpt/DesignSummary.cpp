#include "DesignSummary.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace keldar::cpt {
namespace {

// Numbers always with "." whatever the user's locale.
class Text {
  public:
    Text() { fOut.imbue(std::locale::classic()); }
    Text& operator<<(const std::string& s) {
        fOut << s;
        return *this;
    }
    Text& Fixed(double value, int width, int decimals) {
        fOut << std::fixed << std::setprecision(decimals) << std::setw(width) << value;
        return *this;
    }
    std::string str() const { return fOut.str(); }

  private:
    std::ostringstream fOut;
};

}  // namespace

std::string DesignSummary(const CptRecord& record, const DesignOptions& options,
                          const PileDesign& design) {
    const PileGeometry& pile = options.pile;
    Text t;
    t << "CPT " << (record.testId.empty() ? std::string("(no test id)") : record.testId) << ": "
      << std::to_string(record.readings.size()) << " readings, "
      << std::to_string(record.droppedRows) << " void rows dropped\n";
    for (const std::string& note : record.notes) t << "  note: " << note << "\n";
    t << "Pile: D ";
    t.Fixed(pile.diameter, 0, 3) << " m, ";
    if (pile.InnerDiameter() > 0) {
        t << "open tube, wall ";
        t.Fixed(pile.wall, 0, 4) << " m, ";
    } else {
        t << (pile.closedEnd ? "closed end, " : "solid, ");
    }
    t << "L ";
    t.Fixed(pile.length, 0, 2) << " m, Are ";
    t.Fixed(EffectiveAreaRatio(pile), 0, 4) << ", AE ";
    t.Fixed(design.axialStiffness, 0, 0)
        << " kN, " << (options.direction == LoadDirection::Tension ? "tension" : "compression")
        << "\n";
    t << "Layers:\n";
    double top = 0;
    for (const SoilLayer& layer : design.layers) {
        if (top >= pile.length) break;
        t << "  ";
        t.Fixed(top, 7, 2) << " to ";
        t.Fixed(&layer == &design.layers.back() ? pile.length : layer.bottom, 7, 2)
            << " m  " << SoilKindName(layer.kind) << "\n";
        top = layer.bottom;
    }
    t << "t-z curves: " << std::to_string(design.curves.size()) << "\n";
    t << "   depth m  soil      qt kPa  s'v0 kPa   tau_f kPa  z_peak mm\n";
    for (const DesignCurve& c : design.curves) {
        t.Fixed(c.depth, 10, 2) << "  " << SoilKindName(c.kind);
        t.Fixed(c.qt, 10, 0);
        t.Fixed(c.sigmaVEff, 10, 1);
        t.Fixed(c.tauF, 12, 2);
        const CurvePoint& peak =
            *std::max_element(c.points.begin(), c.points.end(),
                              [](const CurvePoint& a, const CurvePoint& b) { return a.t < b.t; });
        t.Fixed(peak.z * 1000.0, 11, 2) << "\n";
    }
    t << "Base: " << SoilKindName(design.baseKind) << ", qp ";
    t.Fixed(design.qp, 0, 0) << " kPa, qb0.1 ";
    t.Fixed(design.qbPeak, 0, 0) << " kPa, Qb at 0.1 D ";
    t.Fixed(design.qbPeak * pile.GrossTipArea(), 0, 1) << " kN\n";
    t << "Shaft capacity pi D int tau_f dz: ";
    t.Fixed(design.ShaftCapacity(pile.diameter), 0, 1) << " kN\n";
    for (const std::string& note : design.notes) t << "  note: " << note << "\n";
    return t.str();
}

}  // namespace keldar::cpt
