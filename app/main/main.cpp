// KELDAR2014: the program's start. A data file named on the command line is opened.
#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <clocale>

#include "KeldarVersion.h"
#include "TMainForm.h"
#include "TQtDesktop.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Numbers in every file the program reads or writes use ".", whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("KELDAR 3.0"));
    QApplication::setApplicationVersion(QLatin1String(keldar::kReleaseVersion));
    // The desktop entry and icon of the installed program name the windows' application.
    QApplication::setDesktopFileName(QStringLiteral(KELDAR_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keldar.svg")));

    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Morvel"),
                       QStringLiteral("KELDAR"));
    keldar::TQtDesktop desktop;
    const QStringList arguments = QApplication::arguments();
    keldar::TMainForm form({desktop, settings, QApplication::applicationDirPath(),
                            QStringLiteral(KELDAR_UPDATE_BASE_ADDRESS)},
                           arguments.value(1));
    desktop.setParent(&form);
    form.show();
    return application.exec();
}
