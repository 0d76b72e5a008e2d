#include "PlotWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "GraphPlot.h"
#include "PlotForm.h"

namespace keldar {

TPlotForm* FindPlotWindow(QMdiArea* area, const TGraphPlot& plot) {
    if (!area) return nullptr;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        auto* form = qobject_cast<TPlotForm*>(sub->widget());
        if (form && form->Plot() == &plot) return form;
    }
    return nullptr;
}

TPlotForm* OpenPlotWindow(QMdiArea* area, TGraphPlot& plot, UserMessages& messages,
                          TPlotDialogs& dialogs) {
    if (!area) return nullptr;
    if (TPlotForm* form = FindPlotWindow(area, plot)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        if (sub && sub->isMinimized()) sub->showNormal();
        if (sub) area->setActiveSubWindow(sub);
        return form;
    }
    auto* form = new TPlotForm(plot, messages, dialogs);
    QMdiSubWindow* sub = area->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A plot that goes away takes its window with it; until then the window draws nothing.
    QObject::connect(&plot, &QObject::destroyed, sub, &QObject::deleteLater);
    sub->resize(form->size());
    sub->show();
    area->setActiveSubWindow(sub);
    return form;
}

}  // namespace keldar
