// keldar-plot-screenshots PLOTFILE OUTDIR [TITLE [MEASURED.csv]]: pictures of the plot windows of
// one run for review: the four result plots as windows, as saved images and printed to PDF, the
// Active Curves dialog, and, given a measured load test, the load-settlement plot beside it.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTextStream>

#include "ActiveLinesDialog.h"
#include "GrabApplication.h"
#include "InputOutputError.h"
#include "PlotCanvas.h"
#include "PlotDialogs.h"
#include "PlotFileReader.h"
#include "PlotForm.h"
#include "PlotPrinting.h"
#include "PlotWindows.h"
#include "TestDesktop.h"
#include "WindowPicture.h"

using namespace keldar;

struct Shot {
    TGraphPlot* Plot;
    const char* Name;
};

// The load-settlement plot with a measured load test, as a window and as a saved picture.
static int ShootMeasured(QMdiArea& area, TGraphPlot& plot, const QString& measured,
                         const QString& out) {
    try {
        plot.SetMeasured(ReadMeasuredCurveFile(measured, plot.Units()));
    } catch (const EInputOutputError& e) {
        QTextStream(stderr) << e.Message() << "\n";
        return 1;
    }
    test::TestDesktop desktop;
    TModalPlotDialogs dialogs;
    TPlotForm* form = OpenPlotWindow(&area, plot, desktop, dialogs);
    qobject_cast<QMdiSubWindow*>(form->parentWidget())->resize(760, 560);
    const QString base = out + QStringLiteral("/plot-load-settlement-measured");
    int failures = SaveWidgetPicture(*form, base + QStringLiteral("-window.png")) ? 0 : 1;
    if (SavePlotFile(form->Picture(), base + QStringLiteral("-saved.png"), TPlotFileType::Png,
                     TSaveAttributes{4, 6, 150}) != TSaveResult::Saved) {
        ++failures;
    }
    return failures;
}

int main(int argc, char** argv) {
    TGrabApplication app(argc, argv);
    if (!app.ArgumentsFit(2, 4, "PLOTFILE OUTDIR [TITLE [MEASURED.csv]]")) return 2;
    const QString plotFile = app.Argument(0);
    const QString out = app.Argument(1);
    TMainPlots plots;
    test::TestDesktop desktop;
    if (!ReadPlotFile(plots, plotFile, true, 1, desktop)) {
        QTextStream(stderr) << "cannot read " << plotFile << "\n";
        return 1;
    }
    TModalPlotDialogs dialogs;
    QMdiArea area;
    area.resize(820, 620);
    area.show();
    const Shot shots[] = {{&plots.pltLoad, "plot-load-distribution"},
                          {&plots.pltAxial, "plot-load-settlement"},
                          {&plots.pltTZcurves, "plot-tz-curves"},
                          {&plots.PltQW, "plot-qw-curve"}};
    // The load-settlement plot carries the graph title given, as engineers set one for a report.
    if (!app.Argument(2).isEmpty()) plots.pltAxial.Title = app.Argument(2);
    int failures = 0;
    for (const Shot& shot : shots) {
        TPlotForm* form = OpenPlotWindow(&area, *shot.Plot, desktop, dialogs);
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        sub->resize(760, 560);
        const QString base = out + QLatin1Char('/') + QString::fromLatin1(shot.Name);
        if (!SaveWidgetPicture(*form, base + QStringLiteral("-window.png"))) ++failures;
        if (SavePlotFile(form->Picture(), base + QStringLiteral("-saved.png"), TPlotFileType::Png,
                         TSaveAttributes{4, 6, 150}) != TSaveResult::Saved) {
            ++failures;
        }
        auto printer = NewPlotPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(base + QStringLiteral("-printed.pdf"));
        if (!PrintPlotPage(*printer, form->Picture())) ++failures;
        sub->close();
    }

    QStringList names;
    QVector<bool> active;
    for (int i = 0; i < plots.pltTZcurves.CurveCount(); ++i) {
        names << plots.pltTZcurves.LineName(i);
        active << (i % 4 != 2);
    }
    TfrmActiveLines dialog(names, active);
    dialog.show();
    if (!SaveWidgetPicture(dialog, out + QStringLiteral("/plot-active-curves-dialog.png"))) {
        ++failures;
    }
    if (!app.Argument(3).isEmpty()) {
        failures += ShootMeasured(area, plots.pltAxial, app.Argument(3), out);
    }
    return failures;
}
