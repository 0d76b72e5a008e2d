#include "GraphPlot.h"

#include <algorithm>
#include <utility>

#include "NumberText.h"
#include "UnitSystem.h"
#include "Units.h"

namespace keldar {

TGraphPlot::TGraphPlot(QObject* parent) : QObject(parent) {}

TGraphPlot::~TGraphPlot() = default;

void TGraphPlot::SetUnits(int value) {
    Assign(units_, std::clamp(value, 1, 3));
    RefreshMeasuredLine();
}

void TGraphPlot::SetMeasured(std::optional<TMeasuredCurve> curve) {
    measured_ = std::move(curve);
    RefreshMeasuredLine();
    emit changed();
}

// The S.I. numbers of the axes' codes F1 and L are kN and m, as the measured curve holds them.
void TGraphPlot::RefreshMeasuredLine() {
    if (!measured_) {
        measuredLine_.reset();
        return;
    }
    const bool shown = !measuredLine_ || measuredLine_->Shown;
    measuredLine_ = std::make_unique<TLine>(this, 0, 0);
    measuredLine_->Name = QStringLiteral("measured");
    measuredLine_->Shown = shown;
    const auto factor = [this](const QString& code) {
        return static_cast<double>(ConversionFactor(code.toStdString(), usSI, units_));
    };
    const double x = factor(xUnits_), y = factor(yUnits_);
    for (const TFloatPoint& p : measured_->Points) {
        measuredLine_->Points.push_back({p.X * x, p.Y * y});
    }
}

const TLine* TGraphPlot::EntryLine(int curve) const {
    if (curve == kMeasuredCurve) return measuredLine_.get();
    if (curve < 0 || curve >= CurveCount()) return nullptr;
    return curves_[static_cast<std::size_t>(curve)].get();
}

TLine* TGraphPlot::EntryLine(int curve) {
    return const_cast<TLine*>(std::as_const(*this).EntryLine(curve));
}

void TGraphPlot::SetCurveCount(int count) {
    const auto wanted = static_cast<std::size_t>(std::max(count, 0));
    if (wanted == curves_.size()) return;
    if (wanted < curves_.size()) {
        curves_.resize(wanted);
    } else {
        const auto points = static_cast<std::size_t>(PointCount());
        while (curves_.size() < wanted) {
            const double number = static_cast<double>(curves_.size()) + 1;
            curves_.push_back(std::make_unique<TLine>(this, number, points));
        }
    }
    emit changed();
}

int TGraphPlot::PointCount() const {
    return curves_.empty() ? 0 : static_cast<int>(curves_.front()->Points.size());
}

void TGraphPlot::SetPointCount(int count) {
    const auto wanted = static_cast<std::size_t>(std::max(count, 0));
    bool resized = false;
    for (auto& curve : curves_) {
        if (curve->Points.size() != wanted) {
            curve->Points.resize(wanted);
            resized = true;
        }
    }
    if (resized) emit changed();
}

TFloatPoint& TGraphPlot::Point(int curve, int point) {
    return Curve(curve).Points.at(static_cast<std::size_t>(point));
}

const TFloatPoint& TGraphPlot::Point(int curve, int point) const {
    return Curve(curve).Points.at(static_cast<std::size_t>(point));
}

QString TGraphPlot::LineName(int index) const {
    const TLine& curve = Curve(index);
    if (!curve.Name.isEmpty()) return curve.Name;
    if (index < LegendTexts.size()) return LegendTexts[index];
    if (!curve.CaseName.isEmpty()) return curve.CaseName;
    return curveName_ + ShortestNumberText(curve.Number);
}

QString TGraphPlot::LegendEntry(int index) const {
    QString text = LineName(index);
    if (OnLegendText) OnLegendText(index, text);
    return text;
}

QString TGraphPlot::XAxisText() const { return PlotAxisText(xCaption_, xUnits_, units_); }

QString TGraphPlot::YAxisText() const { return PlotAxisText(yCaption_, yUnits_, units_); }

// Replaces every occurrence of the first symbol form found; the forms are listed longest first.
static void ReplaceSymbol(QString& label, const char* const (&forms)[3],
                          const char* const (&names)[3]) {
    for (std::size_t i = 0; i < 3; ++i) {
        const QString form = QString::fromLatin1(forms[i]);
        if (label.contains(form)) {
            label.replace(form, QString::fromLatin1(names[i]));
            return;
        }
    }
}

QString PlotUnitLabel(const QString& code, int units) {
    if (units != usEnglish && units != usSI) return code;
    static const char* const forces[3] = {"F2", "F1", "F"};
    static const char* const lengths[3] = {"L2", "L1", "L"};
    static const char* const englishForces[3] = {"tons", "kips", "lbs"};
    static const char* const siForces[3] = {"kN", "kN", "kN"};
    static const char* const englishLengths[3] = {"ft", "in", "in"};
    static const char* const siLengths[3] = {"m", "mm", "m"};
    // Unit names hold no "F" or "L", so the length pass never touches a force name.
    QString label = code;
    ReplaceSymbol(label, forces, units == usEnglish ? englishForces : siForces);
    ReplaceSymbol(label, lengths, units == usEnglish ? englishLengths : siLengths);
    return label;
}

QString PlotAxisText(const QString& caption, const QString& code, int units) {
    if (code.isEmpty()) return caption;
    return caption + QStringLiteral(" (") + PlotUnitLabel(code, units) + QStringLiteral(")");
}

}  // namespace keldar
