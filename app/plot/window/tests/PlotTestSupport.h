// Shared by the plot window tests: a real engine run of a sample project and pixel checks.
#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>

#include "PlotFileReader.h"
#include "RunDriver.h"
#include "TestDesktop.h"

namespace keldar {

// Runs the engine on examples/NAME.kd3d copied into folder; returns the plot file's path.
inline QString RunSampleProject(const QString& name, const QString& folder) {
    const QString source = qEnvironmentVariable("KELDAR_SOURCE_DIR") +
                           QStringLiteral("/examples/") + name + QStringLiteral(".kd3d");
    const QString base = QDir(folder).filePath(name);
    QFile::remove(base + QStringLiteral(".kd3d"));
    if (!QFile::copy(source, base + QStringLiteral(".kd3d"))) return {};
    RunPaths paths;
    paths.dataFile = (base + QStringLiteral(".kd3d")).toStdString();
    paths.reportFile = (base + QStringLiteral(".kd3o")).toStdString();
    paths.plotFile = (base + QStringLiteral(".kd3p")).toStdString();
    paths.notesFile = (base + QStringLiteral(".kd3r")).toStdString();
    RunOptions options;
    options.consoleBanner = false;
    if (runKeldar(paths, RunIdentity{}, options) != 0) return {};
    return base + QStringLiteral(".kd3p");
}

inline bool CloseColour(QRgb pixel, const QColor& colour, int tolerance = 60) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// A pixel of the colour within radius pixels of at.
inline bool ColourNear(const QImage& image, const QPoint& at, const QColor& colour, int radius) {
    for (int y = at.y() - radius; y <= at.y() + radius; ++y) {
        for (int x = at.x() - radius; x <= at.x() + radius; ++x) {
            if (image.valid(x, y) && CloseColour(image.pixel(x, y), colour)) return true;
        }
    }
    return false;
}

inline int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.valid(x, y) && CloseColour(image.pixel(x, y), colour, 30)) ++count;
        }
    }
    return count;
}

}  // namespace keldar
