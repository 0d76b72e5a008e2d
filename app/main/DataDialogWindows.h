// The data windows inside the main window's MDI area: at most one of each kind, each in a
// sub-window with a fixed border and only the system menu and the minimise box.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <utility>

#include "TDataDialog.h"

namespace keldar {

// The open window of kind Dialog in the area, or nullptr.
template <class Dialog>
Dialog* FindDataDialog(const QMdiArea& area) {
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (auto* dialog = qobject_cast<Dialog*>(sub->widget())) return dialog;
    }
    return nullptr;
}

// Puts a new data window into a fixed-size sub-window of the area and shows it.
QMdiSubWindow* AddDataDialog(QMdiArea& area, TDataDialog* dialog);

// The window of kind Dialog brought to the front, created from `args` when none is open.
template <class Dialog, class... Args>
Dialog* ShowDataDialog(QMdiArea& area, Args&&... args) {
    Dialog* dialog = FindDataDialog<Dialog>(area);
    if (dialog == nullptr) {
        dialog = new Dialog(std::forward<Args>(args)...);
        AddDataDialog(area, dialog);
    } else {
        QMdiSubWindow* sub = dialog->SubWindow();
        if (sub->isMinimized()) sub->showNormal();
        area.setActiveSubWindow(sub);
    }
    return dialog;
}

// Stores the entries of the active data window, as opening a menu does; false when a rejected
// entry keeps it open (or no data window is active: true).
bool DeactivateActiveDataDialog(const QMdiArea& area);

// Closes every data window, each storing its entries first. False when one refused because it
// holds a rejected entry: it stays open, and a command that replaces the project must stop.
bool CloseDataDialogs(const QMdiArea& area);

// After a unit switch: the open Pile Properties and Q-w factors windows show the converted values
// with the new unit labels.
void RefreshDataDialogUnits(const QMdiArea& area);

}  // namespace keldar
