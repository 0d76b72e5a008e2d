#include "MeasuredCurveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "InputOutputError.h"

namespace keldar {

QString MeasuredFileName(const QString& projectFile) {
    if (projectFile.isEmpty()) return {};
    const QFileInfo info(projectFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".measured.csv"));
}

void KeepMeasuredCurve(const TGraphPlot& plot) {
    const QString& name = plot.MeasuredFile;
    if (name.isEmpty()) return;
    const QString shown = QDir::toNativeSeparators(name);
    if (!plot.Measured()) {
        if (QFile::exists(name) && !QFile::remove(name)) {
            throw EInputOutputError(QStringLiteral("The file %1 could not be removed.").arg(shown));
        }
        return;
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(MeasuredCurveText(*plot.Measured(), plot.Units()).toUtf8()) < 0 ||
        !file.commit()) {
        throw EInputOutputError(
            QStringLiteral("The file %1 could not be written: %2.").arg(shown, file.errorString()));
    }
}

void RestoreMeasuredCurve(TGraphPlot& plot, const QString& projectFile) {
    plot.MeasuredFile = MeasuredFileName(projectFile);
    plot.SetMeasured(std::nullopt);
    if (plot.MeasuredFile.isEmpty() || !QFileInfo::exists(plot.MeasuredFile)) return;
    // The file names its units, so the unit system only matters for a file edited without them.
    plot.SetMeasured(ReadMeasuredCurveFile(plot.MeasuredFile, plot.Units()));
}

}  // namespace keldar
