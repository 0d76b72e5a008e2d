#include "CsvWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "NumberText.h"

namespace keldar {

static QString CsvField(const TExportCell& cell) {
    if (cell.Type == TExportCell::Kind::Number) return ShortestNumberText(cell.Number);
    if (cell.Type == TExportCell::Kind::Empty) return {};
    QString text = cell.Text;
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r')) {
        return text;
    }
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

QByteArray DataSheetCsv(const TExportPlot& plot) {
    QByteArray out;
    for (const TExportRow& row : DataSheetRows(plot)) {
        QStringList fields;
        for (const TExportCell& cell : row) fields << CsvField(cell);
        out += fields.join(u',').toUtf8() + "\r\n";
    }
    return out;
}

QStringList CsvFileNames(const QString& chosen, int plotCount) {
    const QFileInfo info(chosen);
    QString base = info.fileName();
    if (base.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) base.chop(4);
    QStringList names;
    for (int n = 1; n <= plotCount; ++n) {
        names << info.dir().filePath(base + u'_' + DataSheetName(n) + QStringLiteral(".csv"));
    }
    return names;
}

void SaveCsvFiles(const std::vector<TExportPlot>& plots, const QString& chosen) {
    const QStringList names = CsvFileNames(chosen, static_cast<int>(plots.size()));
    for (std::size_t k = 0; k < plots.size(); ++k) {
        const QString& name = names[static_cast<qsizetype>(k)];
        QSaveFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(DataSheetCsv(plots[k])) < 0 ||
            !file.commit()) {
            throw EExportError(QStringLiteral("The file %1 could not be written: %2")
                                   .arg(QDir::toNativeSeparators(name), file.errorString()));
        }
    }
}

}  // namespace keldar
