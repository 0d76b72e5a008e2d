// Reads back what the tests wrote: entries of a workbook (a zip archive, through unzip) and the
// cells of its sheets with their shared strings resolved.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace keldar::test {

QByteArray ZipEntry(const QString& archive, const QString& entry);
// Sheet names in workbook order.
QStringList SheetNames(const QString& workbook);
// Cell reference ("B3") to its value: text for string cells, the written number otherwise.
QMap<QString, QString> SheetCells(const QString& workbook, int worksheetNumber);

}  // namespace keldar::test
