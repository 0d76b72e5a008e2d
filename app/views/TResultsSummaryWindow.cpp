#include "TResultsSummaryWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "EntryErrors.h"
#include "MeasuredComparison.h"
#include "ResultsSummaryText.h"
#include "TDataEdit.h"
#include "TDesktop.h"
#include "TextPrinting.h"

namespace keldar {

namespace {

TDataEdit* ChoiceField(QWidget* parent, UserMessages& messages, const char* name,
                       const QString& caption, const QString& unitCode, int unitSystem,
                       float value) {
    auto* field = new TDataEdit(messages, parent);
    field->setObjectName(QLatin1String(name));
    field->SetCaption(caption);
    field->SetUnitsString(unitCode);
    field->SetUnits(unitSystem);
    field->SetPositiveOnly(true);
    field->SetMinVal(0);
    if (std::isfinite(value)) field->SetNumber(value);
    field->SetEditLabel(new QLabel(parent));
    return field;
}

// The field's accepted value, or NaN (the default) when it is empty or does not evaluate.
float FieldValue(const TDataEdit& field) {
    if (field.text().trimmed().isEmpty()) return SummaryChoices::kUnset;
    try {
        const long double value = field.Number();
        return value > 0 ? static_cast<float>(value) : SummaryChoices::kUnset;
    } catch (const std::exception&) {
        return SummaryChoices::kUnset;
    }
}

}  // namespace

TResultsSummaryWindow::TResultsSummaryWindow(RunResults results, const QString& projectName,
                                             TDesktop& desktop, QWidget* parent)
    : QWidget(parent),
      results_(std::move(results)),
      summary_(summarizeResults(results_)),
      projectName_(projectName),
      desktop_(desktop) {
    setObjectName(QStringLiteral("ResultsSummary"));
    setWindowTitle(QStringLiteral("Results Summary - ") + projectName_);
    const int units = results_.unitSystem;
    settlementEdit_ =
        ChoiceField(this, desktop_, "ChosenSettlement", QStringLiteral("Chosen settlement"),
                    QStringLiteral("L"), units, summary_.chosenSettlement);
    loadEdit_ = ChoiceField(this, desktop_, "ChosenLoad", QStringLiteral("Chosen load"),
                            QStringLiteral("F"), units, summary_.chosenLoad);
    for (TDataEdit* field : {settlementEdit_, loadEdit_}) {
        // After the field has judged the entry (OnExit comes first).
        connect(field, &TDataEdit::OnExit, this, &TResultsSummaryWindow::Refresh,
                Qt::QueuedConnection);
    }

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("SummaryText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* fields = new QGridLayout;
    fields->addWidget(settlementEdit_->EditLabel(), 0, 0);
    fields->addWidget(settlementEdit_, 0, 1);
    fields->addWidget(loadEdit_->EditLabel(), 0, 2);
    fields->addWidget(loadEdit_, 0, 3);
    fields->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(text_, 1);
    layout->addLayout(TextCommandButtons(
        this, {[this] { CopyClick(); }, [this] { PrintClick(); }, [this] { SavePdfClick(); }}));
    Refresh();
}

QSize TResultsSummaryWindow::sizeHint() const {
    // Wide enough for the widest table line, high enough for the whole text of most runs (with
    // room for the fields and buttons) and never taller than a laptop's screen.
    const QFontMetrics metrics(text_->font());
    const int lines = std::min(text_->blockCount() + 9, 48);
    return {metrics.horizontalAdvance(QString(90, QLatin1Char('0'))),
            metrics.lineSpacing() * lines};
}

SummaryChoices TResultsSummaryWindow::Choices() const {
    SummaryChoices choices;
    choices.settlement = FieldValue(*settlementEdit_);
    choices.load = FieldValue(*loadEdit_);
    return choices;
}

void TResultsSummaryWindow::Refresh() {
    summary_ = summarizeResults(results_, Choices());
    QStringList lines;
    if (!sourceNote_.isEmpty()) lines << sourceNote_ << QString();
    for (const std::string& line : summaryText(summary_, results_.unitSystem))
        lines.append(QString::fromStdString(line));
    if (!measured_.empty()) {
        lines.append(QString());
        const MeasuredComparison measured = compareMeasured(summary_, measured_);
        for (const std::string& line :
             measuredComparisonText(summary_, measured, results_.unitSystem))
            lines.append(QString::fromStdString(line));
    }
    text_->setPlainText(lines.join(QLatin1Char('\n')));
}

void TResultsSummaryWindow::SetMeasured(std::vector<CurvePoint> readings) {
    measured_ = std::move(readings);
    Refresh();
}

void TResultsSummaryWindow::SetSourceNote(const QString& note) {
    sourceNote_ = note;
    Refresh();
}

QString TResultsSummaryWindow::Text() const { return text_->toPlainText(); }

void TResultsSummaryWindow::CopyClick() {
    QApplication::clipboard()->setText(Text() + QLatin1Char('\n'));
}

void TResultsSummaryWindow::PrintClick() {
    PrintTextCommand(this, desktop_, {windowTitle(), Text()});
}

void TResultsSummaryWindow::SavePdfClick() {
    SaveTextAsPdf(this, desktop_, {windowTitle(), Text()});
}

}  // namespace keldar
