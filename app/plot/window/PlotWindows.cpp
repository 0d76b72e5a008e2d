#include "PlotWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "GraphPlot.h"
#include "MdiChildren.h"
#include "PlotForm.h"

namespace keldar {

static auto Showing(const TGraphPlot& plot) {
    return [&plot](const TPlotForm& form) { return form.Plot() == &plot; };
}

TPlotForm* FindPlotWindow(QMdiArea* area, const TGraphPlot& plot) {
    return area != nullptr ? FindChild<TPlotForm>(*area, Showing(plot)) : nullptr;
}

TPlotForm* OpenPlotWindow(QMdiArea* area, TGraphPlot& plot, TDesktop& desktop,
                          TPlotDialogs& dialogs) {
    if (!area) return nullptr;
    const auto create = [&] {
        auto* form = new TPlotForm(plot, desktop, dialogs);
        QMdiSubWindow* sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // A plot that goes away takes its window with it; until then the window draws nothing.
        QObject::connect(&plot, &QObject::destroyed, sub, &QObject::deleteLater);
        sub->resize(form->size());
        sub->show();
        area->setActiveSubWindow(sub);
        return form;
    };
    return ShowChild<TPlotForm>(*area, create, Showing(plot));
}

}  // namespace keldar
