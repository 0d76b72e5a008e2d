#include <gtest/gtest.h>

#include <string>

#include "RunDriver.h"
#include "RunStore.h"
#include "TestFiles.h"

namespace keldar {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(SplitPath, DriveFolderNameExtension) {
    struct Case {
        const char* path;
        PathParts parts;
    };
    const Case cases[] = {
        {"C:\\Piles\\Bridge 4\\pile.kd3d", {"C:", "\\Piles\\Bridge 4\\", "pile", ".kd3d"}},
        {"/home/eng/piles/pile.kd3d", {"", "/home/eng/piles/", "pile", ".kd3d"}},
        {"pile.kd3d", {"", "", "pile", ".kd3d"}},  // relative: no drive, no folder
        {"/tmp/pile", {"", "/tmp/", "pile", ""}},  // no extension
        {"d:pile.v2.kd3o", {"d:", "", "pile.v2", ".kd3o"}},
    };
    for (const Case& c : cases) {
        const PathParts p = splitPath(c.path);
        EXPECT_EQ(p.drive, c.parts.drive) << c.path;
        EXPECT_EQ(p.folder, c.parts.folder) << c.path;
        EXPECT_EQ(p.name, c.parts.name) << c.path;
        EXPECT_EQ(p.extension, c.parts.extension) << c.path;
    }
}

TEST(NamesFile, EightLinesWrittenOnWindows) {
    TempDir dir;
    writeFile(dir.file("names.dat"),
              "2014.3.4 build 77\r\nJane Roe   \r\nGeo Ltd, Jane Roe\r\n  4711 \r\n"
              "C:\\p\\a.kd3d  \r\nC:\\p\\a.kd3o\r\nC:\\p\\a.kd3p\r\nC:\\p\\a.kd3r\r\n");
    RunIdentity id;
    RunPaths paths;
    bool incomplete = true;
    std::string message;
    ASSERT_TRUE(readNamesFile(dir.file("names.dat"), id, paths, incomplete, message)) << message;
    EXPECT_FALSE(incomplete);
    EXPECT_EQ(id.version, "2014.3.4 bui");  // the first 12 characters
    EXPECT_EQ(id.user1, "Jane Roe");
    EXPECT_EQ(id.user2, "Geo Ltd, Jane Roe");
    EXPECT_EQ(id.number, 4711);
    EXPECT_EQ(paths.dataFile, "C:\\p\\a.kd3d");
    EXPECT_EQ(paths.reportFile, "C:\\p\\a.kd3o");
    EXPECT_EQ(paths.plotFile, "C:\\p\\a.kd3p");
    EXPECT_EQ(paths.notesFile, "C:\\p\\a.kd3r");
}

TEST(NamesFile, Problems) {
    TempDir dir;
    RunIdentity id;
    RunPaths paths;
    bool incomplete = false;
    std::string message;

    writeFile(dir.file("short.dat"), "2014.3.4\nA\nB\n7\n/x/a.kd3d\n/x/a.kd3o\n");
    ASSERT_TRUE(readNamesFile(dir.file("short.dat"), id, paths, incomplete, message));
    EXPECT_TRUE(incomplete);
    EXPECT_EQ(paths.reportFile, "/x/a.kd3o");
    EXPECT_EQ(paths.plotFile, "");

    writeFile(dir.file("badnumber.dat"), "2014.3.4\nA\nB\nseven\n");
    EXPECT_FALSE(readNamesFile(dir.file("badnumber.dat"), id, paths, incomplete, message));
    EXPECT_NE(message.find("Line 4"), std::string::npos) << message;

    EXPECT_FALSE(readNamesFile(dir.file("absent.dat"), id, paths, incomplete, message));
}

// Runs RUNPILE in `folder` and returns to the previous current directory.
std::int32_t runPileIn(const std::filesystem::path& folder) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::int32_t status = 0;
    RUNPILE(status);
    std::filesystem::current_path(previous);
    return status;
}

TEST(RunPile, WithoutNamesFile) {
    TempDir dir;
    EXPECT_EQ(runPileIn(dir.path()), kStatusNamesFile);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RunPile, NamesFileWithoutPathsStopsWithoutCrash) {
    // Lines 5 to 8 missing: "FILE ERRORS!" and then no report can be created.
    TempDir dir;
    writeFile(dir.file("names.dat"), "2014.3.4\nA\nB\n1\n");
    EXPECT_EQ(runPileIn(dir.path()), kStatusCannotCreateOutput);
}

}  // namespace
}  // namespace keldar
