#include "PlotFilePileData.h"

#include <algorithm>

#include "PileStiffness.h"

namespace keldar {

// The plot file gives the average load and movement of each increment, tip first and never
// negated. The tip and the head come from the case's load-settlement row, which is signed: an
// uplift case (tip movement not above 1E-10) has its distribution negated to match.
static void addNodes(CaseDistribution& d, const LoadSettlementRow& row, float pileLength) {
    const float sign = row.tipMovement > 1e-10f ? 1.0f : -1.0f;
    const std::size_t n =
        std::min({d.middleDepth.size(), d.averageLoad.size(), d.averageMovement.size()});
    d.nodeDepth = {pileLength};
    d.nodeLoad = {row.tipLoad};
    d.nodeMovement = {row.tipMovement};
    for (std::size_t i = 0; i < n; ++i) {
        d.nodeDepth.push_back(d.middleDepth[i]);
        d.nodeLoad.push_back(sign * d.averageLoad[i]);
        d.nodeMovement.push_back(sign * d.averageMovement[i]);
    }
    d.nodeDepth.push_back(0.0f);
    d.nodeLoad.push_back(row.topLoad);
    d.nodeMovement.push_back(row.topMovement);
}

void addPileData(RunResults& r, const PileData& pile) {
    r.input.pileLength = pile.pileLength;
    r.input.diameter = pile.diameter;
    r.input.increments = pile.increments;
    r.input.settlementPoints = pile.settlementPoints;
    const int rows = static_cast<int>(std::min(pile.aeDepth.size(), pile.ae.size()));
    r.input.aePoints = rows;
    r.pileFlexibility = pileFlexibility(pile.aeDepth.data(), pile.ae.data(), rows, pile.pileLength,
                                        pile.increments);
    for (std::size_t k = 0; k < r.distributions.size() && k < r.loadSettlement.size(); ++k) {
        if (r.distributions[k].nodeDepth.empty())
            addNodes(r.distributions[k], r.loadSettlement[k], pile.pileLength);
    }
}

}  // namespace keldar
