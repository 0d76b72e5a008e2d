// keldar-grab-cpt OUTDIR CPT_FILE: a picture of New Project from CPT with its preview, for the
// file and the pile of examples/cpt/dense-sand-pipe (cpt-dialog.png).
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>

#include "GrabApplication.h"
#include "TQtDesktop.h"
#include "TdlgNewFromCpt.h"
#include "WindowPicture.h"

using namespace keldar;

static void setNumber(QWidget& dialog, const char* name, double value) {
    if (auto* box = dialog.findChild<QDoubleSpinBox*>(QLatin1String(name))) box->setValue(value);
}

int main(int argc, char** argv) {
    TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(2, 2, "OUTDIR CPT_FILE")) return 2;
    const QDir out(app.Argument(0));
    TQtDesktop desktop;
    TdlgNewFromCpt dialog(desktop);
    dialog.LoadFile(app.Argument(1));
    setNumber(dialog, "Diameter", 1.2);
    setNumber(dialog, "Wall", 0.025);
    setNumber(dialog, "Length", 28);
    dialog.findChild<QCheckBox*>(QStringLiteral("UnitWeightFromCone"))->setChecked(true);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(960, 640)));
    dialog.show();
    return SaveWidgetPicture(dialog, out.filePath(QStringLiteral("cpt-dialog.png"))) ? 0 : 1;
}
