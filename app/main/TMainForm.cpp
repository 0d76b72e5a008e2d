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
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "ChildWindows.h"
#include "DataWindow.h"
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

// A command's button on the tool bar: the menu item's own action, with the button's icon and
// hint. The menus show text only.
void AddToolButton(QToolBar& bar, QAction* action, const QString& hint, TToolIcon icon) {
    action->setIcon(ToolIcon(icon));
    action->setIconVisibleInMenu(false);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    bar.addAction(action);
}

// The Window and Help menus neither read nor change the project: their commands run whatever the
// windows' entries hold (help is wanted most just then).
bool NeedsAcceptedEntries(const QAction& action) {
    const auto* menu = qobject_cast<const QMenu*>(action.parent());
    return menu == nullptr || (menu->objectName() != QLatin1String("Window") &&
                               menu->objectName() != QLatin1String("Help"));
}

// Of the two items one is checked at a time.
void MakeExclusive(QObject& owner, QAction* one, QAction* other) {
    auto* group = new QActionGroup(&owner);
    group->addAction(one);
    group->addAction(other);
}

}  // namespace

TMainForm::TMainForm(const Services& services, QString commandLineFile, QWidget* parent)
    : QMainWindow(parent),
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

QAction* TMainForm::AddCheckItem(QMenu* menu, const char* name, const QString& caption,
                                 const std::function<void()>& command) {
    QAction* action = AddItem(menu, name, caption, command);
    action->setCheckable(true);
    return action;
}

QAction* TMainForm::AddHiddenItem(QMenu* menu, const char* name, const QString& caption,
                                  const std::function<void()>& command) {
    QAction* action = AddItem(menu, name, caption, command);
    action->setVisible(false);
    return action;
}

QMenu* TMainForm::AddSubMenu(QMenu& parent, const char* name, const QString& caption) {
    QMenu* sub = parent.addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    ShowStatesOnOpening(*sub, TMenuEntries::AsTheyAre);
    return sub;
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
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
    menu->setObjectName(QStringLiteral("File"));
    TMainActions& a = actions_;
    a.FileNew = AddItem(
        menu, "FileNew", QStringLiteral("&New"), [this] { FileNewClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_N));
    a.FileNewFromCpt = AddItem(menu, "FileNewFromCpt", QStringLiteral("New Project from &CPT…"),
                               [this] { FileNewFromCptClick(); });
    a.FileOpen = AddItem(
        menu, "FileOpen", QStringLiteral("&Open..."), [this] { FileOpenClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_O));
    a.FileSave = AddItem(
        menu, "FileSave", QStringLiteral("&Save"), [this] { FileSaveClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    a.FileSaveAs =
        AddItem(menu, "FileSaveAs", QStringLiteral("Save &As..."), [this] { FileSaveAsClick(); });
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    for (int i = 0; i < TRecentFiles::kCapacity; ++i) {
        const QByteArray name = "RecentFile" + QByteArray::number(i + 1);
        a.RecentFiles.append(
            AddHiddenItem(menu, name.constData(), QString(), [this, i] { OpenRecentFile(i); }));
    }
    a.N14 = menu->addSeparator();
    a.N14->setObjectName(QStringLiteral("N14"));
    a.N14->setVisible(false);
    a.FileExit = AddItem(menu, "FileExit", QStringLiteral("E&xit"), [this] { FileExitClick(); });
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateFileMenu);
}

void TMainForm::CreateDataMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Data"));
    menu->setObjectName(QStringLiteral("Data"));
    // The commands that open one of the project's tables, with its chart or alone.
    const auto chartEditor = [this](const char* table) {
        return [this, table] { OpenTableEditor(*this, tables_.Chart(table)); };
    };
    const auto tableEditor = [this](const char* table) {
        return [this, table] { OpenTableEditor(*this, tables_.Plain(table)); };
    };
    TMainActions& a = actions_;
    a.DataTitle =
        AddItem(menu, "DataTitle", QStringLiteral("&Title"), [this] { OpenTitleDialog(*this); });
    a.material = AddItem(menu, "material", QStringLiteral("&Pile Properties"),
                         [this] { OpenPileProperties(*this); });
    a.SoilLayerCoordinates1 =
        AddItem(menu, "SoilLayerCoordinates1", QStringLiteral("Soil &Layers"), chartEditor("D2"));
    a.SoilParameters1 = AddItem(menu, "SoilParameters1", QStringLiteral("Enter t-&z Curves"),
                                chartEditor("TblTZDepth2"));
    a.PileProperties1 = AddItem(menu, "PileProperties1", QStringLiteral("Enter Q-&w Curve"),
                                chartEditor("TblQwcurve2"));
    a.TipMovement1 = AddItem(menu, "TipMovement1", QStringLiteral("Enter Tip &Movements"),
                             tableEditor("TblTipMove"));
    a.Topload1 = AddItem(menu, "Topload1", QStringLiteral("Enter Loads at Pile &Head"),
                         tableEditor("TblTopload"));
    a.Settlements1 =
        AddItem(menu, "Settlements1", QStringLiteral("Enter Soil-&Settlement Data (for Downdrag)"),
                chartEditor("TblSettlement2"));
    a.tzfactortable =
        AddItem(menu, "tzfactortable", QStringLiteral("Enter Modification Factors on t-z Curves"),
                chartEditor("TblTZFactors2"));
    a.QwFactorTable =
        AddItem(menu, "QwFactorTable", QStringLiteral("Enter Modification Factors on Q-w Curve"),
                [this] { OpenQwFactors(*this); });
    ShowStatesOnOpening(*menu, TMenuEntries::Stored);
}

void TMainForm::CreateOptionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Options"));
    menu->setObjectName(QStringLiteral("Options"));
    CreateUnitsMenu(*menu);
    CreateCurvesMenu(*menu);
    TMainActions& a = actions_;
    QMenu* loads = AddSubMenu(*menu, "LoadMethod1", QStringLiteral("Load &Method"));
    const auto flip = [this](bool TProgramFields::*option) {
        return [this, option] {
            Project().SetOption(option, !(Project().*option));
            CheckSpeedButtons();
        };
    };
    a.SpecifyTipMovements1 =
        AddCheckItem(loads, "SpecifyTipMovements1", QStringLiteral("Specify &Tip Movements"),
                     flip(&TProgramFields::TipMovementsOn));
    a.AssignLoadsatPileHead1 =
        AddCheckItem(loads, "AssignLoadsatPileHead1", QStringLiteral("Assign &Loads at Pile Head"),
                     flip(&TProgramFields::HeadLoadsOn));

    a.Downdrag1 = AddCheckItem(menu, "Downdrag1",
                               QStringLiteral("Include &Down-Drag (negative Skin Friction)"),
                               flip(&TProgramFields::DowndragOn));
    a.ApplyFactors = AddCheckItem(menu, "ApplyFactors",
                                  QStringLiteral("Apply Modification Factors on t-z Curves"),
                                  flip(&TProgramFields::TZFactorsOn));
    a.ApplyQwFactors = AddCheckItem(menu, "ApplyQwFactors",
                                    QStringLiteral("Apply Modification Factors on Q-w Curve"),
                                    flip(&TProgramFields::QWFactorsOn));
    a.CompText = AddItem(menu, "CompText", QStringLiteral("Selection of Text &Editor ..."),
                         [this] { OpenControlOptions(*this); });
    a.ShowReportAfterRun = AddCheckItem(
        menu, "ShowReportAfterRun", QStringLiteral("Show Output &Report after Each Run"), [this] {
            settings_.ShowReportAfterRun = !settings_.ShowReportAfterRun;
            WriteSettings();
            CheckSpeedButtons();
        });
    ShowStatesOnOpening(*menu, TMenuEntries::Stored);
}

void TMainForm::CreateUnitsMenu(QMenu& options) {
    QMenu* units = AddSubMenu(options, "OptionsUnits", QStringLiteral("&Units"));
    actions_.EnglishUnits =
        AddCheckItem(units, "EnglishUnits", QStringLiteral("&English Units (lb, in)"),
                     [this] { SetUnitSystem(usEnglish); });
    actions_.SIUnits = AddCheckItem(units, "SIUnits", QStringLiteral("&S.I. Units (kN, m)"),
                                    [this] { SetUnitSystem(usSI); });
    MakeExclusive(*this, actions_.EnglishUnits, actions_.SIUnits);
}

void TMainForm::CreateCurvesMenu(QMenu& options) {
    QMenu* curves = AddSubMenu(options, "PileSection1", QStringLiteral("t-z/Q-w &Curves"));
    actions_.miCircular =
        AddCheckItem(curves, "miCircular", QStringLiteral("Generated by the program"),
                     [this] { SetCurvesGenerated(true); });
    actions_.miNonCircular =
        AddCheckItem(curves, "miNonCircular", QStringLiteral("Entered by the user"),
                     [this] { SetCurvesGenerated(false); });
    MakeExclusive(*this, actions_.miCircular, actions_.miNonCircular);
}

void TMainForm::CreateComputationMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Computation"));
    menu->setObjectName(QStringLiteral("Computation"));
    TMainActions& a = actions_;
    a.CompRun =
        AddItem(menu, "CompRun", QStringLiteral("&Run Analysis"), [this] { CompRunClick(); });
    a.CompInput = AddItem(menu, "CompInput", QStringLiteral("Edit &Input Text"),
                          [this] { CompInputClick(); });
    a.CompKernel = AddItem(menu, "CompKernel", QStringLiteral("Edit &Processor-Run Notes"),
                           [this] { CompKernelClick(); });
    a.CompOutput = AddItem(menu, "CompOutput", QStringLiteral("Edit &Output Text"),
                           [this] { CompOutputClick(); });
    a.ViewReport = AddItem(menu, "ViewReport", QStringLiteral("Vie&w Output Report"),
                           [this] { ViewReportClick(); });
    a.ResultsSummary = AddItem(menu, "ResultsSummary", QStringLiteral("Results &Summary"),
                               [this] { ResultsSummaryClick(); });
    a.ViewSoilLayerCoordinates1 =
        AddItem(menu, "ViewSoilLayerCoordinates1", QStringLiteral("&View Soil Layer Coordinates"),
                [this] { ViewSoilProfile(); });
    a.EditGRLWeapDataFile1 =
        AddHiddenItem(menu, "EditGRLWeapDataFile1", QStringLiteral("Edit &GRLWeap Data File"),
                      [this] { EditGRLWeapDataFileClick(); });
    ShowStatesOnOpening(*menu, TMenuEntries::Stored);
}

void TMainForm::CreateGraphicsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Graphics"));
    menu->setObjectName(QStringLiteral("Graphics"));
    // The commands that open a plot's window.
    const auto plotWindow = [this](TGraphPlot& plot) { return [this, &plot] { OpenPlot(plot); }; };
    TMainActions& a = actions_;
    a.mLoad =
        AddItem(menu, "mLoad", QStringLiteral("Load &Distribution"), plotWindow(plots_.pltLoad));
    a.mAxial = AddItem(menu, "mAxial", QStringLiteral("&Axial Load vs Settlement"),
                       plotWindow(plots_.pltAxial));
    a.mtzcurves = AddItem(menu, "mtzcurves", QStringLiteral("t-&z Curves (side friction)"),
                          plotWindow(plots_.pltTZcurves));
    a.mTip = AddItem(menu, "mTip", QStringLiteral("Q-&w Curve (tip resistance)"),
                     plotWindow(plots_.PltQW));
    // Declared for plots that the engine does not write; never shown.
    a.mUSkin = AddHiddenItem(menu, "mUSkin", QStringLiteral("&Unit Skin Friction vs Depth"),
                             plotWindow(plots_.pltUSkin));
    a.mSkin = AddHiddenItem(menu, "mSkin", QStringLiteral("&Accumulated Skin Friction vs Depth"),
                            plotWindow(plots_.pltSkin));
    a.mExtraTZ = AddHiddenItem(menu, "mExtraTZ",
                               QStringLiteral("&Extra t-z curves at User-Specified Depths"),
                               plotWindow(plots_.PltExtraTZ));
    a.ExportExcel = AddItem(menu, "ExportExcel", QStringLiteral("Export Plots to Excel"),
                            [this] { ShowExportDialog(*this); });
    ShowStatesOnOpening(*menu, TMenuEntries::AsTheyAre);
}

void TMainForm::CreateWindowMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Window"));
    menu->setObjectName(QStringLiteral("Window"));
    TMainActions& a = actions_;
    a.WindowCascade = AddItem(menu, "WindowCascade", QStringLiteral("&Cascade"),
                              [this] { mdiArea_->cascadeSubWindows(); });
    a.WindowTile = AddItem(menu, "WindowTile", QStringLiteral("&Tile"),
                           [this] { mdiArea_->tileSubWindows(); });
    a.WindowArrange = AddItem(menu, "WindowArrange", QStringLiteral("&Arrange Icons"),
                              [this] { ArrangeIcons(); });
    a.N3 = menu->addSeparator();
    a.N3->setObjectName(QStringLiteral("N3"));
    a.N3->setVisible(false);
    for (int i = 0; i < kWindowItems; ++i) {
        const QByteArray name = "WindowItem" + QByteArray::number(i + 1);
        a.WindowItems.append(
            AddHiddenItem(menu, name.constData(), QString(), [this, i] { ActivateChild(i); }));
    }
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateWindowMenu);
}

void TMainForm::ArrangeIcons() {
    // Minimised children in a row along the bottom edge.
    int x = 0;
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (!child->isMinimized()) continue;
        const QSize size = child->size();
        child->move(x, mdiArea_->viewport()->height() - size.height());
        x += size.width();
    }
}

void TMainForm::ActivateChild(int index) {
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    if (index >= children.size()) return;
    if (children.at(index)->isMinimized()) children.at(index)->showNormal();
    mdiArea_->setActiveSubWindow(children.at(index));
}

void TMainForm::CreateHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
    menu->setObjectName(QStringLiteral("Help"));
    TMainActions& a = actions_;
    a.HelpContents = AddItem(menu, "HelpContents", QStringLiteral("&Contents"),
                             [this] { OpenHelp(*this, THelpTopic::Contents); });
    a.UsersManual1 = AddItem(menu, "UsersManual1", QStringLiteral("User's Manual"),
                             [this] { OpenHelp(*this, THelpTopic::UsersManual); });
    a.TechnicalManual1 = AddItem(menu, "TechnicalManual1", QStringLiteral("Technical Manual"),
                                 [this] { OpenHelp(*this, THelpTopic::TechnicalManual); });
    a.HelpAbout = AddItem(menu, "HelpAbout", QStringLiteral("&About..."), [this] { ShowAbout(); });
    a.CheckforUpdates1 = AddItem(menu, "CheckforUpdates1", QStringLiteral("Check for Updates"),
                                 [this] { CheckForUpdates(); });
    a.CheckforUpdates1->setVisible(!updateBaseAddress_.isEmpty());
    // The entries are stored (or answered) as for the other menus, but help stays in reach.
    connect(menu, &QMenu::aboutToShow, this, [this] { AcceptOpenEntries(*mdiArea_); });
}

void TMainForm::ShowStatesOnOpening(QMenu& menu, TMenuEntries entries) {
    connect(&menu, &QMenu::aboutToShow, this, [this, entries] {
        if (entries == TMenuEntries::Stored) DeactivateActiveChild();
        CheckSpeedButtons();
    });
}

void TMainForm::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    const TMainActions& a = actions_;
    AddToolButton(*bar, a.FileNew, QStringLiteral("New File"), TToolIcon::NewFile);
    AddToolButton(*bar, a.FileOpen, QStringLiteral("Open File"), TToolIcon::OpenFile);
    AddToolButton(*bar, a.FileSave, QStringLiteral("Save File"), TToolIcon::SaveFile);
    bar->addSeparator();
    AddToolButton(*bar, a.CompRun, QStringLiteral("Run Analysis"), TToolIcon::Run);
    bar->addSeparator();
    AddToolButton(*bar, a.SoilLayerCoordinates1, QStringLiteral("Soil-Layer Data"),
                  TToolIcon::SoilLayers);
    AddToolButton(*bar, a.CompOutput, QStringLiteral("Edit Output Text"), TToolIcon::OutputText);
    AddToolButton(*bar, a.ResultsSummary, QStringLiteral("Results Summary"),
                  TToolIcon::ResultsSummary);
    // The one button whose icon the menu has shown from the start.
    a.ResultsSummary->setIconVisibleInMenu(true);
    AddToolButton(*bar, a.ViewSoilLayerCoordinates1, QStringLiteral("View Soil Profile"),
                  TToolIcon::SoilProfile);
    bar->addSeparator();
    AddToolButton(*bar, a.mLoad, QStringLiteral("View Load Distribution Plot"),
                  TToolIcon::LoadDistribution);
    AddToolButton(*bar, a.mAxial, QStringLiteral("View Load vs Settlement"),
                  TToolIcon::LoadSettlement);
    AddToolButton(*bar, a.mtzcurves, QStringLiteral("View t-z Curves"), TToolIcon::TZCurves);
    AddToolButton(*bar, a.mTip, QStringLiteral("View Q-w Curve"), TToolIcon::QWCurve);
}
void TMainForm::Guarded(const std::function<void()>& command, bool needsAcceptedEntries) {
    if (needsAcceptedEntries && !AcceptOpenEntries(*mdiArea_)) return;
    try {
        command();
    } catch (const EInputOutputError& e) {
        desktop_.error(QStringLiteral("Error"), e.Message());
    } catch (const std::exception& e) {
        desktop_.error(QStringLiteral("Error"), QString::fromUtf8(e.what()));
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
    const TProgramData& p = *project_;
    const TMainActions& a = actions_;
    // The soil layers exist only for generated curves: their editor and view with them, the
    // entered curves' tables otherwise.
    const bool generated = p.CurvesGenerated;
    a.miCircular->setChecked(generated);
    a.miNonCircular->setChecked(!generated);
    a.SoilLayerCoordinates1->setEnabled(generated);
    a.ViewSoilLayerCoordinates1->setEnabled(generated);
    a.SoilParameters1->setEnabled(!generated);
    a.PileProperties1->setEnabled(!generated);
    // Each option with the table that it brings into the analysis.
    const auto option = [](QAction* toggle, QAction* table, bool on) {
        toggle->setChecked(on);
        table->setEnabled(on);
    };
    option(a.SpecifyTipMovements1, a.TipMovement1, p.TipMovementsOn);
    option(a.AssignLoadsatPileHead1, a.Topload1, p.HeadLoadsOn);
    option(a.Downdrag1, a.Settlements1, p.DowndragOn);
    option(a.ApplyFactors, a.tzfactortable, p.TZFactorsOn);
    option(a.ApplyQwFactors, a.QwFactorTable, p.QWFactorsOn);
    a.EnglishUnits->setChecked(p.UnitSystem == usEnglish);
    a.SIUnits->setChecked(p.UnitSystem == usSI);
    a.ShowReportAfterRun->setChecked(settings_.ShowReportAfterRun);
    // The project's files as they are on disk now.
    a.CompInput->setEnabled(QFileInfo::exists(p.FileName));
    a.CompKernel->setEnabled(QFileInfo::exists(NotesFileName(p.FileName)));
    const bool report = OutputReportExists();
    a.CompOutput->setEnabled(report);
    a.ViewReport->setEnabled(report);
    a.ResultsSummary->setEnabled(SummaryAvailable());
    const bool results = ResultsAvailable();
    for (QAction* plot :
         {a.mLoad, a.mAxial, a.mtzcurves, a.mTip, a.mUSkin, a.mSkin, a.mExtraTZ, a.ExportExcel}) {
        plot->setEnabled(results);
    }
}

void TMainForm::SetWindowTitle() {
    setWindowTitle(MainWindowTitle(project_->FileName, project_->ReadIncomplete()));
}

void TMainForm::UpdateFileMenu() {
    DeactivateActiveChild();
    const QString folder = QDir::currentPath();
    const TRecentFiles& recent = settings_.RecentFiles;
    const QList<QAction*>& items = actions_.RecentFiles;
    for (int i = 0; i < items.size(); ++i) {
        const bool shown = i < recent.Count();
        items[i]->setVisible(shown);
        if (shown) items[i]->setText(RecentFileCaption(i + 1, recent.Entry(i), folder));
    }
    actions_.N14->setVisible(recent.Count() > 0);
}

void TMainForm::UpdateWindowMenu() {
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    actions_.N3->setVisible(!children.isEmpty());
    const QList<QAction*>& items = actions_.WindowItems;
    for (int i = 0; i < items.size(); ++i) {
        const bool shown = i < children.size();
        items[i]->setVisible(shown);
        if (shown) items[i]->setText(children.at(i)->windowTitle());
    }
}

// ---- Option toggles ----

void TMainForm::SetUnitSystem(int system) {
    project_->SetUnitSystem(system);
    CheckSpeedButtons();
    ReactivateUnitDialogs();
}

void TMainForm::ReactivateUnitDialogs() {
    // The data windows load the project's numbers again, in the new units.
    for (QMdiSubWindow* child : mdiArea_->subWindowList()) {
        if (auto* window = qobject_cast<TDataWindow*>(child->widget())) window->FormActivate();
    }
}

void TMainForm::SetCurvesGenerated(bool generated) {
    project_->SetOption(&TProgramFields::CurvesGenerated, generated);
    CheckSpeedButtons();
}

// ---- Child windows ----

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
