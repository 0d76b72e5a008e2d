// The hand-off file names.dat: the interface version, the user identification that the engine
// copies into its report header, and the full paths of the data file and of the three files
// the engine writes.
#pragma once

#include <QString>
#include <QStringList>

namespace keldar {

inline constexpr char kNamesFileName[] = "names.dat";

// The room the engine's report header gives the user identification.
inline constexpr qsizetype kUserNameLength = 32;      // line 2
inline constexpr qsizetype kUserTextLength = 16;      // organisation and contact name, line 3
inline constexpr qint64 kMaxUserNumber = 2147483647;  // line 4, read as a 32-bit integer

struct TUserIdentification {
    QString UserName;      // line 2, at most 32 characters
    QString Organisation;  // line 3, at most 16 characters
    QString ContactName;   // line 3, at most 16 characters
    qint64 Number = 0;     // line 4
};

// The eight lines for the data file dataFile (an absolute path).
QStringList NamesFileLines(const TUserIdentification& user, const QString& dataFile);
// Writes the lines, each ended by CR LF; raises EInputOutputError when the file cannot be written.
void WriteNamesFile(const QString& path, const QStringList& lines);

}  // namespace keldar
