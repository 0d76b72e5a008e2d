// Reads a data file into the project through the word reader, record by record.
#pragma once

#include <unordered_set>

#include "UnkeptValues.h"

namespace keldar {

class TProgramData;
class TRowObject;
class TWordReader;

// What a read found besides the values: the tables whose rows the file gave (they keep exactly
// those rows, however few), and what the project cannot keep.
struct TDataFileReading {
    std::unordered_set<const TRowObject*> TablesRead;
    TUnkeptValues Unkept;
};

// Reads every record into a project whose tables were emptied, as the analysis reads them: each
// record starts on a new line. Stops at the first fault with an EInputOutputError carrying the
// reader's message; everything read before it stays. Counts above a table's limit and negative
// counts: the rows that fit are read, then the file is reported as invalid. Without
// withFactorRecords (.kdd files) records 12 and 13 are read only when the file goes on after
// record 11, so that a current file opened as an old one keeps its factors.
void ReadDataFile(TProgramData& project, TWordReader& reader, bool withFactorRecords,
                  TDataFileReading& reading);

}  // namespace keldar
