// Help pictures shown under a table's grid, named by the table's HelpPicture. Each is a small
// diagram drawn here; an unknown or empty name gives no picture.
#pragma once

#include <QPixmap>
#include <string>

namespace keldar {

// "LayerTopBottom": a soil layer with row 1 at its top and row 2 at its bottom.
QPixmap HelpPicture(const std::string& name, qreal devicePixelRatio);

}  // namespace keldar
