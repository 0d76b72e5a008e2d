#include "DelimitedReader.h"

#include "CptReadError.h"
#include "CptText.h"
#include "ReadingRows.h"

namespace keldar::cpt {
namespace {

char SeparatorOf(const std::string& header) {
    if (header.find('\t') != std::string::npos) return '\t';
    if (header.find(';') != std::string::npos && header.find(',') == std::string::npos) return ';';
    return ',';
}

// "qc [MPa]" or "qc (MPa)": the name and the unit; an empty unit when none is given.
std::pair<std::string, std::string> NameAndUnit(const std::string& heading) {
    for (const auto& [open, close] : {std::pair{'[', ']'}, std::pair{'(', ')'}}) {
        const std::size_t start = heading.rfind(open);
        const std::size_t end = heading.rfind(close);
        if (start != std::string::npos && end != std::string::npos && end > start)
            return {Trim(heading.substr(0, start)),
                    Trim(heading.substr(start + 1, end - start - 1))};
    }
    return {Trim(heading), ""};
}

void ReadSetting(CptRecord& record, std::vector<double>& voids, const std::string& line,
                 int number) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return;  // a plain comment
    const std::string key = Lower(Trim(line.substr(1, equals - 1)));
    const std::string value = Trim(line.substr(equals + 1));
    const auto number_of = [&]() {
        const std::optional<double> v = ParseNumber(value);
        if (!v) throw CptReadError(record.fileName, number, "\"" + value + "\" is not a number");
        return *v;
    };
    if (key == "test id") {
        record.testId = value;
    } else if (key == "ground level") {
        record.groundLevel = number_of();
    } else if (key == "area ratio") {
        record.areaRatio = number_of();
        if (record.areaRatio <= 0 || record.areaRatio > 1)
            throw CptReadError(record.fileName, number, "the cone area ratio is not in (0, 1]");
    } else if (key == "void") {
        voids.push_back(number_of());
    }
}

ReadingColumns ColumnsOf(const CptRecord& record, const std::vector<std::string>& headings,
                         const std::vector<double>& voids, int line) {
    ReadingColumns columns;
    for (int i = 0; i < static_cast<int>(headings.size()); ++i) {
        const auto [name, unit] = NameAndUnit(headings[i]);
        const Quantity quantity = QuantityNamed(name);
        if (quantity == Quantity::Other) continue;
        const Dimension dimension =
            quantity == Quantity::Depth ? Dimension::Length : Dimension::Stress;
        if (unit.empty())
            throw CptReadError(record.fileName, line, "the column \"" + name + "\" has no unit");
        const std::optional<double> factor = UnitFactor(unit, dimension);
        if (!factor)
            throw CptReadError(record.fileName, line, "unknown unit \"" + unit + "\" of " + name);
        const ReadingColumn column{i, *factor, voids, {}};
        switch (quantity) {
            case Quantity::Depth:
                columns.depth = column;
                break;
            case Quantity::ConeResistance:
                columns.qc = column;
                break;
            case Quantity::SleeveFriction:
                columns.fs = column;
                break;
            case Quantity::PorePressureU2:
                columns.u2 = column;
                break;
            case Quantity::Other:
                break;
        }
    }
    if (columns.depth.index < 0) throw CptReadError(record.fileName, line, "no depth column");
    if (columns.qc.index < 0)
        throw CptReadError(record.fileName, line, "no cone resistance (qc) column");
    return columns;
}

}  // namespace

CptRecord ReadDelimited(const std::string& fileName) {
    CptRecord record;
    record.fileName = fileName;
    const std::vector<std::string> lines = ReadLines(fileName);
    std::vector<double> voids;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.empty()) continue;
        if (line[0] != '#') break;
        ReadSetting(record, voids, line, static_cast<int>(i) + 1);
    }
    if (i == lines.size()) throw CptReadError(fileName, 0, "the file has no header line");
    const int headerLine = static_cast<int>(i) + 1;
    const char separator = SeparatorOf(lines[i]);
    ReadingRows rows(record,
                     ColumnsOf(record, SplitFields(lines[i], separator), voids, headerLine));
    for (++i; i < lines.size(); ++i) {
        if (Trim(lines[i]).empty() || Trim(lines[i])[0] == '#') continue;
        rows.Add(SplitFields(lines[i], separator), static_cast<int>(i) + 1);
    }
    rows.Finish();
    return record;
}

}  // namespace keldar::cpt
