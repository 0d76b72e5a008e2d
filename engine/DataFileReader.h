// Reader of the analysis data file (.kd3d) in the engine's free-form reading rule.
//
// Values are separated by blanks, tabs or commas. Every read of a record starts at a new line
// and goes on over the following lines until all its values are filled; the rest of the last
// line used is ignored. Line ends may be LF or CR LF.
//
// The first problem met (a word that is not a number, the end of the file before a value)
// is kept with its line number and a message; every read after it fails too, so a caller may
// read a whole record and test once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RunStore.h"

namespace keldar {

class DataFileReader {
  public:
    // Reads the whole file; false when it cannot be opened or read (status and message set).
    bool open(const std::string& path);
    // Takes the text itself (for tests).
    void openText(std::string text);

    // The next line as it stands, without its line end (the title record).
    bool readLine(std::string& line, std::string_view what);

    // Starts the next record at a new line. Words left on the line where the record before ended
    // are passed over, as the free-form rule does; they are noted (see unusedWords), and in
    // strict reading they stop the read.
    void beginRecord();
    // After the last record: the rest of the file is passed over in the same way.
    void endRecords();
    void setStrict(bool strict) { strict_ = strict; }
    // The next value of the current record; `what` names it in a message.
    bool readInteger(std::int32_t& value, std::string_view what);
    bool readReal(float& value, std::string_view what);

    bool failed() const { return status_ != kStatusOk; }
    std::int32_t status() const { return status_; }
    const std::string& message() const { return message_; }
    // 1-based number of the line the last value came from (0 before the first read).
    int lineNumber() const { return line_; }
    // Words passed over, one entry per line: "line 12: 000".
    const std::vector<std::string>& unusedWords() const { return unused_; }

  private:
    bool nextWord(std::string_view& word, std::string_view what);
    bool nextLine();
    void failNotNumber(std::string_view kind, std::string_view word, std::string_view what);
    void fail(std::int32_t status, std::string message);
    void passOver();

    std::string text_;
    std::size_t next_ = 0;      // start of the next unread line
    std::string_view rest_;     // unread part of the current line
    bool valueOnLine_ = false;  // a value was taken from the current line
    int line_ = 0;
    std::int32_t status_ = kStatusOk;
    std::string message_;
    bool strict_ = false;
    std::vector<std::string> unused_;
};

}  // namespace keldar
