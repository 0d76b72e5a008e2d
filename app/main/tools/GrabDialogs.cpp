// keldar-grab-dialogs OUTDIR [PROJECT.kd3d]: pictures of the data windows, the About box and the
// help window, grabbed on whatever platform Qt runs on (offscreen for review).
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>

#include "DataDialogWindows.h"
#include "GrabApplication.h"
#include "ProgramData.h"
#include "TAboutBox.h"
#include "TDlgOptions.h"
#include "THelpWindow.h"
#include "TdlgTitle.h"
#include "TestDesktop.h"
#include "TfrmMaterial.h"
#include "TfrmQwFactors.h"
#include "WindowPicture.h"

using namespace keldar;

static bool save(QWidget* widget, const QDir& out, const QString& name) {
    return SaveWidgetPicture(*widget, out.filePath(name));
}

// A data window alone in an MDI area, grabbed with its sub-window frame.
template <class Dialog, class... Args>
static bool grabDialog(const QDir& out, const QString& name, Args&&... args) {
    QMdiArea area;
    area.resize(900, 600);
    area.show();
    Dialog* dialog = ShowDataDialog<Dialog>(area, std::forward<Args>(args)...);
    dialog->SubWindow()->move(0, 0);
    return save(dialog->SubWindow(), out, name);
}

int main(int argc, char** argv) {
    TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(1, 2, "OUTDIR [PROJECT.kd3d]")) return 2;
    const QDir out(app.Argument(0));
    TMainTables tables = TMainTables::BuiltIn();
    TProgramData project(tables);
    // Messages and file dialogs answer themselves: a picture shows the window alone.
    test::TestDesktop desktop;
    if (!app.Argument(1).isEmpty()) project.LoadFromFile(app.Argument(1), true, desktop);
    project.Designer = QStringLiteral("A. Engineer");
    project.DesignDate = QStringLiteral("2014-03-04");
    project.QMultiplier = 1;
    project.WMultiplier = 1;
    QString editorPath = QStringLiteral("/usr/bin/gedit");

    bool ok =
        grabDialog<TfrmMaterial>(out, QStringLiteral("pile-properties.png"), project, desktop);
    ok = grabDialog<TfrmQwFactors>(out, QStringLiteral("qw-factors.png"), project, desktop) && ok;
    ok = grabDialog<TdlgTitle>(out, QStringLiteral("project-title.png"), project, desktop) && ok;
    TUserIdentification user{QStringLiteral("A. Engineer"), QStringLiteral("Soils Ltd"),
                             QStringLiteral("B. Checker"), 1042};
    ok = grabDialog<TDlgOptions>(out, QStringLiteral("control-options.png"), editorPath, user,
                                 desktop) &&
         ok;

    TAboutBox about;
    about.show();
    ok = save(&about, out, QStringLiteral("about-box.png")) && ok;

    QPointer<THelpWindow> help;
    OpenHelpWindow(help, HelpPage::Contents);
    help->resize(help->width(), help->Browser()->fontMetrics().height() * 40);
    ok = save(help, out, QStringLiteral("help-contents.png")) && ok;
    help->ShowPage(HelpPage::TechnicalManual);
    QScrollBar* scroll = help->Browser()->verticalScrollBar();
    scroll->setValue(scroll->maximum() / 3);
    ok = save(help, out, QStringLiteral("help-technical-manual.png")) && ok;
    delete help;
    return ok ? 0 : 1;
}
