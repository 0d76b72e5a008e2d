#include "PlotExport.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

#include "PlotPainter.h"
#include "UnitSystem.h"

namespace keldar {

// Images beyond this many pixels are refused before allocation: a 60 x 40 inch poster at 600
// pixels per inch is still well below it.
static constexpr double kLargestImagePixels = 1.2e9;

// PDF pages are drawn at this resolution; they stay vector drawings.
static constexpr int kPdfResolution = 600;

TPlotFileType PlotFileTypeOf(const QString& fileName, TPlotFileType chosen) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("bmp")) return TPlotFileType::Bitmap;
    if (suffix == QLatin1String("png")) return TPlotFileType::Png;
    if (suffix == QLatin1String("pdf")) return TPlotFileType::Pdf;
    if (suffix == QLatin1String("svg")) return TPlotFileType::Svg;
    return chosen;
}

static TPlotSurface PictureSurface(const TPlotPicture& picture, const QRect& page, double ppi) {
    TPlotSurface surface;
    surface.Page = page;
    surface.Px = surface.Py = ppi;
    surface.LegendOnSurface = true;
    surface.LegendAt = picture.LegendAt;
    return surface;
}

static QSize PixelSize(const TSaveAttributes& attributes) {
    return {static_cast<int>(std::lround(attributes.WidthInches * attributes.PixelsPerInch)),
            static_cast<int>(std::lround(attributes.HeightInches * attributes.PixelsPerInch))};
}

QImage RenderPlotImage(const TPlotPicture& picture, const TSaveAttributes& attributes) {
    const double width = attributes.WidthInches * attributes.PixelsPerInch;
    const double height = attributes.HeightInches * attributes.PixelsPerInch;
    if (!(width >= 1 && height >= 1) || width * height > kLargestImagePixels) return {};
    QImage image(PixelSize(attributes), QImage::Format_RGB32);
    if (image.isNull()) return image;
    const int dotsPerMeter =
        static_cast<int>(std::lround(attributes.PixelsPerInch * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    PaintPlot(painter, picture.Plot, picture.View,
              PictureSurface(picture, image.rect(), attributes.PixelsPerInch));
    return image;
}

static TSaveResult SaveImage(const TPlotPicture& picture, const QString& fileName,
                             const char* format, const TSaveAttributes& attributes) {
    const QImage image = RenderPlotImage(picture, attributes);
    if (image.isNull()) return TSaveResult::OutOfMemory;
    // A failed write leaves an earlier file of that name as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format) || !file.commit()) {
        return TSaveResult::WriteFailed;
    }
    return TSaveResult::Saved;
}

static TSaveResult SavePdf(const TPlotPicture& picture, const QString& fileName,
                           const TSaveAttributes& attributes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return TSaveResult::WriteFailed;
    {
        QPdfWriter writer(&file);
        writer.setTitle(picture.Plot.Caption());
        writer.setCreator(QStringLiteral("KELDAR"));
        writer.setPageSize(QPageSize(QSizeF(attributes.WidthInches, attributes.HeightInches),
                                     QPageSize::Inch, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(kPdfResolution);
        QPainter painter(&writer);
        if (!painter.isActive()) return TSaveResult::WriteFailed;
        const QRect page(0, 0, writer.width(), writer.height());
        PaintPlot(painter, picture.Plot, picture.View,
                  PictureSurface(picture, page, kPdfResolution));
    }
    return file.commit() ? TSaveResult::Saved : TSaveResult::WriteFailed;
}

static TSaveResult SaveSvg(const TPlotPicture& picture, const QString& fileName,
                           const TSaveAttributes& attributes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return TSaveResult::WriteFailed;
    const QSize size = PixelSize(attributes);
    if (size.isEmpty()) return TSaveResult::WriteFailed;
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(attributes.PixelsPerInch);
        generator.setTitle(picture.Plot.Caption());
        QPainter painter(&generator);
        if (!painter.isActive()) return TSaveResult::WriteFailed;
        PaintPlot(painter, picture.Plot, picture.View,
                  PictureSurface(picture, QRect(QPoint(0, 0), size), attributes.PixelsPerInch));
    }
    return file.commit() ? TSaveResult::Saved : TSaveResult::WriteFailed;
}

TSaveResult SavePlotFile(const TPlotPicture& picture, const QString& fileName, TPlotFileType type,
                         const TSaveAttributes& attributes) {
    switch (type) {
        case TPlotFileType::Bitmap:
            return SaveImage(picture, fileName, "BMP", attributes);
        case TPlotFileType::Png:
            return SaveImage(picture, fileName, "PNG", attributes);
        case TPlotFileType::Pdf:
            return SavePdf(picture, fileName, attributes);
        case TPlotFileType::Svg:
            return SaveSvg(picture, fileName, attributes);
    }
    return TSaveResult::WriteFailed;
}

}  // namespace keldar
