#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "InputOutputError.h"
#include "NamesFile.h"
#include "ProgramSettings.h"
#include "RunStopMessage.h"
#include "TRecentFiles.h"
#include "UpdateAddress.h"
#include "WindowTitle.h"

namespace keldar {
namespace {

QStringList Names(int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i) names.append(QStringLiteral("/p/f%1.kd3d").arg(i));
    return names;
}

// The engine's words are the last error or warning block, which ends the report of a stopped run.
TEST(RunStopMessage, TheLastBlockOfTheReportInTheEnginesWords) {
    const QByteArray report =
        "  PILE DATA\r\n\r\n                             **** WARNING ****\r\n"
        "     THE VALUE OF X = 0.60E+03IS BEYOND THE EXTENT OF\r\n"
        "     THE UNIT WEIGHT TABLE\r\n\r\n"
        "                             **** ERROR ****\r\n"
        "     Line 41 of the data file: the pile length must be above 0.\r\n"
        "     THE RUN IS STOPPED WITH STATUS 20.\r\n";
    EXPECT_EQ(EngineStopReason(report),
              "Line 41 of the data file: the pile length must be above 0.\r"
              "THE RUN IS STOPPED WITH STATUS 20.");
    EXPECT_EQ(EngineStopReason(report.left(report.lastIndexOf("\r\n\r\n"))),
              "THE VALUE OF X = 0.60E+03IS BEYOND THE EXTENT OF\rTHE UNIT WEIGHT TABLE");
    EXPECT_EQ(EngineStopReason("A REPORT WITHOUT A STOP\n"), "");
    EXPECT_EQ(RunStoppedText(4, {}), "The analysis stopped (engine status 4).");
    EXPECT_EQ(RunStoppedText(9, "E50 IS NOT ABOVE ZERO"),
              "The analysis stopped (engine status 9).\r\rE50 IS NOT ABOVE ZERO");
}

TEST(RecentFiles, NewNameGoesFirstAndTheEleventhIsDropped) {
    TRecentFiles recent;
    for (const QString& name : Names(1, 11)) EXPECT_TRUE(recent.Add(name));
    EXPECT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Entry(0), "/p/f11.kd3d");
    EXPECT_EQ(recent.Entry(9), "/p/f2.kd3d");
}

TEST(RecentFiles, AKnownNameMovesUpAndTheFirstStays) {
    TRecentFiles recent;
    recent.Assign(Names(1, 4));
    EXPECT_FALSE(recent.Add("/p/f1.kd3d"));
    EXPECT_TRUE(recent.Add("/p/f3.kd3d"));
    EXPECT_EQ(recent.Entries(),
              QStringList({"/p/f3.kd3d", "/p/f1.kd3d", "/p/f2.kd3d", "/p/f4.kd3d"}));
    // Names are compared exactly.
    EXPECT_TRUE(recent.Add("/P/f3.kd3d"));
    EXPECT_EQ(recent.Count(), 5);
}

TEST(RecentFiles, AssignSkipsGapsAndExtraNames) {
    TRecentFiles recent;
    recent.Assign(QStringList({"", "/a.kd3d", ""}) + Names(1, 12));
    EXPECT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Entry(0), "/a.kd3d");
}

TEST(RecentFiles, CaptionShortensTheCurrentFolder) {
    EXPECT_EQ(RecentFileCaption(1, "/work/piles/a.kd3d", "/work/piles"), "1 a.kd3d");
    EXPECT_EQ(RecentFileCaption(2, "/work/piles/sub/a.kd3d", "/work/piles/"), "2 sub/a.kd3d");
    EXPECT_EQ(RecentFileCaption(3, "/work/pilesx/a.kd3d", "/work/piles"), "3 /work/pilesx/a.kd3d");
    EXPECT_EQ(RecentFileCaption(10, "/w/R&D.kd3d", "/other"), "10 /w/R&&D.kd3d");
}

TEST(WindowTitle, DisplayName) {
    EXPECT_EQ(DisplayFileName("NewKELDAR.kd3d"), "NewKELDAR.kd3d");
    EXPECT_EQ(DisplayFileName("/home/u/pile.kd3d"), "Pile.kd3d");
    EXPECT_EQ(DisplayFileName("/home/u/pile.v2.KD3"), "Pile");
    EXPECT_EQ(DisplayFileName("C:\\jobs\\shaft.kdd"), "Shaft.kdd");
    EXPECT_EQ(DisplayFileName("/home/u.x/p"), "p");
    EXPECT_EQ(DisplayFileName("/home/u/ab"), "Ab");
    EXPECT_EQ(MainWindowTitle("/a/b.kd3d"), "KELDAR 2014.3.4 - B.kd3d");
}

TEST(NamesFile, EightLinesWithinTheirLengths) {
    TUserIdentification user{QString(40, QLatin1Char('u')), "  Morvel Geotechnical Ltd  ", " Jo ",
                             17};
    const QStringList lines = NamesFileLines(user, "/jobs/pile.kd3d");
    EXPECT_EQ(lines, QStringList({"2014.3.4", QString(32, QLatin1Char('u')), "Morvel Geotechni, Jo",
                                  "17", "/jobs/pile.kd3d", "/jobs/pile.kd3o", "/jobs/pile.kd3p",
                                  "/jobs/pile.kd3r"}));
    user.Organisation.clear();
    EXPECT_EQ(NamesFileLines(user, "/p.kd3d").at(2), "Jo");
}

TEST(NamesFile, WrittenWithCrLfAndFailureRaises) {
    QTemporaryDir dir;
    const QString path = dir.filePath("names.dat");
    WriteNamesFile(path, {"a", "b"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("a\r\nb\r\n"));
    EXPECT_THROW(WriteNamesFile(dir.filePath("missing/names.dat"), {"a"}), EInputOutputError);
}

TEST(UpdateAddress, DatesProductAndVersion) {
    EXPECT_EQ(UpdatePageAddress("https://updates.example", QDate(2026, 1, 9)),
              "https://updates.example/checkupdates/check/check.php?01/09/26;03/04/14;KELDAR;"
              "2014.3.4");
    EXPECT_EQ(UpdatePageAddress("", QDate(2026, 1, 9)), "");
}

TEST(ProgramSettings, WrittenValuesReadBackUnderTheVersionGroup) {
    QTemporaryDir dir;
    QSettings store(dir.filePath("keldar.ini"), QSettings::IniFormat);
    TProgramSettings empty;
    ASSERT_TRUE(ReadProgramSettings(store, empty));
    EXPECT_TRUE(empty.EditorPath.isEmpty());
    EXPECT_EQ(empty.RecentFiles.Count(), 0);
    EXPECT_EQ(empty.User.UserName, LoginName());

    TProgramSettings written;
    written.EditorPath = "/usr/bin/gedit";
    written.RecentFiles.Assign(Names(1, 3));
    written.User = {"A. User", "Soils Ltd", "B. Contact", 7};
    WriteProgramSettings(store, written);
    EXPECT_EQ(store.value("2014.3.4/Word Processor").toString(), "/usr/bin/gedit");
    EXPECT_EQ(store.value("2014.3.4/Organisation").toString(), "Soils Ltd");
    EXPECT_EQ(store.value("2014.3.4/Contact Name").toString(), "B. Contact");
    EXPECT_EQ(store.value("2014.3.4/User Number").toLongLong(), 7);
    EXPECT_EQ(store.value("2014.3.4/File3").toString(), "/p/f3.kd3d");
    EXPECT_EQ(store.value("2014.3.4/File4").toString(), "");

    store.setValue("2014.3.4/User Name", "A. Engineer");
    store.setValue("2014.3.4/User Number", 42);
    TProgramSettings read;
    ASSERT_TRUE(ReadProgramSettings(store, read));
    EXPECT_EQ(read.EditorPath, "/usr/bin/gedit");
    EXPECT_EQ(read.RecentFiles.Entries(), Names(1, 3));
    EXPECT_EQ(read.User.UserName, "A. Engineer");
    EXPECT_EQ(read.User.Number, 42);
}

}  // namespace
}  // namespace keldar
