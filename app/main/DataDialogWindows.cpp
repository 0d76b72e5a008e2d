#include "DataDialogWindows.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

#include "TfrmMaterial.h"
#include "TfrmQwFactors.h"

namespace keldar {

QMdiSubWindow* AddDataDialog(QMdiArea& area, TDataDialog* dialog) {
    auto* sub = new QMdiSubWindow;
    sub->setWidget(dialog);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
    sub->setWindowTitle(dialog->windowTitle());
    area.addSubWindow(sub);
    // A fixed border: the window keeps the size its fields need, and is wide enough to show its
    // caption beside the icon and the two title buttons.
    const int titleBar = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    QFont titleFont = sub->font();
    titleFont.setBold(true);
    const int captionWidth =
        QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()) + 4 * titleBar;
    QSize size = dialog->sizeHint();
    size.setWidth(std::max(size.width(), captionWidth));
    dialog->setFixedSize(size);
    sub->adjustSize();
    sub->setFixedSize(sub->size());
    sub->show();
    area.setActiveSubWindow(sub);
    return sub;
}

bool DeactivateActiveDataDialog(const QMdiArea& area) {
    QMdiSubWindow* sub = area.activeSubWindow();
    auto* dialog = sub != nullptr ? qobject_cast<TDataDialog*>(sub->widget()) : nullptr;
    return dialog == nullptr || dialog->FormDeactivate();
}

bool CloseDataDialogs(const QMdiArea& area) {
    bool closed = true;
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (qobject_cast<TDataDialog*>(sub->widget()) != nullptr && !sub->close()) closed = false;
    }
    return closed;
}

void RefreshDataDialogUnits(const QMdiArea& area) {
    if (auto* material = FindDataDialog<TfrmMaterial>(area)) material->FormActivate();
    if (auto* factors = FindDataDialog<TfrmQwFactors>(area)) factors->FormActivate();
}

}  // namespace keldar
