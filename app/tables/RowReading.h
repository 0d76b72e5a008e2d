// Rows of a chart table read from a text file of numbers or from pasted text, for instance a
// block copied from a spreadsheet. A line whose count of numbers equals the number of visible
// columns becomes the next row; other lines are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TableChart.h"

namespace keldar {

// At most 15 number texts of one line. Leading blanks and tabs are skipped; a number ends at a
// blank, tab, comma or carriage return; the first piece that is not a number ends the line.
std::vector<std::string> LineNumbers(std::string_view line);

// Pasted text cut into lines at CR LF, CR or LF. The last line counts with or without a line
// break after it.
std::vector<std::string> PastedLines(std::string_view text);

// Fills rows 0, 1, ... from the matching lines, adding rows as needed and stopping at MaxRows
// rows; when a row was taken, the rows after the last one taken are deleted and the table is
// marked changed. Every number is checked by its column before anything is stored, so a
// rejected number leaves the table as it was and raises the column's EAssignError with
// "Line N: " in front (N counted from 1). In a line with a tab (text copied from a spreadsheet)
// a comma between digits is a decimal comma or a thousands separator, never a separator of
// numbers: such a line is rejected the same way rather than read as other numbers. Returns the
// number of rows taken.
int ReadRows(TGridTableChart& table, const std::vector<std::string>& lines);

// Raises EInOutError when the file cannot be opened or read.
int ReadRowsFromFile(TGridTableChart& table, const std::string& fileName);

int PasteRows(TGridTableChart& table, std::string_view text);

}  // namespace keldar
