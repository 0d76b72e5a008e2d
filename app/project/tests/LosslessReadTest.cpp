// Opening and saving a data file never changes what the analysis computes from it. The engine
// runs in-process on the file as it was and on the file as the project saves it; both reports
// (apart from the folder line) and both plot data files must be equal. The files: every sample
// project, variants of them made through the project model (one curve or layer, one point per
// list, each option on and off, the other unit system), and hand-made forms of them that the
// project keeps without a word.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <random>

#include "ProgramData.h"
#include "ProjectTestSupport.h"
#include "RunDriver.h"

namespace keldar {
namespace {

using test::ReadAll;
using test::WriteAll;

struct EngineRun {
    std::int32_t status = -1;
    QByteArray report;
    QByteArray plot;
};

// The folder line differs between the two runs; the date is fixed.
QByteArray WithoutFolderLine(QByteArray report) {
    const qsizetype at = report.indexOf("Path to file locations");
    if (at >= 0) report.remove(at, report.indexOf('\n', at) - at);
    return report;
}

EngineRun RunEngine(const QString& dataFile) {
    RunPaths paths;
    paths.dataFile = dataFile.toStdString();
    paths.reportFile = ChangeFileExt(dataFile, ".kd3o").toStdString();
    paths.plotFile = ChangeFileExt(dataFile, ".kd3p").toStdString();
    paths.notesFile = ChangeFileExt(dataFile, ".kd3r").toStdString();
    RunOptions options;
    options.consoleBanner = false;
    options.fixedTime = ReportTime{2014, 3, 4, 12, 0, 0};
    EngineRun run;
    run.status = runKeldar(paths, RunIdentity{}, options);
    run.report = WithoutFolderLine(ReadAll(QString::fromStdString(paths.reportFile)));
    run.plot = ReadAll(QString::fromStdString(paths.plotFile));
    return run;
}

// The rows of the load-settlement table and of the load-controlled table.
QList<QByteArray> LoadSettlementRows(const QByteArray& report) {
    const QList<QByteArray> lines = report.split('\n');
    QList<QByteArray> rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains("TOP  LOAD") || !lines[i].contains("TOP MOVEMENT")) continue;
        for (i += 2; i < lines.size(); ++i) {
            const QByteArray row = lines[i].trimmed();
            if (row.isEmpty() || row == "1") break;
            rows.append(row);
        }
        rows.append("--");
    }
    return rows;
}

class LosslessRead : public ::testing::Test {
  protected:
    // Opens the file as the GUI does and saves it under the same name in another folder.
    QByteArray OpenAndSave(const QByteArray& data) {
        WriteAll(Original(), data);
        messages_.texts.clear();
        EXPECT_TRUE(project_.LoadFromFile(Original(), true, messages_))
            << messages_.texts.join("|").toStdString();
        project_.FileName = Saved();
        project_.SaveToFile();
        return ReadAll(Saved());
    }

    // A file in the written form comes back byte for byte, opens without a word and analyses
    // the same in every line of the report and of the plot data file.
    void ExpectLossless(const QByteArray& data) {
        const QByteArray saved = OpenAndSave(data);
        EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("|").toStdString();
        EXPECT_EQ(saved.toStdString(), data.toStdString());
        const EngineRun before = RunEngine(Original());
        const EngineRun after = RunEngine(Saved());
        EXPECT_EQ(after.status, before.status);
        EXPECT_EQ(after.report.toStdString(), before.report.toStdString());
        EXPECT_EQ(after.plot.toStdString(), before.plot.toStdString());
    }

    // A hand-made file that the project keeps without a word computes the same tables after
    // Open and Save; the echo of the input may show the project's numbering and number forms.
    void ExpectSameAnalysis(const QByteArray& data) {
        OpenAndSave(data);
        EXPECT_TRUE(messages_.texts.isEmpty()) << messages_.texts.join("|").toStdString();
        EXPECT_FALSE(project_.Modified());
        const EngineRun before = RunEngine(Original());
        const EngineRun after = RunEngine(Saved());
        ASSERT_EQ(before.status, 0);
        EXPECT_EQ(after.status, 0);
        const QList<QByteArray> rows = LoadSettlementRows(before.report);
        EXPECT_GT(rows.size(), 2);
        EXPECT_EQ(LoadSettlementRows(after.report), rows);
    }

    // Opens and saves without expectations; true when the file opened completely and silently.
    bool OpenedSilently(const QByteArray& data) {
        WriteAll(Original(), data);
        messages_.texts.clear();
        const bool complete = project_.LoadFromFile(Original(), true, messages_);
        if (!complete || !messages_.texts.isEmpty()) return false;
        project_.FileName = Saved();
        project_.SaveToFile();
        return true;
    }

    // The sample project changed through the model and saved: a file in the written form.
    QByteArray Variant(const QString& example, const std::function<void()>& change) {
        messages_.texts.clear();
        EXPECT_TRUE(project_.LoadFromFile(example, true, messages_));
        change();
        project_.FileName = dir_.filePath("variant.kd3d");
        project_.SaveToFile();
        return ReadAll(project_.FileName);
    }

    QString Original() const { return dir_.filePath("a/pile.kd3d"); }
    QString Saved() const { return dir_.filePath("b/pile.kd3d"); }

    static QStringList Examples() {
        const QDir folder(qEnvironmentVariable("KELDAR_SOURCE_DIR") + "/examples");
        QStringList files;
        for (const QString& name : folder.entryList({"*.kd3d"}, QDir::Files, QDir::Name))
            files.append(folder.filePath(name));
        return files;
    }

    void SetUp() override {
        ASSERT_TRUE(QDir(dir_.path()).mkpath("a"));
        ASSERT_TRUE(QDir(dir_.path()).mkpath("b"));
        ASSERT_FALSE(Examples().isEmpty());
    }

    TGridTableChart& Chart(const char* name) { return tables_.Chart(name); }

    // Every sub-table of a list's rows: the t-z curves of the entered depths.
    void ForEachCurve(const std::function<void(TGridTable&)>& visit) {
        TGridTableChart& depths = Chart("TblTZDepth2");
        for (int k = 0; k < depths.RowCount(); ++k) visit(*depths.Cell(1, k).GetTable());
    }

    QTemporaryDir dir_;
    TMainTables tables_ = TMainTables::BuiltIn();
    TProgramData project_{tables_};
    test::MessageTexts messages_;
};

TEST_F(LosslessRead, SampleProjects) {
    for (const QString& example : Examples()) {
        SCOPED_TRACE(example.toStdString());
        ExpectLossless(ReadAll(example));
    }
}

TEST_F(LosslessRead, VariantsOfTheSampleProjects) {
    using Change = std::function<void()>;
    const auto rows = [this](const char* name, int count) {
        return [this, name, count] {
            if (std::string_view(name) == "TblTipMove" || std::string_view(name) == "TblTopload") {
                tables_.Plain(name).SetRowCount(count);
            } else {
                Chart(name).SetRowCount(count);
            }
        };
    };
    const std::vector<std::pair<const char*, Change>> changes = {
        {"as it is", [] {}},
        {"one curve or layer",
         [this] {
             Chart("TblTZDepth2").SetRowCount(1);
             Chart("D2").SetRowCount(1);
         }},
        {"one point per curve and list",
         [this] {
             ForEachCurve([](TGridTable& curve) { curve.SetRowCount(1); });
             for (const char* name : {"TblQwcurve2", "TblAE2", "TblSettlement2", "TblTZFactors2"})
                 Chart(name).SetRowCount(1);
             tables_.Plain("TblTipMove").SetRowCount(1);
             tables_.Plain("TblTopload").SetRowCount(1);
         }},
        {"t-z factors on without rows",
         [this, rows] {
             project_.TZFactorsOn = true;
             rows("TblTZFactors2", 0)();
         }},
        {"tip movements switched", [this] { project_.TipMovementsOn = !project_.TipMovementsOn; }},
        {"head loads switched", [this] { project_.HeadLoadsOn = !project_.HeadLoadsOn; }},
        {"down-drag switched", [this] { project_.DowndragOn = !project_.DowndragOn; }},
        {"t-z factors switched", [this] { project_.TZFactorsOn = !project_.TZFactorsOn; }},
        {"Q-w factors switched", [this] { project_.QWFactorsOn = !project_.QWFactorsOn; }},
        {"other unit system", [this] { project_.SetUnitSystem(3 - project_.UnitSystem); }},
    };
    for (const QString& example : Examples()) {
        for (const auto& [name, change] : changes) {
            SCOPED_TRACE(example.toStdString() + ": " + name);
            ExpectLossless(Variant(example, change));
        }
    }
}

// The written form with the liberties that the analysis reads alike: other numbering, other
// number forms, LF line ends and tabs, blank lines between records, a pair split over two lines,
// any curve mode but 1 for generated curves, any option value above 0 for on.
TEST_F(LosslessRead, HandMadeFormsKeptSilently) {
    const auto replaced = [](QByteArray data,
                             std::initializer_list<std::pair<const char*, const char*>> edits) {
        for (const auto& [from, to] : edits) {
            EXPECT_TRUE(data.contains(from)) << from;
            data.replace(from, to);
        }
        return data;
    };
    const QString source = qEnvironmentVariable("KELDAR_SOURCE_DIR") + "/examples/";
    const QByteArray layers = ReadAll(source + "layered-downdrag.kd3d");
    const QByteArray curves = ReadAll(source + "user-curves-si.kd3d");
    ASSERT_TRUE(layers.contains("\r\n2 \r\n2\r\n1 1 0.0 "));
    ASSERT_TRUE(curves.contains("\r\n1 \r\n"));

    const QByteArray files[] = {
        QByteArray(layers).replace("\r\n", "\n").replace(' ', '\t'),
        QByteArray(curves).replace("\r\n", "\r\n\r\n"),
        replaced(layers,
                 {{"\r\n2 \r\n2\r\n1 1 0.0 ", "\r\n3\r\n2\r\n7 1 -0 "}, {"\r\n2 ", "\r\n+2 "}}),
        replaced(curves,
                 {{"\r\n1 \r\n", "\r\n1\r\n"}, {"\r\n1 ", "\r\n9 "}, {"\r\n 1\r\n", "\r\n 5\r\n"}}),
        replaced(curves, {{"8500000 0\r\n", "8.5E6 0.0\r\n"}, {"7000000 12", "7000000\r\n12"}}),
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.left(200).toStdString());
        ExpectSameAnalysis(file);
    }
}

// Sample projects edited at random in the ways a hand or a script would: other digits, other
// blanks, line ends and signs. Whatever the project opens without a word and the analysis
// accepts computes the same tables after Save.
TEST_F(LosslessRead, RandomEditsKeptSilentlyComputeTheSame) {
    std::mt19937 random(18);
    const auto below = [&random](qsizetype n) {
        return static_cast<qsizetype>(random() % static_cast<unsigned>(n));
    };
    const QStringList examples = Examples();
    int compared = 0;
    for (int round = 0; round < 120; ++round) {
        QByteArray data = ReadAll(examples[below(examples.size())]);
        const qsizetype firstRecord = data.indexOf('\n') + 1;
        for (qsizetype edit = below(3) + 1; edit > 0; --edit) {
            const qsizetype at = firstRecord + below(data.size() - firstRecord);
            switch (below(5)) {
                case 0:
                    if (data[at] >= '0' && data[at] <= '9') data[at] = char('0' + below(10));
                    break;
                case 1:
                    data.insert(at, below(2) ? " " : "\t");
                    break;
                case 2:
                    if (data[at] == ' ') data.insert(at + 1, '+');
                    break;
                case 3:
                    if (data[at] == '\n') data.insert(at, "\r\n");
                    break;
                default:
                    if (data[at] == '\r') data.remove(at, 1);
                    break;
            }
        }
        SCOPED_TRACE(data.toStdString());
        if (!OpenedSilently(data)) continue;
        const EngineRun before = RunEngine(Original());
        if (before.status != 0) continue;
        const EngineRun after = RunEngine(Saved());
        EXPECT_EQ(after.status, 0);
        EXPECT_EQ(LoadSettlementRows(after.report), LoadSettlementRows(before.report));
        ++compared;
        if (HasFailure()) break;
    }
    EXPECT_GT(compared, 30);
}

}  // namespace
}  // namespace keldar
