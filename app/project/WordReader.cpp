#include "WordReader.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "NumberFormat.h"

namespace keldar {

// Blanks and control characters, as trimmed from the ends of a line.
static bool IsSpace(char16_t c) { return c <= u' '; }

// The analysis also reads an exponent introduced by D ("1D-1"); the number syntax checks where
// the letter stands.
static char ExponentAsE(char c) { return c == 'd' || c == 'D' ? 'E' : c; }

bool ParseReal(QStringView word, double& value) {
    // Anything outside Latin-1 becomes '?', which is no number. A number is a short word, taken
    // without a heap copy: a plot file holds hundreds of thousands of them.
    char buffer[64];
    QByteArray longWord;
    std::string_view text;
    if (word.size() <= static_cast<qsizetype>(sizeof buffer)) {
        for (qsizetype i = 0; i < word.size(); ++i) {
            const char16_t c = word[i].unicode();
            buffer[i] = c <= 0xff ? ExponentAsE(static_cast<char>(c)) : '?';
        }
        text = std::string_view(buffer, static_cast<std::size_t>(word.size()));
    } else {
        longWord = word.toLatin1();
        std::transform(longWord.begin(), longWord.end(), longWord.begin(), ExponentAsE);
        text = std::string_view(longWord.constData(), static_cast<std::size_t>(longWord.size()));
    }
    long double read = 0.0L;
    if (readDecimal(text, '.', read) != DecimalRead::Ok) return false;
    if (std::fabs(read) > std::numeric_limits<double>::max()) return false;
    value = static_cast<double>(read);
    return true;
}

int TWordContainer::Count() const { return reader_->WordCount(line_); }

QStringView TWordContainer::Word(int index) const {
    const auto& word = reader_->words_[reader_->lines_[line_].firstWord + index];
    return QStringView(reader_->text_).mid(word.start, word.length);
}

QStringView TWordContainer::Text() const {
    const auto& line = reader_->lines_[line_];
    return QStringView(reader_->text_).mid(line.start, line.length);
}

TWordReader::TWordReader(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw EInputOutputError(file.errorString());
    if (file.size() > kMaxFileSize) throw EInputOutputError(kIncompleteFileMessage);
    // Read to the end in blocks, so that storage follows the file rather than the limit, and a
    // file growing while we read is still caught at the limit.
    QByteArray data;
    data.reserve(file.size());
    char block[64 * 1024];
    for (;;) {
        const qint64 got = file.read(block, sizeof block);
        if (got < 0) throw EInputOutputError(file.errorString());
        if (got == 0) break;
        data.append(block, got);
        if (data.size() > kMaxFileSize) throw EInputOutputError(kIncompleteFileMessage);
    }
    Parse(data);
}

TWordReader TWordReader::FromData(const QByteArray& data) {
    if (data.size() > kMaxFileSize) throw EInputOutputError(kIncompleteFileMessage);
    TWordReader reader;
    reader.Parse(data);
    return reader;
}

void TWordReader::Parse(const QByteArray& data) {
    // Our files are ASCII; a title typed by the user may come in UTF-8 or in an 8-bit code
    // page from older files. Nothing is dropped either way.
    // Stateless: a sequence cut short by the end of the file is an error, not a state kept for
    // more data that never comes (which would drop its bytes without a word).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text_ = utf8(data);
    latin1_ = utf8.hasError();
    if (latin1_) text_ = QString::fromLatin1(data);
    // The decoder passes over one UTF-8 byte order mark, and only one: a second is a character of
    // the title. A Latin-1 text keeps the three bytes.
    byteOrderMark_ = data.startsWith("\xef\xbb\xbf");

    // Scanned as plain UTF-16 units: indexing the string itself checks for a shared copy at
    // every character, which was most of the time spent on a plot file of several megabytes.
    const char16_t* const text = QStringView(text_).utf16();
    const qsizetype n = text_.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != u'\n' && text[end] != u'\r') ++end;

        lines_.push_back({static_cast<std::int32_t>(pos), static_cast<std::int32_t>(end - pos),
                          static_cast<std::int32_t>(words_.size())});
        qsizetype first = pos;
        qsizetype last = end;
        while (first < last && IsSpace(text[first])) ++first;
        while (last > first && IsSpace(text[last - 1])) --last;
        SplitWords(text, first, last);

        // CR LF, LF and a lone CR all end a line.
        pos = end + 1;
        if (end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n') ++pos;
    }
}

// Words are separated by blanks or tabs, and one comma may stand between two values, as the
// analysis reads the file. A comma with no value before it on the line, or a second one, stands
// as a word of its own, which is no number: the analysis refuses it too.
static bool IsSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u','; }

void TWordReader::SplitWords(const char16_t* text, qsizetype first, qsizetype last) {
    bool valueBefore = false;
    while (first < last) {
        int commas = 0;
        while (first < last && (IsSpace(text[first]) || text[first] == u',')) {
            if (text[first] == u',' && ++commas > (valueBefore ? 1 : 0)) break;
            ++first;
        }
        if (first == last) break;
        qsizetype wordEnd = first + 1;
        if (text[first] != u',')
            while (wordEnd < last && !IsSeparator(text[wordEnd])) ++wordEnd;
        words_.push_back(
            {static_cast<std::int32_t>(first), static_cast<std::int32_t>(wordEnd - first)});
        valueBefore = true;
        first = wordEnd;
    }
}

int TWordReader::WordCount(int line) const {
    const std::size_t next = static_cast<std::size_t>(line) + 1;
    const std::int32_t end =
        next < lines_.size() ? lines_[next].firstWord : static_cast<std::int32_t>(words_.size());
    return end - lines_[static_cast<std::size_t>(line)].firstWord;
}

qsizetype TWordReader::WordsLeft() const {
    const auto total = static_cast<qsizetype>(words_.size());
    if (AtEnd()) return 0;
    return total - (lines_[static_cast<std::size_t>(line_)].firstWord + word_);
}

QString TWordReader::NextWord() { return TakeWord().toString(); }

QStringView TWordReader::TakeWord() {
    // Every line whose words are used up is passed over, however many come in a row.
    while (!AtEnd() && word_ >= WordCount(line_)) {
        ++line_;
        word_ = 0;
    }
    if (AtEnd()) throw EInputOutputError(kIncompleteFileMessage);
    const WordRef& word = words_[static_cast<std::size_t>(lines_[line_].firstWord + word_)];
    ++word_;
    return QStringView(text_).mid(word.start, word.length);
}

void TWordReader::RaisePositioned(const QString& what) const {
    throw EInputOutputError(
        QStringLiteral("Error on Line %1 Item %2\r%3").arg(line_ + 1).arg(word_).arg(what));
}

QStringList TWordReader::BeginRecord() {
    QStringList passed;
    if (AtEnd() || word_ == 0) return passed;
    for (int w = word_; w < WordCount(line_); ++w) passed.append(Line(line_).Word(w).toString());
    ++line_;
    word_ = 0;
    return passed;
}

QString TWordReader::LastWord() const {
    if (word_ == 0) return {};
    return Line(line_).Word(word_ - 1).toString();
}

double TWordReader::ReadFloat() {
    const QStringView word = TakeWord();
    double value = 0.0;
    if (!ParseReal(word, value)) RaisePositioned(QString::fromLatin1(kFloatExpectedMessage));
    return value;
}

int TWordReader::ReadInteger() {
    const QStringView word = TakeWord();
    double value = 0.0;
    if (!ParseReal(word, value) || std::trunc(value) != value ||
        value < static_cast<double>(std::numeric_limits<int>::min()) ||
        value > static_cast<double>(std::numeric_limits<int>::max())) {
        RaisePositioned(QString::fromLatin1(kIntegerExpectedMessage));
    }
    return static_cast<int>(value);
}

QString TWordReader::ReadLine() {
    if (AtEnd()) throw EInputOutputError(kIncompleteFileMessage);
    const LineRef line = lines_[static_cast<std::size_t>(line_)];
    ++line_;
    word_ = 0;
    return text_.mid(line.start, line.length);
}

}  // namespace keldar
