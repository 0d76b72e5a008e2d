// A CPT design as the program's project: saved as an ordinary entered-curves data file, opened
// again as the program opens it, and run by the engine to the capacity the design carries.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <numbers>

#include "ProgramData.h"
#include "ProjectFromCpt.h"
#include "RunDriver.h"
#include "RunResults.h"

namespace keldar::cpt {
namespace {

class NoMessages : public UserMessages {
  public:
    void information(const QString&, const QString& text) override { texts.append(text); }
    void error(const QString&, const QString& text) override { texts.append(text); }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::Cancel; }
    QStringList texts;
};

PileDesign UniformSandDesign(DesignOptions& options) {
    CptRecord record;
    for (int i = 0; i * 0.02 <= 25.0; ++i) record.readings.push_back({i * 0.02, 15000.0});
    options.pile = {0.5, 0, true, 20.0};
    options.unitWeights = {{0, 19.81}};
    return *DesignPile(record, options).design;
}

TEST(ProjectFromCptTest, SavedOpenedAndRunToTheDesignCapacity) {
    DesignOptions options;
    const PileDesign design = UniformSandDesign(options);
    const std::string path = ::testing::TempDir() + "cpt-project.kd3d";

    TMainTables tables = TMainTables::BuiltIn();
    TProgramData project(tables);
    FillProject(project, design, options.pile, QStringLiteral("Uniform sand"));
    EXPECT_TRUE(project.Modified());
    project.FileName = QString::fromStdString(path);
    project.SaveToFile();

    TMainTables reopenedTables = TMainTables::BuiltIn();
    TProgramData reopened(reopenedTables);
    NoMessages messages;
    ASSERT_TRUE(reopened.LoadFromFile(QString::fromStdString(path), true, messages))
        << messages.texts.join("\n").toStdString();
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_FALSE(reopened.CurvesGenerated);
    EXPECT_EQ(reopened.UnitSystem, keldar::usSI);
    const TGridTableChart& depths = reopenedTables.Chart("TblTZDepth2");
    ASSERT_EQ(depths.RowCount(), static_cast<int>(design.curves.size()));
    EXPECT_EQ(depths.Cell(1, 5).GetTable()->RowCount(),
              static_cast<int>(design.curves[5].points.size()));
    EXPECT_NEAR(static_cast<double>(depths.Cell(1, 5).GetTable()->Cell(0, 13).GetFloat()),
                design.curves[5].tauF, 1e-6 * design.curves[5].tauF);

    RunPaths paths{path, ::testing::TempDir() + "cpt-project.kd3o",
                   ::testing::TempDir() + "cpt-project.kd3p",
                   ::testing::TempDir() + "cpt-project.kd3r"};
    RunResults results;
    RunOptions runOptions;
    runOptions.consoleBanner = false;
    runOptions.results = &results;
    ASSERT_EQ(runKeldar(paths, RunIdentity{}, runOptions), 0) << results.message;
    ASSERT_EQ(results.loadSettlement.size(), design.tipMovements.size());
    // At a tip movement of 0.1 D the shaft is fully mobilised and the base carries qb0.1.
    const double capacity = design.ShaftCapacity(0.5) + design.qbPeak * options.pile.GrossTipArea();
    EXPECT_NEAR(results.loadSettlement.back().topLoad / capacity, 1.0, 0.01);
}

}  // namespace
}  // namespace keldar::cpt
