#include "DataFileReader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "AnalysisNumber.h"

namespace keldar {

static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f'; }
static bool isSeparator(char c) { return isBlank(c) || c == ','; }
static bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Far above any data file (the largest project is a few hundred kilobytes).
static constexpr long kMaxReservedSize = 64L * 1024 * 1024;

bool DataFileReader::open(const std::string& path) {
    openText({});
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        fail(kStatusCannotOpenInput, "The data file \"" + path + "\" cannot be opened.");
        return false;
    }
    // Room for the whole file at once where its size is known (a large project is a few
    // hundred kilobytes); the reads below hold whatever the file really gives.
    // A folder opens too, and tells a size it cannot give: only a plausible size is reserved.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && size <= kMaxReservedSize) text_.reserve(static_cast<std::size_t>(size));
        std::rewind(file);
    }
    char buf[16384];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) text_.append(buf, n);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        fail(kStatusCannotOpenInput, "The data file \"" + path + "\" cannot be read.");
        return false;
    }
    return true;
}

void DataFileReader::openText(std::string text) {
    text_ = std::move(text);
    next_ = 0;
    rest_ = {};
    valueOnLine_ = false;
    line_ = 0;
    status_ = kStatusOk;
    message_.clear();
    unused_.clear();
}

bool DataFileReader::nextLine() {
    if (next_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', next_);
    const std::size_t stop = end == std::string::npos ? text_.size() : end;
    rest_ = std::string_view(text_).substr(next_, stop - next_);
    next_ = end == std::string::npos ? text_.size() : end + 1;
    ++line_;
    return true;
}

bool DataFileReader::readLine(std::string& line, std::string_view what) {
    if (failed()) return false;
    if (!nextLine()) {
        fail(kStatusInputTruncated, "The data file ends after line " + std::to_string(line_) +
                                        "; " + std::string(what) + " was expected.");
        return false;
    }
    std::string_view text = rest_;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line.assign(text);
    rest_ = {};
    return true;
}

void DataFileReader::beginRecord() {
    passOver();
    rest_ = {};
    valueOnLine_ = false;
}

void DataFileReader::endRecords() {
    if (failed()) return;
    passOver();
    while (!failed() && nextLine()) passOver();
    rest_ = {};
}

// A value typed with a thousands separator ("100 000") reads as its first word: the words
// after a record's values are what tells the user so.
void DataFileReader::passOver() {
    std::size_t first = 0;
    while (first < rest_.size() && isSeparator(rest_[first])) ++first;
    std::size_t last = rest_.size();
    while (last > first && isSeparator(rest_[last - 1])) --last;
    if (first == last) return;
    const std::string words(rest_.substr(first, last - first));
    unused_.push_back("line " + std::to_string(line_) + ": " + words);
    if (strict_)
        fail(kStatusInputMalformed, "Line " + std::to_string(line_) + " of the data file: \"" +
                                        words + "\" after the values of the record is not used.");
}

bool DataFileReader::nextWord(std::string_view& word, std::string_view what) {
    if (failed()) return false;
    // Within a line one comma may stand between two values; a comma with no value before it
    // would be a null value of the free-form rule, which a data file never holds.
    for (;;) {
        int commas = 0;
        std::size_t i = 0;
        while (i < rest_.size() && isSeparator(rest_[i])) {
            if (rest_[i] == ',') ++commas;
            ++i;
        }
        rest_.remove_prefix(i);
        if (commas > (valueOnLine_ ? 1 : 0)) {
            fail(kStatusInputMalformed, "Line " + std::to_string(line_) +
                                            " of the data file: an empty value stands where " +
                                            std::string(what) + " was expected.");
            return false;
        }
        if (!rest_.empty()) break;
        if (!nextLine()) {
            fail(kStatusInputTruncated, "The data file ends after line " + std::to_string(line_) +
                                            "; " + std::string(what) + " was expected.");
            return false;
        }
        valueOnLine_ = false;
    }
    std::size_t n = 0;
    while (n < rest_.size() && !isSeparator(rest_[n])) ++n;
    word = rest_.substr(0, n);
    rest_.remove_prefix(n);
    valueOnLine_ = true;
    return true;
}

void DataFileReader::failNotNumber(std::string_view kind, std::string_view word,
                                   std::string_view what) {
    fail(kStatusInputMalformed,
         "Line " + std::to_string(line_) + " of the data file: " + std::string(kind) +
             " was expected for " + std::string(what) + ", found \"" + std::string(word) + "\".");
}

bool DataFileReader::readInteger(std::int32_t& value, std::string_view what) {
    std::string_view word;
    if (!nextWord(word, what)) return false;
    std::string_view digits = word;
    const bool plus = !digits.empty() && digits.front() == '+';
    if (plus) digits.remove_prefix(1);
    const std::size_t first = !plus && !digits.empty() && digits.front() == '-' ? 1 : 0;
    bool allDigits = digits.size() > first;
    for (std::size_t i = first; i < digits.size(); ++i) allDigits = allDigits && isDigit(digits[i]);
    std::int32_t parsed = 0;
    if (!allDigits) {
        failNotNumber("an integer", word, what);
        return false;
    }
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
    if (ec != std::errc() || end != digits.data() + digits.size()) {
        fail(kStatusInputMalformed, "Line " + std::to_string(line_) +
                                        " of the data file: the integer \"" + std::string(word) +
                                        "\" for " + std::string(what) + " is out of range.");
        return false;
    }
    value = parsed;
    return true;
}

bool DataFileReader::readReal(float& value, std::string_view what) {
    std::string_view word;
    if (!nextWord(word, what)) return false;
    switch (ReadAnalysisReal(word, value)) {
        case TNumberReading::Read:
            return true;
        case TNumberReading::OutOfRange:
            fail(kStatusInputMalformed, "Line " + std::to_string(line_) +
                                            " of the data file: the value \"" + std::string(word) +
                                            "\" for " + std::string(what) + " is out of range.");
            return false;
        case TNumberReading::NotANumber:
            break;
    }
    failNotNumber("a number", word, what);
    return false;
}

void DataFileReader::fail(std::int32_t status, std::string message) {
    if (failed()) return;
    status_ = status;
    message_ = std::move(message);
}

}  // namespace keldar
