#include "FileReplace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "ExportLayout.h"

namespace keldar {

void WriteThenReplace(const QString& target, const std::function<void(const QString&)>& write) {
    const QFileInfo info(target);
    if (info.isDir()) {
        throw EExportError(QStringLiteral("%1 is a folder and cannot be replaced by the export.")
                               .arg(QDir::toNativeSeparators(target)));
    }
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        throw EExportError(
            QStringLiteral("No file can be written in the folder %1: %2")
                .arg(QDir::toNativeSeparators(info.absolutePath()), temporary.errorString()));
    }
    temporary.close();
    // A temporary file is private to its owner; the workbook gets the usual permissions.
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    write(temporary.fileName());

    // rename replaces the target in one step (MoveFileEx with replacing on Windows).
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temporary.fileName().toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), error);
    if (error) {
        throw EExportError(
            QStringLiteral("The file %1 could not be replaced (%2). If it is open in another "
                           "program, close it there and export again.")
                .arg(QDir::toNativeSeparators(target), QString::fromStdString(error.message())));
    }
    temporary.setAutoRemove(false);
}

}  // namespace keldar
