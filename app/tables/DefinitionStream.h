// The typed value stream in which table column definitions are written and read: integers,
// booleans, strings, floats and list markers, one token after another. Its text form is what the
// main window's table declarations are written in:
//     3  ("Soil Type")  True False  ("Sand" "Clay")  2.5  -1
// Integers are plain decimal, a float always shows a point or an exponent (0.0, 1e-05), strings
// are double-quoted with the escapes \\ \" \r \n \t, lists are in parentheses. A "#" starts a
// comment that runs to the end of the line. Bare words and "=" are words, used by the
// declaration file around the streams.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace keldar {

// A token of the wrong kind, a malformed token or an early end of the text.
class EDefinitionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class TValueKind { Integer, Boolean, String, Float, ListBegin, ListEnd, Word, End };

class TDefinitionWriter {
  public:
    void WriteInteger(std::int32_t value);
    void WriteBoolean(bool value);
    void WriteString(std::string_view value);
    // Shortest text that reads back to the same extended value; throws for INF and NAN.
    void WriteFloat(long double value);
    void WriteListBegin();
    void WriteListEnd();
    // Layout only: the next token starts a new line.
    void BreakLine();

    const std::string& Text() const { return fText; }

  private:
    void Put(std::string_view token);

    std::string fText;
    bool fAtLineStart = true;
};

class TDefinitionReader {
  public:
    explicit TDefinitionReader(std::string_view text);

    TValueKind NextKind();
    std::int32_t ReadInteger();
    bool ReadBoolean();
    std::string ReadString();
    // Accepts an integer token as well.
    long double ReadFloat();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next token closes a list.
    bool EndOfList();
    std::string ReadWord();
    // Line of the next token, for messages.
    int Line();

  private:
    struct TToken {
        TValueKind kind = TValueKind::End;
        std::string text;
        int line = 1;
    };

    const TToken& Peek();
    TToken Take(TValueKind kind, const char* what);
    TToken Scan();
    void SkipBlanks();
    std::string ScanString(int line);
    std::string ScanWhile(bool (*belongs)(char));

    std::string_view fText;
    std::size_t fPos = 0;
    int fLine = 1;
    std::optional<TToken> fPeeked;
};

}  // namespace keldar
