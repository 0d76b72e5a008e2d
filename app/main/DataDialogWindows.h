// The data windows inside the main window's MDI area: at most one of each kind, each in a
// sub-window with a fixed border and only the system menu and the minimise box.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <utility>

#include "MdiChildren.h"
#include "TDataDialog.h"

namespace keldar {

// Puts a new data window into a fixed-size sub-window of the area and shows it.
QMdiSubWindow* AddDataDialog(QMdiArea& area, TDataDialog* dialog);

// The window of kind Dialog brought to the front, created from `args` when none is open.
template <class Dialog, class... Args>
Dialog* ShowDataDialog(QMdiArea& area, Args&&... args) {
    return ShowChild<Dialog>(area, [&] {
        auto* dialog = new Dialog(std::forward<Args>(args)...);
        AddDataDialog(area, dialog);
        return dialog;
    });
}

}  // namespace keldar
