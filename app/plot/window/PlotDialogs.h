// The plot window's own dialogs: legend, active curves, caption and save attributes, and the
// printer dialogs. Windows ask through this interface, so that tests can answer without a modal
// box; the file dialogs are the desktop's.
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
    // Save Attributes: size and resolution of the picture.
    virtual bool EditSaveAttributes(QWidget* parent, TSaveAttributes& attributes) = 0;
    // The print dialog; false when cancelled.
    virtual bool SetUpPrinting(QWidget* parent, QPrinter& printer) = 0;
    // The page setup dialog.
    virtual bool SetUpPage(QWidget* parent, QPrinter& printer) = 0;
};

// The program's own dialogs, shown modally.
class TModalPlotDialogs : public TPlotDialogs {
  public:
    bool EditLineNames(QWidget* parent, QStringList& names) override;
    bool ChooseActiveCurves(QWidget* parent, const QStringList& names,
                            QVector<bool>& active) override;
    bool EditGraphCaption(QWidget* parent, QString& title, bool& atTop) override;
    bool EditSaveAttributes(QWidget* parent, TSaveAttributes& attributes) override;
    bool SetUpPrinting(QWidget* parent, QPrinter& printer) override;
    bool SetUpPage(QWidget* parent, QPrinter& printer) override;
};

}  // namespace keldar
