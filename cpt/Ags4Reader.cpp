#include "Ags4Reader.h"

#include <algorithm>
#include <map>

#include "CptReadError.h"
#include "CptText.h"
#include "ReadingRows.h"

namespace keldar::cpt {
namespace {

// One AGS4 line: quoted fields separated by commas, a quote inside a field doubled.
std::vector<std::string> QuotedFields(const CptRecord& record, const std::string& line,
                                      int number) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '"') throw CptReadError(record.fileName, number, "a field is not quoted");
        std::string field;
        for (++i;; ++i) {
            if (i >= line.size())
                throw CptReadError(record.fileName, number, "a quote is not closed");
            if (line[i] == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                    continue;
                }
                break;
            }
            field += line[i];
        }
        fields.push_back(field);
        ++i;
        if (i < line.size() && line[i] != ',')
            throw CptReadError(record.fileName, number, "fields are not separated by commas");
        if (i < line.size()) ++i;
    }
    return fields;
}

// One group's headings, units and data rows (with their line numbers).
struct AgsGroup {
    std::vector<std::string> headings, units;
    int headingLine = 0;
    std::vector<std::pair<int, std::vector<std::string>>> rows;

    int Index(const std::string& heading) const {
        const auto at = std::find(headings.begin(), headings.end(), heading);
        return at == headings.end() ? -1 : static_cast<int>(at - headings.begin());
    }
    std::string Value(const std::vector<std::string>& row, const std::string& heading) const {
        const int i = Index(heading);
        return i < 0 || i >= static_cast<int>(row.size()) ? std::string() : row[i];
    }
};

std::map<std::string, AgsGroup> ReadGroups(const CptRecord& record,
                                           const std::vector<std::string>& lines) {
    std::map<std::string, AgsGroup> groups;
    AgsGroup* group = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (Trim(lines[i]).empty()) continue;
        std::vector<std::string> fields = QuotedFields(record, Trim(lines[i]), number);
        const std::string kind = fields.empty() ? std::string() : fields[0];
        fields.erase(fields.begin());
        if (kind == "GROUP" && !fields.empty()) {
            group = &groups[fields[0]];
        } else if (!group) {
            throw CptReadError(record.fileName, number, "a line comes before the first GROUP");
        } else if (kind == "HEADING") {
            group->headings = fields;
            group->headingLine = number;
        } else if (kind == "UNIT") {
            group->units = fields;
        } else if (kind == "DATA") {
            group->rows.emplace_back(number, fields);
        } else if (kind != "TYPE") {
            throw CptReadError(record.fileName, number, "unknown line kind \"" + kind + "\"");
        }
    }
    return groups;
}

ReadingColumn Column(const CptRecord& record, const AgsGroup& scpt, const std::string& heading,
                     Dimension dimension) {
    const int index = scpt.Index(heading);
    if (index < 0) return {};
    const std::string unit = index < static_cast<int>(scpt.units.size()) ? scpt.units[index] : "";
    const std::optional<double> factor = UnitFactor(unit, dimension);
    if (!factor) {
        throw CptReadError(record.fileName, scpt.headingLine,
                           "unknown unit \"" + unit + "\" of " + heading);
    }
    // AGS4 leaves a value that was not measured empty.
    return {index, *factor, {}, {""}};
}

void ReadTestHeader(CptRecord& record, const std::map<std::string, AgsGroup>& groups,
                    const std::string& location, const std::string& test) {
    if (const auto scpg = groups.find("SCPG"); scpg != groups.end()) {
        for (const auto& [line, row] : scpg->second.rows) {
            if (scpg->second.Value(row, "LOCA_ID") != location ||
                scpg->second.Value(row, "SCPG_TESN") != test)
                continue;
            const std::string ratio = scpg->second.Value(row, "SCPG_CAR");
            if (ratio.empty()) continue;
            const std::optional<double> a = ParseNumber(ratio);
            if (!a || *a <= 0 || *a > 1)
                throw CptReadError(record.fileName, line, "the cone area ratio is not in (0, 1]");
            record.areaRatio = *a;
        }
    }
    if (const auto loca = groups.find("LOCA"); loca != groups.end()) {
        for (const auto& [line, row] : loca->second.rows) {
            if (loca->second.Value(row, "LOCA_ID") != location) continue;
            if (const std::optional<double> level = ParseNumber(loca->second.Value(row, "LOCA_GL")))
                record.groundLevel = *level;
        }
    }
}

}  // namespace

CptRecord ReadAgs4(const std::string& fileName) {
    CptRecord record;
    record.fileName = fileName;
    const std::map<std::string, AgsGroup> groups = ReadGroups(record, ReadLines(fileName));
    const auto found = groups.find("SCPT");
    if (found == groups.end()) throw CptReadError(fileName, 0, "the file has no SCPT group");
    const AgsGroup& scpt = found->second;
    if (scpt.rows.empty())
        throw CptReadError(fileName, scpt.headingLine, "the SCPT group has no data");

    ReadingColumns columns;
    columns.depth = Column(record, scpt, "SCPT_DPTH", Dimension::Length);
    columns.qc = Column(record, scpt, "SCPT_RES", Dimension::Stress);
    columns.fs = Column(record, scpt, "SCPT_FRES", Dimension::Stress);
    columns.u2 = Column(record, scpt, "SCPT_PWP2", Dimension::Stress);
    if (columns.depth.index < 0)
        throw CptReadError(fileName, scpt.headingLine, "SCPT has no SCPT_DPTH column");
    if (columns.qc.index < 0)
        throw CptReadError(fileName, scpt.headingLine, "SCPT has no SCPT_RES column");

    const std::string location = scpt.Value(scpt.rows.front().second, "LOCA_ID");
    const std::string test = scpt.Value(scpt.rows.front().second, "SCPG_TESN");
    record.testId = test.empty() ? location : location + " " + test;
    ReadTestHeader(record, groups, location, test);

    ReadingRows rows(record, columns);
    int otherRows = 0;
    for (const auto& [line, row] : scpt.rows) {
        if (scpt.Value(row, "LOCA_ID") != location || scpt.Value(row, "SCPG_TESN") != test) {
            ++otherRows;
            continue;
        }
        rows.Add(row, line);
    }
    rows.Finish();
    if (otherRows > 0) {
        record.notes.push_back(std::to_string(otherRows) +
                               " SCPT rows of other tests were left out; only " + record.testId +
                               " is read");
    }
    return record;
}

}  // namespace keldar::cpt
