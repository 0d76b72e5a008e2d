#include "WordReader.h"

#include <QFile>
#include <QStringDecoder>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace keldar {

static bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Blanks and control characters, as trimmed from the ends of a line.
static bool IsSpace(QChar c) { return c.unicode() <= u' '; }

bool ParseReal(QStringView word, double& value) {
    const qsizetype n = word.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (word[i] == u'+' || word[i] == u'-')) {
        negative = word[i] == u'-';
        ++i;
    }
    const qsizetype mantissaStart = i;
    // Decimal position of the first significant digit, for telling underflow from overflow.
    qsizetype magnitude = 0;
    bool significant = false;
    qsizetype digits = 0;
    for (; i < n && IsDigit(word[i]); ++i, ++digits) {
        if (significant || word[i] != u'0') {
            significant = true;
            ++magnitude;
        }
    }
    if (i < n && word[i] == u'.') {
        for (++i; i < n && IsDigit(word[i]); ++i, ++digits) {
            if (!significant) {
                if (word[i] == u'0') {
                    --magnitude;
                } else {
                    significant = true;
                }
            }
        }
    }
    if (digits == 0) return false;
    qint64 exponent = 0;
    if (i < n && (word[i] == u'e' || word[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (word[i] == u'+' || word[i] == u'-')) {
            negativeExponent = word[i] == u'-';
            ++i;
        }
        if (i == n) return false;
        for (; i < n && IsDigit(word[i]); ++i) {
            // Saturate: anything this large is out of range anyway.
            if (exponent < 100000) exponent = exponent * 10 + (word[i].unicode() - u'0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return false;

    const std::string ascii = word.mid(mantissaStart).toLatin1().toStdString();
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed);
    if (ec == std::errc::result_out_of_range) {
        if (!significant || magnitude + exponent < 0) {
            value = negative ? -0.0 : 0.0;
            return true;
        }
        return false;
    }
    if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = negative ? -parsed : parsed;
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
    // Read one byte beyond the limit so that a file growing while we read is still caught.
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) throw EInputOutputError(file.errorString());
    if (data.size() > kMaxFileSize) throw EInputOutputError(kIncompleteFileMessage);
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
    QStringDecoder utf8(QStringDecoder::Utf8);
    text_ = utf8(data);
    if (utf8.hasError()) text_ = QString::fromLatin1(data);
    if (text_.startsWith(QChar(0xFEFF))) text_.remove(0, 1);

    const qsizetype n = text_.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text_[end] != u'\n' && text_[end] != u'\r') ++end;

        lines_.push_back({static_cast<std::int32_t>(pos), static_cast<std::int32_t>(end - pos),
                          static_cast<std::int32_t>(words_.size())});
        qsizetype first = pos;
        qsizetype last = end;
        while (first < last && IsSpace(text_[first])) ++first;
        while (last > first && IsSpace(text_[last - 1])) --last;
        while (first < last) {
            qsizetype wordEnd = first;
            while (wordEnd < last && text_[wordEnd] != u' ' && text_[wordEnd] != u'\t') ++wordEnd;
            words_.push_back(
                {static_cast<std::int32_t>(first), static_cast<std::int32_t>(wordEnd - first)});
            first = wordEnd;
            while (first < last && IsSpace(text_[first])) ++first;
        }

        // CR LF, LF and a lone CR all end a line.
        pos = end + 1;
        if (end + 1 < n && text_[end] == u'\r' && text_[end + 1] == u'\n') ++pos;
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

QString TWordReader::NextWord() {
    // Every line whose words are used up is passed over, however many come in a row.
    while (!AtEnd() && word_ >= WordCount(line_)) {
        ++line_;
        word_ = 0;
    }
    if (AtEnd()) throw EInputOutputError(kIncompleteFileMessage);
    const WordRef& word = words_[static_cast<std::size_t>(lines_[line_].firstWord + word_)];
    ++word_;
    return text_.mid(word.start, word.length);
}

void TWordReader::RaisePositioned(const QString& what) const {
    throw EInputOutputError(
        QStringLiteral("Error on Line %1 Item %2\r%3").arg(line_ + 1).arg(word_).arg(what));
}

double TWordReader::ReadFloat() {
    const QString word = NextWord();
    double value = 0.0;
    if (!ParseReal(word, value)) RaisePositioned(QString::fromLatin1(kFloatExpectedMessage));
    return value;
}

int TWordReader::ReadInteger() {
    const QString word = NextWord();
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
