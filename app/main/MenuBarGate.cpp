#include "MenuBarGate.h"

#include <QApplication>
#include <QEvent>
#include <QMenuBar>

namespace keldar {

TMenuBarGate::TMenuBarGate(QMenuBar& bar, std::function<bool()> acceptEntries)
    : QObject(&bar), acceptEntries_(std::move(acceptEntries)) {
    bar.installEventFilter(this);
}

// The ways a closed menu bar starts to open a menu: an access key (Alt+letter, a shortcut
// event), a click, or a key while the bar holds the keyboard after Alt alone.
static bool OpensAMenu(const QEvent& event) {
    switch (event.type()) {
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            return true;
        default:
            return false;
    }
}

bool TMenuBarGate::eventFilter(QObject* watched, QEvent* event) {
    // With a menu already open the entries were taken when it opened.
    if (OpensAMenu(*event) && QApplication::activePopupWidget() == nullptr && !acceptEntries_()) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace keldar
