// Turns the data rows of any CPT file into readings: the columns the reader found, their unit
// factors and the void values the file declares. One home for the rules every format shares:
// a non-numeric value is refused, a void depth or qc drops the row (and is counted), a void fs
// or u2 leaves that value unmeasured, and the depths must increase.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CptRecord.h"

namespace keldar::cpt {

struct ReadingColumn {
    int index = -1;             // field index in a row; -1 when the file has no such column
    double factor = 1.0;        // to metres or kPa
    std::vector<double> voids;  // values the file declares void for this column
    std::vector<std::string> voidTexts;  // void written as text (AGS4's empty field)
};

struct ReadingColumns {
    ReadingColumn depth, qc, fs, u2;
};

class ReadingRows {
  public:
    ReadingRows(CptRecord& record, ReadingColumns columns)
        : fRecord(record), fColumns(std::move(columns)) {}

    // Raises CptReadError naming the line.
    void Add(const std::vector<std::string>& fields, int line);
    // Raises CptReadError when no reading was kept.
    void Finish() const;

  private:
    // The value of a column, nothing when void; raises for a missing or non-numeric field.
    std::optional<double> Value(const ReadingColumn& column, const std::vector<std::string>& fields,
                                int line, const char* name) const;

    CptRecord& fRecord;
    ReadingColumns fColumns;
};

}  // namespace keldar::cpt
