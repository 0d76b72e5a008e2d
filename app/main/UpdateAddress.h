// The address of the maker's update page: base address, the page's path and a query of today's
// date, the release date and the product word with its version.
#pragma once

#include <QDate>
#include <QString>

namespace keldar {

// Empty when base is empty (a build without an update service).
QString UpdatePageAddress(const QString& base, const QDate& today);

}  // namespace keldar
