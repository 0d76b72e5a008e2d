#include "RowReading.h"

#include <filesystem>
#include <fstream>

#include "EntryErrors.h"
#include "NumberFormat.h"

namespace keldar {

namespace {

constexpr std::size_t kMaxNumbersPerLine = 15;

bool EndsNumber(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The first blank- or tab-delimited piece with a comma between two digits, in a line that holds
// a tab; empty when there is none.
std::string DecimalCommaPiece(std::string_view line) {
    if (line.find('\t') == std::string_view::npos) return {};
    for (std::size_t pos = 1; pos + 1 < line.size(); ++pos) {
        if (line[pos] != ',' || !IsDigit(line[pos - 1]) || !IsDigit(line[pos + 1])) continue;
        std::size_t start = line.find_last_of(" \t", pos);
        start = start == std::string_view::npos ? 0 : start + 1;
        const std::size_t end = line.find_first_of(" \t\r", pos);
        return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
    }
    return {};
}

}  // namespace

std::vector<std::string> LineNumbers(std::string_view line) {
    std::vector<std::string> numbers;
    std::size_t pos = 0;
    while (numbers.size() < kMaxNumbersPerLine) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !EndsNumber(line[pos])) ++pos;
        const std::string_view piece = line.substr(start, pos - start);
        long double value = 0;
        if (readDecimal(piece, '.', value) != DecimalRead::Ok) break;
        numbers.emplace_back(piece);
        if (pos >= line.size()) break;
        ++pos;
    }
    return numbers;
}

std::vector<std::string> PastedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\r' && text[pos] != '\n') continue;
        lines.emplace_back(text.substr(start, pos - start));
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
        start = pos + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

int ReadRows(TGridTableChart& table, const std::vector<std::string>& lines) {
    const int columns = table.VisibleColumnCount();
    if (columns == 0) return 0;
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (table.MaxRows() > 0 && static_cast<int>(rows.size()) >= table.MaxRows()) break;
        const std::string lineName = "Line " + std::to_string(i + 1) + ": ";
        if (const std::string piece = DecimalCommaPiece(lines[i]); !piece.empty())
            throw EAssignError(lineName + piece +
                               " has a decimal comma; numbers must have a decimal point.");
        std::vector<std::string> numbers = LineNumbers(lines[i]);
        if (static_cast<int>(numbers.size()) != columns) continue;
        try {
            for (int j = 0; j < columns; ++j) table.VisibleColumn(j).CheckText(numbers[j]);
        } catch (const EAssignError& e) {
            throw EAssignError(lineName + e.what());
        }
        rows.push_back(std::move(numbers));
    }
    if (rows.empty()) return 0;

    const int taken = static_cast<int>(rows.size());
    for (int i = 0; i < taken; ++i) {
        if (i >= table.RowCount()) table.AppendGroup();
        for (int j = 0; j < columns; ++j) table.VisibleColumn(j).SetText(i, rows[i][j]);
    }
    if (table.RowCount() > taken) {
        table.SetRowCount(taken);
        table.NotifyStructureChanged();
    }
    table.SetChanged(true);
    return taken;
}

int ReadRowsFromFile(TGridTableChart& table, const std::string& fileName) {
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(fileName, error)) file.open(fileName, std::ios::binary);
    if (!file.is_open()) throw EInOutError("Cannot open file \"" + fileName + "\"");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) lines.push_back(line);
    if (file.bad()) throw EInOutError("Error reading file \"" + fileName + "\"");
    return ReadRows(table, lines);
}

int PasteRows(TGridTableChart& table, std::string_view text) {
    return ReadRows(table, PastedLines(text));
}

}  // namespace keldar
