// The main window's place, size and state (maximised, tool bar), kept per user with the other
// settings (organisation "Morvel", application "KELDAR", group "2014.3.4") so that the program
// opens as the user left it.
#pragma once

#include <QSize>

class QMainWindow;
class QSettings;

namespace keldar {

// The size of a first start: the design's 900 x 640, within the screen's free area.
inline constexpr QSize kFirstWindowSize{900, 640};

// Restores what SaveWindowLayout kept; without it, or on a screen where it does not fit, the
// window gets the first-start size within the screen.
void RestoreWindowLayout(QSettings& store, QMainWindow& window);
void SaveWindowLayout(QSettings& store, const QMainWindow& window);

}  // namespace keldar
