#include "WorkspaceFit.h"

#include <QChildEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace keldar {

// Set on a child once it has been fitted: later the user places it.
static const char kFittedProperty[] = "keldarFitted";

TWorkspaceFit::TWorkspaceFit(QMdiArea& area)
    : QObject(&area), area_(area), viewport_(area.viewport()) {
    area.viewport()->installEventFilter(this);
}

void TWorkspaceFit::Fit(QMdiSubWindow& child) const {
    const QSize room = area_.viewport()->size();
    if (room.isEmpty() || child.isMinimized() || child.isMaximized()) return;
    const QSize size = child.size().boundedTo(room).expandedTo(child.minimumSize());
    if (size != child.size()) child.resize(size);
    const int x = std::clamp(child.x(), 0, std::max(0, room.width() - child.width()));
    const int y = std::clamp(child.y(), 0, std::max(0, room.height() - child.height()));
    if (QPoint(x, y) != child.pos()) child.move(x, y);
}

bool TWorkspaceFit::eventFilter(QObject* watched, QEvent* event) {
    // A child is polished when it is first shown, complete by then (unlike at ChildAdded). The
    // viewport is compared as kept: while the area is being destroyed it is no longer one to ask.
    if (event->type() == QEvent::ChildPolished && watched == viewport_) {
        auto* child = qobject_cast<QMdiSubWindow*>(static_cast<QChildEvent*>(event)->child());
        if (child != nullptr && !child->property(kFittedProperty).toBool()) {
            child->setProperty(kFittedProperty, true);
            // After the area has placed the child and the window has sized itself.
            QTimer::singleShot(0, child, [this, guarded = QPointer<QMdiSubWindow>(child)] {
                if (guarded) Fit(*guarded);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace keldar
