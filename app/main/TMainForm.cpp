// TMainForm: construction, menus, tool bar, menu states and child windows.
#include "TMainForm.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMetaMethod>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "ChildWindows.h"
#include "EntryErrors.h"
#include "InputOutputError.h"
#include "MenuBarGate.h"
#include "OpenEntries.h"
#include "TEngineLibrary.h"
#include "TableErrors.h"
#include "ToolIcons.h"
#include "WindowLayout.h"
#include "WindowTitle.h"
#include "WorkspaceFit.h"

namespace keldar {

namespace {

// The child windows' menu shows at most this many windows.
constexpr int kWindowItems = 50;

QAction* Item(const QObject& form, const char* name) {
    QAction* action = form.findChild<QAction*>(QLatin1String(name));
    Q_ASSERT(action);
    return action;
}

// The Window and Help menus neither read nor change the project: their commands run whatever the
// windows' entries hold (help is wanted most just then).
bool NeedsAcceptedEntries(const QAction& action) {
    const auto* menu = qobject_cast<const QMenu*>(action.parent());
    return menu == nullptr || (menu->objectName() != QLatin1String("Window") &&
                               menu->objectName() != QLatin1String("Help"));
}

// Calls a child's handler by name when it has one (the dialogs' FormActivate).
void InvokeHandler(QWidget* window, const char* handler) {
    if (!window) return;
    const QByteArray signature = QByteArray(handler) + "()";
    if (window->metaObject()->indexOfMethod(signature.constData()) < 0) return;
    QMetaObject::invokeMethod(window, handler, Qt::DirectConnection);
}

}  // namespace

TMainForm::TMainForm(const Services& services, QString commandLineFile, QWidget* parent)
    : QMainWindow(parent),
      messages_(services.messages),
      desktop_(services.desktop),
      store_(services.settings),
      // A run changes the current folder: the engine's folder must not depend on it.
      programFolder_(QDir(services.programFolder).absolutePath()),
      updateBaseAddress_(services.updateBaseAddress),
      commandLineFile_(std::move(commandLineFile)),
      tables_(TMainTables::BuiltIn()),
      project_(std::make_unique<TProgramData>(tables_)),
      engine_(std::make_unique<TEngineLibrary>()) {
    setObjectName(QStringLiteral("MainForm"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    setAcceptDrops(true);
    CreateMenus();
    CreateToolBar();
    statusBar();
    SetWindowTitle();
    CheckSpeedButtons();
    new TWorkspaceFit(*mdiArea_);
    new TMenuBarGate(*menuBar(), [this] { return DeactivateActiveChild(); });
    RestoreWindowLayout(store_, *this);
}

TMainForm::~TMainForm() {
    // Children hold references into the project and tables: they go first.
    mdiArea_->closeAllSubWindows();
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) delete child;
}

// ---- Menus and tool bar ----

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                            const std::function<void()>& command, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    if (command) {
        connect(action, &QAction::triggered, this,
                [this, action, command] { Guarded(command, NeedsAcceptedEntries(*action)); });
    }
    return action;
}

QAction* TMainForm::AddToolButton(const char* name, const QString& hint, const QIcon& icon,
                                  const std::function<void()>& command) {
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QAction* action = bar->addAction(icon, hint);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
    return action;
}

void TMainForm::CreateMenus() {
    CreateFileMenu();
    CreateDataMenu();
    CreateOptionsMenu();
    CreateComputationMenu();
    CreateGraphicsMenu();
    CreateWindowMenu();
    CreateHelpMenu();
}

void TMainForm::CreateFileMenu() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("File"));
    AddItem(
        fileMenu_, "FileNew", QStringLiteral("&New"), [this] { FileNewClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_N));
    AddItem(fileMenu_, "FileNewFromCpt", QStringLiteral("New Project from &CPT…"),
            [this] { FileNewFromCptClick(); });
    AddItem(
        fileMenu_, "FileOpen", QStringLiteral("&Open..."), [this] { FileOpenClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_O));
    AddItem(
        fileMenu_, "FileSave", QStringLiteral("&Save"), [this] { FileSaveClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    AddItem(fileMenu_, "FileSaveAs", QStringLiteral("Save &As..."), [this] { FileSaveAsClick(); });
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("N1"));
    for (int i = 0; i < TRecentFiles::kCapacity; ++i) {
        const QByteArray name = "RecentFile" + QByteArray::number(i + 1);
        QAction* item =
            AddItem(fileMenu_, name.constData(), QString(), [this, i] { OpenRecentFile(i); });
        item->setVisible(false);
        recentItems_.append(item);
    }
    recentSeparator_ = fileMenu_->addSeparator();
    recentSeparator_->setObjectName(QStringLiteral("N14"));
    recentSeparator_->setVisible(false);
    AddItem(fileMenu_, "FileExit", QStringLiteral("E&xit"), [this] { FileExitClick(); });
    connect(fileMenu_, &QMenu::aboutToShow, this, &TMainForm::UpdateFileMenu);
}

void TMainForm::CreateDataMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Data"));
    menu->setObjectName(QStringLiteral("Data"));
    TMainTables& t = tables_;
    AddItem(menu, "DataTitle", QStringLiteral("&Title"), [this] { OpenTitleDialog(*this); });
    AddItem(menu, "material", QStringLiteral("&Pile Properties"),
            [this] { OpenPileProperties(*this); });
    AddItem(menu, "SoilLayerCoordinates1", QStringLiteral("Soil &Layers"),
            [this, &t] { OpenChartTableEditor(*this, t.Chart("D2")); });
    AddItem(menu, "SoilParameters1", QStringLiteral("Enter t-&z Curves"),
            [this, &t] { OpenChartTableEditor(*this, t.Chart("TblTZDepth2")); });
    AddItem(menu, "PileProperties1", QStringLiteral("Enter Q-&w Curve"),
            [this, &t] { OpenChartTableEditor(*this, t.Chart("TblQwcurve2")); });
    AddItem(menu, "TipMovement1", QStringLiteral("Enter Tip &Movements"),
            [this, &t] { OpenTableEditor(*this, t.Plain("TblTipMove")); });
    AddItem(menu, "Topload1", QStringLiteral("Enter Loads at Pile &Head"),
            [this, &t] { OpenTableEditor(*this, t.Plain("TblTopload")); });
    AddItem(menu, "Settlements1", QStringLiteral("Enter Soil-&Settlement Data (for Downdrag)"),
            [this, &t] { OpenChartTableEditor(*this, t.Chart("TblSettlement2")); });
    AddItem(menu, "tzfactortable", QStringLiteral("Enter Modification Factors on t-z Curves"),
            [this, &t] { OpenChartTableEditor(*this, t.Chart("TblTZFactors2")); });
    AddItem(menu, "QwFactorTable", QStringLiteral("Enter Modification Factors on Q-w Curve"),
            [this] { OpenQwFactors(*this); });
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateDataMenu);
}

void TMainForm::CreateOptionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Options"));
    menu->setObjectName(QStringLiteral("Options"));

    QMenu* units = menu->addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("OptionsUnits"));
    unitGroup_ = new QActionGroup(this);
    QAction* english = AddItem(units, "EnglishUnits", QStringLiteral("&English Units (lb, in)"),
                               [this] { SetUnitSystem(usEnglish); });
    QAction* si = AddItem(units, "SIUnits", QStringLiteral("&S.I. Units (kN, m)"),
                          [this] { SetUnitSystem(usSI); });
    for (QAction* item : {english, si}) {
        item->setCheckable(true);
        unitGroup_->addAction(item);
    }
    connect(units, &QMenu::aboutToShow, this, &TMainForm::UpdateOptionsMenu);

    QMenu* curves = menu->addMenu(QStringLiteral("t-z/Q-w &Curves"));
    curves->setObjectName(QStringLiteral("PileSection1"));
    curveGroup_ = new QActionGroup(this);
    QAction* generated = AddItem(curves, "miCircular", QStringLiteral("Generated by the program"),
                                 [this] { SetCurvesGenerated(true); });
    QAction* entered = AddItem(curves, "miNonCircular", QStringLiteral("Entered by the user"),
                               [this] { SetCurvesGenerated(false); });
    for (QAction* item : {generated, entered}) {
        item->setCheckable(true);
        curveGroup_->addAction(item);
    }
    connect(curves, &QMenu::aboutToShow, this, &TMainForm::UpdateCurveItems);

    QMenu* loads = menu->addMenu(QStringLiteral("Load &Method"));
    loads->setObjectName(QStringLiteral("LoadMethod1"));
    const auto flip = [this](bool TProgramFields::*option) {
        return [this, option] {
            Project().SetOption(option, !(Project().*option));
            UpdateOptionsMenu();
        };
    };
    AddItem(loads, "SpecifyTipMovements1", QStringLiteral("Specify &Tip Movements"),
            flip(&TProgramFields::TipMovementsOn))
        ->setCheckable(true);
    AddItem(loads, "AssignLoadsatPileHead1", QStringLiteral("Assign &Loads at Pile Head"),
            flip(&TProgramFields::HeadLoadsOn))
        ->setCheckable(true);
    connect(loads, &QMenu::aboutToShow, this, &TMainForm::UpdateOptionsMenu);

    AddItem(menu, "Downdrag1", QStringLiteral("Include &Down-Drag (negative Skin Friction)"),
            flip(&TProgramFields::DowndragOn))
        ->setCheckable(true);
    AddItem(menu, "ApplyFactors", QStringLiteral("Apply Modification Factors on t-z Curves"),
            flip(&TProgramFields::TZFactorsOn))
        ->setCheckable(true);
    AddItem(menu, "ApplyQwFactors", QStringLiteral("Apply Modification Factors on Q-w Curve"),
            flip(&TProgramFields::QWFactorsOn))
        ->setCheckable(true);
    AddItem(menu, "CompText", QStringLiteral("Selection of Text &Editor ..."),
            [this] { OpenControlOptions(*this); });
    reportAfterRunItem_ = AddItem(
        menu, "ShowReportAfterRun", QStringLiteral("Show Output &Report after Each Run"), [this] {
            settings_.ShowReportAfterRun = reportAfterRunItem_->isChecked();
            WriteSettings();
        });
    reportAfterRunItem_->setCheckable(true);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        DeactivateActiveChild();
        UpdateOptionsMenu();
    });
}

void TMainForm::CreateComputationMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Computation"));
    menu->setObjectName(QStringLiteral("Computation"));
    AddItem(menu, "CompRun", QStringLiteral("&Run Analysis"), [this] { CompRunClick(); });
    AddItem(menu, "CompInput", QStringLiteral("Edit &Input Text"), [this] { CompInputClick(); });
    AddItem(menu, "CompKernel", QStringLiteral("Edit &Processor-Run Notes"),
            [this] { CompKernelClick(); });
    AddItem(menu, "CompOutput", QStringLiteral("Edit &Output Text"), [this] { CompOutputClick(); });
    viewReportItem_ = AddItem(menu, "ViewReport", QStringLiteral("Vie&w Output Report"),
                              [this] { ViewReportClick(); });
    resultsSummaryItem_ = AddItem(menu, "ResultsSummary", QStringLiteral("Results &Summary"),
                                  [this] { ResultsSummaryClick(); });
    resultsSummaryItem_->setIcon(ToolIcon(TToolIcon::ResultsSummary));
    resultsSummaryItem_->setStatusTip(QStringLiteral("Results Summary"));
    AddItem(menu, "ViewSoilLayerCoordinates1", QStringLiteral("&View Soil Layer Coordinates"),
            [this] { ViewSoilProfile(); });
    AddItem(menu, "EditGRLWeapDataFile1", QStringLiteral("Edit &GRLWeap Data File"), [this] {
        EditGRLWeapDataFileClick();
    })->setVisible(false);
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateComputationMenu);
}

void TMainForm::CreateGraphicsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Graphics"));
    menu->setObjectName(QStringLiteral("Graphics"));
    AddItem(menu, "mLoad", QStringLiteral("Load &Distribution"),
            [this] { OpenPlot(plots_.pltLoad); });
    AddItem(menu, "mAxial", QStringLiteral("&Axial Load vs Settlement"),
            [this] { OpenPlot(plots_.pltAxial); });
    AddItem(menu, "mtzcurves", QStringLiteral("t-&z Curves (side friction)"),
            [this] { OpenPlot(plots_.pltTZcurves); });
    AddItem(menu, "mTip", QStringLiteral("Q-&w Curve (tip resistance)"),
            [this] { OpenPlot(plots_.PltQW); });
    // Declared for plots that the engine does not write; never shown.
    AddItem(menu, "mUSkin", QStringLiteral("&Unit Skin Friction vs Depth"), [this] {
        OpenPlot(plots_.pltUSkin);
    })->setVisible(false);
    AddItem(menu, "mSkin", QStringLiteral("&Accumulated Skin Friction vs Depth"), [this] {
        OpenPlot(plots_.pltSkin);
    })->setVisible(false);
    AddItem(menu, "mExtraTZ", QStringLiteral("&Extra t-z curves at User-Specified Depths"), [this] {
        OpenPlot(plots_.PltExtraTZ);
    })->setVisible(false);
    AddItem(menu, "ExportExcel", QStringLiteral("Export Plots to Excel"),
            [this] { ShowExportDialog(*this); });
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateGraphicsMenu);
}

void TMainForm::CreateWindowMenu() {
    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
    windowMenu_->setObjectName(QStringLiteral("Window"));
    AddItem(windowMenu_, "WindowCascade", QStringLiteral("&Cascade"),
            [this] { mdiArea_->cascadeSubWindows(); });
    AddItem(windowMenu_, "WindowTile", QStringLiteral("&Tile"),
            [this] { mdiArea_->tileSubWindows(); });
    AddItem(windowMenu_, "WindowArrange", QStringLiteral("&Arrange Icons"), [this] {
        // Minimised children in a row along the bottom edge.
        int x = 0;
        for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
            if (!child->isMinimized()) continue;
            const QSize size = child->size();
            child->move(x, mdiArea_->viewport()->height() - size.height());
            x += size.width();
        }
    });
    windowSeparator_ = windowMenu_->addSeparator();
    windowSeparator_->setObjectName(QStringLiteral("N3"));
    windowSeparator_->setVisible(false);
    for (int i = 0; i < kWindowItems; ++i) {
        const QByteArray name = "WindowItem" + QByteArray::number(i + 1);
        QAction* item = AddItem(windowMenu_, name.constData(), QString(), [this, i] {
            const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
            if (i >= children.size()) return;
            if (children.at(i)->isMinimized()) children.at(i)->showNormal();
            mdiArea_->setActiveSubWindow(children.at(i));
        });
        item->setVisible(false);
        windowItems_.append(item);
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::UpdateWindowMenu);
}

void TMainForm::CreateHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
    menu->setObjectName(QStringLiteral("Help"));
    AddItem(menu, "HelpContents", QStringLiteral("&Contents"),
            [this] { OpenHelp(*this, THelpTopic::Contents); });
    AddItem(menu, "UsersManual1", QStringLiteral("User's Manual"),
            [this] { OpenHelp(*this, THelpTopic::UsersManual); });
    AddItem(menu, "TechnicalManual1", QStringLiteral("Technical Manual"),
            [this] { OpenHelp(*this, THelpTopic::TechnicalManual); });
    AddItem(menu, "HelpAbout", QStringLiteral("&About..."), [this] { ShowAbout(); });
    AddItem(menu, "CheckforUpdates1", QStringLiteral("Check for Updates"), [this] {
        CheckForUpdates();
    })->setVisible(!updateBaseAddress_.isEmpty());
    // The entries are stored (or answered) as for the other menus, but help stays in reach.
    connect(menu, &QMenu::aboutToShow, this, [this] { AcceptOpenEntries(*mdiArea_); });
}

void TMainForm::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    TMainTables& t = tables_;
    AddToolButton("SpeedButton2", QStringLiteral("New File"), ToolIcon(TToolIcon::NewFile),
                  [this] { FileNewClick(); });
    AddToolButton("SpeedButton1", QStringLiteral("Open File"), ToolIcon(TToolIcon::OpenFile),
                  [this] { FileOpenClick(); });
    AddToolButton("SpeedButton3", QStringLiteral("Save File"), ToolIcon(TToolIcon::SaveFile),
                  [this] { FileSaveClick(); });
    bar->addSeparator();
    AddToolButton("SpeedButton4", QStringLiteral("Run Analysis"), ToolIcon(TToolIcon::Run),
                  [this] { CompRunClick(); });
    bar->addSeparator();
    AddToolButton("SpeedButton7", QStringLiteral("Soil-Layer Data"),
                  ToolIcon(TToolIcon::SoilLayers),
                  [this, &t] { OpenChartTableEditor(*this, t.Chart("D2")); });
    AddToolButton("SpeedButton5", QStringLiteral("Edit Output Text"),
                  ToolIcon(TToolIcon::OutputText), [this] { CompOutputClick(); });
    bar->addAction(resultsSummaryItem_);
    AddToolButton("SpeedButton6", QStringLiteral("View Soil Profile"),
                  ToolIcon(TToolIcon::SoilProfile), [this] { ViewSoilProfile(); });
    bar->addSeparator();
    AddToolButton("SpeedButton8", QStringLiteral("View Load Distribution Plot"),
                  ToolIcon(TToolIcon::LoadDistribution), [this] { OpenPlot(plots_.pltLoad); });
    AddToolButton("SpeedButton10", QStringLiteral("View Load vs Settlement"),
                  ToolIcon(TToolIcon::LoadSettlement), [this] { OpenPlot(plots_.pltAxial); });
    AddToolButton("SpeedButton9", QStringLiteral("View t-z Curves"), ToolIcon(TToolIcon::TZCurves),
                  [this] { OpenPlot(plots_.pltTZcurves); });
    AddToolButton("SpeedButton11", QStringLiteral("View Q-w Curve"), ToolIcon(TToolIcon::QWCurve),
                  [this] { OpenPlot(plots_.PltQW); });
}

void TMainForm::Guarded(const std::function<void()>& command, bool needsAcceptedEntries) {
    if (needsAcceptedEntries && !AcceptOpenEntries(*mdiArea_)) return;
    try {
        command();
    } catch (const EInputOutputError& e) {
        messages_.error(QStringLiteral("Error"), e.Message());
    } catch (const std::exception& e) {
        messages_.error(QStringLiteral("Error"), QString::fromUtf8(e.what()));
    }
}

// ---- States ----

bool TMainForm::OutputReportExists() const {
    return QFileInfo::exists(ReportFileName(project_->FileName));
}

bool TMainForm::ResultsAvailable() const {
    return plotsLoaded_ && QFileInfo::exists(PlotFileName(project_->FileName));
}

bool TMainForm::SummaryAvailable() const {
    return runSucceeded_ && ResultsAvailable() && !project_->Modified();
}

void TMainForm::CheckSpeedButtons() {
    // The soil layers exist only for generated curves: their editor and view with them.
    const bool generated = project_->CurvesGenerated;
    for (const char* name : {"SpeedButton7", "SpeedButton6", "ViewSoilLayerCoordinates1"}) {
        Item(*this, name)->setEnabled(generated);
    }
    Item(*this, "SpeedButton5")->setEnabled(OutputReportExists());
    const bool results = ResultsAvailable();
    for (const char* name : {"SpeedButton8", "SpeedButton10", "SpeedButton9", "SpeedButton11"}) {
        Item(*this, name)->setEnabled(results);
    }
    resultsSummaryItem_->setEnabled(SummaryAvailable());
}

void TMainForm::SetWindowTitle() {
    setWindowTitle(MainWindowTitle(project_->FileName, project_->ReadIncomplete()));
}

void TMainForm::UpdateFileMenu() {
    DeactivateActiveChild();
    const QString folder = QDir::currentPath();
    const TRecentFiles& recent = settings_.RecentFiles;
    for (int i = 0; i < recentItems_.size(); ++i) {
        const bool shown = i < recent.Count();
        recentItems_[i]->setVisible(shown);
        if (shown) recentItems_[i]->setText(RecentFileCaption(i + 1, recent.Entry(i), folder));
    }
    recentSeparator_->setVisible(recent.Count() > 0);
}

void TMainForm::UpdateDataMenu() {
    DeactivateActiveChild();
    const TProgramData& p = *project_;
    Item(*this, "PileProperties1")->setEnabled(!p.CurvesGenerated);
    Item(*this, "SoilParameters1")->setEnabled(!p.CurvesGenerated);
    Item(*this, "SoilLayerCoordinates1")->setEnabled(p.CurvesGenerated);
    Item(*this, "Settlements1")->setEnabled(p.DowndragOn);
    Item(*this, "TipMovement1")->setEnabled(p.TipMovementsOn);
    Item(*this, "Topload1")->setEnabled(p.HeadLoadsOn);
    Item(*this, "tzfactortable")->setEnabled(p.TZFactorsOn);
    Item(*this, "QwFactorTable")->setEnabled(p.QWFactorsOn);
}

void TMainForm::UpdateOptionsMenu() {
    const TProgramData& p = *project_;
    Item(*this, "Downdrag1")->setChecked(p.DowndragOn);
    Item(*this, "SpecifyTipMovements1")->setChecked(p.TipMovementsOn);
    Item(*this, "AssignLoadsatPileHead1")->setChecked(p.HeadLoadsOn);
    Item(*this, "ApplyFactors")->setChecked(p.TZFactorsOn);
    Item(*this, "ApplyQwFactors")->setChecked(p.QWFactorsOn);
    reportAfterRunItem_->setChecked(settings_.ShowReportAfterRun);
    Item(*this, "EnglishUnits")->setChecked(p.UnitSystem == usEnglish);
    Item(*this, "SIUnits")->setChecked(p.UnitSystem == usSI);
    UpdateCurveItems();
}

void TMainForm::UpdateCurveItems() {
    const bool generated = project_->CurvesGenerated;
    Item(*this, "miCircular")->setChecked(generated);
    Item(*this, "miNonCircular")->setChecked(!generated);
    Item(*this, "SoilLayerCoordinates1")->setEnabled(generated);
    Item(*this, "PileProperties1")->setEnabled(!generated);
    Item(*this, "SoilParameters1")->setEnabled(!generated);
}

void TMainForm::UpdateComputationMenu() {
    DeactivateActiveChild();
    const QString& name = project_->FileName;
    Item(*this, "CompInput")->setEnabled(QFileInfo::exists(name));
    Item(*this, "CompKernel")->setEnabled(QFileInfo::exists(NotesFileName(name)));
    Item(*this, "CompOutput")->setEnabled(OutputReportExists());
    viewReportItem_->setEnabled(OutputReportExists());
    resultsSummaryItem_->setEnabled(SummaryAvailable());
}

void TMainForm::UpdateGraphicsMenu() {
    const bool results = ResultsAvailable();
    for (const char* name :
         {"mLoad", "mAxial", "mtzcurves", "mTip", "mUSkin", "mSkin", "mExtraTZ", "ExportExcel"}) {
        Item(*this, name)->setEnabled(results);
    }
}

void TMainForm::UpdateWindowMenu() {
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    windowSeparator_->setVisible(!children.isEmpty());
    for (int i = 0; i < windowItems_.size(); ++i) {
        const bool shown = i < children.size();
        windowItems_[i]->setVisible(shown);
        if (shown) windowItems_[i]->setText(children.at(i)->windowTitle());
    }
}

// ---- Option toggles ----

void TMainForm::SetUnitSystem(int system) {
    project_->SetUnitSystem(system);
    UpdateOptionsMenu();
    ReactivateUnitDialogs();
    emit UnitSystemChanged(project_->UnitSystem);
}

void TMainForm::ReactivateUnitDialogs() {
    // The dialogs that show project numbers load them again in the new units.
    for (const char* key : {kPilePropertiesKey, kQwFactorsKey}) {
        InvokeHandler(SingleChild(QLatin1String(key)), "FormActivate");
    }
}

void TMainForm::SetCurvesGenerated(bool generated) {
    project_->SetOption(&TProgramFields::CurvesGenerated, generated);
    UpdateCurveItems();
    CheckSpeedButtons();
}

// ---- Child windows ----

QMdiSubWindow* TMainForm::ShowChild(QWidget* window) {
    QMdiSubWindow* child = mdiArea_->addSubWindow(window);
    child->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    mdiArea_->setActiveSubWindow(child);
    return child;
}

QWidget* TMainForm::SingleChild(const QString& key) const {
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (child->property(kChildKeyProperty).toString() == key) return child->widget();
    }
    return nullptr;
}

void TMainForm::ShowSingleChild(const QString& key, const std::function<QWidget*()>& create) {
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (child->property(kChildKeyProperty).toString() != key) continue;
        if (child->isMinimized()) child->showNormal();
        mdiArea_->setActiveSubWindow(child);
        return;
    }
    QMdiSubWindow* child = ShowChild(create());
    child->setProperty(kChildKeyProperty, key);
}

bool TMainForm::CloseChildWindows() {
    mdiArea_->closeAllSubWindows();
    // A child that refused to close is still listed and visible.
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (child->isVisible()) return false;
    }
    return true;
}

bool TMainForm::DeactivateActiveChild() {
    if (AcceptOpenEntries(*mdiArea_)) return true;
    // A menu opened over a rejected entry closes again, so that none of its commands acts; the
    // window with the entry has its message and the focus.
    QTimer::singleShot(0, this, [this] {
        for (int depth = 0; depth < 4; ++depth) {
            QWidget* popup = QApplication::activePopupWidget();
            if (popup == nullptr) break;
            popup->close();
        }
        // A menu opened by its access key leaves the menu bar holding the keyboard: Escape
        // hands it back to the field.
        if (menuBar()->hasFocus()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(menuBar(), &escape);
        }
    });
    return false;
}

// ---- Window events ----

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_ || event->spontaneous()) return;
    shownBefore_ = true;
    ReadSettings();
    OpenCommandLineFile();
}

}  // namespace keldar
