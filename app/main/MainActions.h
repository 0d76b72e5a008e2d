// The main window's commands: one action each, in its menu and, for the commands that have a
// button, on the tool bar as well, so that a menu item and its button cannot disagree. Each
// action keeps the name of its menu item.
#pragma once

#include <QList>

class QAction;

namespace keldar {

struct TMainActions {
    // File
    QAction* FileNew = nullptr;  // the New File button too
    QAction* FileNewFromCpt = nullptr;
    QAction* FileOpen = nullptr;  // Open File
    QAction* FileSave = nullptr;  // Save File
    QAction* FileSaveAs = nullptr;
    QList<QAction*> RecentFiles;  // newest first
    QAction* N14 = nullptr;       // separator after the recent files
    QAction* FileExit = nullptr;

    // Data
    QAction* DataTitle = nullptr;
    QAction* material = nullptr;
    QAction* SoilLayerCoordinates1 = nullptr;  // Soil-Layer Data
    QAction* SoilParameters1 = nullptr;
    QAction* PileProperties1 = nullptr;
    QAction* TipMovement1 = nullptr;
    QAction* Topload1 = nullptr;
    QAction* Settlements1 = nullptr;
    QAction* tzfactortable = nullptr;
    QAction* QwFactorTable = nullptr;

    // Options
    QAction* EnglishUnits = nullptr;
    QAction* SIUnits = nullptr;
    QAction* miCircular = nullptr;
    QAction* miNonCircular = nullptr;
    QAction* SpecifyTipMovements1 = nullptr;
    QAction* AssignLoadsatPileHead1 = nullptr;
    QAction* Downdrag1 = nullptr;
    QAction* ApplyFactors = nullptr;
    QAction* ApplyQwFactors = nullptr;
    QAction* CompText = nullptr;
    QAction* ShowReportAfterRun = nullptr;

    // Computation
    QAction* CompRun = nullptr;  // Run Analysis
    QAction* CompInput = nullptr;
    QAction* CompKernel = nullptr;
    QAction* CompOutput = nullptr;  // Edit Output Text
    QAction* ViewReport = nullptr;
    QAction* ResultsSummary = nullptr;
    QAction* ViewSoilLayerCoordinates1 = nullptr;  // View Soil Profile
    QAction* EditGRLWeapDataFile1 = nullptr;

    // Graphics
    QAction* mLoad = nullptr;      // View Load Distribution Plot
    QAction* mAxial = nullptr;     // View Load vs Settlement
    QAction* mtzcurves = nullptr;  // View t-z Curves
    QAction* mTip = nullptr;       // View Q-w Curve
    QAction* mUSkin = nullptr;
    QAction* mSkin = nullptr;
    QAction* mExtraTZ = nullptr;
    QAction* ExportExcel = nullptr;

    // Window
    QAction* WindowCascade = nullptr;
    QAction* WindowTile = nullptr;
    QAction* WindowArrange = nullptr;
    QAction* N3 = nullptr;  // separator before the window items
    QList<QAction*> WindowItems;

    // Help
    QAction* HelpContents = nullptr;
    QAction* UsersManual1 = nullptr;
    QAction* TechnicalManual1 = nullptr;
    QAction* HelpAbout = nullptr;
    QAction* CheckforUpdates1 = nullptr;
};

}  // namespace keldar
