#include "WorkbookReader.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace keldar::test {

QByteArray ZipEntry(const QString& archive, const QString& entry) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
    unzip.waitForFinished(10000);
    return unzip.readAllStandardOutput();
}

QStringList SheetNames(const QString& workbook) {
    QStringList names;
    QXmlStreamReader xml(ZipEntry(workbook, QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet")) {
            names << xml.attributes().value(QLatin1String("name")).toString();
        }
    }
    return names;
}

static QStringList SharedStrings(const QString& workbook) {
    QStringList strings;
    QXmlStreamReader xml(ZipEntry(workbook, QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("t")) {
            strings << xml.readElementText();
        }
    }
    return strings;
}

QMap<QString, QString> SheetCells(const QString& workbook, int worksheetNumber) {
    const QStringList strings = SharedStrings(workbook);
    QMap<QString, QString> cells;
    QXmlStreamReader xml(
        ZipEntry(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(worksheetNumber)));
    QString ref;
    bool shared = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            shared = xml.attributes().value(QLatin1String("t")) == QLatin1String("s");
        } else if (xml.name() == QLatin1String("v")) {
            const QString value = xml.readElementText();
            cells[ref] = shared ? strings.value(value.toInt()) : value;
        }
    }
    return cells;
}

}  // namespace keldar::test
