// The main window's title: the program and version, then the project's file name.
#pragma once

#include <QString>

#include "ProgramVersion.h"

namespace keldar {

// The file dialogs' default extension as the old dialogs kept it: three characters.
inline constexpr char kDialogDefaultExtension[] = "kd3";

// The file name without its folder; a name whose extension is the dialogs' default extension
// loses everything from its first "."; a name longer than one character starts upper case.
QString DisplayFileName(const QString& fileName);
// A project read only in part from its file says so after the name.
QString MainWindowTitle(const QString& fileName, bool incomplete = false);

}  // namespace keldar
