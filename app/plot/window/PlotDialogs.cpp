#include "PlotDialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "ActiveLinesDialog.h"
#include "FormatDialog.h"
#include "GraphCaptionDialog.h"
#include "LineNamesDialog.h"

namespace keldar {

bool TModalPlotDialogs::EditLineNames(QWidget* parent, QStringList& names) {
    TfrmLineNames dialog(names, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    names = dialog.Names();
    return true;
}

bool TModalPlotDialogs::ChooseActiveCurves(QWidget* parent, const QStringList& names,
                                           QVector<bool>& active) {
    TfrmActiveLines dialog(names, active, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    active = dialog.Active();
    return true;
}

bool TModalPlotDialogs::EditGraphCaption(QWidget* parent, QString& title, bool& atTop) {
    TfrmGraphCaption dialog(title, atTop, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    title = dialog.Title();
    atTop = dialog.AtTop();
    return true;
}

struct TFileTypeFilter {
    TPlotFileType Type;
    const char* Filter;
    const char* Suffix;
};

static constexpr TFileTypeFilter kFilters[] = {
    {TPlotFileType::Bitmap, "Bitmap (*.bmp)", "bmp"},
    {TPlotFileType::Png, "PNG image (*.png)", "png"},
    {TPlotFileType::Pdf, "PDF document (*.pdf)", "pdf"},
    {TPlotFileType::Svg, "SVG drawing (*.svg)", "svg"},
};

QString TModalPlotDialogs::SaveFileName(QWidget* parent, TPlotFileType& type) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const TFileTypeFilter& f : kFilters) filters << QString::fromLatin1(f.Filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        for (const TFileTypeFilter& known : kFilters) {
            if (f == QLatin1String(known.Filter)) {
                dialog.setDefaultSuffix(QString::fromLatin1(known.Suffix));
            }
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    for (const TFileTypeFilter& f : kFilters) {
        if (dialog.selectedNameFilter() == QLatin1String(f.Filter)) type = f.Type;
    }
    return dialog.selectedFiles().constFirst();
}

bool TModalPlotDialogs::EditSaveAttributes(QWidget* parent, TSaveAttributes& attributes) {
    TdlgFormat dialog(attributes, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    attributes = dialog.Attributes();
    return true;
}

bool TModalPlotDialogs::SetUpPrinting(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TModalPlotDialogs::SetUpPage(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString TModalPlotDialogs::MeasuredCurveFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Load Measured Curve"), QString(),
        QStringLiteral("Load tests (*.csv *.txt *.tsv);;All Files (*)"));
}

}  // namespace keldar
