#include "RunDriver.h"

#include <charconv>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>

#include "DataFileReader.h"
#include "InputEcho.h"
#include "InputStage.h"
#include "OutputFile.h"
#include "RunContext.h"
#include "RunFileNames.h"
#include "RunNotes.h"
#include "RunResultsCollect.h"
#include "RunStore.h"
#include "Solver.h"

namespace keldar {

static void writeStartBanner() {
    std::cerr << " PROGRAM KELDAR FOR COMPUTING LOAD VS. SETTLEMENT\n"
              << " FOR AN AXIALLY LOADED PILE\n"
              << " VERSION " << kProgramVersion << "\n\n\n\n";
}

static ReportTime localTime() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

static void closeRunFiles() {
    RunFiles& files = runFiles();
    files.report.close();
    files.notes.close();
    files.plot.close();
}

// Closes the output files; a write that failed on any of them turns a normal run into
// status kStatusWriteFailed. The report is closed last so that it can name the others.
static void closeOutputs(const RunPaths& paths, std::int32_t& status) {
    RunFiles& files = runFiles();
    const bool notesOk = files.notes.close();
    const bool plotOk = files.plot.close();
    if (status == kStatusOk && (!plotOk || !notesOk)) {
        status = kStatusWriteFailed;
        writeRunError(status, "Writing the file \"" + (plotOk ? paths.notesFile : paths.plotFile) +
                                  "\" failed.");
    }
    if (!files.report.close() && status == kStatusOk) {
        status = kStatusWriteFailed;
        writeRunError(status, "Writing the output report \"" + paths.reportFile + "\" failed.");
    }
}

// Where a run takes its data and puts its texts: the files that the paths name, or memory.
struct RunPlace {
    const RunPaths& paths;  // the files; in memory, the names that the report's file block shows
    const std::string* dataText = nullptr;  // in memory: the data file's text
    bool keepTexts = false;                 // in memory: the texts are kept, not dropped

    bool inMemory() const { return dataText != nullptr; }
};

static bool openOutput(OutputFile& file, const std::string& path, const RunPlace& place) {
    if (!place.inMemory()) return file.open(path);
    if (place.keepTexts)
        file.openInMemory();
    else
        file.openDiscarding();
    return true;
}

static bool openData(DataFileReader& in, const RunPlace& place) {
    if (!place.inMemory()) return in.open(place.paths.dataFile);
    in.openText(*place.dataText);
    return true;
}

// Steps 3 to 10 of a run: from opening the report to closing every file.
static void runSteps(const RunPlace& place, const RunIdentity& identity, const ReportTime& time,
                     const RunOptions& options, std::int32_t& status) {
    const RunPaths& paths = place.paths;
    clearRunStore();
    closeRunFiles();
    startRunNotes();
    status = kStatusOk;
    RunFiles& files = runFiles();

    if (!openOutput(files.report, paths.reportFile, place)) {
        status = kStatusCannotCreateOutput;
        writeRunError(status, "The output report \"" + paths.reportFile + "\" cannot be created.");
        return;
    }
    writeReportHeader(identity, paths, time);

    DataFileReader in;
    in.setStrict(options.strictRecords);
    const bool dataOk = openData(in, place);
    // The plot file is replaced even when the run cannot go on, so that no earlier run's
    // results are left behind under this project's name.
    const bool plotOk = openOutput(files.plot, paths.plotFile, place);
    const bool notesOk = openOutput(files.notes, paths.notesFile, place);
    if (!dataOk) {
        status = in.status();
        writeRunError(status, in.message());
    } else if (!plotOk || !notesOk) {
        status = kStatusCannotCreateOutput;
        writeRunError(status, "The file \"" + (plotOk ? paths.notesFile : paths.plotFile) +
                                  "\" cannot be created.");
    }

    if (status == kStatusOk) {
        if (options.consoleBanner) std::cerr << "\n\n\n         COMPUTATION IS PROCEEDING.......\n";
        readInput(in, status);
        if (options.results) options.results->unusedWords = in.unusedWords();
        if (status == kStatusOk) collectInput();
        if (status == kStatusOk) runTipMovementCases(status, options.workers);
        if (status == kStatusOk && runStore().NLOAD > 0) runLoadControlled(status, options.workers);
        finishRunNotes();
    }
    closeOutputs(paths, status);
}

static std::int32_t runGuarded(const RunPlace& place, const RunIdentity& identity,
                               const RunOptions& options) {
    std::int32_t status = kStatusOk;
    try {
        runSteps(place, identity, options.fixedTime ? *options.fixedTime : localTime(), options,
                 status);
    } catch (const std::exception& e) {
        // Nothing may escape to the host: the run ends with every file closed.
        status = kStatusInternalError;
        writeRunError(status, std::string("Internal error: ") + e.what());
        closeRunFiles();
    } catch (...) {
        status = kStatusInternalError;
        writeRunError(status, "Internal error.");
        closeRunFiles();
    }
    return status;
}

// One run with storage of its own, bound to the calling thread while it lasts: runs on other
// threads never see it.
static std::int32_t runOwnStorage(const RunPlace& place, const RunIdentity& identity,
                                  const RunOptions& options, RunTexts* texts) {
    std::unique_ptr<RunContext> run;
    try {
        run.reset(new RunContext);  // not zeroed twice: the run clears its store first
    } catch (const std::bad_alloc&) {
        if (options.consoleErrors)
            std::cerr << "KELDAR: no memory for the run (status " << kStatusInternalError << ")\n";
        return kStatusInternalError;
    }
    const RunBinding binding(*run);
    run->consoleErrors = options.consoleErrors;
    if (options.results) *options.results = RunResults{};
    setResultsTarget(options.results);
    const std::int32_t status = runGuarded(place, identity, options);
    collectEnd(status);
    if (texts) {
        texts->report = run->files.report.takeCaptured();
        texts->plot = run->files.plot.takeCaptured();
        texts->notes = run->files.notes.takeCaptured();
    }
    if (options.finalStore) *options.finalStore = run->store;
    return status;
}

RunPaths RunPathsFor(const std::string& dataFile) {
    namespace fs = std::filesystem;
    const auto withExtension = [&dataFile](const char* extension) {
        return fs::path(dataFile).replace_extension(extension).string();
    };
    return {dataFile, withExtension(kReportExtension), withExtension(kPlotExtension),
            withExtension(kNotesExtension)};
}

std::int32_t runKeldar(const RunPaths& paths, const RunIdentity& identity,
                       const RunOptions& options) {
    if (options.consoleBanner) writeStartBanner();
    return runOwnStorage(RunPlace{paths}, identity, options, nullptr);
}

std::int32_t runKeldarInMemory(const std::string& dataText, const RunPaths& names,
                               const RunIdentity& identity, const RunOptions& options,
                               RunTexts* texts) {
    if (options.consoleBanner) writeStartBanner();
    return runOwnStorage(RunPlace{names, &dataText, texts != nullptr}, identity, options, texts);
}

void RUNPILE(std::int32_t& status) {
    writeStartBanner();
    RunIdentity identity;
    RunPaths paths;
    bool incomplete = false;
    std::string message;
    if (!readNamesFile("names.dat", identity, paths, incomplete, message)) {
        status = kStatusNamesFile;
        std::cerr << "KELDAR: " << message << " (status " << status << ")\n";
        return;
    }
    if (incomplete) std::cerr << "  FILE ERRORS!\n";
    status = runOwnStorage(RunPlace{paths}, identity, RunOptions{}, nullptr);
}

// ---------------------------------------------------------------------------------------------
// names.dat

static std::string firstChars(std::string line, std::size_t n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // written on Windows
    if (line.size() > n) line.resize(n);
    return line;
}

static std::string trimTrailing(std::string text) {
    const std::size_t end = text.find_last_not_of(" \t");
    text.resize(end == std::string::npos ? 0 : end + 1);
    return text;
}

bool readNamesFile(const std::string& path, RunIdentity& identity, RunPaths& paths,
                   bool& pathsIncomplete, std::string& message) {
    pathsIncomplete = false;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        message = "The file names file \"" + path + "\" cannot be opened.";
        return false;
    }
    std::string line[4];
    for (int i = 0; i < 4; ++i) {
        if (!std::getline(file, line[i])) {
            message = "The file names file \"" + path + "\" ends before line " +
                      std::to_string(i + 1) + ".";
            return false;
        }
    }
    identity.version = firstChars(line[0], 12);
    identity.user1 = trimTrailing(firstChars(line[1], 256));
    identity.user2 = trimTrailing(firstChars(line[2], 256));

    const std::string number = firstChars(line[3], line[3].size());
    const std::size_t begin = number.find_first_not_of(" \t");
    const char* first = number.data() + (begin == std::string::npos ? number.size() : begin);
    const char* last = number.data() + number.size();
    const auto [end, ec] = std::from_chars(first, last, identity.number);
    if (ec != std::errc() || (end != last && *end != ' ' && *end != '\t' && *end != ',')) {
        message = "Line 4 of the file names file \"" + path +
                  "\": an identification number was expected.";
        return false;
    }

    std::string* const names[] = {&paths.dataFile, &paths.reportFile, &paths.plotFile,
                                  &paths.notesFile};
    for (std::string* name : names) {
        std::string text;
        if (!std::getline(file, text)) {
            pathsIncomplete = true;
            break;
        }
        *name = trimTrailing(firstChars(text, 255));
    }
    return true;
}

PathParts splitPath(const std::string& path) {
    PathParts parts;
    std::string_view rest(path);
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (rest.size() >= 2 && isLetter(rest[0]) && rest[1] == ':') {
        parts.drive.assign(rest.substr(0, 2));
        rest.remove_prefix(2);
    }
    const std::size_t slash = rest.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        parts.folder.assign(rest.substr(0, slash + 1));
        rest.remove_prefix(slash + 1);
    }
    const std::size_t dot = rest.find_last_of('.');
    parts.name.assign(rest.substr(0, dot));
    if (dot != std::string_view::npos) parts.extension.assign(rest.substr(dot));
    return parts;
}

}  // namespace keldar
