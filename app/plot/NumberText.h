// Numbers as the plots name them: the shortest general number form.
#pragma once

#include <QString>

namespace keldar {

QString ShortestNumberText(double value);

}  // namespace keldar
