// keldar-convert as a black box: every data file that the engine reads in the engine tests and
// the examples loads and saves again with the same values. Files are looked up when the test
// runs, so files added later are taken too.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <set>

#include "ProjectTestSupport.h"
#include "RunDriver.h"
#include "RunStore.h"
#include "WordReader.h"

namespace keldar {
namespace {

using test::ReadAll;
using test::WriteAll;

struct Converted {
    int exitCode;
    QString errors;
};

Converted Convert(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KELDAR_CONVERT), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

bool IsDataFile(const QFileInfo& file) {
    const QString suffix = file.suffix().toLower();
    return suffix == "kd3d" || suffix == "kdd";
}

QStringList DataFilesOfTheEngine() {
    const QString source = qEnvironmentVariable("KELDAR_SOURCE_DIR");
    QStringList files;
    for (const char* folder : {"/examples", "/engine/tests"}) {
        QDirIterator it(source + folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            if (IsDataFile(file)) files.append(file.filePath());
        }
    }
    files.sort();
    return files;
}

// Files meant to fail the engine's reading are not project files.
bool EngineReads(const QString& file, const QTemporaryDir& dir) {
    RunPaths paths;
    paths.dataFile = file.toStdString();
    paths.reportFile = dir.filePath("engine.kd3o").toStdString();
    paths.plotFile = dir.filePath("engine.kd3p").toStdString();
    paths.notesFile = dir.filePath("engine.kd3r").toStdString();
    RunOptions options;
    options.consoleBanner = false;
    const std::set<std::int32_t> readingFaults = {kStatusCannotOpenInput, kStatusInputTruncated,
                                                  kStatusInputMalformed, kStatusCountOutOfRange,
                                                  kStatusBadSoilCode};
    return !readingFaults.contains(runKeldar(paths, RunIdentity{}, options));
}

// The title line and the words after it.
QStringList WordsOf(const QByteArray& data) {
    TWordReader reader = TWordReader::FromData(data);
    QStringList words;
    if (reader.LineCount() == 0) return words;
    words.append(reader.Line(0).Text().toString());
    for (int i = 1; i < reader.LineCount(); ++i) {
        for (int w = 0; w < reader.Line(i).Count(); ++w)
            words.append(reader.Line(i).Word(w).toString());
    }
    return words;
}

// The writer's own normalisation: numbers to 8 significant digits (layer depths to 15), the
// same number in another form, and the two factor records that an old file lacks.
void ExpectSameValues(const QByteArray& original, const QByteArray& saved, bool oldFormat) {
    QStringList expected = WordsOf(original);
    if (oldFormat)
        expected << "0"
                 << "0";
    const QStringList written = WordsOf(saved);
    ASSERT_EQ(written.size(), expected.size());
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(written[0], expected[0]);  // the title, untouched
    for (qsizetype i = 1; i < written.size(); ++i) {
        double a = 0;
        double b = 0;
        if (ParseReal(expected[i], a) && ParseReal(written[i], b)) {
            EXPECT_LE(std::fabs(a - b), 1e-7 * std::max(std::fabs(a), std::fabs(b)))
                << "word " << i << ": " << expected[i].toStdString() << " written as "
                << written[i].toStdString();
        } else {
            EXPECT_EQ(written[i], expected[i]) << "word " << i;
        }
    }
}

TEST(ConvertRoundTrip, EveryDataFileOfTheEngine) {
    const QStringList files = DataFilesOfTheEngine();
    ASSERT_FALSE(files.isEmpty());
    int converted = 0;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QTemporaryDir dir;
        if (!EngineReads(file, dir)) continue;
        const QString in = dir.filePath(QFileInfo(file).fileName());
        ASSERT_TRUE(QFile::copy(file, in));
        const QString first = dir.filePath("first.kd3d");
        const QString second = dir.filePath("second.kd3d");

        const Converted result = Convert({in, first});
        ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
        EXPECT_TRUE(result.errors.isEmpty());
        EXPECT_TRUE(QFileInfo::exists(dir.filePath("first.gwi")));
        const QByteArray saved = ReadAll(first);
        ExpectSameValues(ReadAll(in), saved, QFileInfo(in).suffix().toLower() == "kdd");
        // The sample projects are kept exactly as the program saves them.
        if (file.contains("/examples/")) {
            EXPECT_EQ(saved, ReadAll(in));
        }
        // A saved file is already in the writer's form.
        ASSERT_EQ(Convert({first, second}).exitCode, 0);
        EXPECT_EQ(ReadAll(second), saved);
        ++converted;
    }
    EXPECT_GT(converted, 0);
}

TEST(ConvertRoundTrip, OldFileBroughtForward) {
    QTemporaryDir dir;
    const QByteArray old = test::Lines({"Old pile",
                                        "50 0 1",
                                        "1 ",
                                        "2",
                                        "1 0 2",
                                        "0 0",
                                        "1 0.1",
                                        "2 100 2",
                                        "0 0",
                                        "2 0.1",
                                        "2",
                                        "1E8 0",
                                        "1E8 100",
                                        "2",
                                        "0 0",
                                        "900 1",
                                        "1E-5 100 12 113.1",
                                        " 0",
                                        "1",
                                        "500",
                                        " 0"});
    const QString kdd = dir.filePath("old.kdd");
    WriteAll(kdd, old);
    ASSERT_EQ(Convert({kdd}).exitCode, 0);  // to old.kd3d beside it
    EXPECT_EQ(ReadAll(dir.filePath("old.kd3d")), old + " 0\r\n 0\r\n");
    EXPECT_EQ(ReadAll(kdd), old);

    // Never written in the old format, least of all over the file read.
    const Converted refused = Convert({kdd, kdd});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errors.contains(".kdd"));
    EXPECT_EQ(ReadAll(kdd), old);
}

// A file whose layer tops the project cannot keep is not rewritten unawares.
TEST(ConvertRoundTrip, ValuesNotKeptStopTheConversionUnlessForced) {
    QTemporaryDir dir;
    const QString source = qEnvironmentVariable("KELDAR_SOURCE_DIR") + "/examples/";
    const QByteArray written = ReadAll(source + "layered-downdrag.kd3d");
    const QByteArray from = "1 1 0.0  3.00000000000000E+0002";
    ASSERT_TRUE(written.contains(from));
    const QByteArray below = QByteArray(written).replace(from, "1 1 24  3.00000000000000E+0002");
    const QString in = dir.filePath("below.kd3d");
    const QString out = dir.filePath("out.kd3d");
    WriteAll(in, below);

    const Converted refused = Convert({in, out});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_TRUE(refused.errors.contains("Soil layer tops as read: layer 1 top 24 (kept as 0)."))
        << refused.errors.toStdString();
    EXPECT_TRUE(refused.errors.contains("--force"));
    EXPECT_FALSE(QFileInfo::exists(out));

    const Converted forced = Convert({"--force", in, out});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_TRUE(forced.errors.contains("layer 1 top 24"));
    EXPECT_EQ(ReadAll(out), written);
    EXPECT_EQ(ReadAll(in), below);
}

TEST(ConvertRoundTrip, InvalidFileIsReportedAndNothingWritten) {
    QTemporaryDir dir;
    const QString in = dir.filePath("broken.kd3d");
    const QString out = dir.filePath("out.kd3d");
    struct Case {
        QByteArray text;
        QString message;
    };
    const Case cases[] = {
        {"Broken\r\n50 0 1\r\n2 \r\n1\r\n", "This file either invalid or incomplete."},
        {"Broken\r\n50 0 1.5\r\n",
         "Error on Line 2 Item 3\nAn integer was expected but not found."},
    };
    for (const Case& c : cases) {
        WriteAll(in, c.text);
        const Converted result = Convert({in, out});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.errors.contains(c.message)) << result.errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    EXPECT_EQ(Convert({dir.filePath("missing.kd3d"), out}).exitCode, 1);
    EXPECT_EQ(Convert({}).exitCode, 2);
}

}  // namespace
}  // namespace keldar
