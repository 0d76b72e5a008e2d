#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Format.h"
#include "PlotFileReader.h"

namespace keldar {
namespace {

// A run's results, written in the engine's plot file layouts.
struct EngineRun {
    struct Curve {
        int number;
        double depth;
        std::vector<std::pair<double, double>> tz;
    };
    struct Row {
        double a, b, c, d;
    };
    std::vector<Curve> curves;
    std::vector<std::pair<double, double>> qw;
    int increments = 0;
    int units = 1;
    std::vector<std::vector<Row>> distribution;  // per case: depth, load, movement
    std::vector<Row> settlement;                 // top load, top movement, tip movement, tip load
    std::vector<Row> loadControlled;

    QByteArray Text() const {
        static const Layout curveLine("(2X,I5,I11,E16.4)");
        static const Layout tzLine("(31X,E15.4,E15.4)");
        static const Layout qwLine("(E18.4,E19.4)");
        static const Layout distributionLine("(1X,E10.3,3X,E10.3,3X,E10.3)");
        static const Layout settlementLine("(E17.4,3E16.4)");
        std::string text = listLine(static_cast<int>(curves.size()));
        for (const Curve& c : curves) {
            text += curveLine(c.number, static_cast<int>(c.tz.size()), c.depth);
            for (const auto& [t, z] : c.tz) text += tzLine(t, z);
        }
        text += listLine(static_cast<int>(qw.size()));
        for (const auto& [q, w] : qw) text += qwLine(q, w);
        text += listLine(static_cast<int>(distribution.size()), increments, units);
        for (const auto& rows : distribution) {
            for (const Row& r : rows) text += distributionLine(r.a, r.b, r.c);
        }
        for (const Row& r : settlement) text += settlementLine(r.a, r.b, r.c, r.d);
        for (const Row& r : loadControlled) text += settlementLine(r.a, r.b, r.c, r.d);
        return QByteArray::fromStdString(text);
    }
};

// The run of data/english-run.kd3p.
EngineRun EnglishRun() {
    EngineRun run;
    run.curves = {{1, 120, {{0, 0}, {2.5, 0.1}, {4, 0.5}}},
                  {2, 360, {{0, 0}, {3, 0.05}, {5, 0.15}, {6, 0.3}, {6.5, 1}}}};
    run.qw = {{0, 0}, {50000, 0.2}, {80000, 1}};
    run.increments = 3;
    run.distribution = {{{300, 8000, 0.0101, 0}, {180, 12000, 0.0105, 0}, {60, 15000, 0.011, 0}},
                        {{300, 15000, 0.0502, 0}, {180, 21000, 0.051, 0}, {60, 25000, 0.0521, 0}}};
    run.settlement = {{15500, 0.0112, 0.01, 7000}, {25800, 0.053, 0.05, 13000}};
    run.loadControlled = {{10000, 0.0075, 0.007, 4000}, {30000, 0.3, 0.2, 20000}};
    return run;
}

// Records the texts of information boxes.
class InformationTexts : public UserMessages {
  public:
    void information(const QString&, const QString& text) override { texts.push_back(text); }
    void error(const QString&, const QString& text) override { texts.push_back("error: " + text); }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::Cancel; }

    std::vector<QString> texts;
};

class PlotFileReaderTest : public ::testing::Test {
  protected:
    bool Read(const QByteArray& data, bool reportErrors = true, int projectUnits = 1) {
        QFile file(path_);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data);
        file.close();
        return ReadFile(path_, reportErrors, projectUnits);
    }
    bool ReadFile(const QString& path, bool reportErrors = true, int projectUnits = 1) {
        messages_.texts.clear();
        return ReadPlotFile(plots_, path, reportErrors, projectUnits, messages_);
    }
    void ExpectFailureReported() {
        ASSERT_EQ(messages_.texts.size(), 1u);
        EXPECT_EQ(messages_.texts[0], "An error occured in running the main program.");
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("run.kd3p");
    TMainPlots plots_;
    InformationTexts messages_;
};

using P = TFloatPoint;

TEST_F(PlotFileReaderTest, ReadsAnEnglishRunWhateverTheLineEnds) {
    QFile sample(qEnvironmentVariable("KELDAR_SOURCE_DIR") +
                 "/app/plot/tests/data/english-run.kd3p");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray text = sample.readAll();
    ASSERT_EQ(text, EnglishRun().Text());  // the helper writes the engine's layouts

    for (const QByteArray& data : {text, QByteArray(text).replace("\n", "\r\n")}) {
        ASSERT_TRUE(Read(data, true, 2));
        EXPECT_TRUE(messages_.texts.empty());

        const TGraphPlot& tz = plots_.pltTZcurves;
        ASSERT_EQ(tz.CurveCount(), 2);
        ASSERT_EQ(tz.PointCount(), 5);
        // Named in the file's units, not the project's; the short curve repeats its last point.
        EXPECT_EQ(tz.LineName(0), "120 in");
        EXPECT_EQ(tz.LineName(1), "360 in");
        EXPECT_EQ(tz.Curve(0).Points,
                  (std::vector<P>{{0, 0}, {0.1, 2.5}, {0.5, 4}, {0.5, 4}, {0.5, 4}}));
        EXPECT_EQ(tz.Point(1, 4), (P{1, 6.5}));

        EXPECT_EQ(plots_.PltQW.Curve(0).Points, (std::vector<P>{{0, 0}, {50000, 0.2}, {80000, 1}}));

        // Inches to feet and pounds to kips: depth 60 in, load 25000 lb give (25, 5). Each case
        // runs from its tip load at the pile's 30 ft (3 increments of twice the shallowest
        // middle depth) to its head load at depth 0, and is named by its tip movement.
        const TGraphPlot& load = plots_.pltLoad;
        ASSERT_EQ(load.CurveCount(), 2);
        EXPECT_EQ(load.Curve(0).Points,
                  (std::vector<P>{{7, 30}, {8, 25}, {12, 15}, {15, 5}, {15.5, 0}}));
        EXPECT_EQ(load.Point(1, 3), (P{25, 5}));
        EXPECT_EQ(load.LineName(0), "tip 0.01 in");
        EXPECT_EQ(load.LineName(1), "tip 0.05 in");

        // The load-settlement curve, and beside it each head load as its one point.
        const TGraphPlot& axial = plots_.pltAxial;
        ASSERT_EQ(axial.CurveCount(), 3);
        EXPECT_EQ(axial.Curve(0).Points, (std::vector<P>{{0, 0}, {15.5, 0.0112}, {25.8, 0.053}}));
        EXPECT_EQ(axial.Curve(2).Points, (std::vector<P>(3, P{30, 0.3})));
        EXPECT_EQ(axial.LineName(0), "computed");
        EXPECT_EQ(axial.LineName(1), "head 10 kips");
        EXPECT_EQ(axial.LineName(2), "head 30 kips");

        for (const TGraphPlot* plot : {&plots_.pltSkin, &plots_.pltUSkin, &plots_.pltTip,
                                       &plots_.pltTotal, &plots_.pltCombine}) {
            EXPECT_EQ(plot->CurveCount(), plot == &plots_.pltCombine ? 3 : 9);
            EXPECT_EQ(plot->PointCount(), 0);
        }
        for (TGraphPlot* plot : plots_.All()) EXPECT_EQ(plot->Units(), 1);
    }
}

TEST_F(PlotFileReaderTest, PointZeroOfTheLoadSettlementCurve) {
    struct Case {
        double topLoad, topMovement;
        P pointZero;
    };
    const Case cases[] = {
        {1500, 0.002, {0, 0}},              // a loaded first case: the curve starts at the origin
        {0, 0.001, {0, 0.001}},             // no load: point 1 repeated
        {-1200, -0.0004, {-1.2, -0.0004}},  // negated row of a zero tip movement
    };
    for (const Case& c : cases) {
        EngineRun run = EnglishRun();
        run.settlement[0] = {c.topLoad, c.topMovement, 0, 0};
        ASSERT_TRUE(Read(run.Text()));
        EXPECT_EQ(plots_.pltAxial.Point(0, 0), (P{c.pointZero})) << c.topLoad;
    }
}

TEST_F(PlotFileReaderTest, SIRunAndPadding) {
    EngineRun run = EnglishRun();
    run.units = 2;
    // Curves of 1 and 0 points are padded to at least 2; an empty curve has no point to repeat.
    run.curves = {{1, 0.5, {{1.25, 0.002}}}, {2, 3.75, {}}, {3, 12, {{0, 0}, {20, 0.005}}}};
    ASSERT_TRUE(Read(run.Text(), true, 1));
    const TGraphPlot& tz = plots_.pltTZcurves;
    ASSERT_EQ(tz.PointCount(), 2);
    EXPECT_EQ(tz.LineName(0), "0.5 m");
    EXPECT_EQ(tz.LineName(1), "3.75 m");
    EXPECT_EQ(tz.Curve(0).Points, (std::vector<P>{{0.002, 1.25}, {0.002, 1.25}}));
    EXPECT_EQ(tz.Curve(1).Points, (std::vector<P>{{0, 0}, {0, 0}}));
    EXPECT_EQ(plots_.pltLoad.Point(1, 3), (P{25000, 60}));  // no conversion
    EXPECT_EQ(plots_.pltLoad.LineName(1), "tip 0.05 m");
    EXPECT_EQ(plots_.pltAxial.LineName(2), "head 30000 kN");
    EXPECT_EQ(plots_.pltAxial.Point(0, 2), (P{25800, 0.053}));
    for (TGraphPlot* plot : plots_.All()) EXPECT_EQ(plot->Units(), 2);

    // The engine runs S.I. for any unit system but 1, so the axes say S.I.
    run.units = 3;
    ASSERT_TRUE(Read(run.Text()));
    EXPECT_EQ(plots_.pltLoad.XAxisText(), "Total Capacity  (kN)");
}

TEST_F(PlotFileReaderTest, ReadingAgainStartsCurvesAfresh) {
    ASSERT_TRUE(Read(EnglishRun().Text()));
    plots_.pltLoad.Curve(0).Name = "renamed";
    plots_.pltLoad.Curve(1).Shown = false;
    plots_.pltLoad.SetMarkers(5);
    ASSERT_TRUE(Read(EnglishRun().Text()));
    EXPECT_EQ(plots_.pltLoad.LineName(0), "tip 0.01 in");
    EXPECT_TRUE(plots_.pltLoad.Curve(1).Shown);
    EXPECT_EQ(plots_.pltLoad.Markers(), 5);  // display settings stay
}

// An uplift case (a tip movement not above 1E-10) comes with its load-settlement row negated; its
// load distribution is drawn pulled too, with nothing at the tip. Head loads without convergence
// (written with three zeros) and a broken load-controlled block leave out only their points.
TEST_F(PlotFileReaderTest, UpliftCaseAndHeadLoadsAsTheReportGivesThem) {
    EngineRun run = EnglishRun();
    run.settlement[0] = {-15500, -0.0112, -0.01, -7000};
    run.loadControlled = {{50000, 0, 0, 0}, {10000, 0.0075, 0.007, 4000}};
    ASSERT_TRUE(Read(run.Text()));
    EXPECT_EQ(plots_.pltLoad.Curve(0).Points,
              (std::vector<P>{{0, 30}, {-8, 25}, {-12, 15}, {-15, 5}, {-15.5, 0}}));
    EXPECT_EQ(plots_.pltLoad.LineName(0), "tip -0.01 in");
    EXPECT_EQ(plots_.pltLoad.Point(1, 4), (P{25.8, 0}));
    EXPECT_EQ(plots_.pltAxial.Point(0, 1), (P{-15.5, -0.0112}));
    ASSERT_EQ(plots_.pltAxial.CurveCount(), 2);
    EXPECT_EQ(plots_.pltAxial.LineName(1), "head 10 kips");

    QByteArray broken = run.Text();
    broken.replace("0.1000E+05", "0.1000E+0x");
    EXPECT_TRUE(Read(broken));
    EXPECT_EQ(plots_.pltAxial.CurveCount(), 1);
}

// A file cut short in any block is rejected and the plots keep what was read before the cut.
TEST_F(PlotFileReaderTest, FileCutShortInEachBlock) {
    const QList<QByteArray> lines = EnglishRun().Text().split('\n');
    struct Case {
        int keptLines;
        std::function<void(const TMainPlots&)> check;
    };
    const Case cases[] = {
        {0, [](const TMainPlots& p) { EXPECT_EQ(p.pltLoad.CurveCount(), 9); }},
        {8,  // t-z block: inside the second curve
         [](const TMainPlots& p) {
             EXPECT_EQ(p.pltTZcurves.LineName(0), "120 in");
             EXPECT_EQ(p.pltTZcurves.Point(0, 2), (P{0.5, 4}));
         }},
        {13,  // Q-w block
         [](const TMainPlots& p) {
             EXPECT_EQ(p.pltTZcurves.Point(0, 4), (P{0.5, 4}));
             EXPECT_EQ(p.pltTZcurves.Point(1, 4), (P{1, 6.5}));
         }},
        {15,
         [](const TMainPlots& p) {
             EXPECT_EQ(p.PltQW.Point(0, 2), (P{80000, 1}));
         }},
        {19,  // load distribution: the first case is complete, the second missing
         [](const TMainPlots& p) {
             EXPECT_EQ(p.PltQW.Point(0, 2), (P{80000, 1}));
             EXPECT_EQ(p.pltLoad.CurveCount(), 2);
             // Without its load-settlement row a case ends on its outer increments.
             EXPECT_EQ(p.pltLoad.Curve(0).Points,
                       (std::vector<P>{{8, 25}, {8, 25}, {12, 15}, {15, 5}, {15, 5}}));
             EXPECT_EQ(p.pltLoad.Point(1, 1), (P{0, 0}));
         }},
        {20,  // inside the second case
         [](const TMainPlots& p) {
             EXPECT_EQ(p.pltLoad.Point(1, 1), (P{15, 25}));
         }},
        {23,  // load-settlement: one row of two
         [](const TMainPlots& p) {
             EXPECT_EQ(p.pltTZcurves.Point(1, 4), (P{1, 6.5}));
             EXPECT_EQ(p.pltLoad.Point(1, 3), (P{25, 5}));
             EXPECT_EQ(p.pltAxial.Point(0, 1), (P{15.5, 0.0112}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keptLines);
        ASSERT_TRUE(Read(EnglishRun().Text()));  // plots full of an earlier run
        ASSERT_FALSE(Read(lines.mid(0, c.keptLines).join('\n'))) << c.keptLines;
        ExpectFailureReported();
        c.check(plots_);
    }
    // Without the flag nothing is shown; the load-controlled block is not needed.
    EXPECT_FALSE(Read(lines.mid(0, 20).join('\n'), false));
    EXPECT_TRUE(messages_.texts.empty());
    EXPECT_TRUE(Read(lines.mid(0, 24).join('\n')));
    EXPECT_FALSE(ReadFile(dir_.filePath("missing.kd3p")));
    ExpectFailureReported();
}

// Every cut at a word boundary before the last value needed is an incomplete file.
TEST_F(PlotFileReaderTest, EveryShorterFileIsIncomplete) {
    const QByteArray text = EnglishRun().Text();
    const qsizetype needed = text.indexOf("0.1300E+05") + 10;
    for (qsizetype cut = 0; cut < needed; ++cut) {
        const bool wordEnd = text[cut] == ' ' || text[cut] == '\n';
        if (cut > 0 && (!wordEnd || text[cut - 1] == ' ' || text[cut - 1] == '\n')) continue;
        ASSERT_FALSE(Read(text.left(cut))) << cut;
        ExpectFailureReported();
    }
    EXPECT_TRUE(Read(text.left(needed)));
}

TEST_F(PlotFileReaderTest, BrokenCountsAndValues) {
    const QByteArray good = EnglishRun().Text();
    const std::pair<QByteArray, QByteArray> edits[] = {
        {"           2\n      1", "  2147483647\n      1"},  // more curves than the file holds
        {"           2\n      1", "          -2\n      1"},
        {"1          3", "1 2147483647"},
        {"           2           3", "  1073741824  1073741824"},
        {"           2           3", "           2  2147483647"},
        {"           2           3", "           2          -3"},
        {"           3\n", "          -1\n"},
        {"           3\n", "         1.5\n"},
        {"0.8000E+05", "**********"},  // an overflowed field
        {"0.600E+02", "0.600,E+02"},
    };
    for (const auto& [from, to] : edits) {
        ASSERT_TRUE(good.contains(from)) << from.constData();
        EXPECT_FALSE(Read(QByteArray(good).replace(from, to))) << to.constData();
        ExpectFailureReported();
    }
}

TEST_F(PlotFileReaderTest, CurvesTooLargeToPad) {
    // Valid counts whose padding would need more points than any run can have.
    EngineRun run = EnglishRun();
    run.curves.assign(3000, {1, 1, {}});
    run.curves.back().tz.assign(1000, {1, 1});
    EXPECT_FALSE(Read(run.Text()));
    ExpectFailureReported();
}

// No plot file, however broken, crashes the reader: random runs, cut and mutated.
TEST_F(PlotFileReaderTest, RandomBrokenFilesNeverCrash) {
    std::mt19937 random(7);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto value = [&](void) { return (below(20001) - 10000) * std::pow(10.0, below(9) - 4); };
    const char* const inserts[] = {" 2147483647 ", " -1 ",    " 1e308 ", " 0 ", "\n\n",
                                   " x ",          " 99999 ", "\t",      "1.5", "***"};
    int complete = 0;
    for (int round = 0; round < 400; ++round) {
        EngineRun run;
        run.units = 1 + below(3);
        run.curves.resize(static_cast<std::size_t>(below(5)));
        for (std::size_t i = 0; i < run.curves.size(); ++i) {
            run.curves[i] = {static_cast<int>(i) + 1, value(), {}};
            run.curves[i].tz.resize(static_cast<std::size_t>(below(6)), {value(), value()});
        }
        run.qw.resize(static_cast<std::size_t>(below(5)), {value(), value()});
        run.increments = below(6);
        run.distribution.resize(static_cast<std::size_t>(below(4)));
        for (auto& rows : run.distribution) {
            rows.resize(static_cast<std::size_t>(run.increments), {value(), value(), value(), 0});
        }
        run.settlement.resize(run.distribution.size(), {value(), value(), value(), value()});
        QByteArray data = run.Text();
        if (round % 4 == 0) {
            complete += Read(data) ? 1 : 0;
            continue;
        }
        for (int edit = below(6); edit >= 0 && !data.isEmpty(); --edit) {
            const auto at = static_cast<qsizetype>(below(static_cast<int>(data.size())));
            switch (below(4)) {
                case 0:
                    data.truncate(at);
                    break;
                case 1:
                    data[at] = static_cast<char>(below(256));
                    break;
                case 2:
                    data.remove(at, below(20));
                    break;
                default:
                    data.insert(at, inserts[below(10)]);
                    break;
            }
        }
        const bool read = Read(data);
        EXPECT_EQ(messages_.texts.size(), read ? 0u : 1u);
    }
    EXPECT_EQ(complete, 100);  // every unbroken random run reads completely
}

}  // namespace
}  // namespace keldar
