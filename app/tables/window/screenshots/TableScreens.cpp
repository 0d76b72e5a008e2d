// Pictures of the table editors for review: keldar_table_screens OUTDIR writes
// soil-layers.png (the soil-layer editor with one layer's data open), tz-curve.png (a t-z curve
// editor with its chart), tz-factors.png (two series with a legend) and pile-head-loads.png.
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "GrabApplication.h"
#include "TableDeclarations.h"
#include "TableEditors.h"
#include "TableForm.h"
#include "TestDesktop.h"
#include "WindowPicture.h"

using namespace keldar;

static void CloseAll(QMdiArea* area) {
    area->closeAllSubWindows();
    SettleEvents();
}

static void FillSoilLayers(TGridTableChart& layers) {
    layers.SetRowCount(3);
    const int types[] = {1, 2, 5};
    const double bottoms[] = {240, 480, 720};
    for (int r = 0; r < 3; ++r) {
        layers.Cell(0, r).SetInteger(types[r]);
        layers.Cell(1, r).SetFloat(bottoms[r]);
    }
    TGridTable* clay = layers.Cell(2, 0).GetTable();
    const double data[2][8] = {{0.0376, 7.5, 0.01, 0, 0, 0, 0, 0},
                               {0.0376, 10.4, 0.007, 0, 0, 0, 0, 0}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 8; ++c) clay->Cell(c, r).SetFloat(data[r][c]);
}

static void FillCurve(TGridTable& curve) {
    const double t[] = {0, 2.1, 3.4, 4.0, 4.2, 4.2};
    const double z[] = {0, 0.02, 0.05, 0.1, 0.2, 0.5};
    curve.SetRowCount(6);
    for (int r = 0; r < 6; ++r) {
        curve.Cell(0, r).SetFloat(t[r]);
        curve.Cell(1, r).SetFloat(z[r]);
    }
}

int main(int argc, char** argv) {
    TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(1, 1, "OUTDIR")) return 2;
    const QString out = app.Argument(0);
    TMainTables tables = TMainTables::BuiltIn();
    keldar::test::TestDesktop desktop;
    QMainWindow host;
    auto* area = new QMdiArea;
    host.setCentralWidget(area);
    host.resize(900, 580);
    host.show();
    bool ok = true;

    // The soil layers with the first layer's data open beside them.
    TGridTableChart& layers = tables.Chart("D2");
    FillSoilLayers(layers);
    auto* layerForm = qobject_cast<TTableForm*>(OpenTableEditor(area, layers, desktop));
    qobject_cast<QMdiSubWindow*>(layerForm->parentWidget())->move(0, 0);
    auto* button = qobject_cast<QPushButton*>(
        layerForm->Grid()->indexWidget(layerForm->Grid()->model()->index(0, 2)));
    button->click();
    SettleEvents();
    QMdiSubWindow* dataWindow = area->subWindowList().last();
    dataWindow->move(40, layerForm->parentWidget()->height() + 10);
    ok &= SaveWidgetPicture(*area, out + "/soil-layers.png");
    CloseAll(area);

    // A t-z curve of the second depth, with its chart.
    TGridTableChart& depths = tables.Chart("TblTZDepth2");
    depths.SetRowCount(2);
    depths.Cell(0, 1).SetFloat(120);
    FillCurve(*depths.Cell(1, 1).GetTable());
    QWidget* curveForm = OpenTableEditor(area, *depths.Cell(1, 1).GetTable(), desktop);
    ok &= SaveWidgetPicture(*curveForm->parentWidget(), out + "/tz-curve.png");
    CloseAll(area);

    TGridTableChart& factors = tables.Chart("TblTZFactors2");
    factors.SetRowCount(3);
    const double f[3][3] = {{0, 1, 1}, {240, 0.8, 1.2}, {720, 0.6, 1.5}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) factors.Cell(c, r).SetFloat(f[r][c]);
    QWidget* factorForm = OpenTableEditor(area, factors, desktop);
    ok &= SaveWidgetPicture(*factorForm->parentWidget(), out + "/tz-factors.png");
    CloseAll(area);

    TGridTable& loads = tables.Plain("TblTopload");
    loads.SetRowCount(4);
    for (int r = 0; r < 4; ++r) loads.Cell(0, r).SetFloat(50000.0 * (r + 1));
    QWidget* loadForm = OpenTableEditor(area, loads, desktop);
    ok &= SaveWidgetPicture(*loadForm->parentWidget(), out + "/pile-head-loads.png");
    CloseAll(area);
    return ok ? 0 : 1;
}
