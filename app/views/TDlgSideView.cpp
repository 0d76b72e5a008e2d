#include "TDlgSideView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "ProgramData.h"
#include "SideViewCanvas.h"
#include "SideViewPainter.h"
#include "TDesktop.h"

namespace keldar {

static const char kCaption[] = "Elevation View";

TDlgSideView::TDlgSideView(TProgramData& project, TDesktop& desktop, QWidget* parent)
    : QWidget(parent), fProject(project), fDesktop(desktop) {
    setWindowTitle(QString::fromLatin1(kCaption));
    Label1 = new QLabel(QStringLiteral("Pile Geometry"), this);
    Button1 = new QPushButton(QStringLiteral("Print"), this);
    fSaveButton = new QPushButton(QStringLiteral("Save Picture..."), this);
    fCanvas = new TSideViewCanvas(fGeometry, this);
    fCanvas->setObjectName(QStringLiteral("canvas"));
    fCanvas->OnDepthReadout = [this](const QString& text) { setWindowTitle(text); };

    auto* bar = new QHBoxLayout;
    bar->addWidget(Label1);
    bar->addStretch();
    bar->addWidget(fSaveButton);
    bar->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(4);
    bar->setContentsMargins(6, 0, 6, 0);
    layout->addLayout(bar);
    layout->addWidget(fCanvas, 1);

    connect(Button1, &QPushButton::clicked, this, &TDlgSideView::Button1Click);
    connect(fSaveButton, &QPushButton::clicked, this, &TDlgSideView::SaveImageClick);
    resize(420, 520);
    FormActivate();
}

void TDlgSideView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QWidget::changeEvent(event);
}

void TDlgSideView::FormActivate() {
    fGeometry.Rebuild(SideViewInputFrom(fProject));
    fGeometry.Fit(fCanvas->width(), fCanvas->height());
    fCanvas->update();
}

void TDlgSideView::PrintTo(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Soil-Pile Profile"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        fDesktop.information(QString::fromLatin1(kCaption),
                             QStringLiteral("The profile could not be printed."));
        return;
    }
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    PaintSideViewPage(painter, page, fGeometry, Label1->font());
    painter.end();
}

void TDlgSideView::Button1Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (fDesktop.hasPrinter()) {
        PrintTo(printer);
        return;
    }
    const std::optional<TFileChoice> choice =
        fDesktop.saveFileName({.title = QStringLiteral("Print to PDF File"),
                               .fileName = QStringLiteral("Soil-Pile Profile.pdf"),
                               .filters = {QStringLiteral("PDF Document (*.pdf)")},
                               .parent = this});
    if (!choice) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice->fileName);
    PrintTo(printer);
}

void TDlgSideView::SaveImageClick() {
    const QStringList filters = {QStringLiteral("PNG Image (*.png)"),
                                 QStringLiteral("SVG Drawing (*.svg)")};
    const std::optional<TFileChoice> choice =
        fDesktop.saveFileName({.title = QStringLiteral("Save Picture"),
                               .fileName = QStringLiteral("Soil-Pile Profile.png"),
                               .filters = filters,
                               .parent = this});
    if (!choice) return;
    QString fileName = choice->fileName;
    const QString extension =
        filters.value(choice->filterIndex).startsWith(QLatin1String("SVG")) ? ".svg" : ".png";
    if (!fileName.endsWith(extension, Qt::CaseInsensitive)) fileName += extension;
    const QString failure =
        SaveSideViewPicture(fGeometry, fCanvas->Style(), fCanvas->size(), fileName);
    if (!failure.isEmpty()) fDesktop.information(QString::fromLatin1(kCaption), failure);
}

QString SaveSideViewPicture(const TSideViewGeometry& geometry, const TSideViewStyle& style,
                            QSize size, const QString& fileName) {
    size = size.expandedTo(QSize(120, 120));
    TSideViewGeometry fitted = geometry;
    fitted.Fit(size.width(), size.height());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("The picture could not be saved as %1: %2")
            .arg(fileName, file.errorString());
    }
    bool written = true;
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Soil-Pile Profile"));
        QPainter painter(&svg);
        PaintSideView(painter, QRect(QPoint(0, 0), size), fitted, style);
    } else {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        PaintSideView(painter, image.rect(), fitted, style);
        painter.end();
        written = image.save(&file, "PNG");
    }
    if (!written || !file.commit()) {
        return QStringLiteral("The picture could not be saved as %1: %2")
            .arg(fileName, file.errorString());
    }
    return {};
}

}  // namespace keldar
