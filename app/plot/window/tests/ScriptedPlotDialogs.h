// Plot dialogs for tests: each question is recorded and answered from the script.
#pragma once

#include <QPrinter>
#include <functional>
#include <optional>
#include <utility>

#include "PlotDialogs.h"

namespace keldar {

class ScriptedPlotDialogs : public TPlotDialogs {
  public:
    // Answers; a cancelled dialog when unset.
    std::function<void(QStringList&)> LineNames;
    std::function<void(QVector<bool>&)> ActiveCurves;
    std::optional<TSaveAttributes> Attributes;
    QString PdfName;                                       // printing goes to this PDF file
    std::optional<std::pair<QString, bool>> GraphCaption;  // title, at the top

    QStringList ActiveCurveNames;  // as the Active Curves dialog was given them

    bool EditLineNames(QWidget*, QStringList& names) override {
        if (!LineNames) return false;
        LineNames(names);
        return true;
    }
    bool ChooseActiveCurves(QWidget*, const QStringList& names, QVector<bool>& active) override {
        ActiveCurveNames = names;
        if (!ActiveCurves) return false;
        ActiveCurves(active);
        return true;
    }
    bool EditGraphCaption(QWidget*, QString& title, bool& atTop) override {
        if (!GraphCaption) return false;
        title = GraphCaption->first;
        atTop = GraphCaption->second;
        return true;
    }
    bool EditSaveAttributes(QWidget*, TSaveAttributes& attributes) override {
        if (!Attributes) return false;
        attributes = *Attributes;
        return true;
    }
    bool SetUpPrinting(QWidget*, QPrinter& printer) override {
        if (PdfName.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfName);
        return true;
    }
    bool SetUpPage(QWidget*, QPrinter&) override { return false; }
};

}  // namespace keldar
