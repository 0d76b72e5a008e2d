#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "EntryErrors.h"
#include "RowReading.h"

namespace keldar {
namespace {

struct Curve {
    TTableRegistry tables;
    TGridTableChart table{tables};
    explicit Curve(int maxRows = 100) {
        table.SetDefinitionText(
            "2 2 (\"Load Transfer (t),\") True False False \"FLOATCOLUMN2\" \"F/L^2\" 0.0"
            " 2 (\"Pile Movement (z),\") True False False \"FLOATCOLUMN2\" \"L\" 0.0"
            " True False 1 0 0 0");
        table.SetMaxRows(maxRows);
        table.SetRowCount(5);
    }
    std::string Rows() const {
        std::string rows;
        for (int r = 0; r < table.RowCount(); ++r)
            rows += table.Cell(0, r).GetText() + " " + table.Cell(1, r).GetText() + ";";
        return rows;
    }
};

std::string TempFile(const std::string& name, const std::string& text) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(RowReading, NumbersOfALine) {
    struct Case {
        const char* line;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {"0 0", {"0", "0"}},
        {"100, 0.1", {"100", "0.1"}},
        {" \t1e3\t-2.5\r", {"1e3", "-2.5"}},
        {"text", {}},
        {"1 2 x 3", {"1", "2"}},
        {"1,,2", {"1"}},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(LineNumbers(c.line), c.numbers) << c.line;
}

TEST(RowReading, PastedTextIsCutIntoLines) {
    EXPECT_EQ(PastedLines("1\t2\r\n3\t4\r\n"), (std::vector<std::string>{"1\t2", "3\t4"}));
    EXPECT_EQ(PastedLines("1 2\n3 4"), (std::vector<std::string>{"1 2", "3 4"}));
    EXPECT_EQ(PastedLines("1 2\r3 4\r"), (std::vector<std::string>{"1 2", "3 4"}));
    EXPECT_EQ(PastedLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(PastedLines("").empty());
}

TEST(RowReading, TheFourLineExampleFileGivesTwoRows) {
    Curve curve;
    const std::string path = TempFile("keldar_four.txt", "0 0\n100, 0.1\ntext\n200 0.2 9\n");
    EXPECT_EQ(ReadRowsFromFile(curve.table, path), 2);
    EXPECT_EQ(curve.Rows(), "0 0;100 0.1;");
    EXPECT_TRUE(curve.table.IsChanged());
    std::remove(path.c_str());
}

TEST(RowReading, ASingleLineDeletesTheRowsAfterIt) {
    Curve curve;
    curve.table.Cell(0, 1).SetFloat(9);
    const std::string path = TempFile("keldar_single.txt", "5 0.5");
    EXPECT_EQ(ReadRowsFromFile(curve.table, path), 1);
    EXPECT_EQ(curve.Rows(), "5 0.5;");
    std::remove(path.c_str());
}

TEST(RowReading, StopsAtMaxRows) {
    Curve curve(50);
    std::string text;
    for (int i = 0; i < 60; ++i) text += std::to_string(i) + " " + std::to_string(i) + ".5\r\n";
    const std::string path = TempFile("keldar_sixty.txt", text);
    EXPECT_EQ(ReadRowsFromFile(curve.table, path), 50);
    EXPECT_EQ(curve.table.RowCount(), 50);
    EXPECT_EQ(curve.table.Cell(1, 49).GetText(), "49.5");
    std::remove(path.c_str());
}

TEST(RowReading, SpreadsheetClipboardTextFillsTheTable) {
    Curve curve;
    EXPECT_EQ(PasteRows(curve.table, "0\t0\r\n1.5\t0.01\r\n3\t0.02\r\n"), 3);
    EXPECT_EQ(curve.Rows(), "0 0;1.5 0.01;3 0.02;");
    // Without a break after the last line it is taken all the same.
    EXPECT_EQ(PasteRows(curve.table, "7\t8\r\n9\t10"), 2);
    EXPECT_EQ(curve.Rows(), "7 8;9 10;");
}

TEST(RowReading, NothingMatchingChangesNothing) {
    Curve curve;
    curve.table.Cell(0, 4).SetFloat(3);
    EXPECT_EQ(PasteRows(curve.table, "a b\r\n1 2 3\r\n"), 0);
    EXPECT_EQ(curve.table.RowCount(), 5);
    EXPECT_EQ(curve.table.Cell(0, 4).GetFloat(), 3.0L);
    EXPECT_FALSE(curve.table.IsChanged());
}

TEST(RowReading, ARejectedNumberStoresNothingAndNamesItsLine) {
    TTableRegistry tables;
    TGridTableChart table(tables);
    table.SetDefinitionText(
        "2 2 (\"x\") True False False \"FLOATCOLUMN2\" \"\" 0.0 1 (\"n\") True False 0 0 5"
        " False False 0 0 0 0");
    table.SetRowCount(3);
    try {
        PasteRows(table, "1 2\nheading\n3 4.5\n");
        FAIL() << "no error";
    } catch (const EAssignError& e) {
        EXPECT_STREQ(e.what(), "Line 3: Entry must be an integer.");
    }
    EXPECT_EQ(table.Cell(0, 0).GetFloat(), 0.0L);
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_FALSE(table.IsChanged());
}

TEST(RowReading, ADecimalCommaInSpreadsheetTextIsRejected) {
    Curve curve;
    try {
        PasteRows(curve.table, "0\t0\r\n1,5\t0,01\r\n");
        FAIL() << "no error";
    } catch (const EAssignError& e) {
        EXPECT_STREQ(e.what(),
                     "Line 2: 1,5 has a decimal comma; numbers must have a decimal point.");
    }
    EXPECT_EQ(curve.table.RowCount(), 5);
    // Without a tab a comma still separates numbers.
    EXPECT_EQ(PasteRows(curve.table, "100,0.1\n"), 1);
    EXPECT_EQ(curve.Rows(), "100 0.1;");
}

TEST(RowReading, AFileThatCannotBeReadRaises) {
    Curve curve;
    EXPECT_THROW(ReadRowsFromFile(curve.table, testing::TempDir() + "keldar_missing/none.txt"),
                 EInOutError);
    EXPECT_THROW(ReadRowsFromFile(curve.table, testing::TempDir()), EInOutError);
    EXPECT_EQ(curve.table.RowCount(), 5);
}

}  // namespace
}  // namespace keldar
