// Help pictures shown under a table's grid, named by the table's HelpPicture. Each is a small
// diagram drawn here; an unknown or empty name gives no picture.
#pragma once

#include <QPixmap>
#include <QSize>
#include <string>

namespace keldar {

// The size a picture is drawn at when there is room; empty for an unknown name.
QSize HelpPictureSize(const std::string& name);

// "LayerTopBottom": a soil layer with row 1 at its top and row 2 at its bottom. The picture is
// scaled down, whole, to at most maxWidth logical pixels (a narrow window), never up.
QPixmap HelpPicture(const std::string& name, qreal devicePixelRatio, int maxWidth = 1 << 20);

}  // namespace keldar
