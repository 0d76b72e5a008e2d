// The CPT readers on good files of each format and on each kind of bad file.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "CptFile.h"
#include "CptReadError.h"

namespace keldar::cpt {
namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The line and reason of the refusal of a file, or line -1 when it was read.
std::pair<int, std::string> Refusal(const std::string& name, const std::string& text) {
    try {
        ReadCptFile(WriteFile(name, text));
    } catch (const CptReadError& e) {
        return {e.Line(), e.Reason()};
    }
    return {-1, ""};
}

const std::string kGefHeader =
    "#GEFID= 1, 1, 0\r\n"
    "#TESTID= CPT-07\r\n"
    "#ZID= 31000, -1.25, 0.01\r\n"
    "#COLUMN= 4\r\n"
    "#COLUMNINFO= 1, m, penetration length, 1\r\n"
    "#COLUMNINFO= 2, MPa, cone resistance, 2\r\n"
    "#COLUMNINFO= 3, MPa, local friction, 3\r\n"
    "#COLUMNINFO= 4, MPa, pore pressure u2, 6\r\n"
    "#COLUMNVOID= 2, 999.999\r\n"
    "#COLUMNVOID= 4, 999.999\r\n"
    "#COLUMNSEPARATOR= ;\r\n"
    "#RECORDSEPARATOR= !\r\n"
    "#MEASUREMENTVAR= 3, 0.75, -, net area quotient of cone tip\r\n"
    "#EOH=\r\n";

TEST(CptReaderTest, GefReportInKpaWithVoidsDroppedAndCounted) {
    const CptRecord r =
        ReadCptFile(WriteFile("good.gef", kGefHeader + "0.50;2.10;0.015;999.999;!\r\n"
                                                       "0.52;999.999;0.016;0.010;!\r\n"
                                                       "0.54;2.30;0.017;0.020;!\r\n"));
    EXPECT_EQ(r.testId, "CPT-07");
    EXPECT_DOUBLE_EQ(r.groundLevel, -1.25);
    EXPECT_DOUBLE_EQ(r.areaRatio, 0.75);
    ASSERT_EQ(r.readings.size(), 2u);
    EXPECT_EQ(r.droppedRows, 1);  // the void qc; the void u2 keeps its row
    EXPECT_DOUBLE_EQ(r.readings[0].qc, 2100.0);
    EXPECT_TRUE(std::isnan(r.readings[0].u2));
    EXPECT_DOUBLE_EQ(r.Qt(r.readings[0]), 2100.0);
    EXPECT_DOUBLE_EQ(r.readings[1].fs, 17.0);
    EXPECT_DOUBLE_EQ(r.Qt(r.readings[1]), 2300.0 + 0.25 * 20.0);
}

TEST(CptReaderTest, GefRefusedWithLineAndReason) {
    EXPECT_EQ(Refusal("g.gef", "#COLUMNINFO= 1e300, m, d, 1\n#EOH=\n"),
              std::make_pair(1, std::string("\"1e300\" is not a column number")));
    EXPECT_EQ(Refusal("h.gef",
                      "#COLUMNINFO= 1, m, d, 1\n#COLUMNINFO= 2, MPa, qc, 2\n#EOH=\n"
                      "1.0 1e306\n"),
              std::make_pair(4, std::string("the cone resistance is out of range")));
    EXPECT_EQ(
        Refusal("a.gef", "#GEFID= 1, 1, 0\n#COLUMNINFO= 1, m, penetration length, 1\n#EOH=\n1 2\n"),
        std::make_pair(3, std::string("the header names no cone resistance column")));
    EXPECT_EQ(Refusal("b.gef", "#COLUMNINFO= 1, m, depth, 1\n#COLUMNINFO= 2, psf, qc, 2\n#EOH=\n"),
              std::make_pair(2, std::string("unknown unit \"psf\"")));
    EXPECT_EQ(Refusal("c.gef",
                      "#COLUMNINFO= 1, m, d, 1\n#COLUMNINFO= 2, MPa, qc, 2\n#EOH=\n"
                      "1.0 3\n0.9 4\n"),
              std::make_pair(5, std::string("the depth does not increase")));
    EXPECT_EQ(Refusal("d.gef",
                      "#COLUMNINFO= 1, m, d, 1\n#COLUMNINFO= 2, MPa, qc, 2\n#EOH=\n"
                      "1.0 3,5\n"),
              std::make_pair(4, std::string("the cone resistance \"3,5\" is not a number")));
    EXPECT_EQ(Refusal("e.gef", "#COLUMNINFO= 1, m, d, 1\n1.0 3\n"),
              std::make_pair(2, std::string("a header line does not start with #")));
    EXPECT_EQ(Refusal("f.gef", "#COLUMNINFO= 1, m, d, 1\n"),
              std::make_pair(0, std::string("the header has no #EOH= line")));
}

const std::string kAgs =
    "\"GROUP\",\"LOCA\"\r\n"
    "\"HEADING\",\"LOCA_ID\",\"LOCA_GL\"\r\n"
    "\"UNIT\",\"\",\"m\"\r\n"
    "\"TYPE\",\"ID\",\"2DP\"\r\n"
    "\"DATA\",\"CPT1\",\"3.40\"\r\n"
    "\r\n"
    "\"GROUP\",\"SCPG\"\r\n"
    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPG_CAR\"\r\n"
    "\"UNIT\",\"\",\"\",\"\"\r\n"
    "\"TYPE\",\"ID\",\"X\",\"2DP\"\r\n"
    "\"DATA\",\"CPT1\",\"1\",\"0.80\"\r\n"
    "\r\n"
    "\"GROUP\",\"SCPT\"\r\n"
    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_DPTH\",\"SCPT_RES\",\"SCPT_FRES\",\"SCPT_"
    "PWP2\"\r\n";

TEST(CptReaderTest, Ags4FirstTestWithAreaRatioAndGroundLevel) {
    const CptRecord r = ReadCptFile(
        WriteFile("good.ags", kAgs + "\"UNIT\",\"\",\"\",\"m\",\"MN/m2\",\"kN/m2\",\"kN/m2\"\r\n"
                                     "\"TYPE\",\"ID\",\"X\",\"2DP\",\"2DP\",\"0DP\",\"0DP\"\r\n"
                                     "\"DATA\",\"CPT1\",\"1\",\"1.00\",\"4.50\",\"30\",\"\"\r\n"
                                     "\"DATA\",\"CPT1\",\"1\",\"1.02\",\"\",\"31\",\"5\"\r\n"
                                     "\"DATA\",\"CPT1\",\"1\",\"1.04\",\"4.70\",\"32\",\"10\"\r\n"
                                     "\"DATA\",\"CPT2\",\"1\",\"1.00\",\"9.00\",\"60\",\"0\"\r\n"));
    EXPECT_EQ(r.testId, "CPT1 1");
    EXPECT_DOUBLE_EQ(r.groundLevel, 3.4);
    EXPECT_DOUBLE_EQ(r.areaRatio, 0.8);
    ASSERT_EQ(r.readings.size(), 2u);
    EXPECT_EQ(r.droppedRows, 1);
    EXPECT_DOUBLE_EQ(r.readings[1].qc, 4700.0);
    EXPECT_DOUBLE_EQ(r.Qt(r.readings[1]), 4702.0);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0], "1 SCPT rows of other tests were left out; only CPT1 1 is read");
}

TEST(CptReaderTest, Ags4RefusedWithLineAndReason) {
    EXPECT_EQ(Refusal("a.ags", kAgs + "\"UNIT\",\"\",\"\",\"m\",\"ksf\",\"kN/m2\",\"kN/m2\"\r\n"
                                      "\"DATA\",\"CPT1\",\"1\",\"1.00\",\"4.50\",\"30\",\"\"\r\n"),
              std::make_pair(14, std::string("unknown unit \"ksf\" of SCPT_RES")));
    EXPECT_EQ(Refusal("b.ags",
                      "\"GROUP\",\"SCPT\"\n\"HEADING\",\"LOCA_ID\",\"SCPT_DPTH\"\n"
                      "\"UNIT\",\"\",\"m\"\n\"DATA\",\"X\",\"1\"\n"),
              std::make_pair(2, std::string("SCPT has no SCPT_RES column")));
    EXPECT_EQ(Refusal("c.ags", "\"GROUP\",\"SCPT\"\n\"HEADING\",\"LOCA_ID\n"),
              std::make_pair(2, std::string("a quote is not closed")));
    EXPECT_EQ(Refusal("d.ags", "\"GROUP\",\"LOCA\"\n"),
              std::make_pair(0, std::string("the file has no SCPT group")));
}

TEST(CptReaderTest, DelimitedTextWithDeclaredVoid) {
    const CptRecord r = ReadCptFile(WriteFile("good.tsv",
                                              "# test id = P-3\n"
                                              "# area ratio = 0.8\n"
                                              "# void = -9999\n"
                                              "Depth [m]\tqc [MPa]\tfs [kPa]\tu2 [kPa]\tRf [%]\n"
                                              "0.10\t1.5\t12\t-9999\t0.8\n"
                                              "0.12\t-9999\t12\t0\t0.8\n"
                                              "0.14\t1.6\t13\t2\t0.8\n"));
    EXPECT_EQ(r.testId, "P-3");
    ASSERT_EQ(r.readings.size(), 2u);
    EXPECT_EQ(r.droppedRows, 1);
    EXPECT_TRUE(std::isnan(r.readings[0].u2));
    EXPECT_DOUBLE_EQ(r.Qt(r.readings[1]), 1600.4);
}

TEST(CptReaderTest, DelimitedTextRefusedWithLineAndReason) {
    EXPECT_EQ(Refusal("a.csv", "depth [m],fs [kPa]\n1,2\n"),
              std::make_pair(1, std::string("no cone resistance (qc) column")));
    EXPECT_EQ(Refusal("b.csv", "# x\nz,qc [MPa]\n1,2\n"),
              std::make_pair(2, std::string("the column \"z\" has no unit")));
    EXPECT_EQ(Refusal("c.csv", "z [m],qc [MPa]\n1,2\n2\n"),
              std::make_pair(3, std::string("the row has no value for cone resistance")));
    EXPECT_EQ(Refusal("d.csv", "z [m],qc [MPa]\n1,-9999\n"),  // -9999 not declared void
              std::make_pair(2, std::string("the cone resistance is negative")));
    EXPECT_EQ(Refusal("e.csv", "z [m],qc [MPa]\n1,x\n"),
              std::make_pair(2, std::string("the cone resistance \"x\" is not a number")));
    EXPECT_EQ(Refusal("f.csv", "z [m],qc [MPa]\n"),
              std::make_pair(0, std::string("the file holds no readings")));
}

TEST(CptReaderTest, MessageNamesFileAndLine) {
    const std::string path = WriteFile("g.csv", "z [m],qc [yards]\n");
    try {
        ReadCptFile(path);
        FAIL() << "read";
    } catch (const CptReadError& e) {
        EXPECT_EQ(std::string(e.what()), path + ": line 1: unknown unit \"yards\" of qc");
    }
}

}  // namespace
}  // namespace keldar::cpt
