#include "MdiChildren.h"

namespace keldar {

void RaiseChild(QMdiArea& area, QWidget& window) {
    auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (sub == nullptr) return;
    if (sub->isMinimized()) sub->showNormal();
    area.setActiveSubWindow(sub);
}

QMdiSubWindow* AddChild(QMdiArea& area, QWidget* window) {
    QMdiSubWindow* sub = area.addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    area.setActiveSubWindow(sub);
    return sub;
}

}  // namespace keldar
