// The Results Summary window: the numbers of a run that go into a design note (capacity by
// named criteria, the load at a chosen settlement and the settlement at a chosen load, the
// cases and, in settling soil, the neutral plane) as fixed-pitch text that can be copied,
// printed and saved as PDF; with a measured load test, its loads at the same criteria beside the
// computed ones. The chosen settlement and load are entered above the text; the
// text follows them as each entry is accepted.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "ResultsSummary.h"
#include "RunResults.h"

class QPlainTextEdit;

namespace keldar {

class TDataEdit;
class TDesktop;

class TResultsSummaryWindow : public QWidget {
    Q_OBJECT

  public:
    // projectName names the window, the print job and the proposed PDF file.
    TResultsSummaryWindow(RunResults results, const QString& projectName, TDesktop& desktop,
                          QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QString Text() const;
    const ResultsSummary& Summary() const { return summary_; }
    // A few lines above the summary, copied and printed with it: where the numbers come from
    // when they are not the analysis's own. Empty: none.
    void SetSourceNote(const QString& note);

    // A measured load test (head settlement x, head load y, in the run's units) read at the same
    // criteria and shown after the summary; empty: none.
    void SetMeasured(std::vector<CurvePoint> readings);

    void CopyClick();
    void PrintClick();
    void SavePdfClick();

  private:
    void Refresh();
    SummaryChoices Choices() const;

    RunResults results_;
    ResultsSummary summary_;
    std::vector<CurvePoint> measured_;
    QString projectName_;
    QString sourceNote_;
    TDesktop& desktop_;
    TDataEdit* settlementEdit_ = nullptr;
    TDataEdit* loadEdit_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace keldar
