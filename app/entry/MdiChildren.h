// The child windows of the main window's MDI area (data windows, table editors, plot windows,
// views) are found, brought to the front and shown in one way. A window of which one exists per
// kind, table or plot is found by its kind and, where needed, by what it shows.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>

namespace keldar {

// Brings the child that holds `window` to the front, restored when minimised.
void RaiseChild(QMdiArea& area, QWidget& window);

// Shows `window` in a new sub-window of the area, in front; the sub-window deletes itself (and
// the window) when closed.
QMdiSubWindow* AddChild(QMdiArea& area, QWidget* window);

// Any window of the kind.
struct TAnyWindow {
    bool operator()(const QWidget&) const { return true; }
};

// The child of kind Window for which `matches` holds, or nullptr.
template <class Window, class Matches = TAnyWindow>
Window* FindChild(const QMdiArea& area, Matches matches = {}) {
    for (QMdiSubWindow* sub : area.subWindowList()) {
        auto* window = qobject_cast<Window*>(sub->widget());
        if (window != nullptr && matches(*window)) return window;
    }
    return nullptr;
}

// The child that FindChild finds, brought to the front; otherwise the one that `create` makes and
// shows in the area.
template <class Window, class Create, class Matches = TAnyWindow>
Window* ShowChild(QMdiArea& area, Create create, Matches matches = {}) {
    if (Window* open = FindChild<Window>(area, matches)) {
        RaiseChild(area, *open);
        return open;
    }
    return create();
}

}  // namespace keldar
