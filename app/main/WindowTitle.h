// The main window's title: the program and version, then the project's file name.
#pragma once

#include <QString>

namespace keldar {

inline constexpr char kProgramVersion[] = "2014.3.4";
// The file dialogs' default extension as the old dialogs kept it: three characters.
inline constexpr char kDialogDefaultExtension[] = "kd3";

// The file name without its folder; a name whose extension is the dialogs' default extension
// loses everything from its first "."; a name longer than one character starts upper case.
QString DisplayFileName(const QString& fileName);
QString MainWindowTitle(const QString& fileName);

}  // namespace keldar
