#include "Units.h"

#include <algorithm>
#include <cmath>

#include "UnitSystem.h"

namespace keldar {

// Factors: how many English units make one S.I. unit.
static constexpr UnitSymbol kSymbols[] = {
    {"F", {"lbs", "kN", "F"}, 224.8089237L},    {"F1", {"kips", "kN", "F"}, 0.2248089237L},
    {"F2", {"tons", "kN", "F"}, 0.1124044745L}, {"F4", {"lb-sec2/in", "Mg", "M"}, 5.7101483L},
    {"F5", {"sec", "sec", "T"}, 1.0L},          {"F6", {"slug", "Mg", "F"}, 68.364249L},
    {"L", {"in", "m", "L"}, kInchesPerMetre},   {"L1", {"in", "mm", "L"}, 0.03937007874L},
    {"L2", {"ft", "m", "L"}, 3.280839895L},     {"L3", {"rad", "rad", "L"}, 1.0L},
};

std::span<const UnitSymbol> UnitSymbols() { return kSymbols; }

static const UnitSymbol& symbolOf(std::string_view symbol) {
    for (const UnitSymbol& s : kSymbols) {
        if (s.symbol == symbol) return s;
    }
    return kSymbols[0];  // not reached: callers name catalog symbols only
}

static std::string_view nameOf(std::string_view symbol, int system) {
    return symbolOf(symbol).names[std::clamp(system, 1, 3) - 1];
}

// Replaces every occurrence of symbol by name; the search resumes after the inserted name, so a
// name is never searched again (in system 3, F is named F).
static void replaceAll(std::string& text, std::string_view symbol, std::string_view name) {
    for (std::size_t pos = text.find(symbol); pos != std::string::npos;
         pos = text.find(symbol, pos)) {
        text.replace(pos, symbol.size(), name);
        pos += name.size();
    }
}

std::string UnitLabel(std::string_view code, int system) {
    static constexpr std::string_view kOrder[] = {"F2", "F1", "F4", "F5", "F6",
                                                  "F",  "L3", "L2", "L1", "L"};
    std::string label(code);
    for (std::string_view symbol : kOrder) replaceAll(label, symbol, nameOf(symbol, system));
    return label;
}

// Replaces the first of the candidates that occurs in label, in all its occurrences.
static void replaceFirstFound(std::string& label, std::span<const std::string_view> candidates,
                              int system) {
    for (std::string_view symbol : candidates) {
        if (label.find(symbol) != std::string::npos) {
            replaceAll(label, symbol, nameOf(symbol, system));
            return;
        }
    }
}

std::string FieldUnitLabel(std::string_view code, int system) {
    std::string label(code);
    if (std::clamp(system, 1, 3) == 3) return label;
    static constexpr std::string_view kForces[] = {"F6", "F5", "F4", "F2", "F1", "F"};
    static constexpr std::string_view kLengths[] = {"L2", "L1", "L3", "L"};
    replaceFirstFound(label, kForces, system);
    replaceFirstFound(label, kLengths, system);
    return label;
}

// Reads "^d", "²" or "³" at text[pos]; returns the exponent (1 when none) and advances pos.
static int readExponent(std::string_view text, std::size_t& pos) {
    if (pos + 1 < text.size() && text[pos] == '^' && text[pos + 1] >= '0' && text[pos + 1] <= '9') {
        pos += 2;
        return text[pos - 1] - '0';
    }
    if (text.substr(pos, 2) == "\xC2\xB2" /* ² */) {
        pos += 2;
        return 2;
    }
    if (text.substr(pos, 2) == "\xC2\xB3" /* ³ */) {
        pos += 2;
        return 3;
    }
    return 1;
}

// One symbol term at the start of text: a letter, an optional digit naming the variant (a bare
// letter is the plain symbol), an optional exponent. Returns 1 when text does not begin with the
// letter; pos is left after the term.
static long double symbolTerm(std::string_view text, char letter, std::string_view variants,
                              std::size_t& pos) {
    pos = 0;
    if (text.empty() || text[0] != letter) return 1;
    std::string symbol(1, letter);
    pos = 1;
    if (pos < text.size() && variants.find(text[pos]) != std::string_view::npos) {
        if (text[pos] != '0') symbol += text[pos];
        ++pos;
    }
    const int exponent = readExponent(text, pos);
    return std::pow(symbolOf(symbol).factor, exponent);
}

// A force term, then (after one separator character) a length term: F/L^2, F1*L2, L^3.
static long double partValue(std::string_view part) {
    std::size_t used = 0;
    const long double force = symbolTerm(part, 'F', "012456", used);
    if (used > 0 && used < part.size()) ++used;  // the separator after the force symbol
    part.remove_prefix(used);
    const long double length = symbolTerm(part, 'L', "0123", used);
    return force * length;
}

long double ConversionFactor(std::string_view code, int from, int to) {
    int direction = 0;
    if (from == usEnglish && to == usSI) direction = -1;
    if (from == usSI && to == usEnglish) direction = 1;
    if (direction == 0) return 1;

    const std::size_t slash = code.find('/');
    const std::string_view numerator = code.substr(0, slash);
    const std::string_view denominator =
        slash == std::string_view::npos ? std::string_view() : code.substr(slash + 1);
    const long double ratio = partValue(numerator) / partValue(denominator);
    return direction > 0 ? ratio : 1 / ratio;
}

}  // namespace keldar
