// An x-y plot: its curves and its display settings. It outlives the window that draws it; the
// window observes it through changed() and destroyed().
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Line.h"
#include "MeasuredCurve.h"

namespace keldar {

using TLineList = std::vector<std::unique_ptr<TLine>>;

// The legend's index for the measured curve, which is not one of the main curves.
inline constexpr int kMeasuredCurve = -1;

class TGraphPlot : public QObject {
    Q_OBJECT

  public:
    // Gives the curve index and its legend text; may change the text.
    using TLegendTextEvent = std::function<void(int index, QString& text)>;

    explicit TGraphPlot(QObject* parent = nullptr);
    ~TGraphPlot() override;

    // Published properties, with the values of a new plot.
    const QString& CurveName() const { return curveName_; }  // "Curve #"
    void SetCurveName(const QString& value) { Assign(curveName_, value); }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value) { Assign(caption_, value); }
    bool ShowLegend() const { return showLegend_; }  // true
    void SetShowLegend(bool value) { Assign(showLegend_, value); }
    bool ShowLayers() const { return showLayers_; }
    void SetShowLayers(bool value) { Assign(showLayers_, value); }
    bool ShowWall() const { return showWall_; }
    void SetShowWall(bool value) { Assign(showWall_, value); }
    bool ShowThree() const { return showThree_; }
    void SetShowThree(bool value) { Assign(showThree_, value); }
    bool ShowFontWidth() const { return showFontWidth_; }  // true
    void SetShowFontWidth(bool value) { Assign(showFontWidth_, value); }
    int WallLineCount() const { return wallLineCount_; }
    void SetWallLineCount(int value) { Assign(wallLineCount_, value); }
    int Markers() const { return markers_; }  // 1: a marker at every point; 0: none
    void SetMarkers(int value) { Assign(markers_, value); }
    int SizeFont() const { return sizeFont_; }  // 10: tenths of the default size
    void SetSizeFont(int value) { Assign(sizeFont_, value); }
    int LegendFont() const { return legendFont_; }  // 11 points
    void SetLegendFont(int value) { Assign(legendFont_, value); }
    int WidthLine() const { return widthLine_; }  // 1
    void SetWidthLine(int value) { Assign(widthLine_, value); }
    int Units() const { return units_; }  // 1 English, 2 S.I., 3 the unit codes themselves
    void SetUnits(int value);             // clamped to 1..3
    const QString& XCaption() const { return xCaption_; }
    void SetXCaption(const QString& value) { Assign(xCaption_, value); }
    const QString& XUnits() const { return xUnits_; }  // unit code
    void SetXUnits(const QString& value) { Assign(xUnits_, value); }
    bool XOnTop() const { return xOnTop_; }  // true: depth plots, y growing downward
    void SetXOnTop(bool value) { Assign(xOnTop_, value); }
    const QString& YCaption() const { return yCaption_; }
    void SetYCaption(const QString& value) { Assign(yCaption_, value); }
    const QString& YUnits() const { return yUnits_; }
    void SetYUnits(const QString& value) { Assign(yUnits_, value); }

    // Main curves.
    int CurveCount() const { return static_cast<int>(curves_.size()); }
    void SetCurveCount(int count);  // keeps the first curves; new ones are numbered on
    int PointCount() const;         // of the first curve; 0 without curves
    void SetPointCount(int count);  // of every curve; new points are (0, 0)
    TLine& Curve(int index) { return *curves_.at(static_cast<std::size_t>(index)); }
    const TLine& Curve(int index) const { return *curves_.at(static_cast<std::size_t>(index)); }
    TFloatPoint& Point(int curve, int point);
    const TFloatPoint& Point(int curve, int point) const;

    // The explicit name, else the legend text at the curve's position, else the name of the case
    // the curve shows, else "Curve #n".
    QString LineName(int index) const;
    // LineName as the legend shows it, after the legend-text event.
    QString LegendEntry(int index) const;

    // Axis texts: the caption with " (unit label)" when a unit code is set.
    QString XAxisText() const;
    QString YAxisText() const;

    // A measured load test drawn beside the computed curves. Like the display settings it stays
    // when a run or an opened project refills the curves. Stored in kN and m; MeasuredLine holds
    // it in the units of the axes, named "measured". Only a plot whose axes are a load (F1) and
    // a settlement (L) takes one.
    bool TakesMeasuredCurve = false;
    const std::optional<TMeasuredCurve>& Measured() const { return measured_; }
    void SetMeasured(std::optional<TMeasuredCurve> curve);
    const TLine* MeasuredLine() const { return measuredLine_.get(); }
    TLine* MeasuredLine() { return measuredLine_.get(); }
    // The line of a legend entry: a main curve, or the measured line for kMeasuredCurve; null
    // when there is none.
    const TLine* EntryLine(int curve) const;
    TLine* EntryLine(int curve);
    // The file beside the project that keeps the measured curve between sessions; empty while
    // the project has no name.
    QString MeasuredFile;

    // Further lists: soil-layer lines, wall lines and the third panel's lines.
    TLineList& LayerLines() { return layerLines_; }
    TLineList& WallLines() { return wallLines_; }
    TLineList& ThirdLines() { return thirdLines_; }

    QStringList LegendTexts;  // one per curve position, before the numbered default
    QString Title;            // graph title; empty: none
    bool TitleAtTop = true;
    bool LimitCurves = true;  // a new window activates only the first 20 curves
    TLegendTextEvent OnLegendText;

    // For writers that fill points in place: tells the observers once they are done.
    void NotifyChanged() { emit changed(); }

  signals:
    void changed();

  private:
    void RefreshMeasuredLine();

    template <class T>
    void Assign(T& field, const T& value) {
        if (field == value) return;
        field = value;
        emit changed();
    }

    QString curveName_ = QStringLiteral("Curve #");
    QString caption_;
    bool showLegend_ = true;
    bool showLayers_ = false;
    bool showWall_ = false;
    bool showThree_ = false;
    bool showFontWidth_ = true;
    int wallLineCount_ = 0;
    int markers_ = 1;
    int sizeFont_ = 10;
    int legendFont_ = 11;
    int widthLine_ = 1;
    int units_ = 1;
    QString xCaption_;
    QString xUnits_;
    bool xOnTop_ = true;
    QString yCaption_;
    QString yUnits_;

    TLineList curves_;
    TLineList layerLines_;
    TLineList wallLines_;
    TLineList thirdLines_;
    std::optional<TMeasuredCurve> measured_;
    std::unique_ptr<TLine> measuredLine_;
};

// The unit label of a plot axis: force symbols first (every "F2", else every "F1", else every
// "F"), then length symbols the same way; system 3 gives the code unchanged.
QString PlotUnitLabel(const QString& code, int units);

// The axis text: caption, then " (" label ")" when the code is set.
QString PlotAxisText(const QString& caption, const QString& code, int units);

}  // namespace keldar
