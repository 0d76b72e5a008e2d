// Pictures of the main window for review: keldar_main_grab OUTDIR ENGINEDIR DATAFILE
// Opens a copy of the data file, runs the analysis and writes main-window.png and one picture
// per menu, opened below its title (menu-file.png, ...). Then the two questions of a run that
// cannot go as planned: saving over a file read only in part (question-incomplete-file.png) and
// a run that the engine stops (message-run-stopped.png). Between them the Results Summary
// (results-summary.png) and the report viewer with a search hit (report-viewer-find.png).
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "GrabApplication.h"
#include "TMainForm.h"
#include "TQtDesktop.h"
#include "TReportViewer.h"
#include "WindowPicture.h"

// Information and error boxes are not shown; a question is grabbed as the user sees it and
// answered with its escape button, so that no file dialog or text editor opens.
class GrabbingDesktop : public keldar::TQtDesktop {
  public:
    explicit GrabbingDesktop(QString folder) : folder_(std::move(folder)) {}

    void information(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    Answer confirm(const QString&, const QString&, bool) override { return Answer::No; }

    QString nextPicture;
    bool saved = true;

  protected:
    void ask(QMessageBox& box) override {
        box.show();
        saved = keldar::SaveWidgetPicture(box, QDir(folder_).filePath(nextPicture)) && saved;
        box.escapeButton()->click();
    }

  private:
    QString folder_;
};

// Each menu as the user sees it: opened below its title over the window.
static bool GrabMenus(keldar::TMainForm& form, const QDir& out) {
    bool ok = true;
    for (QAction* title : form.menuBar()->actions()) {
        QMenu* menu = title->menu();
        if (!menu) continue;
        QPixmap picture = form.grab();
        const QPoint at =
            form.menuBar()->mapTo(&form, form.menuBar()->actionGeometry(title).bottomLeft());
        // A menu lays itself out only when it pops up.
        menu->popup(form.mapToGlobal(at));
        keldar::SettleEvents();
        QPainter painter(&picture);
        painter.drawPixmap(at, menu->grab());
        painter.end();
        menu->hide();
        const QString name = menu->objectName().toLower();
        ok = keldar::SavePicture(picture, out.filePath(QStringLiteral("menu-%1.png").arg(name))) &&
             ok;
    }
    return ok;
}

static bool GrabActiveChild(keldar::TMainForm& form, const QString& path) {
    keldar::SettleEvents();
    QMdiSubWindow* child = form.MdiArea().activeSubWindow();
    if (child == nullptr) return false;
    child->move(0, 0);
    return keldar::SaveWidgetPicture(*child, path);
}

// The report scrolled to the load-settlement table with a search hit marked.
static void ShowSearchHit(keldar::TReportViewer& viewer) {
    const auto& headings = viewer.Headings();
    for (int i = 0; i < headings.size(); ++i) {
        if (headings[i].label == QLatin1String("Load-settlement table")) viewer.GoToHeading(i);
    }
    viewer.findChild<QLineEdit*>(QStringLiteral("FindText"))
        ->setText(QStringLiteral("top movement"));
    viewer.FindNext();
}

// The result windows, each alone in a larger frame.
static bool GrabResultWindows(keldar::TMainForm& form, const QDir& out) {
    form.resize(1000, 900);
    form.ResultsSummaryClick();
    bool ok = GrabActiveChild(form, out.filePath(QStringLiteral("results-summary.png")));
    form.CloseChildWindows();
    form.ViewReportClick();
    if (auto* viewer = form.findChild<keldar::TReportViewer*>()) ShowSearchHit(*viewer);
    ok = GrabActiveChild(form, out.filePath(QStringLiteral("report-viewer-find.png"))) && ok;
    form.CloseChildWindows();
    form.resize(820, 560);
    return ok;
}

// A copy of the data file cut in half, so that it is read only in part.
static bool WriteHalfCopy(const QString& data, const QString& broken) {
    QFile whole(data);
    QFile cut(broken);
    if (!whole.open(QIODevice::ReadOnly) || !cut.open(QIODevice::WriteOnly)) return false;
    const QByteArray text = whole.readAll();
    return cut.write(text.left(text.size() / 2)) >= 0;
}

int main(int argc, char* argv[]) {
    keldar::TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(3, 3, "OUTDIR ENGINEDIR DATAFILE")) return 2;
    const QString out = app.Argument(0);
    const QString original = app.Argument(2);
    QTemporaryDir work;
    const QString data = work.filePath(QFileInfo(original).fileName());
    if (!QFile::copy(original, data)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(original));
        return 1;
    }

    QSettings settings(work.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    GrabbingDesktop desktop(out);
    keldar::TMainForm form({desktop, settings, app.Argument(1), {}});
    form.resize(820, 560);
    form.show();
    form.OpenFileName(data, true);  // as the Open command does: the file is in the recent list
    form.CompRunClick();

    bool ok =
        keldar::SaveWidgetPicture(form, QDir(out).filePath(QStringLiteral("main-window.png")));
    ok = GrabMenus(form, QDir(out)) && ok;
    ok = GrabResultWindows(form, QDir(out)) && ok;

    // Run Analysis asks before saving over a file read only in part.
    const QString broken = work.filePath(QStringLiteral("broken.kd3d"));
    if (!WriteHalfCopy(data, broken)) return 1;
    form.OpenFileName(broken, true);
    desktop.nextPicture = QStringLiteral("question-incomplete-file.png");
    form.CompRunClick();

    // A pile without length stops the engine.
    form.OpenFileName(data, true);
    form.Project().PileLength = -1;
    form.Project().SetModified(true);
    desktop.nextPicture = QStringLiteral("message-run-stopped.png");
    form.CompRunClick();
    return ok && desktop.saved ? 0 : 1;
}
