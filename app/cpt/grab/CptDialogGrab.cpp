// keldar-grab-cpt OUTDIR CPT_FILE: a picture of New Project from CPT with its preview, for the
// file and the pile of examples/cpt/dense-sand-pipe (cpt-dialog.png).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <clocale>
#include <cstdio>

#include "TQtDesktop.h"
#include "TdlgNewFromCpt.h"

using namespace keldar;

static void setNumber(QWidget& dialog, const char* name, double value) {
    if (auto* box = dialog.findChild<QDoubleSpinBox*>(QLatin1String(name))) box->setValue(value);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 3) {
        std::fprintf(stderr, "usage: keldar-grab-cpt OUTDIR CPT_FILE\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    TQtDesktop desktop;
    TdlgNewFromCpt dialog(desktop);
    dialog.LoadFile(QString::fromLocal8Bit(argv[2]));
    setNumber(dialog, "Diameter", 1.2);
    setNumber(dialog, "Wall", 0.025);
    setNumber(dialog, "Length", 28);
    dialog.findChild<QCheckBox*>(QStringLiteral("UnitWeightFromCone"))->setChecked(true);
    dialog.resize(dialog.sizeHint().expandedTo(QSize(960, 640)));
    dialog.show();
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("cpt-dialog.png"));
    if (!dialog.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
