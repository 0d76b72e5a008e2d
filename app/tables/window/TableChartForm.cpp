#include "TableChartForm.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <algorithm>
#include <exception>

#include "ChartPreview.h"
#include "RowReading.h"

namespace keldar {

static QString Q(const std::string& text) { return QString::fromStdString(text); }

static const QString kErrorTitle = QStringLiteral("Error");

// ---- TSegmentView

void TSegmentView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, rect());
}

void TSegmentView::paint(QPainter& painter, const QRect& box) const {
    painter.fillRect(box, palette().window());
    const TTableAccess* table = table_();
    if (!table) return;
    const TChartParameters p = table->ChartParameters();
    const int rows = table->RowCount();
    const auto number = [table](int column, int row) {
        const auto value = table->Number(column, row);
        return value ? static_cast<double>(*value) : 0.0;
    };
    if (rows == 0) return;
    double xMin = number(p.XColumn, 0), xMax = xMin, yMin = number(p.YColumn, 0), yMax = yMin;
    for (int r = 0; r < rows; ++r) {
        for (int c : {p.XColumn, p.SecondXColumn}) {
            xMin = std::min(xMin, number(c, r));
            xMax = std::max(xMax, number(c, r));
        }
        for (int c : {p.YColumn, p.SecondYColumn}) {
            yMin = std::min(yMin, number(c, r));
            yMax = std::max(yMax, number(c, r));
        }
    }
    if (xMin == xMax || yMin == yMax) return;
    const auto px = [&](double x) { return box.left() + SegmentPixel(x, xMin, xMax, box.width()); };
    const auto py = [&](double y) { return box.top() + SegmentPixel(y, yMax, yMin, box.height()); };
    painter.setPen(palette().color(QPalette::WindowText));
    for (int r = 0; r < rows; ++r) {
        const QPoint a(px(number(p.XColumn, r)), py(number(p.YColumn, r)));
        const QPoint b(px(number(p.SecondXColumn, r)), py(number(p.SecondYColumn, r)));
        const QPoint middle = (a + b) / 2;
        const QString label = QString::number(r + 1);
        const int height = painter.fontMetrics().height();
        painter.drawText(QRect(middle.x(), middle.y() - height / 2, 40, height),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    }
    for (int r = 0; r < rows; ++r)
        painter.drawLine(QPointF(px(number(0, r)), py(number(1, r))),
                         QPointF(px(number(2, r)), py(number(3, r))));
}

// ---- TTableChartForm

static QImage SquareMark(const QColor& color) {
    QImage mark(9, 9, QImage::Format_ARGB32);
    mark.fill(color);
    return mark;
}

TTableChartForm::TTableChartForm(std::unique_ptr<TTableAccess> table, TDesktop& desktop,
                                 QWidget* parent)
    : TTableForm(std::move(table), desktop, parent) {
    AddChartBand();
    AddOkBand();
    AddFileBand();
    FollowTable();
}

// The chart of the table above it, or the segment drawing for a table of line segments.
void TTableChartForm::AddChartBand() {
    const int ppi = logicalDpiX();
    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    series1_ = new QLineSeries;
    series1_->setPen(QPen(Qt::red, 2));
    series2_ = new QLineSeries;
    series2_->setPen(QPen(Qt::darkGreen, 2));
    series2_->setPointsVisible(true);
    series2_->setLightMarker(SquareMark(Qt::darkGreen));
    series2_->setMarkerSize(7);
    chart_->addSeries(series1_);
    axisX_ = new QValueAxis;
    axisY_ = new QValueAxis;
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    series1_->attachAxis(axisX_);
    series1_->attachAxis(axisY_);
    chartView_ = new QChartView(chart_);
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFixedHeight(ppi * 3);
    chartView_->setMinimumWidth(ppi * 7 / 2);

    segmentView_ = new TSegmentView([this] { return static_cast<const TTableAccess*>(Access()); });
    segmentView_->setFixedHeight(ppi * 3);
    segmentView_->setMinimumWidth(ppi * 7 / 2);

    const TChartParameters p = Access()->ChartParameters();
    chartView_->setVisible(p.ShowChart && !p.SegmentDrawing);
    segmentView_->setVisible(p.ShowChart && p.SegmentDrawing);
    AddTopBand(segmentView_);
    AddTopBand(chartView_);
}

void TTableChartForm::AddOkBand() {
    okBand_ = new QWidget;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    auto* okLayout = new QHBoxLayout(okBand_);
    okLayout->setContentsMargins(0, Margin(), 0, 0);
    okLayout->addStretch();
    okLayout->addWidget(ok);
    okLayout->addWidget(cancel);
    okLayout->addStretch();
    okBand_->setVisible(Access()->OKCancelButtons());
    AddBand(okBand_);
    // The edits are in the table already: OK closes the window, Cancel drops a rejected entry.
    connect(ok, &QPushButton::clicked, this, [this] { close(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        Grid()->DropEditor();
        Cells()->DiscardRejection();
        close();
    });
}

// The file the values may be read from, with its buttons.
void TTableChartForm::AddFileBand() {
    const int m = Margin();
    fileBand_ = new QWidget;
    auto* fileLayout = new QGridLayout(fileBand_);
    fileLayout->setContentsMargins(m, 0, 0, 0);
    fileLayout->setHorizontalSpacing(2 * m);
    fileLayout->setVerticalSpacing(m);
    fileNameEdit_ = new QLineEdit;
    btnBrowse_ = new QPushButton(QStringLiteral("Browse"));
    btnEdit_ = new QPushButton(QStringLiteral("View/Edit File"));
    btnRead_ = new QPushButton(QStringLiteral("Read values from File"));
    btnClip_ = new QPushButton(QStringLiteral("Paste values from  Clipboard (text)"));
    fileLayout->addWidget(new QLabel(QStringLiteral("File Name:")), 0, 0);
    fileLayout->addWidget(fileNameEdit_, 0, 1, 1, 2);
    fileLayout->addWidget(btnBrowse_, 1, 0);
    fileLayout->addWidget(btnEdit_, 1, 1);
    fileLayout->addWidget(btnRead_, 1, 2);
    fileLayout->addWidget(btnClip_, 2, 0, 1, 3, Qt::AlignRight);
    fileLayout->setColumnStretch(3, 1);
    fileBand_->setVisible(Access()->GetDataFromFile());
    AddBand(fileBand_);
    connect(btnBrowse_, &QPushButton::clicked, this, &TTableChartForm::Browse);
    connect(btnEdit_, &QPushButton::clicked, this, &TTableChartForm::ViewEditFile);
    connect(btnRead_, &QPushButton::clicked, this, &TTableChartForm::ReadValuesFromFile);
    connect(btnClip_, &QPushButton::clicked, this, &TTableChartForm::PasteValuesFromClipboard);
    connect(fileNameEdit_, &QLineEdit::textChanged, this, &TTableChartForm::UpdateFileButtons);
    UpdateFileButtons();
}

// The chart follows every change of the table, once per burst of changes.
void TTableChartForm::FollowTable() {
    const auto later = [this] {
        if (chartPending_) return;
        chartPending_ = true;
        QTimer::singleShot(0, this, [this] {
            chartPending_ = false;
            RefreshChart();
        });
    };
    connect(Cells(), &QAbstractItemModel::dataChanged, this, later);
    connect(Cells(), &QAbstractItemModel::modelReset, this, later);
}

TTableChartForm::~TTableChartForm() {
    // The chart owns the second line only while it shows it.
    if (!chart_->series().contains(series2_)) delete series2_;
}

bool TTableChartForm::ShowsChart() const {
    return Access() && Access()->ChartParameters().ShowChart;
}

int TTableChartForm::MaxRowsShown() const { return ShowsChart() ? 5 : 10; }

void TTableChartForm::TableRefreshed() { RefreshChart(); }

static void ApplyAxis(QValueAxis* axis, const TChartAxis& data) {
    QFont font = axis->titleFont();
    font.setBold(false);
    axis->setTitleFont(font);
    axis->setTitleText(Q(data.Title));
    axis->setLabelFormat(Q(data.LabelFormat));
    axis->setReverse(data.Inverted);
    axis->setRange(data.Minimum, data.Maximum);
    if (!data.FixedRange) axis->applyNiceNumbers();
}

void TTableChartForm::RefreshChart() {
    const TTableAccess* table = Access();
    if (!table || !table->ChartParameters().ShowChart) return;
    if (table->ChartParameters().SegmentDrawing) {
        segmentView_->update();
        return;
    }
    const TChartPreview preview = BuildChartPreview(*table);
    const auto points = [](const TChartLine& line) {
        QList<QPointF> list;
        for (const auto& [x, y] : line.Points) list.append(QPointF(x, y));
        return list;
    };
    series1_->replace(points(preview.Series1));
    series1_->setName(Q(preview.Series1.Title));
    const bool twoSeries = preview.Series2.has_value();
    if (twoSeries && !chart_->series().contains(series2_)) {
        chart_->addSeries(series2_);
        series2_->attachAxis(axisX_);
        series2_->attachAxis(axisY_);
    } else if (!twoSeries && chart_->series().contains(series2_)) {
        chart_->removeSeries(series2_);
    }
    if (twoSeries) {
        series2_->replace(points(*preview.Series2));
        series2_->setName(Q(preview.Series2->Title));
    }
    chart_->legend()->setVisible(preview.Legend);
    if (preview.Legend) chart_->legend()->setAlignment(Qt::AlignRight);
    ApplyAxis(axisX_, preview.Bottom);
    ApplyAxis(axisY_, preview.Left);
}

void TTableChartForm::UpdateFileButtons() {
    const bool exists = QFileInfo(fileNameEdit_->text()).isFile();
    btnEdit_->setEnabled(exists);
    btnRead_->setEnabled(exists);
}

void TTableChartForm::Browse() {
    TFileDialogRequest request{
        .title = QStringLiteral("Open"),
        .fileName = fileNameEdit_->text(),
        .filters = {QStringLiteral("Text Files (*.txt)"), QStringLiteral("Data Files (*.dat)"),
                    QStringLiteral("All Files (*)")},
        .parent = this};
    const std::optional<TFileChoice> choice = Desktop().openFileName(request);
    if (choice) fileNameEdit_->setText(choice->fileName);
    UpdateFileButtons();
}

void TTableChartForm::ViewEditFile() {
    if (!Desktop().openUrl(QUrl::fromLocalFile(fileNameEdit_->text())))
        Desktop().error(kErrorTitle,
                        QStringLiteral("An error occurred in running the Word Processor"));
}

void TTableChartForm::TakeLines(const std::vector<std::string>& lines, const QString& source) {
    if (!Access()) return;
    int taken = 0;
    try {
        taken = Access()->ReadRows(lines);
    } catch (const std::exception& e) {
        Desktop().error(kErrorTitle, Q(e.what()));
        return;
    }
    if (taken == 0)
        Desktop().information(QStringLiteral("Information"),
                              QStringLiteral("No line of the %1 has %2 numbers: nothing was read.")
                                  .arg(source)
                                  .arg(Access()->ColumnCount()));
}

void TTableChartForm::ReadValuesFromFile() {
    if (!Access() || !CommitCurrentCell()) return;
    const QString name = fileNameEdit_->text();
    QFile file(name);
    if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly)) {
        Desktop().error(kErrorTitle, QStringLiteral("Cannot open file \"%1\"").arg(name));
        return;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Desktop().error(kErrorTitle, QStringLiteral("Error reading file \"%1\"").arg(name));
        return;
    }
    std::vector<std::string> lines;
    for (const QByteArray& line : text.split('\n')) lines.push_back(line.toStdString());
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    TakeLines(lines, QStringLiteral("file"));
}

void TTableChartForm::PasteValuesFromClipboard() {
    if (!Access() || !CommitCurrentCell()) return;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText()) {
        Desktop().error(kErrorTitle, QStringLiteral("There is no text on the Clipboard"));
        return;
    }
    TakeLines(PastedLines(mime->text().toStdString()), QStringLiteral("text on the Clipboard"));
}

}  // namespace keldar
