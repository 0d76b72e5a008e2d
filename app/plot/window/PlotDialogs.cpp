#include "PlotDialogs.h"

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

}  // namespace keldar
