#include "NumberText.h"

#include "NumberFormat.h"

namespace keldar {

// The shortest general form holds 15 significant digits, as many as a double gives back.
QString ShortestNumberText(double value) {
    return QString::fromStdString(formatGeneral(value, 15));
}

}  // namespace keldar
