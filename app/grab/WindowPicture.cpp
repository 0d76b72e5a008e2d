#include "WindowPicture.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace keldar {

void SettleEvents() {
    // Each round may post the events of the next (a layout, then the resize of its children).
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
}

bool SavePicture(const QPixmap& picture, const QString& path) {
    if (picture.save(path)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool SaveWidgetPicture(QWidget& widget, const QString& path) {
    SettleEvents();
    return SavePicture(widget.grab(), path);
}

}  // namespace keldar
