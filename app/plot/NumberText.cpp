#include "NumberText.h"

namespace keldar {

// FIXME(plots): forward to the entry module's general number format once it is merged.
QString ShortestNumberText(double value) { return QString::number(value, 'g', 15); }

}  // namespace keldar
