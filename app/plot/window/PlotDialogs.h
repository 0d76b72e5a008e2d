// The questions a plot window asks: its four dialogs, the save file dialog and the printer
// dialogs. Windows ask through this interface, so that tests can answer without a modal box.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "PlotExport.h"

class QPrinter;
class QWidget;

namespace keldar {

class TPlotDialogs {
  public:
    virtual ~TPlotDialogs() = default;

    // Legend: new legend texts for the curves; false when cancelled.
    virtual bool EditLineNames(QWidget* parent, QStringList& names) = 0;
    // Active Curves: which curves take part; false when cancelled.
    virtual bool ChooseActiveCurves(QWidget* parent, const QStringList& names,
                                    QVector<bool>& active) = 0;
    // Graph Caption: the title and whether it stands at the top.
    virtual bool EditGraphCaption(QWidget* parent, QString& title, bool& atTop) = 0;
    // The file to save to and its type; empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, TPlotFileType& type) = 0;
    // Save Attributes: size and resolution of the picture.
    virtual bool EditSaveAttributes(QWidget* parent, TSaveAttributes& attributes) = 0;
    // The print dialog; false when cancelled.
    virtual bool SetUpPrinting(QWidget* parent, QPrinter& printer) = 0;
    // The page setup dialog.
    virtual bool SetUpPage(QWidget* parent, QPrinter& printer) = 0;
    // The file of a measured load-settlement curve to open; empty when cancelled.
    virtual QString MeasuredCurveFileName(QWidget* parent) = 0;
};

// The program's own dialogs, shown modally.
class TModalPlotDialogs : public TPlotDialogs {
  public:
    bool EditLineNames(QWidget* parent, QStringList& names) override;
    bool ChooseActiveCurves(QWidget* parent, const QStringList& names,
                            QVector<bool>& active) override;
    bool EditGraphCaption(QWidget* parent, QString& title, bool& atTop) override;
    QString SaveFileName(QWidget* parent, TPlotFileType& type) override;
    bool EditSaveAttributes(QWidget* parent, TSaveAttributes& attributes) override;
    bool SetUpPrinting(QWidget* parent, QPrinter& printer) override;
    bool SetUpPage(QWidget* parent, QPrinter& printer) override;
    QString MeasuredCurveFileName(QWidget* parent) override;
};

}  // namespace keldar
