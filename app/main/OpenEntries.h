// The entries that the open windows hold and the project does not have yet. A command that reads,
// saves, runs, converts or replaces the project first has them stored; an entry that the program
// rejected stops the command, because the project would otherwise be used with a value the user
// has already replaced on screen.
#pragma once

class QMdiArea;

namespace keldar {

// Stores the entries of the data windows and the open cells of the table editors in the area,
// the active window first. When one holds a rejected entry, that window comes back to the front
// with its message and the focus in the field or cell, and false is answered.
bool AcceptOpenEntries(const QMdiArea& area);

}  // namespace keldar
