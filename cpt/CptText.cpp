#include "CptText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

#include "CptReadError.h"

namespace keldar::cpt {

std::string Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::vector<std::string> SplitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    if (separator == ' ') {
        std::istringstream words{std::string(line)};
        std::string word;
        while (words >> word) fields.push_back(word);
        return fields;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(Trim(line.substr(start, end - start)));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

std::optional<double> ParseNumber(std::string_view field) {
    const std::string text = Trim(field);
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<double> UnitFactor(std::string_view unit, Dimension dimension) {
    std::string u = Lower(Trim(unit));
    // Superscript two and "^2" are the same unit as a plain "2".
    for (const std::string_view square : {"\xc2\xb2", "^2"}) {
        for (std::size_t at; (at = u.find(square)) != std::string::npos;)
            u.replace(at, square.size(), "2");
    }
    struct Factor {
        const char* name;
        double factor;
    };
    static constexpr Factor kLengths[] = {{"m", 1.0}, {"cm", 0.01}, {"mm", 0.001}, {"ft", 0.3048}};
    static constexpr Factor kStresses[] = {
        {"kpa", 1.0},      {"mpa", 1000.0},    {"pa", 0.001},  {"kn/m2", 1.0},
        {"mn/m2", 1000.0}, {"n/mm2", 1000.0},  {"bar", 100.0}, {"tsf", 95.760518},
        {"psi", 6.894757}, {"kg/cm2", 98.0665}};
    const auto find = [&u](const auto& table) -> std::optional<double> {
        for (const Factor& f : table) {
            if (u == f.name) return f.factor;
        }
        return std::nullopt;
    };
    return dimension == Dimension::Length ? find(kLengths) : find(kStresses);
}

Quantity QuantityNamed(std::string_view name) {
    const std::string n = Lower(Trim(name));
    const auto is = [&n](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [&n](const char* s) { return n == s; });
    };
    if (is({"depth", "z", "penetration length", "penetration depth", "corrected depth"}))
        return Quantity::Depth;
    if (is({"qc", "q_c", "cone resistance", "cone tip resistance", "tip resistance"}))
        return Quantity::ConeResistance;
    if (is({"fs", "f_s", "sleeve friction", "local friction", "sleeve resistance"}))
        return Quantity::SleeveFriction;
    if (is({"u2", "u_2", "pore pressure u2", "pore pressure"})) return Quantity::PorePressureU2;
    return Quantity::Other;
}

std::vector<std::string> ReadLines(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw CptReadError(fileName, 0, "the file cannot be opened");
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    if (text.find('\0') != std::string::npos)
        throw CptReadError(fileName, 0, "the file is not a text file");
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace keldar::cpt
