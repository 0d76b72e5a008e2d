#include "WindowTitle.h"

#include <algorithm>

namespace keldar {

QString DisplayFileName(const QString& fileName) {
    // Names typed on Windows separate folders with "\", the rest with "/".
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    QString name = fileName.mid(slash + 1);
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = lastDot >= 0 ? name.mid(lastDot) : QString();
    if (extension.compare(QLatin1Char('.') + QLatin1String(kDialogDefaultExtension),
                          Qt::CaseInsensitive) == 0) {
        name.truncate(name.indexOf(QLatin1Char('.')));
    }
    if (name.size() > 1) name[0] = name[0].toUpper();
    return name;
}

QString MainWindowTitle(const QString& fileName, bool incomplete) {
    return QStringLiteral("KELDAR ") + QLatin1String(kProgramVersion) + QStringLiteral(" - ") +
           DisplayFileName(fileName) + (incomplete ? QStringLiteral(" (incomplete)") : QString());
}

}  // namespace keldar
