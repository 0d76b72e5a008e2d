#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "Format.h"
#include "IncrementTable.h"
#include "PileSolution.h"
#include "ResultOutput.h"
#include "RunResultsCollect.h"
#include "Solver.h"
#include "SolverFixtures.h"

namespace keldar {
namespace {

using namespace keldar::testing;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::string lines(std::initializer_list<std::string> list) {
    std::string text;
    for (const std::string& line : list) text += line + "\n";
    return text;
}

const std::string kTitle = "SMALL TEST PILE";

// Two increments of 50 in. on a 1 in. pile with AE = 1e6 lb, a full side friction of 2 psi at
// any movement above 0.001 in. and a tip spring of 1000 lb/in.: each increment takes
// 2 x 3.1416 x 1 x 50 = 314.16 lb.
void smallPile() {
    RunStore& s = freshEnglishRun();
    std::copy(kTitle.begin(), kTitle.end(), s.TITLE);
    setPile(100.0f, 1.0f, 2, 1e-7f);
    setConstantStiffness(1.0e6f);
    addCurve(0.0f, {{0.0f, 0.0f}, {2.0f, 0.001f}, {2.0f, 10.0f}});
    setTipCurve({{0.0f, 0.0f}, {1000.0f, 1.0f}});
    setTipMovements({0.5f, -0.5f});
}

const std::string kCaseHeading = lines({
    " ",
    "",
    "",
    "",
    "        ASSUMED TIP MOVEMENT        TIP   LOAD",
    blanks(17) + "IN." + blanks(20) + "LBS",
    blanks(13) + "0.5000E+00" + blanks(13) + "0.5000E+03",
    "",
    "",
    "",
    " DEPTH     LOAD       LOAD      TOTAL      AVG      DEFORM     TOTAL     AVG",
    "         TRANSFER     INCR      LOAD       LOAD     OF INCR    MVMNT     MVMNT",
    "  IN.     PSI          LBS       LBS        LBS      IN.        IN.       IN.",
});

// Tip movement 0.5: tip load 500; increment 1 carries 657.08 on average and shortens 0.032854,
// its middle moves 0.5 + (657.08 + 500) / 2 x 25 / 1e6 = 0.5144635; increment 2 likewise.
const std::string kDownwardCase =
    kCaseHeading + lines({
                       "  100.0" + blanks(23) + "0.500E+03" + blanks(22) + "0.500E+00",
                       "   75.0  0.200E+01  0.314E+03" + blanks(11) + "0.657E+03  0.329E-01" +
                           blanks(11) + "0.514E+00",
                       "   50.0" + blanks(23) + "0.814E+03" + blanks(22) + "0.533E+00",
                       "   25.0  0.200E+01  0.314E+03" + blanks(11) + "0.971E+03  0.486E-01" +
                           blanks(11) + "0.555E+00",
                       "    0.0" + blanks(23) + "0.113E+04" + blanks(22) + "0.581E+00",
                   });

// Tip movement -0.5: solved with 0.5 and no tip load, every load and movement printed negated.
const std::string kUpliftCase =
    kCaseHeading + lines({
                       "  100.0" + blanks(22) + "-0.000E+00" + blanks(21) + "-0.500E+00",
                       "   75.0 -0.200E+01 -0.314E+03" + blanks(10) + "-0.157E+03 -0.785E-02" +
                           blanks(10) + "-0.502E+00",
                       "   50.0" + blanks(22) + "-0.314E+03" + blanks(21) + "-0.508E+00",
                       "   25.0 -0.200E+01 -0.314E+03" + blanks(10) + "-0.471E+03 -0.236E-01" +
                           blanks(10) + "-0.518E+00",
                       "    0.0" + blanks(22) + "-0.628E+03" + blanks(21) + "-0.531E+00",
                   });

const std::string kResultHeading = lines({
    "",
    "",
    "",
    "        TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD",
    blanks(11) + "LBS" + blanks(13) + "IN." + blanks(14) + "IN." + blanks(12) + "LBS",
});

const std::string kLoadSettlementRows = lines({
    blanks(7) + "0.1128E+04" + blanks(6) + "0.5814E+00" + blanks(6) + "0.5000E+00" + blanks(6) +
        "0.5000E+03",
    blanks(6) + "-0.6283E+03" + blanks(5) + "-0.5314E+00" + blanks(5) + "-0.5000E+00" + blanks(5) +
        "-0.5000E+03",
});

const std::string kLoadSettlementTable =
    lines({" ", " " + kTitle + blanks(72 - static_cast<int>(kTitle.size()))}) + kResultHeading +
    kLoadSettlementRows;

// Middle depth, average load, average movement; the uplift case is not negated here.
const std::string kPlotFile = lines({
                                  "           2           2           1",
                                  "  0.750E+02    0.657E+03    0.514E+00",
                                  "  0.250E+02    0.971E+03    0.555E+00",
                                  "  0.750E+02    0.157E+03    0.502E+00",
                                  "  0.250E+02    0.471E+03    0.518E+00",
                              }) +
                              kLoadSettlementRows;

TEST(SolverReport, CaseBlocksAndLoadSettlementTableColumnExact) {
    smallPile();
    std::int32_t status = 0;
    runTipMovementCases(status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runFiles().report.captured(), kDownwardCase + kUpliftCase + kLoadSettlementTable);
    EXPECT_EQ(runFiles().plot.captured(), kPlotFile);
    const RunStore& s = runStore();
    EXPECT_FLOAT_EQ(s.TOPLOAD[1], 1128.32f);
    EXPECT_FLOAT_EQ(s.TOPLOAD[2], -628.32f);
    EXPECT_FLOAT_EQ(s.TIPLOAD[2], -500.0f);
    EXPECT_EQ(s.TIPMOV[2], -0.5f);
}

TEST(SolverReport, OutputOptionLeavesOutTheCaseBlocksButNotThePlotRows) {
    smallPile();
    runStore().IOUT = 1;
    std::int32_t status = 0;
    runTipMovementCases(status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runFiles().report.captured(), kLoadSettlementTable);
    EXPECT_EQ(runFiles().plot.captured(), kPlotFile);
}

// Reads the plot file's load-controlled rows (after the header, distribution and cases).
std::vector<std::vector<double>> loadControlledPlotRows() {
    std::istringstream in(runFiles().plot.captured());
    int cases = 0, increments = 0, unit = 0;
    in >> cases >> increments >> unit;
    std::vector<double> numbers;
    for (double v; in >> v;) numbers.push_back(v);
    const std::size_t first = static_cast<std::size_t>(3 * cases * increments + 4 * cases);
    std::vector<std::vector<double>> rows;
    for (std::size_t i = first; i + 3 < numbers.size(); i += 4)
        rows.push_back({numbers[i], numbers[i + 1], numbers[i + 2], numbers[i + 3]});
    return rows;
}

TEST(SolverReport, LoadControlledTable) {
    // No side friction and a tip spring of 1e5 lb/in.: a head load L needs the tip movement
    // L / 1e5 and the head moves L / 1e5 + L x 100 / 1e8.
    RunStore& s = freshEnglishRun();
    std::copy(kTitle.begin(), kTitle.end(), s.TITLE);
    setPile(100.0f, 1.0f, 4, 1e-7f);
    setConstantStiffness(1.0e8f);
    addCurve(0.0f, {{0.0f, 0.0f}, {0.0f, 10.0f}});
    setTipCurve({{0.0f, 0.0f}, {1.0e6f, 10.0f}});
    setTipMovements({0.1f, 0.2f, 0.4f});
    setTopLoads({15000.0f, 50000.0f, -100.0f});
    std::int32_t status = 0;
    runTipMovementCases(status);
    const std::size_t afterCases = runFiles().report.captured().size();
    runLoadControlled(status);
    EXPECT_EQ(status, 0);
    const std::string table = runFiles().report.captured().substr(afterCases);
    // 15000 starts at 0.15 from the cases and matches at once.
    const std::string expectedStart =
        lines({"1", blanks(8) + kTitle + blanks(72 - static_cast<int>(kTitle.size()))}) +
        kResultHeading +
        lines({blanks(7) + "0.1500E+05" + blanks(6) + "0.1650E+00" + blanks(6) + "0.1500E+00" +
               blanks(6) + "0.1500E+05"});
    EXPECT_EQ(table.substr(0, expectedStart.size()), expectedStart);
    // 50000 lies beyond the last case (40000): found by steps and halving.
    EXPECT_NE(table.find("\n" + blanks(7) + "0.5000E+05"), std::string::npos);
    // A load of 0 or less is never matched.
    EXPECT_EQ(table.substr(table.size() - 50),
              blanks(6) + "-0.1000E+03" + blanks(5) + "NOT ABLE TO GET CONVERGENCE\n");

    const auto rows = loadControlledPlotRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_DOUBLE_EQ(rows[0][0], 15000.0);
    EXPECT_NEAR(rows[1][2], 0.5, 0.00025 + 5e-5);  // within 0.0005 x L, as printed
    EXPECT_NEAR(rows[1][1], rows[1][2] + 0.05, 1e-4);
    EXPECT_NEAR(rows[1][3], 50000.0, 25.0 + 5.0);
    EXPECT_EQ(rows[2], (std::vector<double>{-100.0, 0.0, 0.0, 0.0}));
}

// Cases and head-load searches solved on several threads give the files of one thread, byte
// for byte: uplift cases, down-drag, and head loads both within and beyond reach.
TEST(SolverReport, SameFilesWithAnyNumberOfThreads) {
    const auto run = [](int workers) {
        RunStore& s = freshEnglishRun();
        std::copy(kTitle.begin(), kTitle.end(), s.TITLE);
        setPile(600.0f, 16.0f, 120, 1e-5f);
        setConstantStiffness(7.0e8f);
        addCurve(0.0f, {{0.0f, 0.0f}, {1.2f, 0.03f}, {1.0f, 0.3f}, {1.0f, 2.0f}});
        addCurve(300.0f, {{0.0f, 0.0f}, {4.0f, 0.05f}, {3.2f, 0.4f}, {3.2f, 2.0f}});
        addCurve(600.0f, {{0.0f, 0.0f}, {8.0f, 0.1f}, {7.0f, 0.5f}, {7.0f, 2.0f}});
        setTipCurve({{0.0f, 0.0f}, {5000.0f, 0.03f}, {20000.0f, 0.6f}, {22000.0f, 1.6f}});
        s.NTM = 37;
        for (int k = 1; k <= s.NTM; ++k)
            s.TIPMOV[k] = (k % 9 == 0 ? -1.0f : 1.0f) * 0.0005f * static_cast<float>(k * k);
        setSettlementProfile({{0.0f, 0.2f}, {300.0f, 0.05f}, {400.0f, 0.0f}});
        setTopLoads({20000.0f, 60000.0f, 90000.0f, 1.0e7f, -5.0f, 45000.0f, 75000.0f});
        // The results in numbers are asked for too: they follow the case order as the files do.
        RunResults results;
        setResultsTarget(&results);
        std::int32_t status = 0;
        runTipMovementCases(status, workers);
        runLoadControlled(status, workers);
        setResultsTarget(nullptr);
        EXPECT_EQ(status, 0);
        std::vector<float> numbers;
        for (const CaseDistribution& d : results.distributions) {
            numbers.insert(numbers.end(), d.nodeLoad.begin(), d.nodeLoad.end());
            numbers.insert(numbers.end(), d.nodeMovement.begin(), d.nodeMovement.end());
        }
        for (const LoadSettlementRow& r : results.loadControlled) {
            numbers.insert(numbers.end(),
                           {r.topLoad, r.topMovement, r.tipMovement, r.converged ? 1.0f : 0.0f});
        }
        EXPECT_EQ(results.distributions.size(), 37u);
        return std::tuple(runFiles().report.captured(), runFiles().plot.captured(), numbers);
    };
    const auto single = run(1);
    ASSERT_NE(std::get<0>(single).find("NOT ABLE TO GET CONVERGENCE"), std::string::npos);
    ASSERT_NE(std::get<0>(single).find("-0."), std::string::npos);
    for (int workers : {2, 3, 8}) EXPECT_EQ(run(workers), single) << workers << " threads";
}

TEST(SolverReport, BadDataStopsWithAStatusAndAMessage) {
    struct BadRun {
        const char* what;
        void (*spoil)(RunStore&);
        std::int32_t status;
        const char* message;
    };
    const BadRun runs[] = {
        {"no increments", [](RunStore& s) { s.NINC = 0; }, kStatusCountOutOfRange,
         "THE NUMBER OF INCREMENTS = 0 IS OUTSIDE 1 TO 1000;"},
        {"too many cases", [](RunStore& s) { s.NTM = 101; }, kStatusCountOutOfRange,
         "THE NUMBER OF TIP MOVEMENTS = 101 IS OUTSIDE 0 TO 100;"},
        {"too many curve points", [](RunStore& s) { s.NPTC[1] = 5000; }, kStatusCountOutOfRange,
         "THE NUMBER OF T-Z CURVE POINTS = 5000 IS OUTSIDE 0 TO 100;"},
        {"zero stiffness", [](RunStore& s) { s.AE[1] = s.AE[2] = 0.0f; }, kStatusBadStiffness,
         "THE AXIAL STIFFNESS AE AT X = 0.750E+02 IS NOT ABOVE ZERO;"},
    };
    for (const BadRun& run : runs) {
        smallPile();
        run.spoil(runStore());
        std::int32_t status = 0;
        runTipMovementCases(status);
        EXPECT_EQ(status, run.status) << run.what;
        const std::string& report = runFiles().report.captured();
        EXPECT_NE(report.find("**** WARNING ****"), std::string::npos) << run.what;
        EXPECT_NE(report.find(run.message), std::string::npos) << run.what << "\n" << report;
        EXPECT_EQ(runFiles().plot.captured(), "") << run.what;
    }
}

// The rows along the pile are put together field by field; they must read as their layouts.
TEST(SolverReport, RowsAlongThePileReadAsTheirLayouts) {
    static const Layout kNodeRow("(1X,F6.1,8X,14X,E10.3,21X,E10.3)");
    static const Layout kMiddleRow("(1X,F6.1,1X,E10.3,1X,E10.3,10X,E10.3,1X,E10.3,10X,E10.3)");
    static const Layout kPlotRow("(1X,E10.3,3X,E10.3,3X,E10.3)");
    static IncrementTable table;
    static PileSolution solution;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> exponent(-12.0f, 12.0f);
    const auto any = [&] {
        const float v = std::pow(10.0f, exponent(random));
        return random() % 3 == 0 ? -v : v;
    };
    for (bool uplift : {false, true}) {
        freshEnglishRun();
        table.count = 300;
        for (int n = 1; n <= 301; ++n) {
            table.nodeDepth[n] = any();
            solution.load[n] = any();
            solution.movement[n] = any();
        }
        for (int i = 1; i <= 300; ++i) {
            table.midDepth[i] = any();
            solution.transfer[i] = any();
            solution.loadTaken[i] = any();
            solution.averageLoad[i] = any();
            solution.shortening[i] = any();
            solution.middleMovement[i] = any();
        }
        solution.load[1] = 0.0f;
        std::string report = "earlier text\n", plot;
        appendCaseBlock(report, table, solution, 1.0f, 2.0f, uplift);
        appendLoadDistribution(plot, table, solution);
        const float g = uplift ? -1.0f : 1.0f;
        std::string rows, plotRows;
        for (int i = 1; i <= 300; ++i) {
            rows += kNodeRow(table.nodeDepth[i], g * solution.load[i], g * solution.movement[i]);
            rows += kMiddleRow(table.midDepth[i], g * solution.transfer[i],
                               g * solution.loadTaken[i], g * solution.averageLoad[i],
                               g * solution.shortening[i], g * solution.middleMovement[i]);
            plotRows +=
                kPlotRow(table.midDepth[i], solution.averageLoad[i], solution.middleMovement[i]);
        }
        rows += kNodeRow(table.nodeDepth[301], g * solution.load[301], g * solution.movement[301]);
        ASSERT_GE(report.size(), rows.size());
        EXPECT_EQ(report.substr(0, 13), "earlier text\n");
        EXPECT_EQ(report.substr(report.size() - rows.size()), rows);
        EXPECT_EQ(plot, plotRows);
    }
}

}  // namespace
}  // namespace keldar
