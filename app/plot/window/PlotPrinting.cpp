#include "PlotPrinting.h"

#include <QPainter>

#include "PlotPainter.h"

namespace keldar {

std::unique_ptr<QPrinter> NewPlotPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    return printer;
}

bool PrintPlotPage(QPrinter& printer, const TPlotPicture& picture) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The painter starts at the top-left corner inside the margins.
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    TPlotSurface surface;
    surface.Page = QRect(QPoint(0, 0), paint.size());
    surface.Px = printer.logicalDpiX();
    surface.Py = printer.logicalDpiY();
    surface.Printing = true;
    surface.LegendOnSurface = true;
    surface.LegendAt = picture.LegendAt;
    PaintPlot(painter, picture.Plot, picture.View, surface);
    return painter.end();
}

}  // namespace keldar
