// Pictures of the soil profile view and the export dialog for review:
// keldar-grab-views OUTDIR writes soil-profile-one-layer.png, soil-profile-long-pile.png,
// soil-profile-page.png (the printed page), export-dialog.png and export-dialog-no-results.png.
#include <QDir>
#include <QImage>
#include <QPainter>

#include "ExportTestPlots.h"
#include "GrabApplication.h"
#include "MainPlots.h"
#include "ProgramData.h"
#include "SideViewPainter.h"
#include "TDlgExport.h"
#include "TDlgSideView.h"
#include "TestDesktop.h"
#include "WindowPicture.h"

using namespace keldar;

static bool Save(QWidget& window, const QDir& out, const char* name) {
    window.show();
    return SaveWidgetPicture(window, out.filePath(QString::fromLatin1(name)));
}

static void SetLayers(TMainTables& tables, std::initializer_list<std::pair<int, double>> layers) {
    TGridTableChart& table = tables.Chart("D2");
    table.SetRowCount(static_cast<int>(layers.size()));
    int row = 0;
    for (const auto& [code, bottom] : layers) {
        table.Cell(0, row).SetInteger(code);
        table.Cell(1, row++).SetFloat(bottom);
    }
}

int main(int argc, char** argv) {
    TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(1, 1, "OUTDIR")) return 2;
    const QDir out(app.Argument(0));
    test::TestDesktop desktop;
    TMainTables tables = TMainTables::BuiltIn();
    TProgramData project(tables);
    bool ok = true;

    // English units: one clay layer to 50 ft, a 40 ft pile of 12 in.
    SetLayers(tables, {{1, 50}});
    project.PileLength = 40;
    project.OuterDiameter = 12;
    {
        TDlgSideView view(project, desktop);
        view.resize(420, 520);
        ok &= Save(view, out, "soil-profile-one-layer.png");
    }
    // S.I.: three layers to 20 m and a 30 m pile of 900 mm.
    project.SetUnitSystem(2);
    SetLayers(tables, {{1, 6}, {2, 14}, {5, 20}});
    project.PileLength = 30;
    project.OuterDiameter = 900;
    {
        TDlgSideView view(project, desktop);
        view.resize(420, 520);
        ok &= Save(view, out, "soil-profile-long-pile.png");
        QImage page(1100, 850, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        PaintSideViewPage(painter, page.rect(), view.Geometry(), view.font());
        painter.end();
        ok &= page.save(out.filePath("soil-profile-page.png"));
    }

    TMainPlots plots;
    const TExportChoice choice{{&plots.pltLoad, &plots.pltAxial, &plots.pltTZcurves, &plots.PltQW},
                               {true, true, true, true},
                               QStringLiteral("pile7.kd3d")};
    {
        TDlgExport dialog(choice, desktop);
        ok &= Save(dialog, out, "export-dialog-no-results.png");
    }
    test::FillPlot(plots.pltLoad, 3, 5);
    test::FillPlot(plots.pltAxial, 1, 5);
    test::FillPlot(plots.pltTZcurves, 25, 10);
    test::FillPlot(plots.PltQW, 1, 8);
    {
        TDlgExport dialog(choice, desktop);
        ok &= Save(dialog, out, "export-dialog.png");
    }
    return ok ? 0 : 1;
}
