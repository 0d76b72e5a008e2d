// Reads a whole text file as lines of words separated by blanks, tabs or one comma, as the
// analysis reads them. Used for the data file and the plot data file; every failure is an
// EInputOutputError with the text the user sees.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "InputOutputError.h"

namespace keldar {

inline constexpr char kIncompleteFileMessage[] = "This file either invalid or incomplete.";
inline constexpr char kFloatExpectedMessage[] =
    "A floating point number was expected but not found.";
inline constexpr char kIntegerExpectedMessage[] = "An integer was expected but not found.";

class TWordReader;

// One line of the file: its words and its text as read. A view into the reader, valid while the
// reader lives.
class TWordContainer {
  public:
    int Count() const;
    QStringView Word(int index) const;
    QStringView Text() const;

  private:
    friend class TWordReader;
    TWordContainer(const TWordReader* reader, int line) : reader_(reader), line_(line) {}

    const TWordReader* reader_;
    int line_;
};

class TWordReader {
  public:
    // Files above this size are not ours: a full plot file of the largest run is about 4 MB.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    // Reads the whole file; an unopenable or unreadable file raises the system's message.
    explicit TWordReader(const QString& fileName);
    // The same from file contents already in memory.
    static TWordReader FromData(const QByteArray& data);

    bool AtEnd() const { return line_ == LineCount(); }
    QString NextWord();
    double ReadFloat();
    int ReadInteger();
    QString ReadLine();
    // A record of the data file starts on a new line, as the analysis reads it: the words left
    // on the line where the record before ended are passed over and returned.
    QStringList BeginRecord();
    // The word that the last read took.
    QString LastWord() const;

    int LineCount() const { return static_cast<int>(lines_.size()); }
    TWordContainer Line(int index) const { return TWordContainer(this, index); }
    int LineIndex() const { return line_; }
    int WordIndex() const { return word_; }
    // Words not yet taken by NextWord: what the rest of the file can still give.
    qsizetype WordsLeft() const;
    // The text was not UTF-8 and was taken as Latin-1 (an 8-bit code page of older files).
    bool DecodedAsLatin1() const { return latin1_; }
    // The text started with a UTF-8 byte order mark, which is not part of its first line.
    bool HadByteOrderMark() const { return byteOrderMark_; }

  private:
    friend class TWordContainer;
    struct LineRef {
        std::int32_t start;      // into text_
        std::int32_t length;     // without the line end
        std::int32_t firstWord;  // into words_
    };
    struct WordRef {
        std::int32_t start;
        std::int32_t length;
    };

    TWordReader() = default;
    void Parse(const QByteArray& data);
    // The words of one line, text[first, last) with its ends trimmed.
    void SplitWords(const char16_t* text, qsizetype first, qsizetype last);
    // NextWord as a view into the text, valid while the reader lives.
    QStringView TakeWord();
    int WordCount(int line) const;
    [[noreturn]] void RaisePositioned(const QString& what) const;

    QString text_;
    std::vector<LineRef> lines_;
    std::vector<WordRef> words_;
    int line_ = 0;
    int word_ = 0;
    bool latin1_ = false;
    bool byteOrderMark_ = false;
};

// Converts a word to a real number with "." as the decimal separator, whatever the locale, and
// an exponent introduced by E or D.
// False for anything that is not a finite number; values too small for a double become 0.
bool ParseReal(QStringView word, double& value);

}  // namespace keldar
