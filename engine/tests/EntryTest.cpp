// The shared library as the GUI uses it: loaded at run time, entry point resolved by name.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "RunDriver.h"
#include "TestFiles.h"
#include "ThreadCount.h"

namespace keldar {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

#if defined(_WIN32)
using EntryPoint = std::int32_t(WINAPI*)(std::int32_t);

void* loadLibrary(const char* path) { return LoadLibraryA(path); }
void* findSymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void freeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
std::string loadError() { return "LoadLibraryA error " + std::to_string(GetLastError()); }

// The names in the export directory of the loaded image.
std::set<std::string> exportedNames(void* library) {
    const auto* base = static_cast<const unsigned char*>(library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (directory.Size == 0) return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* nameAddresses = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + nameAddresses[i]));
    return names;
}
#else
using EntryPoint = std::int32_t (*)(std::int32_t);

void* loadLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
void* findSymbol(void* library, const char* name) { return dlsym(library, name); }
void freeLibrary(void* library) { dlclose(library); }
std::string loadError() { return dlerror(); }

// The dynamic symbols that the library defines, as nm lists them.
std::set<std::string> exportedNames(void*) {
    std::set<std::string> names;
    const std::string command = std::string("nm -D --defined-only ") + KELDAR_DLL_PATH;
    std::FILE* nm = popen(command.c_str(), "r");
    if (nm == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, nm) != nullptr) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        names.insert(text.substr(text.find_last_of(' ') + 1));
    }
    if (pclose(nm) != 0) names.insert("(nm failed)");
    return names;
}
#endif

class EngineLibrary : public testing::Test {
  protected:
    void SetUp() override {
        handle_ = loadLibrary(KELDAR_DLL_PATH);
        ASSERT_NE(handle_, nullptr) << loadError();
        entry_ = reinterpret_cast<EntryPoint>(findSymbol(handle_, "_IKELDAR"));
        ASSERT_NE(entry_, nullptr);
    }
    void TearDown() override {
        if (handle_ != nullptr) freeLibrary(handle_);
    }

    // Calls the entry point with `folder` as the current directory.
    std::int32_t callIn(const std::filesystem::path& folder, std::int32_t value) {
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        const std::int32_t status = entry_(value);
        std::filesystem::current_path(previous);
        return status;
    }

    void* handle_ = nullptr;
    EntryPoint entry_ = nullptr;
};

TEST_F(EngineLibrary, ExportsExactlyTheTwoEntryNames) {
    EXPECT_EQ(findSymbol(handle_, "IKELDAR"), reinterpret_cast<void*>(entry_));
    EXPECT_EQ(exportedNames(handle_), (std::set<std::string>{"IKELDAR", "_IKELDAR"}));
}

const char* const kPile =
    "Entry test pile\r\n20 0 1\r\n1 \r\n1\r\n1 0 3\r\n0 0\r\n2 0.1\r\n2 1\r\n"
    "2\r\n1E6 0\r\n1E6 100\r\n2\r\n0 0\r\n100 0.5\r\n1E-5 100 12 113.1\r\n"
    "2\r\n0.01\r\n0.1\r\n 0\r\n 0\r\n 0\r\n 0\r\n";

std::string namesFile(const std::string& data, const std::string& base) {
    return "2014.3.4\r\nTest Engineer\r\nGeo Ltd, T. Engineer\r\n42\r\n" + data + "\r\n" + base +
           ".kd3o\r\n" + base + ".kd3p\r\n" + base + ".kd3r\r\n";
}

TEST_F(EngineLibrary, WrongHandshakeTouchesNoFile) {
    TempDir dir;
    writeFile(dir.file("pile.kd3d"), kPile);
    writeFile(dir.file("names.dat"), namesFile(dir.file("pile.kd3d"), dir.file("pile")));
    for (std::int32_t value : {0, 3, 5, -4}) EXPECT_EQ(callIn(dir.path(), value), 1) << value;
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"names.dat", "pile.kd3d"}));
}

// The report without its date and time line (the entry point uses the clock).
std::string withoutDateLine(std::string report) {
    const std::size_t at = report.find("               Date:  ");
    if (at != std::string::npos) report.erase(at, report.find('\n', at) - at);
    return report;
}

TEST_F(EngineLibrary, RunThroughNamesFileEqualsDirectCall) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "entry");
    std::filesystem::create_directory(dir.path() / "direct");
    writeFile(dir.file("pile.kd3d"), kPile);
    writeFile(dir.file("names.dat"), namesFile(dir.file("pile.kd3d"), dir.file("entry/pile")));
    EXPECT_EQ(callIn(dir.path(), 4), 0);

    RunIdentity id;
    id.version = "2014.3.4";
    id.user1 = "Test Engineer";
    id.user2 = "Geo Ltd, T. Engineer";
    id.number = 42;
    RunOptions options;
    options.fixedTime = ReportTime{2026, 1, 2, 3, 4, 5};
    options.consoleBanner = false;
    const RunPaths direct{dir.file("pile.kd3d"), dir.file("direct/pile.kd3o"),
                          dir.file("direct/pile.kd3p"), dir.file("direct/pile.kd3r")};
    EXPECT_EQ(runKeldar(direct, id, options), 0);

    const std::string viaEntry = readFile(dir.file("entry/pile.kd3o"));
    ASSERT_NE(viaEntry.find("Entry test pile"), std::string::npos);
    EXPECT_EQ(withoutDateLine(viaEntry), withoutDateLine(readFile(direct.reportFile)));
    EXPECT_EQ(readFile(dir.file("entry/pile.kd3p")), readFile(direct.plotFile));
    EXPECT_TRUE(std::filesystem::exists(dir.file("entry/pile.kd3r")));
    EXPECT_EQ(std::filesystem::file_size(dir.file("entry/pile.kd3r")), 0u);
}

using test::settledThreadCount;
using test::threadCount;

// A pile large enough for its cases to be solved on several threads (where the processor has
// more than one core): 500 increments, 40 tip movements, 3 head loads.
std::string largePile() {
    std::string text = "Threaded entry test pile\n500 0 1\n1\n2\n1 0 3\n0 0\n2 0.1\n2 1\n";
    text += "2 100 3\n0 0\n6 0.1\n5 1\n2\n1E6 0\n1E6 100\n2\n0 0\n100 0.5\n";
    text += "1E-5 100 12 113.1\n40\n";
    for (int k = 1; k <= 40; ++k) text += std::to_string(0.0002 * k * k) + "\n";
    return text + "3\n5000\n12000\n40000\n0\n0\n0\n";
}

// A host loads the library, runs and unloads it again and again: every run gives the same
// files and leaves no thread behind.
TEST(EngineLibraryLoop, LoadRunUnloadRepeatedly) {
    TempDir dir;
    writeFile(dir.file("pile.kd3d"), largePile());
    writeFile(dir.file("names.dat"), namesFile(dir.file("pile.kd3d"), dir.file("pile")));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    // A runtime that starts a helper thread with the first thread of the process
    // (ThreadSanitizer's) has done so before the count.
    std::thread([] {}).join();
    const int threadsBefore = threadCount();
    std::string firstReport, firstPlot;
    for (int round = 0; round < 4; ++round) {
        void* handle = loadLibrary(KELDAR_DLL_PATH);
        ASSERT_NE(handle, nullptr) << loadError();
        const auto entry = reinterpret_cast<EntryPoint>(findSymbol(handle, "_IKELDAR"));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry(4), 0) << round;
        EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore) << round;
        freeLibrary(handle);
        const std::string report = withoutDateLine(readFile(dir.file("pile.kd3o")));
        const std::string plot = readFile(dir.file("pile.kd3p"));
        if (round == 0) {
            ASSERT_NE(report.find("NOT ABLE TO GET CONVERGENCE"), std::string::npos);
            firstReport = report;
            firstPlot = plot;
        } else {
            EXPECT_EQ(report, firstReport) << round;
            EXPECT_EQ(plot, firstPlot) << round;
        }
    }
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace keldar
