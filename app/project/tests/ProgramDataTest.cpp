#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>

#include "DataFileNumbers.h"
#include "ProgramData.h"
#include "ProjectTestSupport.h"

namespace keldar {
namespace {

using test::Lines;
using test::ReadAll;
using test::WriteAll;

class ProgramDataTest : public ::testing::Test {
  protected:
    TGridTableChart& Chart(const char* name) { return tables_.Chart(name); }
    TGridTable& LayerData(int layer) { return *Chart("D2").Cell(2, layer).GetTable(); }

    TMainTables tables_ = TMainTables::BuiltIn();
    TProgramData project_{tables_};
    QTemporaryDir dir_;
};

TEST(DataFileNumbers, GeneralAndFixedScientificForms) {
    const std::pair<long double, const char*> general[] = {
        {1e-5L, "1E-5"},
        {0.0001L, "0.0001"},
        {123456789, "1.2345679E8"},
        {12345678, "12345678"},
        {0, "0"},
        {-0.0L, "0"},
        {-2.5L, "-2.5"},
        {2.5e10L, "2.5E10"},
        {0.1L, "0.1"},
        {7.0607e8L, "7.0607E8"},
        {1.0 / 3, "0.33333333"},
    };
    for (const auto& [value, text] : general) EXPECT_EQ(FormatDataReal(value), text) << text;

    const std::pair<long double, const char*> fixed[] = {
        {10, " 1.00000000000000E+0001"},
        {0, " 0.00000000000000E+0000"},
        {-0.0L, " 0.00000000000000E+0000"},
        {-12.5L, "-1.25000000000000E+0001"},
        {0.1, " 1.00000000000000E-0001"},  // the double read from "0.1"
        {1e-5L, " 1.00000000000000E-0005"},
        {9.9999999999999999L, " 1.00000000000000E+0001"},  // rounding carries into the exponent
        {1234.56789012345678L, " 1.23456789012346E+0003"},
        {1e300L, " 1.00000000000000E+0300"},
        {-3e-1234L, "-3.00000000000000E-1234"},
    };
    for (const auto& [value, text] : fixed) {
        EXPECT_EQ(FormatFixedScientific(value), text) << text;
        EXPECT_EQ(FormatFixedScientific(value).size(), 23u);
    }
}

TEST(DataFileNumbers, ChangeFileExt) {
    EXPECT_EQ(ChangeFileExt("NewKELDAR.kd3d", ".gwi"), "NewKELDAR.gwi");
    EXPECT_EQ(ChangeFileExt("/piles/a.b/pile.7.kdd", ".kd3d"), "/piles/a.b/pile.7.kd3d");
    EXPECT_EQ(ChangeFileExt("/piles/a.b/pile", ".gwi"), "/piles/a.b/pile.gwi");
    EXPECT_EQ(ChangeFileExt("C:\\piles\\a.b\\pile", ".gwi"), "C:\\piles\\a.b\\pile.gwi");
}

TEST_F(ProgramDataTest, CreateNewGivesTheNewProject) {
    // A project with everything changed first, so that CreateNew has something to undo.
    project_.SetUnitSystem(2);
    project_.Title = "Old";
    project_.Designer = "J. Smith";
    project_.IncrementCount = 80;
    project_.CurvesGenerated = false;
    project_.HeadLoadsOn = project_.QWFactorsOn = true;
    Chart("D2").SetRowCount(3);
    Chart("D2").Cell(0, 0).SetInteger(2);
    Chart("TblAE2").Cell(1, 0).SetFloat(5e8);
    project_.SetModified(true);

    project_.CreateNew();

    EXPECT_EQ(project_.UnitSystem, usEnglish);
    EXPECT_EQ(project_.Title, "New Pile");
    EXPECT_TRUE(project_.Designer.isEmpty());
    EXPECT_EQ(project_.IncrementCount, 50);
    EXPECT_TRUE(project_.CurvesGenerated && project_.TipMovementsOn);
    EXPECT_FALSE(project_.HeadLoadsOn || project_.DowndragOn || project_.TZFactorsOn ||
                 project_.QWFactorsOn);
    EXPECT_FALSE(project_.Modified());

    // One clay layer of zeros, two zero stiffness rows and two zero tip movements.
    ASSERT_EQ(Chart("D2").RowCount(), 1);
    EXPECT_EQ(Chart("D2").Cell(0, 0).GetInteger(), 1);
    EXPECT_EQ(LayerData(0).Caption(), "Clay Layer Data");
    ASSERT_EQ(LayerData(0).RowCount(), 2);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(LayerData(0).Cell(c, 1).GetFloat(), 0);
    EXPECT_EQ(Chart("TblAE2").Cell(1, 0).GetFloat(), 0);
    for (TGridTableChart* table : tables_.ChartTables()) {
        EXPECT_EQ(table->RowCount(), table->MinRows()) << table->Caption();
        EXPECT_EQ(table->UnitSystem(), 1);
    }
    for (TGridTable* table : tables_.PlainTables()) EXPECT_EQ(table->RowCount(), table->MinRows());
}

TEST_F(ProgramDataTest, NewProjectSavedLineByLine) {
    project_.CreateNew();
    project_.FileName = dir_.filePath("NewKELDAR.kd3d");
    WriteAll(dir_.filePath("NewKELDAR.gwi"), "left over");
    project_.SetModified(true);
    project_.SaveToFile();

    EXPECT_EQ(ReadAll(project_.FileName),
              Lines({"New Pile", "50 0 1", "2 ", "1", "1 1 0.0  0.00000000000000E+0000",
                     "0 0 0.0  0 0 0", "0 0 0.0  0 0 0", "2", "0 0", "0 0", "1E-5 0 0 0", "2", "0",
                     "0", " 0", " 0", " 0", " 0"}));
    EXPECT_EQ(project_.GwiFileName, dir_.filePath("NewKELDAR.gwi"));
    EXPECT_TRUE(QFileInfo::exists(project_.GwiFileName));
    EXPECT_EQ(QFileInfo(project_.GwiFileName).size(), 0);  // an existing companion is emptied
    EXPECT_FALSE(project_.Modified());
}

// The companion of a project named "pile.gwi" is the project itself: it is not emptied.
TEST_F(ProgramDataTest, ProjectSavedUnderTheCompanionsNameKeepsItsData) {
    project_.FileName = dir_.filePath("pile.gwi");
    project_.SaveToFile();
    EXPECT_TRUE(ReadAll(project_.FileName).startsWith("New Pile\r\n50 0 1\r\n"));
    EXPECT_FALSE(project_.Modified());
}

TEST_F(ProgramDataTest, TitleIsTheWholeFirstLine) {
    test::MessageTexts messages;
    const QString path = dir_.filePath("title.kd3d");
    const std::pair<QString, QString> titles[] = {
        {"  Pile 7, stiff clay   ", "  Pile 7, stiff clay   "},  // blanks survive
        {"", ""},
        {QString::fromUtf8("Pfahl Nr. 3 \xc3\xa4\xc3\xb6"),
         QString::fromUtf8("Pfahl Nr. 3 \xc3\xa4\xc3\xb6")},
        // A line break would move every record down a line: it is saved as a blank.
        {"first\r\nsecond", "first  second"},
    };
    for (const auto& [title, read] : titles) {
        project_.CreateNew();
        project_.Title = title;
        project_.FileName = path;
        project_.SaveToFile();
        // Reopened under its own name, which the load first resets.
        ASSERT_TRUE(project_.LoadFromFile(project_.FileName, true, messages))
            << messages.texts.join("|").toStdString();
        EXPECT_EQ(project_.Title, read);
        EXPECT_EQ(project_.IncrementCount, 50);
    }
}

TEST_F(ProgramDataTest, SetUnitSystemConvertsTheLengthScalars) {
    project_.PileLength = 600;
    project_.OuterDiameter = 16;
    project_.Tolerance = 1e-5L;
    project_.TipArea = 201.06L;
    project_.QMultiplier = 1.5;
    project_.IncrementCount = 40;
    Chart("TblAE2").Cell(0, 1).SetFloat(300);

    project_.SetUnitSystem(1);  // already in force: nothing moves
    EXPECT_EQ(project_.PileLength, 600);
    EXPECT_EQ(Chart("TblAE2").Cell(0, 1).GetFloat(), 300);
    EXPECT_FALSE(project_.Modified());

    project_.SetUnitSystem(2);
    EXPECT_EQ(project_.UnitSystem, usSI);
    const double f = 39.37007874;  // inches in a metre, as the program takes it
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.PileLength), 600 / f);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.OuterDiameter), 16 / f);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.TipArea), 201.06 / f / f);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.Tolerance), 1e-5 / f);
    EXPECT_EQ(project_.QMultiplier, 1.5);
    EXPECT_EQ(project_.IncrementCount, 40);
    EXPECT_DOUBLE_EQ(static_cast<double>(Chart("TblAE2").Cell(0, 1).GetFloat()), 300 / f);
    EXPECT_EQ(LayerData(0).UnitSystem(), 2);

    project_.SetUnitSystem(7);  // clamped to S.I.: already in force
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.PileLength), 600 / f);
    project_.SetUnitSystem(0);  // clamped to English
    EXPECT_EQ(project_.UnitSystem, usEnglish);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.PileLength), 600);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.TipArea), 201.06);
    EXPECT_DOUBLE_EQ(static_cast<double>(project_.Tolerance), 1e-5);
    EXPECT_TRUE(project_.Modified());  // a change of unit system is an edit
}

TEST_F(ProgramDataTest, ModifiedOverTheFlagAndEveryTable) {
    EXPECT_FALSE(project_.Modified());
    project_.SetModified(true);
    EXPECT_TRUE(project_.Modified());
    EXPECT_FALSE(tables_.IsChanged());  // only the flag
    project_.SetModified(false);
    EXPECT_FALSE(project_.Modified());

    // A change in a sub-table counts, and clearing the state clears it.
    LayerData(0).SetChanged(true);
    EXPECT_TRUE(project_.Modified());
    project_.SetModified(false);
    EXPECT_FALSE(LayerData(0).IsChanged());
    tables_.Plain("TblTopload").SetChanged(true);
    EXPECT_TRUE(project_.Modified());
    project_.CreateNew();
    EXPECT_FALSE(project_.Modified());
}

// A save that fails leaves the previous file as it was and the project modified.
TEST_F(ProgramDataTest, FailedSaveKeepsTheOldFile) {
    // The name fits the file system but the temporary file beside it does not.
    const QString path = dir_.filePath(QString(250, 'p') + ".kd3d");
    WriteAll(path, "the previous project\r\n");
    project_.FileName = path;
    project_.SetModified(true);
    EXPECT_THROW(project_.SaveToFile(), EInputOutputError);
    EXPECT_EQ(ReadAll(path), "the previous project\r\n");
    EXPECT_TRUE(project_.Modified());

    project_.FileName = dir_.filePath("no-such-folder/pile.kd3d");
    try {
        project_.SaveToFile();
        ADD_FAILURE() << "no error";
    } catch (const EInputOutputError& e) {
        EXPECT_FALSE(e.Message().isEmpty());
    }
    EXPECT_TRUE(project_.Modified());

    project_.FileName = dir_.filePath("pile.kd3d");
    project_.SaveToFile();
    EXPECT_FALSE(project_.Modified());
}

// The data file has "." as its decimal separator whatever the locale, here German, whose
// decimal separator is "," (scripts/install-deps.sh generates it).
TEST_F(ProgramDataTest, PointWhateverTheLocale) {
    project_.FileName = dir_.filePath("pile.kd3d");
    project_.Tolerance = 0.0025L;
    project_.TipArea = 1.5e-5L;
    Chart("D2").Cell(1, 0).SetFloat(12.5);
    LayerData(0).Cell(2, 0).SetFloat(0.007);
    project_.SaveToFile();
    const QByteArray pointFile = ReadAll(project_.FileName);
    ASSERT_TRUE(pointFile.contains("0.0025 0 0 1.5E-5"));

    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh";
    EXPECT_EQ(*std::localeconv()->decimal_point, ',');
    project_.SaveToFile();
    const QByteArray commaLocaleFile = ReadAll(project_.FileName);
    test::MessageTexts messages;
    const bool read = project_.LoadFromFile(project_.FileName, true, messages);
    std::setlocale(LC_NUMERIC, previous.c_str());

    EXPECT_EQ(commaLocaleFile, pointFile);
    EXPECT_TRUE(read) << messages.texts.join("|").toStdString();
    EXPECT_EQ(static_cast<double>(project_.Tolerance), 0.0025);
    EXPECT_EQ(static_cast<double>(LayerData(0).Cell(2, 0).GetFloat()), 0.007);
}

}  // namespace
}  // namespace keldar
