// The desktop as the views use it: the save dialog, the printer and handing a written file to
// the desktop's default application. Tests put a scripted shell in its place.
#pragma once

#include <QString>

class QWidget;

namespace keldar {

class TViewsShell {
  public:
    virtual ~TViewsShell() = default;
    // The chosen file name, or empty when the user cancels. filter is in the form
    // "Name (*.ext);;Other (*.x)"; selectedFilter receives the chosen one when not null.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggestion,
                                 const QString& filter, QString* selectedFilter) = 0;
    // Whether the system has a printer to print to; without one, printing writes a PDF file.
    virtual bool HasPrinter() = 0;
    // Opens the file in the desktop's default application for its kind.
    virtual bool OpenDocument(const QString& path) = 0;
};

// The real desktop: Qt's file dialog, the system's printers and the desktop services.
TViewsShell& DesktopShell();

}  // namespace keldar
