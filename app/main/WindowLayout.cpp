#include "WindowLayout.h"

#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include "WindowTitle.h"

namespace keldar {

static QString Key(const char* name) {
    return QLatin1String(kProgramVersion) + QLatin1Char('/') + QLatin1String(name);
}

void RestoreWindowLayout(QSettings& store, QMainWindow& window) {
    QSize size = kFirstWindowSize;
    if (const QScreen* screen = window.screen()) {
        size = size.boundedTo(screen->availableGeometry().size());
    }
    window.resize(size);
    // restoreGeometry moves a window saved on a screen that is gone back onto a present one.
    window.restoreGeometry(store.value(Key("Window Geometry")).toByteArray());
    window.restoreState(store.value(Key("Window State")).toByteArray());
}

void SaveWindowLayout(QSettings& store, const QMainWindow& window) {
    store.setValue(Key("Window Geometry"), window.saveGeometry());
    store.setValue(Key("Window State"), window.saveState());
    store.sync();
}

}  // namespace keldar
