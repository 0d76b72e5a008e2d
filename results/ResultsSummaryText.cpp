#include "ResultsSummaryText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace keldar {

namespace {

constexpr std::size_t kLabelWidth = 46;
constexpr std::size_t kValueWidth = 12;
constexpr std::size_t kColumnWidth = 12;
const std::string kNotReached = "not reached";

struct Units {
    std::string length, force;
};

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// One criterion: its label, its value right-aligned with the unit after it, or "not reached".
std::string criterionLine(const std::string& label, float value, const std::string& unit) {
    const bool reached = std::isfinite(value);
    std::string line = "  " + padRight(label, kLabelWidth) +
                       padLeft(reached ? summaryNumber(value) : kNotReached, kValueWidth);
    if (reached) line += " " + unit;
    return line;
}

std::string tableRow(const std::vector<std::string>& cells) {
    std::string line = "  " + padLeft(cells.front(), 4);
    for (std::size_t i = 1; i < cells.size(); ++i) line += padLeft(cells[i], kColumnWidth);
    return line;
}

std::string percent(float share) {
    return std::isfinite(share) ? summaryNumber(100.0f * share) : "-";
}

SummaryLines capacityBlock(const ResultsSummary& s, const Units& u) {
    SummaryLines lines = {"Capacity on the computed load-settlement curve"};
    lines.push_back(criterionLine("Load at 10 % of the diameter (" +
                                      summaryNumber(s.settlement10PctDiameter) + " " + u.length +
                                      ")",
                                  s.capacity10PctDiameter, u.force));
    lines.push_back(criterionLine("Davisson's offset limit load", s.davissonCapacity, u.force));
    if (std::isfinite(s.davissonSettlement))
        lines.push_back(criterionLine("  at a head settlement of", s.davissonSettlement, u.length));
    lines.push_back("    elastic line w = P x " + summaryNumber(s.davissonFlexibility) + " " +
                    u.length + "/" + u.force + " + " + summaryNumber(s.davissonOffset) + " " +
                    u.length);
    return lines;
}

SummaryLines chosenValuesBlock(const ResultsSummary& s, const Units& u) {
    return {
        "Chosen settlement and load",
        criterionLine(
            "Load at a settlement of " + summaryNumber(s.chosenSettlement) + " " + u.length,
            s.loadAtChosenSettlement, u.force),
        criterionLine(std::isfinite(s.chosenLoad)
                          ? "Settlement at a load of " + summaryNumber(s.chosenLoad) + " " + u.force
                          : "Settlement at a chosen load (none given)",
                      s.settlementAtChosenLoad, u.length)};
}

SummaryLines caseBlock(const std::string& title, const std::vector<CaseSummary>& cases,
                       const Units& u) {
    SummaryLines lines = {title,
                          tableRow({"No.", "Head load", "Head settl.", "Tip load", "Tip mvmt.",
                                    "Side load", "Side share"}),
                          tableRow({"", u.force, u.length, u.force, u.length, u.force, "%"})};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CaseSummary& c = cases[i];
        lines.push_back(tableRow({std::to_string(i + 1), summaryNumber(c.headLoad),
                                  summaryNumber(c.headSettlement), summaryNumber(c.tipLoad),
                                  summaryNumber(c.tipMovement), summaryNumber(c.sideLoad),
                                  percent(c.sideShare)}));
        if (!c.converged) lines.back() += "  not converged";
    }
    return lines;
}

SummaryLines neutralPlaneBlock(const std::vector<CaseSummary>& cases, const Units& u) {
    SummaryLines lines = {"Neutral plane (down-drag), per tip-movement case",
                          tableRow({"No.", "Depth", "Max. load", "Drag load", "Settlement"}),
                          tableRow({"", u.length, u.force, u.force, u.length})};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CaseSummary& c = cases[i];
        lines.push_back(tableRow({std::to_string(i + 1), summaryNumber(c.neutralPlaneDepth),
                                  summaryNumber(c.maxAxialLoad), summaryNumber(c.dragLoad),
                                  summaryNumber(c.neutralPlaneSettlement)}));
    }
    return lines;
}

}  // namespace

std::string summaryNumber(float value) {
    if (!std::isfinite(value)) return "-";
    if (value == 0.0f) return "0";
    // The decimal exponent after rounding to 4 digits (0.01f is 9.99999978E-3, and reads 0.01).
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 3);
    const char* mark = std::find(buffer, result.ptr, 'e');
    int exponent = 0;
    std::from_chars(mark + (mark[1] == '+' ? 2 : 1), result.ptr, exponent);
    if (exponent < 7 && exponent >= -4) {
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                               exponent >= 3 ? 0 : 3 - exponent);
    }
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

SummaryLines summaryText(const ResultsSummary& s, int unitSystem) {
    const UnitLabels labels = unitLabels(unitSystem);
    const Units u{labels.length, labels.force};
    std::vector<SummaryLines> blocks = {capacityBlock(s, u), chosenValuesBlock(s, u),
                                        caseBlock("Tip-movement cases", s.cases, u)};
    if (!s.headLoadCases.empty())
        blocks.push_back(caseBlock("Loads at the pile head", s.headLoadCases, u));
    if (s.downDrag) blocks.push_back(neutralPlaneBlock(s.cases, u));

    SummaryLines lines = {"RESULTS SUMMARY (units: " + u.length + ", " + u.force + ")"};
    for (const SummaryLines& block : blocks) {
        lines.emplace_back();
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

}  // namespace keldar
