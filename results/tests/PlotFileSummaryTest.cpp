// The summary the program shows, read back from the plot file with the project's pile added,
// against the summary of the same run at the engine's full precision (keldar-run's).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "PlotFilePileData.h"
#include "PlotFileResults.h"
#include "ResultsSummary.h"
#include "RunDriver.h"
#include "TestFiles.h"

namespace keldar {
namespace {

struct BothPaths {
    ResultsSummary engine;    // from the run's own numbers
    ResultsSummary plotFile;  // from the .kd3p and the pile data
    RunResults plotResults;
};

BothPaths runBothWays(const std::string& example, const PileData& pile) {
    test::TempDir dir;
    const RunPaths paths{dir.file("pile.kd3d"), dir.file("pile.kd3o"), dir.file("pile.kd3p"),
                         dir.file("pile.kd3r")};
    const char* root = std::getenv("KELDAR_SOURCE_DIR");
    test::writeFile(paths.dataFile, test::readFile(std::string(root ? root : ".") + "/examples/" +
                                                   example + ".kd3d"));
    RunResults full;
    RunOptions options;
    options.consoleBanner = false;
    options.results = &full;
    EXPECT_EQ(runKeldar(paths, RunIdentity{}, options), 0);
    BothPaths both;
    both.engine = summarizeResults(full);
    std::string message;
    EXPECT_TRUE(readPlotFileResults(paths.plotFile, paths.reportFile, both.plotResults, message));
    addPileData(both.plotResults, pile);
    both.plotFile = summarizeResults(both.plotResults);
    return both;
}

// The plot file prints four significant digits (E16.4) of the load-settlement rows.
void expectClose(float plotFile, float engine, const char* what) {
    if (std::isnan(engine)) {
        EXPECT_TRUE(std::isnan(plotFile)) << what;
        return;
    }
    EXPECT_NEAR(plotFile, engine, 1e-3f * std::fabs(engine) + 1e-9f) << what;
}

void expectSameCriteria(const BothPaths& b) {
    expectClose(b.plotFile.capacity10PctDiameter, b.engine.capacity10PctDiameter, "10 % D");
    expectClose(b.plotFile.davissonCapacity, b.engine.davissonCapacity, "Davisson");
    expectClose(b.plotFile.davissonSettlement, b.engine.davissonSettlement, "Davisson w");
    expectClose(b.plotFile.loadAtChosenSettlement, b.engine.loadAtChosenSettlement, "at 1 in");
    expectClose(b.plotFile.settlementAtChosenLoad, b.engine.settlementAtChosenLoad, "at load");
    // The flexibility comes from the same AE table by the same rule: exactly the solver's.
    EXPECT_EQ(b.plotFile.davissonFlexibility, b.engine.davissonFlexibility);
    EXPECT_EQ(b.plotFile.davissonOffset, b.engine.davissonOffset);
}

TEST(PlotFileSummary, SteppedStiffnessAndUpliftMatchTheRun) {
    // AE 8.5E6 kN down to 6 m, then 7E6 kN: a step at 6 m.
    const PileData pile{12.0f, 0.6f, 24, {0, 6, 6, 12}, {8.5e6f, 8.5e6f, 7e6f, 7e6f}, 0};
    const BothPaths b = runBothWays("user-curves-si", pile);
    expectSameCriteria(b);
    EXPECT_NEAR(b.plotFile.davissonFlexibility, 6.0 / 8.5e6 + 6.0 / 7.0e6, 1e-13);
    // The uplift case's distribution is signed as its row: head and tip nodes agree with it.
    const CaseDistribution& uplift = b.plotResults.distributions[0];
    EXPECT_LT(uplift.nodeLoad[1], 0.0f);
    EXPECT_LT(uplift.nodeLoad.back(), 0.0f);
    EXPECT_FALSE(b.plotFile.downDrag);
}

TEST(PlotFileSummary, NeutralPlaneFromTheIncrementsMiddles) {
    const PileData pile{720.0f, 16.0f, 40, {0, 720}, {5e8f, 5e8f}, 3};
    const BothPaths b = runBothWays("layered-downdrag", pile);
    expectSameCriteria(b);
    ASSERT_TRUE(b.plotFile.downDrag);
    ASSERT_EQ(b.plotFile.cases.size(), b.engine.cases.size());
    for (std::size_t k = 0; k < b.engine.cases.size(); ++k) {
        const CaseSummary& p = b.plotFile.cases[k];
        const CaseSummary& e = b.engine.cases[k];
        // The middles lie half an increment (9 in) from the nodes, and their loads are the
        // increments' averages printed to three digits, which cut the peak of the distribution:
        // the plane within half an increment, the loads within 2 % of the largest.
        EXPECT_NEAR(p.neutralPlaneDepth, e.neutralPlaneDepth, 9.0f) << k;
        EXPECT_NEAR(p.maxAxialLoad, e.maxAxialLoad, 0.02f * e.maxAxialLoad) << k;
        EXPECT_LE(p.maxAxialLoad, e.maxAxialLoad * 1.001f) << k;
        EXPECT_NEAR(p.dragLoad, e.dragLoad, 0.02f * e.maxAxialLoad) << k;
        EXPECT_NEAR(p.neutralPlaneSettlement, e.neutralPlaneSettlement,
                    0.01f * e.neutralPlaneSettlement)
            << k;
    }
}

}  // namespace
}  // namespace keldar
