#include "Views.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "MainPlots.h"
#include "MdiChildren.h"
#include "ProgramData.h"
#include "TDesktop.h"
#include "TDlgExport.h"
#include "TDlgSideView.h"

namespace keldar {

QWidget* OpenSoilProfile(QMdiArea* area, TProgramData& project, TDesktop& desktop) {
    if (!area || !project.CurvesGenerated) return nullptr;
    TDlgSideView* view = ShowChild<TDlgSideView>(*area, [&] {
        auto* created = new TDlgSideView(project, desktop);
        QMdiSubWindow* sub = area->addSubWindow(created);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // The drawing is rebuilt whenever the view becomes active.
        QObject::connect(area, &QMdiArea::subWindowActivated, created,
                         [created, sub](QMdiSubWindow* active) {
                             if (active == sub) created->FormActivate();
                         });
        sub->show();
        area->setActiveSubWindow(sub);
        return created;
    });
    // The drawing follows the project as it is now.
    view->FormActivate();
    return view;
}

void ExportExcelClick(QWidget* parent, TMainPlots& plots, const std::array<bool, 4>& available,
                      const QString& projectFile, TDesktop& desktop) {
    const TExportChoice choice{{&plots.pltLoad, &plots.pltAxial, &plots.pltTZcurves, &plots.PltQW},
                               available,
                               projectFile};
    TDlgExport dialog(choice, desktop, parent);
    desktop.showModal(dialog);
}

}  // namespace keldar
