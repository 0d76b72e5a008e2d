#include "DefinitionStream.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace keldar {

namespace {

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsWordChar(char c) { return IsWordStart(c) || (c >= '0' && c <= '9'); }

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
}

const char* KindName(TValueKind kind) {
    switch (kind) {
        case TValueKind::Integer:
            return "an integer";
        case TValueKind::Boolean:
            return "True or False";
        case TValueKind::String:
            return "a string";
        case TValueKind::Float:
            return "a number";
        case TValueKind::ListBegin:
            return "\"(\"";
        case TValueKind::ListEnd:
            return "\")\"";
        case TValueKind::Word:
            return "a word";
        case TValueKind::End:
            return "the end of the text";
    }
    return "a value";
}

// The characters a string cannot hold as they are, each with the letter that follows the
// backslash standing for it. Writing and reading both use this one table.
struct TEscape {
    char character;
    char code;
};

constexpr TEscape kEscapes[] = {
    {'\\', '\\'}, {'"', '"'}, {'\r', 'r'}, {'\n', 'n'}, {'\t', 't'},
};

const TEscape* EscapeOf(char c) {
    for (const TEscape& escape : kEscapes)
        if (escape.character == c) return &escape;
    return nullptr;
}

EDefinitionError ErrorAt(int line, const std::string& what) {
    return EDefinitionError("Line " + std::to_string(line) + ": " + what);
}

// The character a backslash escape after a string's opening stands for.
char Unescaped(char code, int line) {
    for (const TEscape& escape : kEscapes)
        if (escape.code == code) return escape.character;
    throw ErrorAt(line, std::string("unknown escape \\") + code);
}

// The whole token as a number. The text form allows a leading "+", which from_chars does not.
template <typename Number>
std::errc ParseWhole(const std::string& text, Number& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr != last ? std::errc::invalid_argument : ec;
}

}  // namespace

void TDefinitionWriter::Put(std::string_view token) {
    if (!fAtLineStart) fText += ' ';
    fText += token;
    fAtLineStart = false;
}

void TDefinitionWriter::BreakLine() {
    if (fAtLineStart) return;
    fText += '\n';
    fAtLineStart = true;
}

void TDefinitionWriter::WriteInteger(std::int32_t value) { Put(std::to_string(value)); }

void TDefinitionWriter::WriteBoolean(bool value) { Put(value ? "True" : "False"); }

void TDefinitionWriter::WriteString(std::string_view value) {
    std::string quoted = "\"";
    for (char c : value) {
        if (const TEscape* escape = EscapeOf(c)) {
            quoted += '\\';
            quoted += escape->code;
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    Put(quoted);
}

void TDefinitionWriter::WriteFloat(long double value) {
    if (!std::isfinite(value)) throw EDefinitionError("A number to be written is not finite");
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // A float must not read back as an integer token.
    if (text.find_first_of(".eE") == std::string::npos) text += ".0";
    Put(text);
}

void TDefinitionWriter::WriteListBegin() { Put("("); }

void TDefinitionWriter::WriteListEnd() { Put(")"); }

TDefinitionReader::TDefinitionReader(std::string_view text) : fText(text) {}

// Blanks and comments, which run from "#" to the end of the line, counting the lines passed.
void TDefinitionReader::SkipBlanks() {
    for (;;) {
        while (fPos < fText.size() && (fText[fPos] == ' ' || fText[fPos] == '\t' ||
                                       fText[fPos] == '\r' || fText[fPos] == '\n')) {
            if (fText[fPos] == '\n') ++fLine;
            ++fPos;
        }
        if (fPos < fText.size() && fText[fPos] == '#') {
            while (fPos < fText.size() && fText[fPos] != '\n') ++fPos;
            continue;
        }
        return;
    }
}

// The contents of a string whose opening quote has been read; `line` is where it opened.
std::string TDefinitionReader::ScanString(int line) {
    std::string text;
    for (;;) {
        if (fPos >= fText.size()) throw ErrorAt(line, "unterminated string");
        char s = fText[fPos++];
        if (s == '"') return text;
        if (s == '\n') ++fLine;
        if (s == '\\') {
            if (fPos >= fText.size()) throw ErrorAt(line, "unterminated string");
            s = Unescaped(fText[fPos++], fLine);
        }
        text += s;
    }
}

std::string TDefinitionReader::ScanWhile(bool (*belongs)(char)) {
    const std::size_t start = fPos;
    while (fPos < fText.size() && belongs(fText[fPos])) ++fPos;
    return std::string(fText.substr(start, fPos - start));
}

TDefinitionReader::TToken TDefinitionReader::Scan() {
    SkipBlanks();
    TToken token;
    token.line = fLine;
    if (fPos >= fText.size()) return token;

    const char c = fText[fPos];
    if (c == '(' || c == ')' || c == '=') {
        ++fPos;
        token.kind = c == '('   ? TValueKind::ListBegin
                     : c == ')' ? TValueKind::ListEnd
                                : TValueKind::Word;
        token.text = std::string(1, c);
    } else if (c == '"') {
        ++fPos;
        token.kind = TValueKind::String;
        token.text = ScanString(token.line);
    } else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.') {
        token.text = ScanWhile(IsNumberChar);
        token.kind = token.text.find_first_of(".eE") == std::string::npos ? TValueKind::Integer
                                                                          : TValueKind::Float;
    } else if (IsWordStart(c)) {
        token.text = ScanWhile(IsWordChar);
        token.kind =
            token.text == "True" || token.text == "False" ? TValueKind::Boolean : TValueKind::Word;
    } else {
        throw ErrorAt(fLine, std::string("unexpected character '") + c + "'");
    }
    return token;
}

const TDefinitionReader::TToken& TDefinitionReader::Peek() {
    if (!fPeeked) fPeeked = Scan();
    return *fPeeked;
}

TDefinitionReader::TToken TDefinitionReader::Take(TValueKind kind, const char* what) {
    const TToken& next = Peek();
    if (next.kind != kind) {
        std::string found = next.kind == TValueKind::End ? std::string("the end of the text")
                                                         : "\"" + next.text + "\"";
        throw ErrorAt(next.line, std::string("expected ") + what + ", found " + found);
    }
    TToken token = std::move(*fPeeked);
    fPeeked.reset();
    return token;
}

TValueKind TDefinitionReader::NextKind() { return Peek().kind; }

int TDefinitionReader::Line() { return Peek().line; }

std::int32_t TDefinitionReader::ReadInteger() {
    TToken token = Take(TValueKind::Integer, KindName(TValueKind::Integer));
    std::int32_t value = 0;
    const std::errc ec = ParseWhole(token.text, value);
    if (ec == std::errc::result_out_of_range)
        throw ErrorAt(token.line, "integer out of range: " + token.text);
    if (ec != std::errc()) throw ErrorAt(token.line, "not an integer: " + token.text);
    return value;
}

bool TDefinitionReader::ReadBoolean() {
    return Take(TValueKind::Boolean, KindName(TValueKind::Boolean)).text == "True";
}

std::string TDefinitionReader::ReadString() {
    return Take(TValueKind::String, KindName(TValueKind::String)).text;
}

long double TDefinitionReader::ReadFloat() {
    const TValueKind kind = Peek().kind;
    TToken token = Take(kind == TValueKind::Integer ? TValueKind::Integer : TValueKind::Float,
                        KindName(TValueKind::Float));
    long double value = 0;
    if (ParseWhole(token.text, value) != std::errc() || !std::isfinite(value))
        throw ErrorAt(token.line, "not a valid number: " + token.text);
    return value;
}

void TDefinitionReader::ReadListBegin() {
    Take(TValueKind::ListBegin, KindName(TValueKind::ListBegin));
}

void TDefinitionReader::ReadListEnd() { Take(TValueKind::ListEnd, KindName(TValueKind::ListEnd)); }

bool TDefinitionReader::EndOfList() {
    const TValueKind kind = Peek().kind;
    if (kind == TValueKind::End) throw ErrorAt(Peek().line, "list not closed");
    return kind == TValueKind::ListEnd;
}

std::string TDefinitionReader::ReadWord() {
    return Take(TValueKind::Word, KindName(TValueKind::Word)).text;
}

}  // namespace keldar
