#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <limits>
#include <string>

#include "ExportTestPlots.h"
#include "MainPlots.h"
#include "WorkbookReader.h"
#include "WorkbookWriter.h"

namespace keldar {
namespace {

using test::SheetCells;
using test::SheetNames;
using test::ZipEntry;

class WorkbookWriterTest : public ::testing::Test {
  protected:
    QString Written(const std::vector<TExportPlot>& exported) {
        const QString path = folder.filePath("plots.xlsx");
        SaveWorkbook(exported, path);
        return path;
    }
    std::string Entry(const QString& workbook, const char* entry) {
        return ZipEntry(workbook, QString::fromLatin1(entry)).toStdString();
    }

    QTemporaryDir folder;
    TMainPlots plots;
};

TEST_F(WorkbookWriterTest, QwCurveOnly) {
    test::FillPlot(plots.PltQW, 1, 12);
    plots.PltQW.Point(0, 1).Y = std::numeric_limits<double>::infinity();
    const QString book = Written({ExportPlotFrom(plots.PltQW)});
    EXPECT_EQ(SheetNames(book), QStringList({"Legend", "Page_1", "Plot_1"}));

    const auto legend = SheetCells(book, 1);
    EXPECT_EQ(legend["B2"], "     N    ");
    EXPECT_EQ(legend["F2"], "          Status          ");
    EXPECT_EQ(legend["B3"], "1");
    EXPECT_EQ(legend["C3"], "Tip Resistance Curve");
    EXPECT_EQ(legend["D3"], "Page_1");
    EXPECT_EQ(legend["E3"], "Plot_1");
    EXPECT_EQ(legend["F3"], "Complete");
    EXPECT_NE(Entry(book, "xl/worksheets/sheet1.xml").find(R"(ref="D3" location="Page_1!A1")"),
              std::string::npos);

    const auto data = SheetCells(book, 2);
    EXPECT_EQ(data["A1"], "Tip Resistance Curve");
    EXPECT_EQ(data["B2"], "Q (lbs)");
    EXPECT_EQ(data["B3"], "w (in)");
    EXPECT_EQ(data["A4"], "Curve #1");
    EXPECT_EQ(data["A6"], "0");
    EXPECT_EQ(data["A17"], "1.1");
    EXPECT_EQ(data["B7"], "INF");  // a text cell: a number element cannot hold it
    EXPECT_EQ(data["G1"], "Go to Legend Page");
    EXPECT_NE(Entry(book, "xl/worksheets/sheet2.xml").find(R"(ref="G1" location="Legend!A1")"),
              std::string::npos);

    const std::string chart = Entry(book, "xl/charts/chart1.xml");
    EXPECT_NE(chart.find("<c:f>Page_1!$A$6:$A$17</c:f>"), std::string::npos);
    EXPECT_NE(chart.find("<c:f>Page_1!$B$6:$B$17</c:f>"), std::string::npos);
    EXPECT_NE(chart.find("<c:f>Page_1!$A$4</c:f>"), std::string::npos);
    EXPECT_NE(chart.find("<c:autoTitleDeleted val=\"1\"/>"), std::string::npos);
}

TEST_F(WorkbookWriterTest, TwentyFiveTzCurvesOfTenPoints) {
    test::FillPlot(plots.pltTZcurves, 25, 10);
    const QString book = Written({ExportPlotFrom(plots.pltTZcurves)});
    const auto data = SheetCells(book, 2);
    EXPECT_EQ(data["AW4"], "Curve #25");
    EXPECT_EQ(data["AX15"], "2409");
    EXPECT_FALSE(data.contains("AY6"));
    EXPECT_FALSE(data.contains("A16"));

    const std::string chart = Entry(book, "xl/charts/chart1.xml");
    std::size_t series = 0;
    for (std::size_t at = chart.find("<c:ser>"); at != std::string::npos;
         at = chart.find("<c:ser>", at + 1)) {
        ++series;
    }
    EXPECT_EQ(series, 25u);
    EXPECT_NE(chart.find("<c:f>Page_1!$AW$6:$AW$15</c:f>"), std::string::npos);
    EXPECT_NE(chart.find("<c:f>Page_1!$AX$6:$AX$15</c:f>"), std::string::npos);
    // Axis titles and gridlines on both axes.
    EXPECT_NE(chart.find("Displacement, z (in)"), std::string::npos);
    EXPECT_NE(chart.find("Unit Load Transfer, t (lbs/in^2)"), std::string::npos);
    EXPECT_NE(chart.find("<c:majorGridlines/>"), chart.rfind("<c:majorGridlines/>"));
    EXPECT_EQ(chart.find("maxMin"), std::string::npos);  // t grows upward
}

TEST_F(WorkbookWriterTest, LoadDistributionRunsDownwardWithTheXAxisBelow) {
    plots.pltLoad.SetUnits(2);
    test::FillPlot(plots.pltLoad, 3, 4);
    test::FillPlot(plots.PltQW, 1, 3);
    const QString book = Written({ExportPlotFrom(plots.pltLoad), ExportPlotFrom(plots.PltQW)});
    EXPECT_EQ(SheetNames(book), QStringList({"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
    EXPECT_EQ(SheetCells(book, 1)["D4"], "Page_2");
    const std::string chart = Entry(book, "xl/charts/chart1.xml");
    const std::size_t valueAxis = chart.find("<c:valAx>", chart.find("<c:valAx>") + 1);
    ASSERT_NE(valueAxis, std::string::npos);
    EXPECT_NE(chart.find("Total Capacity  (kN)"), std::string::npos);
    EXPECT_NE(chart.find("Depth  (m)"), std::string::npos);
    EXPECT_NE(chart.find("<c:orientation val=\"maxMin\"/>"), std::string::npos);
    EXPECT_NE(chart.find("<c:crosses val=\"max\"/>"), std::string::npos);
    EXPECT_NE(Entry(book, "xl/charts/chart2.xml").find("<c:f>Page_2!$A$6:$A$8</c:f>"),
              std::string::npos);
}

TEST_F(WorkbookWriterTest, NumbersKeepTheirPointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 missing";
    test::FillPlot(plots.PltQW, 1, 3);
    plots.PltQW.Point(0, 2) = {1234.5, 0.25};
    const QString book = Written({ExportPlotFrom(plots.PltQW)});
    const std::string after = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(after, "de_DE.UTF-8");
    const std::string sheet = Entry(book, "xl/worksheets/sheet2.xml");
    EXPECT_NE(sheet.find("<v>1234.5</v>"), std::string::npos);
    EXPECT_NE(sheet.find("<v>0.25</v>"), std::string::npos);
    EXPECT_EQ(sheet.find("0,25"), std::string::npos);
}

TEST_F(WorkbookWriterTest, AFailedExportLeavesTheEarlierFileAlone) {
    const QString target = folder.filePath("plots.xlsx");
    {
        QFile earlier(target);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier workbook");
    }
    test::FillPlot(plots.pltTZcurves, kMaxExportLines + 1, 2);
    try {
        SaveWorkbook({ExportPlotFrom(plots.pltTZcurves)}, target);
        FAIL() << "a chart of 256 series was written";
    } catch (const EExportError& error) {
        EXPECT_EQ(error.Message(),
                  "The plot \"t-z Curves\" has 256 curves; a spreadsheet chart takes at most 255.");
    }
    QFile earlier(target);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier workbook");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(WorkbookWriterTest, TargetsThatCannotBeWrittenGiveAMessage) {
    test::FillPlot(plots.PltQW, 1, 2);
    const std::vector<TExportPlot> exported{ExportPlotFrom(plots.PltQW)};
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken.xlsx"));
    const QString folderTarget = folder.filePath("taken.xlsx");
    EXPECT_THROW(
        {
            try {
                SaveWorkbook(exported, folderTarget);
            } catch (const EExportError& error) {
                EXPECT_TRUE(
                    error.Message().endsWith("is a folder and cannot be replaced by the "
                                             "export."));
                throw;
            }
        },
        EExportError);
    EXPECT_THROW(SaveWorkbook(exported, folder.filePath("missing/plots.xlsx")), EExportError);
}

}  // namespace
}  // namespace keldar
