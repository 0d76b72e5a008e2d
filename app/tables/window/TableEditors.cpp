#include "TableEditors.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "TableChartForm.h"
#include "TableForm.h"

namespace keldar {

TTableForm* OpenTableEditor(QMdiArea* area, std::unique_ptr<TTableAccess> table, TDesktop& desktop,
                            bool modal) {
    if (!table || table->ColumnCount() == 0) return nullptr;
    if (auto* open = dynamic_cast<TTableForm*>(table->Editor())) {
        open->Raise();
        return open;
    }
    TTableForm* form = table->IsChart() ? new TTableChartForm(std::move(table), desktop)
                                        : new TTableForm(std::move(table), desktop);
    form->Open();
    if (modal)
        form->ShowModalWindow();
    else
        form->ShowIn(area);
    return form;
}

QWidget* OpenTableEditor(QMdiArea* area, TGridTable& table, TDesktop& desktop) {
    return OpenTableEditor(area, MakeTableAccess(table), desktop, false);
}

bool QueryCloseTableEditors(QMdiArea* area, UserMessages& messages) {
    if (!area) return true;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        auto* form = qobject_cast<TTableForm*>(sub->widget());
        if (form && !form->QueryDiscardRejectedEntry(messages)) return false;
    }
    return true;
}

}  // namespace keldar
