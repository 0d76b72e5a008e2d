#include "Format.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "FieldWriter.h"

namespace keldar {

long long FieldValue::integer() const {
    switch (kind_) {
        case Kind::Integer:
            return integer_;
        case Kind::Real:
            return static_cast<long long>(real_);
        case Kind::Text:
            break;
    }
    return 0;
}

double FieldValue::real() const {
    return kind_ == Kind::Real ? real_ : static_cast<double>(integer_);
}

// ---------------------------------------------------------------------------------------------
// Field formatting

static std::string asterisks(int width) {
    return std::string(static_cast<std::size_t>(width), '*');
}

static std::string rightAligned(const std::string& text, int width) {
    if (width <= 0) return text;
    if (static_cast<int>(text.size()) > width) return asterisks(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string formatInteger(long long value, int width, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    if (value < 0) digits.insert(0, 1, '-');
    return rightAligned(digits, width);
}

// Adds one unit in the last digit of a digit string that may hold a point ("9.99" -> "10.00").
static void addUnitInLastDigit(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') continue;
        if (digits[i] < '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(0, 1, '1');
}

// The conversion of a >= 0 with `precision` digits after the point (fixed) or after the first
// digit (scientific), correctly rounded from the exact binary value. A value exactly halfway
// is rounded away from zero, as engineers round by hand (11.25 to one decimal is 11.3); the
// library conversion would round it to even.
static std::string roundedDecimal(double a, std::chars_format form, int precision) {
    const bool fixed = form == std::chars_format::fixed;
    std::string text(fixed ? 400 : 64, '\0');
    auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), a, form, precision + 3);
    if (ec != std::errc()) return {};
    text.resize(static_cast<std::size_t>(end - text.data()));
    const std::size_t digitsEnd = fixed ? text.size() : text.find('e');
    std::string exponentPart = fixed ? std::string() : text.substr(digitsEnd);
    std::string digits = text.substr(0, digitsEnd);
    const bool maybeHalf = digits.compare(digits.size() - 3, 3, "500") == 0;
    digits.resize(digits.size() - 3);
    if (precision == 0) digits.pop_back();  // the point

    bool half = false;
    if (maybeHalf) {
        // Only the exact expansion tells a tie from a value just above or below it; a double
        // has at most 1074 digits after the point and 767 significant digits.
        std::string exact(fixed ? 1500 : 900, '\0');
        auto [xend, xec] = std::to_chars(exact.data(), exact.data() + exact.size(), a, form,
                                         precision + (fixed ? 1080 : 780));
        if (xec == std::errc()) {
            const std::size_t xdigitsEnd =
                fixed ? static_cast<std::size_t>(xend - exact.data()) : exact.find('e');
            const std::size_t first = digits.size() + (precision == 0 ? 1 : 0);
            half = exact[first] == '5' && exact.find_first_not_of('0', first + 1) >= xdigitsEnd;
        }
    }
    if (!half) {
        // Away from a tie the library conversion is already right.
        std::string plain(fixed ? 400 : 64, '\0');
        auto [pend, pec] =
            std::to_chars(plain.data(), plain.data() + plain.size(), a, form, precision);
        if (pec != std::errc()) return {};
        plain.resize(static_cast<std::size_t>(pend - plain.data()));
        return plain;
    }
    addUnitInLastDigit(digits);
    if (!fixed && digits.size() > 1 && digits[1] != '.') {
        // 9.99 became 10.00: one decade up.
        digits = "1" + (precision > 0 ? "." + std::string(static_cast<std::size_t>(precision), '0')
                                      : std::string());
        const int exponent = std::atoi(exponentPart.c_str() + 1) + 1;
        exponentPart =
            std::string("e") + (exponent < 0 ? "-" : "+") + formatInteger(std::abs(exponent), 2, 2);
    }
    return digits + exponentPart;
}

std::string formatFixed(double value, int width, int decimals) {
    if (!std::isfinite(value) || decimals < 0) return asterisks(width);
    std::string text = roundedDecimal(std::fabs(value), std::chars_format::fixed, decimals);
    if (text.empty()) return asterisks(width);
    if (std::signbit(value)) text.insert(0, 1, '-');
    if (decimals == 0) text += '.';
    if (static_cast<int>(text.size()) > width) {
        // The leading zero before the point is written only when there is room for it.
        const std::size_t zero = text[0] == '-' ? 1 : 0;
        if (text.compare(zero, 2, "0.") == 0) text.erase(zero, 1);
    }
    return rightAligned(text, width);
}

std::string formatExponent(double value, int width, int digits) {
    if (!std::isfinite(value) || digits < 1) return asterisks(width);
    std::string mantissa;
    int exponent = 0;
    if (value == 0.0) {
        mantissa.assign(static_cast<std::size_t>(digits), '0');
    } else {
        // d significant digits; the form is
        // 0.ddddE+xx, one decade above the d.ddd form of the conversion.
        const std::string converted =
            roundedDecimal(std::fabs(value), std::chars_format::scientific, digits - 1);
        if (converted.empty()) return asterisks(width);
        const std::string_view text(converted);
        const std::size_t e = text.find('e');
        for (std::size_t i = 0; i < e; ++i)
            if (text[i] != '.') mantissa += text[i];
        exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    }
    std::string expText;
    const int magnitude = std::abs(exponent);
    const char sign = exponent < 0 ? '-' : '+';
    if (magnitude <= 99) {
        expText = std::string("E") + sign + formatInteger(magnitude, 2, 2);
    } else {
        // Three exponent digits take the place of the letter.
        expText = sign + formatInteger(magnitude, 3, 3);
    }
    std::string text = (std::signbit(value) ? "-0." : "0.") + mantissa + expText;
    if (static_cast<int>(text.size()) > width) {
        const std::size_t zero = text[0] == '-' ? 1 : 0;
        text.erase(zero, 1);
    }
    return rightAligned(text, width);
}

std::string formatText(std::string_view value, int width) {
    if (width <= 0) return std::string(value);
    if (static_cast<int>(value.size()) >= width) return std::string(value.substr(0, width));
    return std::string(static_cast<std::size_t>(width) - value.size(), ' ') + std::string(value);
}

std::string formatListLine(std::span<const FieldValue> values) {
    std::string line;
    for (const FieldValue& v : values) {
        switch (v.kind()) {
            case FieldValue::Kind::Integer:
                line += formatInteger(v.integer(), 12);
                break;
            case FieldValue::Kind::Real:
                line += formatExponent(v.real(), 16, 7);
                break;
            case FieldValue::Kind::Text:
                line += ' ';
                line += v.text();
                break;
        }
    }
    line += '\n';
    return line;
}

// ---------------------------------------------------------------------------------------------
// Layout parsing

static void skipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

static int readNumber(std::string_view text, std::size_t& pos) {
    int n = 0;
    bool any = false;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        n = n * 10 + (text[pos] - '0');
        ++pos;
        any = true;
        if (n > 100000) throw std::invalid_argument("layout number too large");
    }
    return any ? n : -1;
}

static std::invalid_argument layoutError(std::string_view text, std::size_t pos) {
    return std::invalid_argument("malformed layout at column " + std::to_string(pos + 1) + ": " +
                                 std::string(text));
}

Layout::Layout(std::string_view text) {
    std::size_t pos = 0;
    skipBlanks(text, pos);
    const bool wrapped = pos < text.size() && text[pos] == '(';
    if (wrapped) ++pos;
    parseList(text, pos, wrapped ? 1 : 0);
    skipBlanks(text, pos);
    if (pos != text.size()) throw layoutError(text, pos);
}

// A quoted literal from its opening quote; a doubled quote stands for one quote character.
static std::string readQuotedLiteral(std::string_view text, std::size_t& pos) {
    const char quote = text[pos++];
    std::string literal;
    while (true) {
        if (pos >= text.size()) throw layoutError(text, pos);
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                literal += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return literal;
        }
        literal += text[pos++];
    }
}

// The item of an edit descriptor (A, I, F or E) whose letter has just been read: its width
// and, after a '.', its digits.
Layout::Item Layout::readDescriptor(std::string_view text, std::size_t& pos, char letter) {
    Item item{ItemKind::Text, 0, 0, {}};
    const int width = readNumber(text, pos);
    int digits = 0;
    const bool hasDigits = pos < text.size() && text[pos] == '.';
    if (hasDigits) {
        ++pos;
        digits = readNumber(text, pos);
        if (digits < 0) throw layoutError(text, pos);
    }
    switch (letter) {
        case 'A':
            item.kind = ItemKind::Text;
            item.width = width < 0 ? 0 : width;
            break;
        case 'I':
            item.kind = ItemKind::Integer;
            if (width < 0) throw layoutError(text, pos);
            item.width = width;
            item.digits = digits;
            break;
        case 'F':
        case 'E':
            item.kind = letter == 'F' ? ItemKind::Fixed : ItemKind::Exponent;
            if (width < 1 || !hasDigits) throw layoutError(text, pos);
            item.width = width;
            item.digits = digits;
            break;
        default:
            throw layoutError(text, pos - 1);
    }
    return item;
}

// One item after its optional repeat count: a parenthesised group (expanded `count` times),
// blanks (nX) or an edit descriptor repeated `count` times.
void Layout::parseRepeatedItem(std::string_view text, std::size_t& pos, int depth) {
    const int count = readNumber(text, pos);
    if (pos >= text.size()) throw layoutError(text, pos);
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
    ++pos;
    if (letter == '(') {
        const std::size_t first = items_.size();
        parseList(text, pos, depth + 1);
        const std::vector<Item> group(items_.begin() + static_cast<long>(first), items_.end());
        for (int k = 1; k < count; ++k) items_.insert(items_.end(), group.begin(), group.end());
        return;
    }
    if (letter == 'X') {
        items_.push_back(Item{ItemKind::Blanks, count < 0 ? 1 : count, 0, {}});
        return;
    }
    const Item item = readDescriptor(text, pos, letter);
    hasFields_ = true;
    for (int k = 0; k < (count < 1 ? 1 : count); ++k) items_.push_back(item);
}

// Parses items up to the matching ')' (depth > 0) or to the end of the text (depth 0).
void Layout::parseList(std::string_view text, std::size_t& pos, int depth) {
    bool expectItem = true;
    while (true) {
        skipBlanks(text, pos);
        if (pos >= text.size()) {
            if (depth > 0) throw layoutError(text, pos);
            return;
        }
        const char c = text[pos];
        if (c == ')') {
            if (depth == 0) throw layoutError(text, pos);
            ++pos;
            return;
        }
        if (c == ',' || c == '/') {
            if (c == '/') items_.push_back(Item{ItemKind::Slash, 0, 0, {}});
            ++pos;
            expectItem = true;
            continue;
        }
        if (!expectItem) throw layoutError(text, pos);
        expectItem = false;
        if (c == '\'' || c == '"')
            items_.push_back({ItemKind::Literal, 0, 0, readQuotedLiteral(text, pos)});
        else
            parseRepeatedItem(text, pos, depth);
    }
}

// ---------------------------------------------------------------------------------------------
// Layout output

// The values of the run store are real32: their fields go through the quick writers, which give
// the same text.
static constexpr int kQuickWidth = 64;

static bool isReal32(double v) {
    return std::fabs(v) <= FLT_MAX && static_cast<double>(static_cast<float>(v)) == v;
}

void Layout::formatField(std::string& line, const Item& item, const FieldValue& value) const {
    switch (item.kind) {
        case ItemKind::Text:
            if (value.kind() == FieldValue::Kind::Text)
                line += formatText(value.text(), item.width);
            else
                line += asterisks(item.width == 0 ? 1 : item.width);
            break;
        case ItemKind::Integer:
            line += formatInteger(value.integer(), item.width, item.digits);
            break;
        case ItemKind::Fixed:
        case ItemKind::Exponent: {
            const double v = value.real();
            if (!isReal32(v) || item.width > kQuickWidth) {
                line += item.kind == ItemKind::Fixed ? formatFixed(v, item.width, item.digits)
                                                     : formatExponent(v, item.width, item.digits);
                break;
            }
            const std::size_t at = line.size();
            line.resize(at + static_cast<std::size_t>(item.width));
            const auto f = static_cast<float>(v);
            char* const end = item.kind == ItemKind::Fixed
                                  ? putFixed(line.data() + at, f, item.width, item.digits)
                                  : putExponent(line.data() + at, f, item.width, item.digits);
            line.resize(static_cast<std::size_t>(end - line.data()));
            break;
        }
        default:
            break;
    }
}

void Layout::format(std::string& out, std::span<const FieldValue> values) const {
    std::size_t next = 0;
    int pendingBlanks = 0;
    auto flushBlanks = [&] {
        out.append(static_cast<std::size_t>(pendingBlanks), ' ');
        pendingBlanks = 0;
    };
    while (true) {
        for (const Item& item : items_) {
            switch (item.kind) {
                case ItemKind::Blanks:
                    pendingBlanks += item.width;
                    break;
                case ItemKind::Literal:
                    flushBlanks();
                    out += item.literal;
                    break;
                case ItemKind::Slash:
                    out += '\n';
                    pendingBlanks = 0;
                    break;
                default:
                    if (next == values.size()) {
                        out += '\n';
                        return;
                    }
                    flushBlanks();
                    formatField(out, item, values[next++]);
                    break;
            }
        }
        // End of the layout: more values start a new line with the layout from its start.
        if (!hasFields_ || next == values.size()) break;
        out += '\n';
        pendingBlanks = 0;
    }
    out += '\n';
}

std::string Layout::format(std::span<const FieldValue> values) const {
    std::string out;
    format(out, values);
    return out;
}

}  // namespace keldar
