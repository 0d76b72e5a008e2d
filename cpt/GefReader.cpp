#include "GefReader.h"

#include <map>

#include "CptReadError.h"
#include "CptText.h"
#include "ReadingRows.h"

namespace keldar::cpt {
namespace {

// GEF quantity numbers of the CPT report form.
constexpr int kPenetrationLength = 1;
constexpr int kConeResistance = 2;
constexpr int kLocalFriction = 3;
constexpr int kPorePressureU2 = 6;
constexpr int kCorrectedDepth = 11;
// Measurement variable 3 is the cone's net area quotient, the a of qt = qc + (1 - a) u2.
constexpr int kAreaQuotient = 3;

struct GefColumn {
    std::string unit;
    int quantity = 0;
    int line = 0;
};

struct GefHeader {
    std::map<int, GefColumn> columns;  // by 1-based column number
    std::map<int, double> voids;
    char separator = ' ';
    std::string recordSeparator;
    int dataLine = 0;  // index of the first data line
};

std::string Keyword(const std::string& line, std::string& values) {
    const std::size_t equals = line.find('=');
    if (line.empty() || line[0] != '#' || equals == std::string::npos) return {};
    values = Trim(line.substr(equals + 1));
    return Lower(Trim(line.substr(1, equals - 1)));
}

double HeaderNumber(const CptRecord& record, const std::string& text, int line) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) throw CptReadError(record.fileName, line, "\"" + text + "\" is not a number");
    return *value;
}

// Column and quantity numbers: small whole numbers.
int HeaderInteger(const CptRecord& record, const std::string& text, int line) {
    const double value = HeaderNumber(record, text, line);
    if (!(value >= 0 && value <= 100000) || value != static_cast<int>(value))
        throw CptReadError(record.fileName, line, "\"" + text + "\" is not a column number");
    return static_cast<int>(value);
}

void ReadHeaderLine(CptRecord& record, GefHeader& header, const std::string& keyword,
                    const std::string& values, int line) {
    const std::vector<std::string> v = SplitFields(values, ',');
    if (keyword == "columninfo" && v.size() >= 4) {
        const int number = HeaderInteger(record, v[0], line);
        header.columns[number] = {v[1], HeaderInteger(record, v[3], line), line};
    } else if (keyword == "columnvoid" && v.size() >= 2) {
        header.voids[HeaderInteger(record, v[0], line)] = HeaderNumber(record, v[1], line);
    } else if (keyword == "columnseparator" && !values.empty()) {
        header.separator = values[0];
    } else if (keyword == "recordseparator") {
        header.recordSeparator = values;
    } else if (keyword == "measurementvar" && v.size() >= 2 &&
               HeaderInteger(record, v[0], line) == kAreaQuotient) {
        record.areaRatio = HeaderNumber(record, v[1], line);
        if (record.areaRatio <= 0 || record.areaRatio > 1)
            throw CptReadError(record.fileName, line, "the cone area ratio is not in (0, 1]");
    } else if (keyword == "testid") {
        record.testId = values;
    } else if (keyword == "zid" && v.size() >= 2) {
        record.groundLevel = HeaderNumber(record, v[1], line);
    }
}

GefHeader ReadHeader(CptRecord& record, const std::vector<std::string>& lines) {
    GefHeader header;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string values;
        const std::string keyword = Keyword(lines[i], values);
        const int line = static_cast<int>(i) + 1;
        if (keyword.empty()) {
            if (Trim(lines[i]).empty()) continue;
            throw CptReadError(record.fileName, line, "a header line does not start with #");
        }
        if (keyword == "eoh") {
            header.dataLine = line;
            return header;
        }
        ReadHeaderLine(record, header, keyword, values, line);
    }
    throw CptReadError(record.fileName, 0, "the header has no #EOH= line");
}

// The column of a quantity, with its unit factor and void value; index -1 when absent.
ReadingColumn ColumnOf(const CptRecord& record, const GefHeader& header, int quantity,
                       Dimension dimension) {
    for (const auto& [number, column] : header.columns) {
        if (column.quantity != quantity) continue;
        const std::optional<double> factor = UnitFactor(column.unit, dimension);
        if (!factor)
            throw CptReadError(record.fileName, column.line,
                               "unknown unit \"" + column.unit + "\"");
        ReadingColumn found{number - 1, *factor, {}, {}};
        if (const auto v = header.voids.find(number); v != header.voids.end())
            found.voids.push_back(v->second);
        return found;
    }
    return {};
}

}  // namespace

CptRecord ReadGef(const std::string& fileName) {
    CptRecord record;
    record.fileName = fileName;
    const std::vector<std::string> lines = ReadLines(fileName);
    const GefHeader header = ReadHeader(record, lines);

    ReadingColumns columns;
    columns.depth = ColumnOf(record, header, kCorrectedDepth, Dimension::Length);
    if (columns.depth.index < 0)
        columns.depth = ColumnOf(record, header, kPenetrationLength, Dimension::Length);
    columns.qc = ColumnOf(record, header, kConeResistance, Dimension::Stress);
    columns.fs = ColumnOf(record, header, kLocalFriction, Dimension::Stress);
    columns.u2 = ColumnOf(record, header, kPorePressureU2, Dimension::Stress);
    if (columns.depth.index < 0)
        throw CptReadError(fileName, header.dataLine, "the header names no depth column");
    if (columns.qc.index < 0)
        throw CptReadError(fileName, header.dataLine, "the header names no cone resistance column");

    ReadingRows rows(record, columns);
    for (std::size_t i = header.dataLine; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (!header.recordSeparator.empty()) {
            const std::size_t end = line.rfind(header.recordSeparator);
            if (end != std::string::npos) line.erase(end);
        }
        if (Trim(line).empty()) continue;
        rows.Add(SplitFields(line, header.separator), static_cast<int>(i) + 1);
    }
    rows.Finish();
    return record;
}

}  // namespace keldar::cpt
