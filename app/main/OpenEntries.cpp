#include "OpenEntries.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaMethod>

#include "TableForm.h"

namespace keldar {

// A table editor stores its open cell; a window with entries of its own stores them in its
// FormDeactivate, which refuses (answers false) while one of them is rejected.
static bool AcceptEntriesOf(QWidget* window) {
    if (window == nullptr) return true;
    if (auto* table = qobject_cast<TTableForm*>(window)) return table->CommitCurrentCell();
    const QMetaObject* meta = window->metaObject();
    const int index = meta->indexOfMethod("FormDeactivate()");
    if (index < 0) return true;
    const QMetaMethod handler = meta->method(index);
    if (handler.returnMetaType() != QMetaType::fromType<bool>()) {
        handler.invoke(window, Qt::DirectConnection);
        return true;
    }
    bool stored = true;
    handler.invoke(window, Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
    return stored;
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
