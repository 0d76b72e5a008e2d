#pragma once
// Pictures of windows written to files, for review.

#include <QString>

class QPixmap;
class QWidget;

namespace keldar {

// Lets the queued layout, resize and paint events run, so that a picture shows the window as
// the user would see it once it has settled (a table lays out its cell widgets in steps).
void SettleEvents();

// Writes a picture; a file that cannot be written is named on stderr.
bool SavePicture(const QPixmap& picture, const QString& path);

// The widget's picture, taken once its events have settled.
bool SaveWidgetPicture(QWidget& widget, const QString& path);

}  // namespace keldar
