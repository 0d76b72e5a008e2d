#include "NamesFile.h"

#include <QFile>
#include <QSaveFile>

#include "InputOutputError.h"
#include "ProgramData.h"
#include "WindowTitle.h"

namespace keldar {

namespace {

QString Limited(const QString& text, qsizetype length) {
    return text.trimmed().left(length).trimmed();
}

// Organisation and name joined by ", "; an empty one is left out with its separator.
QString OrganisationLine(const TUserIdentification& user) {
    QStringList parts;
    for (const QString& part : {user.Organisation, user.ContactName}) {
        const QString text = Limited(part, kUserTextLength);
        if (!text.isEmpty()) parts.append(text);
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

QStringList NamesFileLines(const TUserIdentification& user, const QString& dataFile) {
    return {QLatin1String(kProgramVersion),
            user.UserName.left(kUserNameLength),
            OrganisationLine(user),
            QString::number(user.Number),
            dataFile,
            ReportFileName(dataFile),
            PlotFileName(dataFile),
            NotesFileName(dataFile)};
}

void WriteNamesFile(const QString& path, const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines) {
        // The engine opens the paths with the file system's own encoding of names.
        text += QFile::encodeName(line);
        text += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        throw EInputOutputError(file.errorString());
    }
}

}  // namespace keldar
