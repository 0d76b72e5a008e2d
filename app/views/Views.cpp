#include "Views.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "MainPlots.h"
#include "ProgramData.h"
#include "TDlgExport.h"
#include "TDlgSideView.h"

namespace keldar {

QWidget* OpenSoilProfile(QMdiArea* area, TProgramData& project, UserMessages& messages,
                         TViewsShell& shell) {
    if (!area || !project.CurvesGenerated) return nullptr;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (auto* view = qobject_cast<TDlgSideView*>(sub->widget())) {
            area->setActiveSubWindow(sub);
            view->FormActivate();
            return view;
        }
    }
    auto* view = new TDlgSideView(project, messages, shell);
    QMdiSubWindow* sub = area->addSubWindow(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(area, &QMdiArea::subWindowActivated, view, [view, sub](QMdiSubWindow* active) {
        if (active == sub) view->FormActivate();
    });
    sub->show();
    area->setActiveSubWindow(sub);
    view->FormActivate();
    return view;
}

void ExportExcelClick(QWidget* parent, TMainPlots& plots, const std::array<bool, 4>& available,
                      const QString& projectFile, UserMessages& messages, TViewsShell& shell) {
    const TExportChoice choice{{&plots.pltLoad, &plots.pltAxial, &plots.pltTZcurves, &plots.PltQW},
                               available,
                               projectFile};
    TDlgExport dialog(choice, messages, shell, parent);
    dialog.exec();
}

}  // namespace keldar
