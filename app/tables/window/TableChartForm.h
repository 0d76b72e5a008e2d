// The editor of a chart table: the table editor with a chart of the table's numbers above the
// grid (or, in segment mode, its rows drawn as numbered line segments), the file controls that
// read rows from a text file or from text on the clipboard, and the optional OK and Cancel.
#pragma once

#include <QLineEdit>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <functional>

#include "TableForm.h"

namespace keldar {

// The rows of a table whose rows are line segments (columns 0, 1 to columns 2, 3), numbered.
class TSegmentView : public QWidget {
  public:
    explicit TSegmentView(std::function<const TTableAccess*()> table, QWidget* parent = nullptr)
        : QWidget(parent), table_(std::move(table)) {}
    void paint(QPainter& painter, const QRect& box) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<const TTableAccess*()> table_;
};

class TTableChartForm : public TTableForm {
    Q_OBJECT

  public:
    TTableChartForm(std::unique_ptr<TTableAccess> table, TDesktop& desktop,
                    QWidget* parent = nullptr);
    ~TTableChartForm() override;

    QChart* Chart() const { return chart_; }
    QLineSeries* Series1() const { return series1_; }
    QLineSeries* Series2() const { return series2_; }
    QValueAxis* BottomAxis() const { return axisX_; }
    QValueAxis* LeftAxis() const { return axisY_; }
    QLineEdit* FileNameEdit() const { return fileNameEdit_; }
    QPushButton* ReadButton() const { return btnRead_; }
    QPushButton* EditButton() const { return btnEdit_; }
    QPushButton* ClipboardButton() const { return btnClip_; }
    QWidget* FileControls() const { return fileBand_; }

    void RefreshChart();
    // Rows from the file named in the file name field, or from the clipboard's text. Either
    // takes all rows or, when a line is rejected, none, and says which line it was.
    void ReadValuesFromFile();
    void PasteValuesFromClipboard();

  protected:
    int MaxRowsShown() const override;
    void TableRefreshed() override;

  private:
    void AddChartBand();
    void AddOkBand();
    void AddFileBand();
    void FollowTable();
    void Browse();
    void ViewEditFile();
    void UpdateFileButtons();
    void TakeLines(const std::vector<std::string>& lines, const QString& source);
    bool ShowsChart() const;

    QChartView* chartView_;
    QChart* chart_;
    QLineSeries* series1_;
    QLineSeries* series2_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    TSegmentView* segmentView_;
    QWidget* okBand_;
    QWidget* fileBand_;
    QLineEdit* fileNameEdit_;
    QPushButton* btnBrowse_;
    QPushButton* btnEdit_;
    QPushButton* btnRead_;
    QPushButton* btnClip_;
    bool chartPending_ = false;
};

}  // namespace keldar
