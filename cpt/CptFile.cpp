#include "CptFile.h"

#include <filesystem>
#include <fstream>

#include "Ags4Reader.h"
#include "CptText.h"
#include "DelimitedReader.h"
#include "GefReader.h"

namespace keldar::cpt {

CptFormat FormatOf(const std::string& fileName) {
    const std::string extension = Lower(std::filesystem::path(fileName).extension().string());
    if (extension == ".gef") return CptFormat::Gef;
    if (extension == ".ags") return CptFormat::Ags4;
    if (extension == ".csv" || extension == ".tsv" || extension == ".txt")
        return CptFormat::Delimited;
    std::ifstream in(fileName);
    std::string first;
    std::getline(in, first);
    first = Lower(Trim(first));
    if (first.rfind("#gefid", 0) == 0) return CptFormat::Gef;
    if (first.rfind("\"group\"", 0) == 0) return CptFormat::Ags4;
    return CptFormat::Delimited;
}

CptRecord ReadCptFile(const std::string& fileName) {
    switch (FormatOf(fileName)) {
        case CptFormat::Gef:
            return ReadGef(fileName);
        case CptFormat::Ags4:
            return ReadAgs4(fileName);
        case CptFormat::Delimited:
            break;
    }
    return ReadDelimited(fileName);
}

}  // namespace keldar::cpt
