// The address of the maker's update page: base address, the page's path and a query of today's
// date, the release date and the product word with its version.
#pragma once

#include <QDate>
#include <QString>

namespace keldar {

// The release date sent with the query.
inline constexpr int kReleaseYear = 2014;
inline constexpr int kReleaseMonth = 3;
inline constexpr int kReleaseDay = 4;

// Empty when base is empty (a build without an update service).
QString UpdatePageAddress(const QString& base, const QDate& today);

}  // namespace keldar
