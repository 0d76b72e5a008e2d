#include "OpenEntries.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "DataWindow.h"
#include "TableForm.h"

namespace keldar {

// A table editor stores its open cell; a data window stores its fields, and refuses while one of
// them holds a rejected entry.
static bool AcceptEntriesOf(QWidget* window) {
    if (auto* table = qobject_cast<TTableForm*>(window)) return table->CommitCurrentCell();
    if (auto* data = qobject_cast<TDataWindow*>(window)) return data->FormDeactivate();
    return true;
}

bool AcceptOpenEntries(const QMdiArea& area) {
    QMdiSubWindow* active = area.activeSubWindow();
    if (active != nullptr && !AcceptEntriesOf(active->widget())) return false;
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (sub != active && !AcceptEntriesOf(sub->widget())) return false;
    }
    return true;
}

}  // namespace keldar
