#include "RowReading.h"

#include <filesystem>
#include <fstream>

#include "NumberFormat.h"

namespace keldar {

namespace {

constexpr std::size_t kMaxNumbersPerLine = 15;

bool EndsNumber(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

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
    int taken = 0;
    try {
        for (const std::string& line : lines) {
            if (table.MaxRows() > 0 && taken >= table.MaxRows()) break;
            const std::vector<std::string> numbers = LineNumbers(line);
            if (static_cast<int>(numbers.size()) != columns) continue;
            if (taken >= table.RowCount()) table.AppendGroup();
            for (int j = 0; j < columns; ++j) table.VisibleColumn(j).SetText(taken, numbers[j]);
            ++taken;
        }
    } catch (...) {
        // Rows already overwritten must not go unsaved.
        table.SetChanged(true);
        throw;
    }
    if (taken > 0) {
        if (table.RowCount() > taken) {
            table.SetRowCount(taken);
            table.NotifyStructureChanged();
        }
        table.SetChanged(true);
    }
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
