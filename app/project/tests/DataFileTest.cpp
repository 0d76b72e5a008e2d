#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <random>
#include <string_view>

#include "ProgramData.h"
#include "ProjectTestSupport.h"
#include "WordReader.h"

namespace keldar {
namespace {

using test::Lines;
using test::ReadAll;
using test::WriteAll;

// Generated curves in S.I.: a clay layer, a sand layer, an API sand layer with a negative
// bottom, and every optional list and factor in use. Written exactly as the writer writes it.
const QByteArray kLayers = Lines({
    "  Pile 7: 0.6 m shaft, sand over clay  ",
    "60 1 2",
    "2 ",
    "3",
    "1 1 0.0  3.50000000000000E+0000",
    "2 4  3.50000000000000E+0000  1.20000000000000E+0001",
    "3 6  1.20000000000000E+0001 -2.00000000000000E+0001",
    "9.5 40 0.0  0.01 35 360",
    "9.6 55 0.0  0.007 45 495",
    "10 0.0  32 15 0 0",
    "10.5 0.0  34 22 80 4000",
    "11 0.0  36 30 95 9600",
    "11.5 0.0  36 31 96 9700",
    "3",
    "1.2345679E8 0",
    "1.2345679E8 10",
    "12345678 20",
    "1E-5 20 0.6 0.28274334",
    "3",
    "0.0001",
    "0.005",
    "0.01",
    "2",
    "1500",
    "3000",
    "2",
    "0 0.05",
    "20 0",
    " 1",
    "2",
    "0 1 1",
    "20 0.8 1.2",
    " 1",
    "1.1 0.9",
});

// Entered curves in English units, no optional list.
const QByteArray kCurves = Lines({
    "Entered curves",
    "50 0 1",
    "1 ",
    "2",
    "1 0 3",
    "0 0",
    "1.2 0.0256",
    "3.6 0.128",
    "2 600 2",
    "0 0",
    "7.2 0.16",
    "2",
    "7.0607E8 0",
    "7.0607E8 600",
    "3",
    "0 0",
    "5428.75 0.032",
    "21715 1.6",
    "1E-5 600 16 201.06",
    " 0",
    " 0",
    " 0",
    " 0",
    " 0",
});

class DataFileTest : public ::testing::Test {
  protected:
    bool Load(const QByteArray& data, bool withFactorRecords = true) {
        WriteAll(path_, data);
        messages_.texts.clear();
        return project_.LoadFromFile(path_, withFactorRecords, messages_);
    }
    QByteArray Save() {
        project_.FileName = dir_.filePath("saved.kd3d");
        project_.SaveToFile();
        return ReadAll(project_.FileName);
    }
    QString OnlyMessage() const {
        EXPECT_EQ(messages_.texts.size(), 1);
        return messages_.texts.value(0);
    }
    TGridTableChart& Chart(const char* name) { return tables_.Chart(name); }
    TGridTable& Plain(const char* name) { return tables_.Plain(name); }
    TGridTable& Sub(const char* name, int row) {
        return *Chart(name).Cell(std::string_view(name) == "D2" ? 2 : 1, row).GetTable();
    }
    double Value(TGridTable& table, int column, int row) {
        return static_cast<double>(table.Cell(column, row).GetFloat());
    }
    void ExpectEveryTableAtLeastMinimum() {
        for (TGridTableChart* table : tables_.ChartTables()) {
            EXPECT_GE(table->RowCount(), table->MinRows()) << table->Caption();
            EXPECT_LE(table->RowCount(), table->MaxRows()) << table->Caption();
            for (int c = 0; c < table->ColumnCount(); ++c) {
                auto* buttons = ColumnAs<TTableColumn>(&table->ColumnAt(c));
                for (int row = 0; buttons && row < table->RowCount(); ++row) {
                    const TGridTable* sub = buttons->GetTable(row);
                    ASSERT_NE(sub, nullptr);
                    EXPECT_GE(sub->RowCount(), sub->MinRows());
                    EXPECT_LE(sub->RowCount(), sub->MaxRows());
                }
            }
        }
        for (TGridTable* table : tables_.PlainTables()) {
            EXPECT_GE(table->RowCount(), table->MinRows());
            EXPECT_LE(table->RowCount(), table->MaxRows());
        }
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("pile.kd3d");
    TMainTables tables_ = TMainTables::BuiltIn();
    TProgramData project_{tables_};
    test::MessageTexts messages_;
};

TEST_F(DataFileTest, WrittenFilesReadBackAndWriteTheSame) {
    for (const QByteArray& text : {kLayers, kCurves}) {
        ASSERT_TRUE(Load(text)) << messages_.texts.join("|").toStdString();
        EXPECT_TRUE(messages_.texts.isEmpty());
        EXPECT_FALSE(project_.Modified());
        EXPECT_EQ(Save(), text);
    }
    // " 0" counts: the options are off and the lists keep their minimum rows.
    EXPECT_FALSE(project_.TipMovementsOn || project_.HeadLoadsOn || project_.DowndragOn ||
                 project_.TZFactorsOn || project_.QWFactorsOn);
    EXPECT_EQ(Plain("TblTipMove").RowCount(), 2);
    EXPECT_EQ(Sub("TblTZDepth2", 0).RowCount(), 3);
}

TEST_F(DataFileTest, GeneratedCurvesGoWhereTheyBelong) {
    ASSERT_TRUE(Load(kLayers));
    EXPECT_EQ(project_.Title, "  Pile 7: 0.6 m shaft, sand over clay  ");
    EXPECT_EQ(project_.OutputOption, 1);
    EXPECT_EQ(Chart("D2").UnitSystem(), 2);

    TGridTableChart& layers = Chart("D2");
    ASSERT_EQ(layers.RowCount(), 3);
    EXPECT_EQ(layers.Cell(0, 1).GetInteger(), 4);
    EXPECT_EQ(Value(layers, 1, 2), -20);
    TGridTable& clay = Sub("D2", 0);
    TGridTable& sand = Sub("D2", 1);
    EXPECT_EQ(clay.Caption(), "Clay Layer Data");
    EXPECT_EQ(sand.Caption(), "Sand Layer Data");
    EXPECT_EQ(sand.IndexNumber(), 2);
    // Clay: unit weight, shear strength, e50, side friction, tip resistance; sand: friction
    // angle and blow count instead of shear strength and e50.
    const double clayRow[] = {9.6, 55, 0.007, 0, 0, 45, 495, 0};
    const double sandRow[] = {10.5, 0, 0, 34, 22, 80, 4000, 0};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(Value(clay, c, 1), clayRow[c]) << c;
        EXPECT_EQ(Value(sand, c, 1), sandRow[c]) << c;
    }

    EXPECT_EQ(Value(Chart("TblAE2"), 1, 2), 12345678);  // stiffness first in the file
    EXPECT_EQ(Value(Chart("TblAE2"), 0, 2), 20);
    EXPECT_EQ(static_cast<double>(project_.PileLength), 20);  // tolerance, length, diameter
    EXPECT_EQ(static_cast<double>(project_.OuterDiameter), 0.6);
    EXPECT_TRUE(project_.TipMovementsOn && project_.HeadLoadsOn && project_.DowndragOn);
    EXPECT_EQ(Value(Chart("TblSettlement2"), 1, 0), 0.05);
    EXPECT_TRUE(project_.TZFactorsOn && project_.QWFactorsOn);
    EXPECT_EQ(Value(Chart("TblTZFactors2"), 2, 1), 1.2);
    EXPECT_EQ(static_cast<double>(project_.WMultiplier), 0.9);
    // Lists that the file does not use still have their minimum rows.
    EXPECT_EQ(Chart("TblTZDepth2").RowCount(), 2);
    EXPECT_EQ(Chart("TblQwcurve2").RowCount(), 2);
}

TEST_F(DataFileTest, WriterNormalisesNumberFormsAndLayerTops) {
    // Another program's forms, tabs, LF line ends and a layer top that disagrees.
    const QByteArray odd =
        "Odd\n50 0 1\n2\n2\n1 1 0 1.0E1\n2 2 99 0.20000000000000E+0003\n"
        "1.0 2.50 0 0.0100 1e1 1E2\n1 2 0.0 3 4 5\n6\t0 7 8 9 10\n11 0 12 13 14 15\n"
        "2\n1.00E9 0.\n1e9 600\n.00001 600 16 201.060\n 0\n 0\n 0\n0\n0\n";
    ASSERT_TRUE(Load(odd)) << messages_.texts.join("|").toStdString();
    EXPECT_TRUE(OnlyMessage().contains("layer 2 top 99 (kept as 10)"));
    EXPECT_TRUE(project_.Modified());
    EXPECT_EQ(Save(), Lines({"Odd", "50 0 1", "2 ", "2", "1 1 0.0  1.00000000000000E+0001",
                             "2 2  1.00000000000000E+0001  2.00000000000000E+0002",
                             "1 2.5 0.0  0.01 10 100", "1 2 0.0  3 4 5", "6 0.0  7 8 9 10",
                             "11 0.0  12 13 14 15", "2", "1E9 0", "1E9 600", "1E-5 600 16 201.06",
                             " 0", " 0", " 0", " 0", " 0"}));
}

// The analysis places a layer's curves between the top and the bottom that the file gives; the
// project keeps contiguous layers from the ground surface and says so when the file differs.
TEST_F(DataFileTest, LayerTopsThatTheProjectCannotKeep) {
    struct Case {
        std::vector<std::pair<QByteArray, QByteArray>> edits;
        QString named;
    };
    const QByteArray layer2 = "2 4  3.50000000000000E+0000 ";
    const QByteArray layer3 = "3 6  1.20000000000000E+0001 ";
    const Case cases[] = {
        {{{"1 1 0.0 ", "1 1 2 "}}, "layer 1 top 2 (kept as 0)"},        // below the head
        {{{layer3, "3 6 13 "}}, "layer 3 top 13 (kept as 12)"},         // a gap
        {{{layer2, "2 4 3 "}}, "layer 2 top 3 (kept as 3.5)"},          // an overlap
        {{{"1 1 0.0 ", "1 1 -1.5 "}}, "layer 1 top -1.5 (kept as 0)"},  // above the head
        {{{"1 1 0.0 ", "1 1 2 "}, {layer3, "3 6 1E1 "}},
         "layer 1 top 2 (kept as 0); layer 3 top 1E1 (kept as 12)"},
    };
    for (const Case& c : cases) {
        QByteArray text = kLayers;
        for (const auto& [from, to] : c.edits) {
            ASSERT_TRUE(text.contains(from));
            text.replace(from, to);
        }
        SCOPED_TRACE(c.named.toStdString());
        ASSERT_TRUE(Load(text));
        EXPECT_TRUE(OnlyMessage().contains("Soil layer tops as read: " + c.named + "."))
            << OnlyMessage().toStdString();
        EXPECT_TRUE(
            OnlyMessage().contains("The project keeps contiguous layers from the ground "
                                   "surface"));
        EXPECT_TRUE(project_.Modified());
        EXPECT_EQ(Save(), kLayers);
    }
    // The same tops in other forms, and a top of -0, are the project's own.
    ASSERT_TRUE(
        Load(QByteArray(kLayers).replace("1 1 0.0 ", "1 1 -0 ").replace(layer2, "2 4 3.5 ")));
    EXPECT_TRUE(messages_.texts.isEmpty());
    EXPECT_FALSE(project_.Modified());
}

// Everything else that the analysis reads from a file and the project would write differently.
TEST_F(DataFileTest, OtherValuesThatTheProjectCannotKeep) {
    struct Case {
        QByteArray from, to;
        QString message;
    };
    const Case cases[] = {
        {"9.5 40 0.0  0.01", "9.5 40 30 0.01",
         "Line 8 Item 3: 30, the friction angle of a clay layer, is not kept; it is saved as 0."},
        {"10 0.0  32 15", "10 5 32 15",
         "Line 10 Item 2: 5, the undrained shear strength of a sand layer, is not kept; it is "
         "saved as 0."},
        {"1E-5 20 0.6 ", "1E-5 20 1.00000028 ",
         "Line 18 Item 3: 1.00000028 is saved as 1.0000003, which the analysis reads as another "
         "number."},
        {"60 1 2\r\n", "60 1 2 SI units\r\n",
         "Line 2: \"SI units\" follows the values that the analysis reads and is not kept."},
        {"\r\n 1\r\n1.1 0.9\r\n", "\r\n 1\r\n1.1 0.9\r\n\r\nend of data\r\n",
         "Line 36: \"end of data\" follows the values that the analysis reads and is not kept."},
        {"60 1 2", "60 1 3",
         "Line 2 Item 3: the unit system 3 is not 1 or 2; the project takes 2 (S.I. units)."},
        {"  Pile 7: 0.6 m", "  Pile 7: \xd8 0.6 m",
         "Line 1: the title is saved in UTF-8 characters, not in the bytes as read."},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(kLayers.contains(c.from)) << c.from.constData();
        ASSERT_TRUE(Load(QByteArray(kLayers).replace(c.from, c.to)));
        const QStringList lines = OnlyMessage().split('\r');
        ASSERT_EQ(lines.size(), 2) << OnlyMessage().toStdString();
        EXPECT_EQ(lines[1], c.message);
        EXPECT_TRUE(project_.Modified());
    }
    // A byte order mark is no part of the title that the analysis reads.
    ASSERT_TRUE(Load("\xef\xbb\xbf" + kLayers));
    EXPECT_TRUE(OnlyMessage().endsWith("not in the bytes as read."));
    // A title in UTF-8 is kept byte for byte.
    ASSERT_TRUE(Load(QByteArray(kLayers).replace("Pile 7:", "Pile \xc3\x98 7:")));
    EXPECT_TRUE(messages_.texts.isEmpty());
}

// A zero-width no-break space opening the title would be written as the bytes of a byte order
// mark and vanish on the next reading: the first writing already leaves it out.
TEST_F(DataFileTest, TitleThatWouldOpenWithAByteOrderMark) {
    const QByteArray bom = "\xef\xbb\xbf";
    for (const QByteArray& file : {bom + bom + kLayers, bom + bom + bom + "\xd3"}) {
        Load(file);
        const QByteArray first = Save();
        EXPECT_FALSE(first.startsWith(bom));
        Load(first);
        EXPECT_EQ(Save(), first);
    }
    project_.Title = QStringLiteral("\ufeff\ufeffPile 7");
    EXPECT_TRUE(Save().startsWith("Pile 7\r\n"));
}

// The older variant ends after record 11.
TEST_F(DataFileTest, OldFilesThroughBothFilterChoices) {
    const QByteArray kdd = kLayers.left(kLayers.indexOf("\r\n 1\r\n2\r\n0 1 1") + 2);
    ASSERT_TRUE(kdd.endsWith("20 0\r\n"));

    ASSERT_TRUE(Load(kdd, false));  // the ".kdd" entry of the open dialog
    EXPECT_TRUE(messages_.texts.isEmpty());
    EXPECT_FALSE(project_.TZFactorsOn || project_.QWFactorsOn);
    EXPECT_EQ(Value(Chart("TblSettlement2"), 0, 1), 20);
    EXPECT_EQ(Save(), kdd + " 0\r\n 0\r\n");

    EXPECT_FALSE(Load(kdd, true));  // "All Files": records 12 and 13 are missing
    EXPECT_EQ(OnlyMessage(), "This file either invalid or incomplete.");
    EXPECT_EQ(Value(Chart("TblSettlement2"), 0, 1), 20);
    EXPECT_TRUE(project_.DowndragOn);
    EXPECT_FALSE(project_.TZFactorsOn);
    EXPECT_EQ(Chart("TblTZFactors2").RowCount(), 2);
    EXPECT_TRUE(project_.Modified());

    // A current file opened as an old one keeps its factors, so that saving loses none.
    ASSERT_TRUE(Load(kLayers, false));
    EXPECT_TRUE(project_.TZFactorsOn && project_.QWFactorsOn);
    EXPECT_EQ(Save(), kLayers);
}

// The analysis generates the curves from the soil layers for any curve mode but 1.
TEST_F(DataFileTest, CurveModeNeitherOneNorTwo) {
    const QByteArray layerRecords = kLayers.mid(kLayers.indexOf("\r\n3\r\n1 1 0.0") + 2);
    for (const char* mode : {"3 ", "0", "-1"}) {
        const QByteArray text = Lines({"Odd mode", "60 1 2", mode}) + layerRecords;
        ASSERT_TRUE(Load(text)) << mode;
        EXPECT_TRUE(messages_.texts.isEmpty()) << mode;
        EXPECT_TRUE(project_.CurvesGenerated);
        EXPECT_EQ(Chart("D2").RowCount(), 3);
        EXPECT_EQ(Value(Chart("TblAE2"), 1, 0), 1.2345679e8);
        EXPECT_EQ(Save(), Lines({"Odd mode", "60 1 2", "2 "}) + layerRecords);
    }
}

TEST_F(DataFileTest, FactorOptions) {
    struct Case {
        const char* records;
        bool tzOn, qwOn;
        int factorRows;
        double qMultiplier;
    };
    // The engine takes an option above 0 as on and then reads its values; so does the program.
    // Factor rows are kept as read: a padding row of zero multipliers would zero the curves at
    // its depth, and a second row would end the single row's factor of 1 everywhere.
    // Without Q-w factors in the file the multiplier is a new project's 1, the identity.
    const Case cases[] = {
        {" 1\r\n0\r\n 0\r\n", true, false, 0, 1},
        {" 2\r\n1\r\n5 1 1\r\n 0\r\n", true, false, 1, 1},
        {" -1\r\n 1\r\n1.5 0.5\r\n", false, true, 2, 1.5},
        {" 0\r\n 2\r\n1.5 0.5\r\n", false, true, 2, 1.5},
        {" 0\r\n -3\r\n", false, false, 2, 1},
    };
    const QByteArray head = kCurves.left(kCurves.size() - 8);  // without records 12 and 13
    ASSERT_TRUE(head.endsWith("201.06\r\n 0\r\n 0\r\n 0\r\n"));
    for (const Case& c : cases) {
        ASSERT_TRUE(Load(head + c.records)) << c.records;
        EXPECT_EQ(project_.TZFactorsOn, c.tzOn) << c.records;
        EXPECT_EQ(project_.QWFactorsOn, c.qwOn) << c.records;
        EXPECT_EQ(Chart("TblTZFactors2").RowCount(), c.factorRows);
        EXPECT_EQ(project_.QMultiplier, c.qMultiplier);
    }
    EXPECT_EQ(Value(Chart("TblTZFactors2"), 0, 0), 0);  // off: the minimum rows of a new list
}

TEST_F(DataFileTest, PositionedMessages) {
    struct Case {
        QByteArray from, to;
        QString message;
        std::function<void()> kept;
    };
    const Case cases[] = {
        {"60 1 2", "60 1.5 2", "Error on Line 2 Item 2\rAn integer was expected but not found.",
         [&] { EXPECT_EQ(project_.IncrementCount, 60); }},
        {"1.2345679E8 10", "1.2345679E8 ten",
         "Error on Line 16 Item 2\rA floating point number was expected but not found.",
         [&] { EXPECT_EQ(Value(Chart("TblAE2"), 1, 0), 1.2345679e8); }},
        {"2 4  3.5", "2 7  3.5", "Error on Line 6 Item 2\rEntry must be between 1 and 6.",
         [&] { EXPECT_EQ(Value(Chart("D2"), 1, 0), 3.5); }},
        {"\r\n3\r\n0.0001", "\r\n3\r\n0;0001",
         "Error on Line 20 Item 1\rA floating point number was expected but not found.",
         [&] { EXPECT_EQ(static_cast<double>(project_.TipArea), 0.28274334); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(kLayers.contains(c.from)) << c.from.constData();
        EXPECT_FALSE(Load(QByteArray(kLayers).replace(c.from, c.to)));
        EXPECT_EQ(OnlyMessage(), c.message);
        c.kept();
        ExpectEveryTableAtLeastMinimum();
    }
}

// Counts beyond a table's limit: the rows that fit are read, then the file is reported.
TEST_F(DataFileTest, CountsBeyondTheLimits) {
    const QByteArray head = kCurves.left(kCurves.indexOf("1E-5 600"));
    const auto values = [](int n, const char* each) {
        QByteArray text;
        for (int i = 1; i <= n; ++i) text += QByteArray::number(i) + each + "\r\n";
        return text;
    };
    struct Case {
        QByteArray text;
        std::function<void()> check;
    };
    const Case cases[] = {
        {head + "1E-5 600 16 201.06\r\n101\r\n" + values(101, ""),
         [&] {
             EXPECT_EQ(Plain("TblTipMove").RowCount(), 100);
             EXPECT_EQ(Plain("TblTipMove").Cell(0, 99).GetFloat(), 100);
             EXPECT_TRUE(project_.TipMovementsOn);
         }},
        {head + "1E-5 600 16 201.06\r\n-2\r\n 0\r\n",
         [&] { EXPECT_FALSE(project_.TipMovementsOn); }},
        {head + "1E-5 600 16 201.06\r\n 0\r\n51\r\n" + values(51, ""),
         [&] { EXPECT_EQ(Plain("TblTopload").RowCount(), 50); }},
        {"Curves\r\n50 0 1\r\n1 \r\n1\r\n1 0 101\r\n" + values(101, " 0.5"),
         [&] {
             EXPECT_EQ(Sub("TblTZDepth2", 0).RowCount(), 100);
             EXPECT_EQ(Value(Sub("TblTZDepth2", 0), 0, 99), 100);
         }},
        {"Curves\r\n50 0 1\r\n1 \r\n2147483647\r\n",
         [&] { EXPECT_EQ(Chart("TblTZDepth2").RowCount(), 100); }},
        {"Layers\r\n50 0 1\r\n2 \r\n31\r\n" + values(31, " 1 0.0 5") + values(62, " 0 0.0  0 0 0"),
         [&] {
             EXPECT_EQ(Chart("D2").RowCount(), 30);
             EXPECT_EQ(Chart("D2").Cell(1, 29).GetFloat(), 5);
         }},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Load(c.text));
        EXPECT_EQ(OnlyMessage(), "This file either invalid or incomplete.");
        c.check();
        ExpectEveryTableAtLeastMinimum();
    }
}

// A file cut anywhere keeps what was read and leaves a usable project.
TEST_F(DataFileTest, FileCutShortAnywhere) {
    for (qsizetype cut = 0; cut < kLayers.size() - 5; ++cut) {
        SCOPED_TRACE(cut);
        ASSERT_FALSE(Load(kLayers.left(cut)));
        // A cut inside a word may leave a word that is no number, such as "3.5E".
        const bool wordEnd = QByteArray(" \r\n").contains(kLayers[cut]);
        if (wordEnd || !OnlyMessage().startsWith("Error on Line ")) {
            EXPECT_EQ(OnlyMessage(), "This file either invalid or incomplete.");
        }
        // The project is not the file any more: leaving it asks, saving it asks first.
        EXPECT_TRUE(project_.Modified() && project_.ReadIncomplete());
        ExpectEveryTableAtLeastMinimum();
        if (cut > kLayers.indexOf("\r\n3\r\n0.0001")) {
            EXPECT_EQ(static_cast<double>(project_.TipArea), 0.28274334);
            EXPECT_EQ(Value(Sub("D2", 2), 6, 1), 9700);
        }
        if (HasFailure()) break;
    }
    EXPECT_FALSE(Load(""));
    EXPECT_EQ(project_.Title, "New Pile");  // nothing read: the new project's values

    // An unopenable file: the system's message, and a usable new project under its name.
    messages_.texts.clear();
    const QString missing = dir_.filePath("missing.kd3d");
    EXPECT_FALSE(project_.LoadFromFile(missing, true, messages_));
    EXPECT_FALSE(OnlyMessage().isEmpty());
    EXPECT_EQ(project_.FileName, missing);
    ExpectEveryTableAtLeastMinimum();
}

// No data file, however broken, crashes the reader; whatever it leaves can be saved, and the
// saved file reads back completely and writes the same.
TEST_F(DataFileTest, RandomBrokenFilesNeverCrash) {
    std::mt19937 random(11);
    const auto below = [&random](qsizetype n) {
        return static_cast<qsizetype>(random() % static_cast<unsigned>(n));
    };
    const char* const inserts[] = {" 2147483647 ", " -1 ", " 1e308 ", " 0 ", "\r\n", "\r",
                                   " x ",          "\t",   "1.5",     " 7 ", " 31 ", "\xc3",
                                   " 1E-400 ",     "\0",   " 101 ",   "-",   "E"};
    int completes = 0;
    for (int round = 0; round < 600; ++round) {
        QByteArray data = round % 2 ? kLayers : kCurves;
        for (qsizetype edit = below(4) + 1; edit > 0 && !data.isEmpty(); --edit) {
            const qsizetype at = below(data.size());
            switch (below(4)) {
                case 0:
                    data.truncate(at);
                    break;
                case 1:
                    data[at] = static_cast<char>(below(256));
                    break;
                case 2:
                    data.remove(at, below(12));
                    break;
                default: {
                    const char* insert = inserts[below(std::size(inserts))];
                    data.insert(at, QByteArray(insert, std::max<qsizetype>(1, qstrlen(insert))));
                    break;
                }
            }
        }
        const bool complete = Load(data, round % 3 != 0);
        completes += complete ? 1 : 0;
        // A complete file may hold values that the project cannot keep, and then says so.
        ASSERT_LE(messages_.texts.size(), 1);
        EXPECT_EQ(project_.Modified(), !complete || !messages_.texts.isEmpty());
        EXPECT_EQ(project_.ReadIncomplete(), !complete);
        if (!complete) ExpectEveryTableAtLeastMinimum();

        // What the project writes it reads back without a word, and writes the same.
        const QByteArray saved = Save();
        ASSERT_TRUE(Load(saved)) << messages_.texts.join("|").toStdString();
        ASSERT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("|").toStdString();
        ASSERT_EQ(Save(), saved) << round;
    }
    EXPECT_GT(completes, 0);
}

}  // namespace
}  // namespace keldar
