// Makes one fixed change to a project through the project model and saves it: the reference
// that the Python module's changes are compared with.
//   keldar_model_edit IN OUT PILE_LENGTH AE_DEPTH_ROW2
#include <QString>
#include <iostream>
#include <string>

#include "ProgramData.h"
#include "UserMessages.h"

namespace {
class Silent : public keldar::UserMessages {
  public:
    void information(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    Answer confirm(const QString&, const QString&, bool) override { return Answer::No; }
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: keldar_model_edit IN OUT PILE_LENGTH AE_DEPTH_ROW2\n";
        return 2;
    }
    keldar::TMainTables tables = keldar::TMainTables::BuiltIn();
    keldar::TProgramData project(tables);
    Silent messages;
    if (!project.LoadFromFile(QString::fromLocal8Bit(argv[1]), true, messages)) return 1;
    project.PileLength = std::stold(argv[3]);
    tables.Chart("TblAE2").Cell(0, 1).SetFloat(std::stold(argv[4]));
    project.FileName = QString::fromLocal8Bit(argv[2]);
    project.SaveToFile();
    return 0;
}
