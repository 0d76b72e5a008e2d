// Saving a plot to disk: a bitmap (BMP or PNG) of a chosen size and resolution, or a PDF page or
// an SVG drawing of the same size. The legend is drawn into the picture.
#pragma once

#include <QImage>
#include <QPointF>
#include <QString>
#include <optional>

#include "GraphPlot.h"
#include "PlotRange.h"

namespace keldar {

enum class TPlotFileType { Bitmap, Png, Pdf, Svg };

// The Save Attributes: picture size in inches and bitmap resolution.
struct TSaveAttributes {
    double HeightInches = 4;  // at least 2
    double WidthInches = 6;   // at least 2
    int PixelsPerInch = 72;   // at least 10
};

// What the user's file name asks for: by its extension, else by the chosen filter's type.
TPlotFileType PlotFileTypeOf(const QString& fileName, TPlotFileType chosen);

enum class TSaveResult { Saved, OutOfMemory, WriteFailed };

inline constexpr char kNotEnoughMemoryMessage[] =
    "There is not enough memory to complete this task.";

// legendAt places the legend's top-left corner as a fraction of the picture (as the window
// shows it); without it the legend sits in the plot's bottom-right corner.
struct TPlotPicture {
    const TGraphPlot& Plot;
    TPlotRange View;
    std::optional<QPointF> LegendAt;
};

// The bitmap of the plot at the given size and resolution; a null image when it cannot be
// allocated.
QImage RenderPlotImage(const TPlotPicture& picture, const TSaveAttributes& attributes);

TSaveResult SavePlotFile(const TPlotPicture& picture, const QString& fileName, TPlotFileType type,
                         const TSaveAttributes& attributes);

}  // namespace keldar
