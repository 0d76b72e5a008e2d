#include "TRecentFiles.h"

#include <QDir>

namespace keldar {

bool TRecentFiles::Add(const QString& name) {
    const qsizetype at = entries_.indexOf(name);
    if (at == 0) return false;
    if (at > 0) entries_.removeAt(at);
    entries_.prepend(name);
    while (entries_.size() > kCapacity) entries_.removeLast();
    return true;
}

void TRecentFiles::Assign(const QStringList& entries) {
    entries_.clear();
    for (const QString& entry : entries) {
        if (!entry.isEmpty() && entries_.size() < kCapacity) entries_.append(entry);
    }
}

QString RecentFileCaption(int number, const QString& entry, const QString& currentFolder) {
    QString shown = QDir::toNativeSeparators(entry);
    QString folder = QDir::toNativeSeparators(currentFolder);
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    const qsizetype at = shown.indexOf(folder);
    if (at >= 0) shown.remove(0, at + folder.size());
    // A "&" in a file name is a letter, not an access key.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QString::number(number) + QLatin1Char(' ') + shown;
}

}  // namespace keldar
