// keldar-convert: reads a KELDAR data file through the project model, as the GUI opens it, and
// saves it through the same model as a current .kd3d file. Used to bring .kdd projects forward
// and to check a data file.
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include "InputOutputError.h"
#include "KeldarVersion.h"
#include "PlotFileResults.h"
#include "ProgramData.h"
#include "ResultsWriter.h"
#include "RunFileNames.h"
#include "UserMessages.h"

namespace {

void printUsage(std::ostream& out) {
    out << "Usage: keldar-convert [--force] IN [OUT]\n"
           "       keldar-convert --results json|csv FILE [OUT]\n"
           "\n"
           "Reads the KELDAR data file IN as the program opens it (a .kdd file without the\n"
           "modification-factor records, any other file with them) and saves it as the program\n"
           "saves a project, in the current .kd3d format, to OUT. OUT defaults to IN with the\n"
           "extension .kd3d. An empty .gwi companion file is created beside OUT, as every save\n"
           "does. The previous OUT is replaced only after the new file is completely written.\n"
           "\n"
           "Nothing is written when IN is invalid or incomplete: the reader's message is printed.\n"
           "\n"
           "Some files hold values that the program cannot keep, so that the saved file would\n"
           "analyse a different pile: soil layer tops other than 0 for the first layer and the\n"
           "bottom of the layer above for the others, a value where the format has a placeholder,\n"
           "numbers that change when written to 8 significant digits, words after a record's\n"
           "values, a unit system other than 1 or 2, a title that is not UTF-8. They are listed "
           "on\n"
           "standard error and nothing is written, unless --force is given: then OUT is written\n"
           "as the program would save it.\n"
           "\n"
           "With --results, the results of an earlier run (the program's, for instance) are\n"
           "read back from FILE's plot data file (FILE with the extension .kd3p) and written\n"
           "as keldar-run --results writes them, with the plot file's printed digits. OUT\n"
           "defaults to FILE with the extension .json, or FILE's base name for the CSV\n"
           "tables. The status and message of a stopped run come from the report (.kd3o).\n"
           "OUT may not be FILE's data, report, plot or notes file, nor a folder (status 2).\n"
           "Exit status 1 when the plot file cannot be read or the run did not finish.\n"
           "\n"
           "--version shows the program version.\n"
           "\n"
           "Exit status:\n"
           "  0  the file was read completely and saved\n"
           "  1  IN is invalid or incomplete, or OUT could not be saved\n"
           "  2  usage error\n"
           "  3  IN holds values that the program cannot keep; nothing written (see --force)\n";
}

// The reader's messages go to standard error; its line break becomes a new line.
class ConsoleMessages : public keldar::UserMessages {
  public:
    explicit ConsoleMessages(QString fileName) : fFileName(std::move(fileName)) {}
    void information(const QString&, const QString& text) override { Print(text); }
    void error(const QString&, const QString& text) override { Print(text); }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::No; }

    void Print(const QString& text) const {
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        std::cerr << "keldar-convert: " << fFileName.toLocal8Bit().constData() << ": "
                  << shown.toLocal8Bit().constData() << "\n";
    }

  private:
    QString fFileName;
};

// Exit statuses.
constexpr int kSaved = 0;
constexpr int kInvalid = 1;
constexpr int kUsage = 2;
constexpr int kValuesNotKept = 3;

bool isOldFormat(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".kdd"), Qt::CaseInsensitive);
}

// The results held by a plot data file, written as JSON or CSV tables.
int convertResults(const std::string& kind, const std::string& file, const std::string& out) {
    namespace fs = std::filesystem;
    const std::string plot = fs::path(file).replace_extension(keldar::kPlotExtension).string();
    const std::string report = fs::path(file).replace_extension(keldar::kReportExtension).string();
    // The results never take the place of the run's own files.
    if (!out.empty()) {
        std::error_code ec;
        for (const char* ext :
             {".kd3d", keldar::kReportExtension, keldar::kPlotExtension, keldar::kNotesExtension}) {
            if (fs::equivalent(out, fs::path(file).replace_extension(ext), ec)) {
                std::cerr << "keldar-convert: will not write the results over " << out << "\n";
                return kUsage;
            }
        }
        if (fs::is_directory(out, ec)) {
            std::cerr << "keldar-convert: " << out << " is a folder; name a results file\n";
            return kUsage;
        }
    }
    keldar::RunResults results;
    std::string message;
    if (!keldar::readPlotFileResults(plot, report, results, message)) {
        std::cerr << "keldar-convert: " << message << "\n";
        return kInvalid;
    }
    const auto write = [](const std::string& path, const std::string& text) {
        std::ofstream stream(path, std::ios::binary | std::ios::trunc);
        stream << text;
        stream.close();
        if (!stream) std::cerr << "keldar-convert: cannot write " << path << "\n";
        return static_cast<bool>(stream);
    };
    bool ok = true;
    if (kind == "json") {
        ok = write(out.empty() ? fs::path(file).replace_extension(".json").string() : out,
                   keldar::resultsJson(results, "plot file"));
    } else {
        const std::string base = out.empty() ? fs::path(file).replace_extension().string() : out;
        for (const auto& [suffix, text] : keldar::resultsCsv(results, "plot file"))
            ok = write(base + "." + suffix + ".csv", text) && ok;
    }
    if (results.status > 0)
        std::cerr << "keldar-convert: " << plot << ": status " << results.status << ", "
                  << results.message << "\n";
    return ok && results.status == 0 ? kSaved : kInvalid;
}

struct Arguments {
    QStringList files;
    bool force = false;
    QString resultsKind;
};

// What the command line asks for; an exit status when it asks for nothing to convert
// (--help, --version) or holds a usage error, which is then on standard error.
std::optional<int> parseArguments(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            printUsage(std::cout);
            return kSaved;
        }
        if (arg == QStringLiteral("--version")) {
            std::cout << "keldar-convert (KELDAR) " << keldar::kReleaseVersion << "\n";
            return kSaved;
        }
        if (arg == QStringLiteral("--force")) {
            a.force = true;
        } else if (arg == QStringLiteral("--results") && i + 1 < argc) {
            a.resultsKind = QString::fromLocal8Bit(argv[++i]);
            if (a.resultsKind != QStringLiteral("json") && a.resultsKind != QStringLiteral("csv")) {
                std::cerr << "keldar-convert: --results takes json or csv\n";
                return kUsage;
            }
        } else if (arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            std::cerr << "keldar-convert: unknown option " << argv[i] << "\n";
            printUsage(std::cerr);
            return kUsage;
        } else {
            a.files.append(arg);
        }
    }
    if (a.files.isEmpty() || a.files.size() > 2) {
        printUsage(std::cerr);
        return kUsage;
    }
    return std::nullopt;
}

// Reads a data file of either format and saves it as the program would, to `out` (.kd3d).
int convertDataFile(const QString& in, const QString& out, bool force) {
    // A .kdd file is never written: the writer knows only the current format.
    if (isOldFormat(out)) {
        std::cerr << "keldar-convert: will not write the old .kdd format ("
                  << out.toLocal8Bit().constData() << "); choose a .kd3d name\n";
        return kUsage;
    }

    keldar::TMainTables tables = keldar::TMainTables::BuiltIn();
    keldar::TProgramData project(tables);
    ConsoleMessages messages(in);
    if (!project.LoadFromFile(in, !isOldFormat(in), messages)) return kInvalid;
    // A complete read leaves the project modified only when the file holds values that saving
    // would change; they were listed through the messages.
    if (project.Modified() && !force) {
        std::cerr << "keldar-convert: nothing written; --force saves the file as the program "
                     "would\n";
        return kValuesNotKept;
    }

    project.FileName = out;
    try {
        project.SaveToFile();
    } catch (const keldar::EInputOutputError& e) {
        ConsoleMessages(out).Print(e.Message());
        return kInvalid;
    }
    return kSaved;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (const std::optional<int> status = parseArguments(argc, argv, a)) return *status;
    const QString in = a.files[0];
    if (!a.resultsKind.isEmpty())
        return convertResults(a.resultsKind.toStdString(), in.toLocal8Bit().toStdString(),
                              a.files.size() == 2 ? a.files[1].toLocal8Bit().toStdString() : "");
    const QString out =
        a.files.size() == 2 ? a.files[1] : keldar::ChangeFileExt(in, QStringLiteral(".kd3d"));
    return convertDataFile(in, out, a.force);
}
