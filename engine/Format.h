// Fixed-column line layouts of the report and the plot data file.
//
// A layout is written in the classic edit-descriptor notation, for example
//     Layout row("(2X,I5,I11,E16.4)");
//     std::string text = row(12, 10, 3.5f);   // "     12         10      0.3500E+01\n"
// Items: nX (blanks), 'text' or "text" (literal), / (end of line), A and Aw (text), Iw and Iw.m
// (integer), Fw.d (fixed point), Ew.d (exponent form 0.ddddE+xx), and k(...) or kIw (repeat).
//
// A value that does not fit its field fills the field with asterisks. When the values run out,
// the line ends before the first field without a value (literal text before it is still
// written); when more values are given than the layout has fields, a new line begins and the
// layout is used again from its start. Blanks (nX) are written only when something follows them
// on the same line, so lines carry no trailing blanks from X items.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keldar {

// A value handed to a layout: an integer, a real or a text.
class FieldValue {
  public:
    enum class Kind { Integer, Real, Text };

    FieldValue(int v) : kind_(Kind::Integer), integer_(v) {}
    FieldValue(long v) : kind_(Kind::Integer), integer_(v) {}
    FieldValue(long long v) : kind_(Kind::Integer), integer_(v) {}
    FieldValue(float v) : kind_(Kind::Real), real_(v) {}
    FieldValue(double v) : kind_(Kind::Real), real_(v) {}
    FieldValue(std::string_view v) : kind_(Kind::Text), text_(v) {}
    FieldValue(const char* v) : kind_(Kind::Text), text_(v) {}
    FieldValue(const std::string& v) : kind_(Kind::Text), text_(v) {}

    Kind kind() const { return kind_; }
    long long integer() const;
    double real() const;
    std::string_view text() const { return text_; }

  private:
    Kind kind_;
    long long integer_ = 0;
    double real_ = 0.0;
    std::string_view text_;
};

class Layout {
  public:
    // Parses the layout text; throws std::invalid_argument on a malformed layout (layouts are
    // constants of the program, so this is a programming error found by the tests).
    explicit Layout(std::string_view text);

    // Appends the formatted line or lines to out, each ending with '\n'.
    void format(std::string& out, std::span<const FieldValue> values) const;

    std::string format(std::span<const FieldValue> values) const;

    template <class... Args>
    std::string operator()(const Args&... args) const {
        const FieldValue values[] = {FieldValue(args)..., FieldValue(0)};
        return format(std::span<const FieldValue>(values, sizeof...(Args)));
    }

  private:
    enum class ItemKind { Blanks, Literal, Slash, Text, Integer, Fixed, Exponent };
    struct Item {
        ItemKind kind;
        int width = 0;   // field width; 0 for plain A (whole text) and I0 (minimal width)
        int digits = 0;  // decimals (F), significant digits (E) or minimum digits (I)
        std::string literal;
    };

    void parseList(std::string_view text, std::size_t& pos, int depth);
    void parseRepeatedItem(std::string_view text, std::size_t& pos, int depth);
    static Item readDescriptor(std::string_view text, std::size_t& pos, char letter);
    void formatField(std::string& line, const Item& item, const FieldValue& value) const;

    std::vector<Item> items_;  // groups and repeat counts already expanded
    bool hasFields_ = false;
};

// Field formatting, also used on its own (each returns exactly `width` characters, or the whole
// value when width is 0 where that is allowed).
std::string formatInteger(long long value, int width, int minDigits = 0);
std::string formatFixed(double value, int width, int decimals);
std::string formatExponent(double value, int width, int digits);
std::string formatText(std::string_view value, int width);

// A free-form (list-directed) line: integers right-aligned in 12 columns, reals as E16.7,
// texts after one blank. Readers of such lines rely only on the blank separation.
std::string formatListLine(std::span<const FieldValue> values);

template <class... Args>
std::string listLine(const Args&... args) {
    const FieldValue values[] = {FieldValue(args)..., FieldValue(0)};
    return formatListLine(std::span<const FieldValue>(values, sizeof...(Args)));
}

}  // namespace keldar
