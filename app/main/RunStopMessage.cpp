#include "RunStopMessage.h"

#include <QList>
#include <QStringList>

namespace keldar {

namespace {

// A stop is explained in a few lines; a longer block is cut so that the box fits the screen.
constexpr qsizetype kMaxReasonLines = 8;

bool IsBlockHeading(const QByteArray& line) {
    return line.contains("**** ERROR ****") || line.contains("**** WARNING ****");
}

}  // namespace

QString EngineStopReason(const QByteArray& report) {
    const QList<QByteArray> lines = report.split('\n');
    qsizetype heading = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsBlockHeading(lines.at(i))) heading = i;
    }
    if (heading < 0) return {};
    QStringList reason;
    for (qsizetype i = heading + 1; i < lines.size() && reason.size() < kMaxReasonLines; ++i) {
        const QString line = QString::fromLocal8Bit(lines.at(i)).trimmed();
        if (!line.isEmpty()) reason.append(line);
    }
    return reason.join(QLatin1Char('\r'));
}

QString RunStoppedText(std::int32_t status, const QString& reason) {
    QString text = QStringLiteral("The analysis stopped (engine status %1).").arg(status);
    if (!reason.isEmpty()) text += QStringLiteral("\r\r") + reason;
    return text;
}

}  // namespace keldar
