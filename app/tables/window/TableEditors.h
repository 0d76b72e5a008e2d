// Opening and closing the table editors: what the main window calls.
#pragma once

#include <memory>

#include "TDesktop.h"
#include "TableAccess.h"

class QMdiArea;
class QWidget;

namespace keldar {

class TTableForm;

// Raises the open editor of the table, or opens a new one as a child of the MDI area (a window
// of its own when area is nullptr). Chart tables get the editor with the chart preview. Nothing
// happens, and nullptr is answered, for a table without a visible column. The editor asks the user
// through `desktop`, which outlives it.
QWidget* OpenTableEditor(QMdiArea* area, TGridTable& table, TDesktop& desktop);

// The same for a table reached through its access, modal when `modal` is set (a sub-table
// opened from a modal editor).
TTableForm* OpenTableEditor(QMdiArea* area, std::unique_ptr<TTableAccess> table, TDesktop& desktop,
                            bool modal);

// Before the program closes: every table editor in the area that holds a rejected entry asks
// whether to discard it. True when the editors may be closed; false when the user chose to
// correct an entry (that editor is brought to the front with the cursor in the cell).
bool QueryCloseTableEditors(QMdiArea* area, UserMessages& messages);

}  // namespace keldar
