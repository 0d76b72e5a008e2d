// The project model's data file reader, and its writer on what was read: once written, a project
// reads back and writes again to the same text.
#include <QByteArray>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "ProgramData.h"
#include "TableDeclarations.h"

using namespace keldar;

static QByteArray readAll(const QString& path) {
    QFile file(path);
    fuzz::Check(file.open(QIODevice::ReadOnly), "written data file opens");
    return file.readAll();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TMainTables tables = TMainTables::BuiltIn();
    static TProgramData project(tables);
    // The first byte chooses the file kind: .kd3d with the factor records, or the older .kdd.
    const bool withFactors = size == 0 || (data[0] & 1) == 0;
    const std::string input = fuzz::WriteScratchFile("input.kd3d", data, size);
    const QString folder = QString::fromStdString(fuzz::ScratchFolder());

    // Reading starts from an empty project, whatever the input before left in it.
    fuzz::SilentMessages messages;
    project.LoadFromFile(QString::fromStdString(input), withFactors, messages);

    project.FileName = folder + "/first.kd3d";
    try {
        project.SaveToFile();
    } catch (const EInputOutputError&) {
        fuzz::Fail("a project read from any file can be saved");
    }
    const QByteArray first = readAll(project.FileName);

    fuzz::SilentMessages again;
    project.LoadFromFile(folder + "/first.kd3d", true, again);
    project.FileName = folder + "/second.kd3d";
    project.SaveToFile();
    fuzz::Check(readAll(project.FileName) == first, "written project reads and writes the same");

    // Every input ends on the same new project, so that its heap ends where it started: libFuzzer
    // runs an input a second time, with a leak check, only when it leaves more blocks than it
    // found, and a project carried over from input to input would do that nearly every time.
    project.CreateNew();
    return 0;
}
