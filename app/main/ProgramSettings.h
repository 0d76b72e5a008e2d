// The program's per-user settings: the text editor, the recent files and the user
// identification written into names.dat. Kept under organisation "Morvel", application
// "KELDAR", group "2014.3.4".
#pragma once

#include <QSettings>
#include <QString>

#include "NamesFile.h"
#include "TRecentFiles.h"

namespace keldar {

struct TProgramSettings {
    QString EditorPath;  // empty: the desktop's handler for text files
    TRecentFiles RecentFiles;
    TUserIdentification User;
    bool ShowReportAfterRun = false;  // the report viewer opens after each normal run
};

// The login name of the user running the program.
QString LoginName();

// Reads the settings; a missing group gives the defaults. Returns false when the store cannot be
// read: the editor path and recent files are then empty.
bool ReadProgramSettings(QSettings& store, TProgramSettings& settings);
// Writes "Word Processor", "File1" .. "File10" (empty values for unused entries), the user
// identification and "Show Report After Run".
void WriteProgramSettings(QSettings& store, const TProgramSettings& settings);

}  // namespace keldar
