#include "DataDialogWindows.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

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

}  // namespace keldar
