#include "UpdateAddress.h"

#include "KeldarVersion.h"
#include "WindowTitle.h"

namespace keldar {

QString UpdatePageAddress(const QString& base, const QDate& today) {
    if (base.isEmpty()) return {};
    const QString format = QStringLiteral("MM/dd/yy");
    // The release date sent with the query.
    const QDate release(kReleaseYear, kReleaseMonth, kReleaseDay);
    return base + QStringLiteral("/checkupdates/check/check.php?") + today.toString(format) +
           QLatin1Char(';') + release.toString(format) + QStringLiteral(";KELDAR;") +
           QLatin1String(kProgramVersion);
}

}  // namespace keldar
