#include "PlotForm.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QVBoxLayout>

#include "InputOutputError.h"
#include "MeasuredCurveFile.h"
#include "NumberFormat.h"
#include "PlotCanvas.h"
#include "PlotDialogs.h"
#include "PlotFileDialogs.h"
#include "PlotLegend.h"
#include "PlotLegendBox.h"
#include "PlotPrinting.h"

namespace keldar {

struct TTaggedItem {
    const char* Name;
    const char* Caption;
    int Tag;
};

static constexpr TTaggedItem kMarkerItems[] = {
    {"Mark0", "&Never", 0},
    {"Mark1", "Every &Increment", 1},
    {"Mark2", "Every &2 Increments", 2},
    {"Mark3", "Every &3 Incrments", 3},
    {"Mark5", "Every &5 Increments", 5},
    {"Mark10", "Every &10 Incements", 10},
};

static constexpr TTaggedItem kFontItems[] = {
    {"DefaultSize", "&Default", 10}, {"Size15", "1.5 * Default", 15}, {"Size2", "2 * Default", 20},
    {"Size25", "2.5 * Default", 25}, {"Size3", "3 * Default", 30},    {"Size4", "4 * Default", 40},
};

static constexpr TTaggedItem kWidthItems[] = {
    {"DefaultWidth", "&Default", 1}, {"Width2", "2 * Default", 2},    {"Width4", "4 * Default", 4},
    {"Width6", "6 * Default", 6},    {"Width10", "10 * Default", 10},
};

static QString MenuText(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

TPlotForm::TPlotForm(TGraphPlot& plot, TDesktop& desktop, TPlotDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      plot_(&plot),
      desktop_(desktop),
      dialogs_(dialogs),
      menuBar_(new QMenuBar(this)),
      menu_(menuBar_->addMenu(QStringLiteral("&Plot"))),
      canvas_(new TPlotCanvas(plot, this)) {
    setWindowTitle(plot.Caption());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(canvas_);
    ActivateCurvesForNewWindow(plot);
    knownCurveCount_ = plot.CurveCount();
    CreateActions();
    canvas_->RefreshLegend();
    RebuildCurveItems();
    resize(640, 480);
    connect(canvas_, &TPlotCanvas::pointerAt, this, &TPlotForm::ShowPointer);
    connect(canvas_, &TPlotCanvas::curveToggled, this, &TPlotForm::ToggleCurve);
    connect(&plot, &TGraphPlot::changed, this, &TPlotForm::PlotChanged);
    connect(menu_, &QMenu::aboutToShow, this, &TPlotForm::UpdateMenus);
}

TPlotForm::~TPlotForm() = default;

static QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

template <std::size_t N, class Command>
static QMenu* AddTaggedMenu(QMenu* menu, const char* name, const char* caption,
                            const TTaggedItem (&items)[N], Command command) {
    QMenu* sub = menu->addMenu(QString::fromLatin1(caption));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    auto* group = new QActionGroup(sub);
    for (const TTaggedItem& item : items) {
        QAction* action = AddItem(sub, item.Name, item.Caption);
        action->setCheckable(true);
        action->setData(item.Tag);
        group->addAction(action);
        const int tag = item.Tag;
        QObject::connect(action, &QAction::triggered, sub, [command, tag] { command(tag); });
    }
    return sub;
}

void TPlotForm::CreateActions() {
    TPlotActions& a = actions_;
    a.PlotLegend = AddItem(menu_, "PlotLegend", "Show &Legend");
    a.PlotLegend->setCheckable(true);
    connect(a.PlotLegend, &QAction::triggered, this, &TPlotForm::ToggleLegend);
    a.PlotSoilLayer = AddItem(menu_, "PlotSoilLayer", "Show &Soil Layer");
    a.PlotSoilLayer->setCheckable(true);
    connect(a.PlotSoilLayer, &QAction::triggered, this, [this] {
        if (plot_) plot_->SetShowLayers(!plot_->ShowLayers());
    });
    a.ShowWallGeometry = AddItem(menu_, "ShowWallGeometry", "Show &Wall Geometry");
    a.ShowWallGeometry->setCheckable(true);
    connect(a.ShowWallGeometry, &QAction::triggered, this, [this] {
        if (plot_) plot_->SetShowWall(!plot_->ShowWall());
    });
    a.PlotMarkers = AddTaggedMenu(menu_, "PlotMarkers", "&Markers", kMarkerItems,
                                  [this](int tag) { SetMarkers(tag); });
    a.FontSize = AddTaggedMenu(menu_, "FontSize", "&Font Size", kFontItems,
                               [this](int tag) { SetFontSize(tag); });
    a.LineWidth = AddTaggedMenu(menu_, "LineWidth", "Line &Width", kWidthItems,
                                [this](int tag) { SetLineWidth(tag); });
    a.PlotCaption = AddItem(menu_, "PlotCaption", "&Graph Title");
    connect(a.PlotCaption, &QAction::triggered, this, &TPlotForm::EditGraphTitle);
    connect(AddItem(menu_, "mLineName", "&Edit Legend"), &QAction::triggered, this,
            &TPlotForm::EditLegend);
    connect(AddItem(menu_, "ActiveGraphs", "&Active Curves"), &QAction::triggered, this,
            &TPlotForm::ChooseActiveCurves);
    a.MeasuredSeparator = menu_->addSeparator();
    a.MeasuredSeparator->setObjectName(QStringLiteral("MeasuredSeparator"));
    a.PlotMeasuredLoad = AddItem(menu_, "PlotMeasuredLoad", "Loa&d Measured Curve...");
    connect(a.PlotMeasuredLoad, &QAction::triggered, this, &TPlotForm::LoadMeasuredCurve);
    a.PlotMeasuredPaste = AddItem(menu_, "PlotMeasuredPaste", "Pas&te Measured Curve");
    connect(a.PlotMeasuredPaste, &QAction::triggered, this, &TPlotForm::PasteMeasuredCurve);
    a.PlotMeasuredRemove = AddItem(menu_, "PlotMeasuredRemove", "&Remove Measured Curve");
    connect(a.PlotMeasuredRemove, &QAction::triggered, this, &TPlotForm::RemoveMeasuredCurve);
    menu_->addSeparator();
    connect(AddItem(menu_, "PlotPrint", "&Print..."), &QAction::triggered, this, &TPlotForm::Print);
    connect(AddItem(menu_, "PlotPage", "P&age Setup"), &QAction::triggered, this,
            &TPlotForm::SetUpPage);
    connect(AddItem(menu_, "PlotSave", "&Save To Disk..."), &QAction::triggered, this,
            &TPlotForm::SaveToDisk);
    QAction* copy = AddItem(menu_, "PlotCopy", "&Copy");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &TPlotForm::CopyToClipboard);
    curveSeparator_ = menu_->addSeparator();
    UpdateMenus();
}

QAction* TaggedItem(const QMenu& menu, int tag) {
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == tag) return action;
    }
    return nullptr;
}

static void CheckTagged(const QMenu& menu, int tag) {
    for (QAction* action : menu.actions()) action->setChecked(action->data().toInt() == tag);
}

void TPlotForm::UpdateMenus() {
    if (!plot_) return;
    const TPlotActions& a = actions_;
    a.PlotLegend->setChecked(plot_->ShowLegend());
    a.PlotSoilLayer->setChecked(plot_->ShowLayers());
    a.PlotSoilLayer->setVisible(!plot_->LayerLines().empty());
    a.ShowWallGeometry->setChecked(plot_->ShowWall());
    a.ShowWallGeometry->setVisible(plot_->WallLineCount() > 0);
    a.ShowWallGeometry->setEnabled(plot_->ShowLayers());
    a.FontSize->menuAction()->setVisible(plot_->ShowFontWidth());
    a.LineWidth->menuAction()->setVisible(plot_->ShowFontWidth());
    CheckTagged(*a.PlotMarkers, plot_->Markers());
    CheckTagged(*a.FontSize, plot_->SizeFont());
    CheckTagged(*a.LineWidth, plot_->WidthLine());
    for (QAction* item :
         {a.MeasuredSeparator, a.PlotMeasuredLoad, a.PlotMeasuredPaste, a.PlotMeasuredRemove}) {
        item->setVisible(plot_->TakesMeasuredCurve);
    }
    a.PlotMeasuredRemove->setEnabled(plot_->Measured().has_value());
    for (QAction* curveItem : curveItems_) {
        if (const TLine* line = plot_->EntryLine(curveItem->data().toInt())) {
            curveItem->setChecked(line->Shown);
        }
    }
}

void TPlotForm::RebuildCurveItems() {
    // An item may be the one whose click brought us here: it goes once that click is done.
    for (QAction* action : std::as_const(curveItems_)) {
        menu_->removeAction(action);
        action->deleteLater();
    }
    curveItems_.clear();
    if (!plot_) return;
    for (const TLegendEntry& entry : LegendEntries(*plot_)) {
        QAction* action = menu_->addAction(MenuText(entry.Text));
        action->setCheckable(true);
        action->setChecked(entry.Shown);
        action->setData(entry.Curve);
        const int curve = entry.Curve;
        connect(action, &QAction::triggered, this, [this, curve] { ToggleCurve(curve); });
        curveItems_.append(action);
    }
    curveSeparator_->setVisible(!curveItems_.isEmpty());
}

void TPlotForm::PlotChanged() {
    if (!plot_) return;
    // A new run's curves: the window starts again from the full range and the first curves.
    if (plot_->CurveCount() != knownCurveCount_) {
        knownCurveCount_ = plot_->CurveCount();
        ActivateCurvesForNewWindow(*plot_);
    }
    canvas_->UpdateFullRange();
    canvas_->RefreshLegend();
    RebuildCurveItems();
    UpdateMenus();
    canvas_->update();
}

void TPlotForm::ShowPointer(QPointF at) {
    if (!plot_) return;
    setWindowTitle(plot_->Caption() + QStringLiteral(" X: ") +
                   QString::fromStdString(formatGeneral(at.x(), 5)) + QStringLiteral(" Y: ") +
                   QString::fromStdString(formatGeneral(at.y(), 5)));
}

TPlotPicture TPlotForm::Picture() const {
    return {*plot_, canvas_->ViewRange(),
            canvas_->LegendBox()->isVisible() ? canvas_->LegendPosition() : std::nullopt};
}

void TPlotForm::ToggleLegend() {
    if (plot_) plot_->SetShowLegend(!plot_->ShowLegend());
}

void TPlotForm::SetMarkers(int every) {
    if (plot_) plot_->SetMarkers(every);
}

void TPlotForm::SetFontSize(int tenths) {
    if (!plot_) return;
    plot_->SetSizeFont(tenths);
    canvas_->PlaceLegend();
}

void TPlotForm::SetLineWidth(int multiplier) {
    if (plot_) plot_->SetWidthLine(multiplier);
}

void TPlotForm::EditGraphTitle() {
    if (!plot_) return;
    QString title = plot_->Title;
    bool atTop = plot_->TitleAtTop;
    if (!dialogs_.EditGraphCaption(this, title, atTop)) return;
    plot_->Title = title;
    plot_->TitleAtTop = atTop;
    plot_->NotifyChanged();
}

void TPlotForm::EditLegend() {
    if (!plot_) return;
    QStringList names;
    for (int i = 0; i < plot_->CurveCount(); ++i) names << plot_->LineName(i);
    if (!dialogs_.EditLineNames(this, names)) return;
    for (int i = 0; i < plot_->CurveCount() && i < names.size(); ++i) {
        // A text left as the default name stays a default: it follows later renumbering.
        if (names[i] != plot_->LineName(i)) plot_->Curve(i).Name = names[i];
    }
    plot_->NotifyChanged();
}

void TPlotForm::ChooseActiveCurves() {
    if (!plot_) return;
    QStringList names;
    QVector<bool> active;
    for (int i = 0; i < plot_->CurveCount(); ++i) {
        names << plot_->LineName(i);
        active << plot_->Curve(i).Active;
    }
    if (!dialogs_.ChooseActiveCurves(this, names, active)) return;
    for (int i = 0; i < plot_->CurveCount() && i < active.size(); ++i) {
        plot_->Curve(i).Active = active[i];
    }
    plot_->NotifyChanged();
}

QPrinter& TPlotForm::Printer() {
    if (!printer_) printer_ = NewPlotPrinter();
    return *printer_;
}

void TPlotForm::Print() {
    if (!plot_) return;
    QPrinter& printer = Printer();
    printer.setDocName(plot_->Caption());
    if (!dialogs_.SetUpPrinting(this, printer)) return;
    if (!PrintPlotPage(printer, Picture())) {
        desktop_.information(QStringLiteral("Information"),
                             QStringLiteral("The plot could not be printed."));
    }
    canvas_->update();
}

void TPlotForm::SetUpPage() { dialogs_.SetUpPage(this, Printer()); }

void TPlotForm::SaveToDisk() {
    if (!plot_) return;
    const std::optional<TFileChoice> choice = desktop_.saveFileName(PlotSaveRequest(this));
    if (!choice) return;
    const QString& fileName = choice->fileName;
    const TPlotFileType type = PlotFileTypeOfFilter(choice->filterIndex);
    TSaveAttributes attributes;
    if (!dialogs_.EditSaveAttributes(this, attributes)) return;
    switch (SavePlotFile(Picture(), fileName, PlotFileTypeOf(fileName, type), attributes)) {
        case TSaveResult::Saved:
            break;
        case TSaveResult::OutOfMemory:
            desktop_.information(QStringLiteral("Information"),
                                 QString::fromLatin1(kNotEnoughMemoryMessage));
            break;
        case TSaveResult::WriteFailed:
            desktop_.information(QStringLiteral("Information"),
                                 QStringLiteral("The file %1 could not be written.").arg(fileName));
            break;
    }
}

void TPlotForm::CopyToClipboard() {
    if (!plot_) return;
    // The window's size at twice the screen's detail, so that the picture stays sharp in a
    // report.
    constexpr int kPixelsPerInch = 192;
    TSaveAttributes attributes;
    attributes.WidthInches = canvas_->width() / 96.0;
    attributes.HeightInches = canvas_->height() / 96.0;
    attributes.PixelsPerInch = kPixelsPerInch;
    const QImage image = RenderPlotImage(Picture(), attributes);
    if (image.isNull()) {
        desktop_.information(QStringLiteral("Information"),
                             QString::fromLatin1(kNotEnoughMemoryMessage));
        return;
    }
    QApplication::clipboard()->setImage(image);
}

void TPlotForm::ToggleCurve(int curve) {
    TLine* line = plot_ ? plot_->EntryLine(curve) : nullptr;
    if (!line) return;
    line->Shown = !line->Shown;
    plot_->NotifyChanged();
}

static constexpr char kMeasuredTitle[] = "Measured Curve";

void TPlotForm::TakeMeasuredCurve(const std::function<TMeasuredCurve()>& read) {
    try {
        plot_->SetMeasured(read());
    } catch (const EInputOutputError& e) {
        desktop_.error(QString::fromLatin1(kMeasuredTitle), e.Message());
        return;
    }
    MeasuredCurveChanged();
}

// The legend gained or lost a row: back into the plot's corner, as a new window has it. The
// project's folder keeps the change.
void TPlotForm::MeasuredCurveChanged() {
    canvas_->PlaceLegend();
    try {
        KeepMeasuredCurve(*plot_);
    } catch (const EInputOutputError& e) {
        desktop_.information(QString::fromLatin1(kMeasuredTitle),
                             e.Message() + QStringLiteral("\rThe plot shows the change; "
                                                          "the project's folder does not "
                                                          "keep it."));
    }
}

void TPlotForm::LoadMeasuredCurve() {
    if (!plot_ || !plot_->TakesMeasuredCurve) return;
    const std::optional<TFileChoice> choice = desktop_.openFileName(MeasuredCurveRequest(this));
    if (!choice) return;
    const int units = plot_->Units();
    TakeMeasuredCurve([&] { return ReadMeasuredCurveFile(choice->fileName, units); });
}

void TPlotForm::PasteMeasuredCurve() {
    if (!plot_ || !plot_->TakesMeasuredCurve) return;
    const QString text = QApplication::clipboard()->text();
    const int units = plot_->Units();
    TakeMeasuredCurve(
        [&] { return ReadMeasuredCurveText(text, units, QStringLiteral("The clipboard text")); });
}

void TPlotForm::RemoveMeasuredCurve() {
    if (!plot_ || !plot_->Measured()) return;
    plot_->SetMeasured(std::nullopt);
    MeasuredCurveChanged();
}

}  // namespace keldar
