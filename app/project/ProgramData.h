// The current project: its scalar settings and options, and the main window's data tables that
// hold its lists. Loaded from and saved to one data file (.kd3d; older .kdd files are read only).
#pragma once

#include <QString>
#include <cstdint>
#include <unordered_set>

#include "CurveMode.h"
#include "InputOutputError.h"
#include "TableDeclarations.h"
#include "UnitSystem.h"
#include "UserMessages.h"

namespace keldar {

inline constexpr char kNewProjectFileName[] = "NewKELDAR.kd3d";

// The scalar fields, with the values of a new project.
struct TProgramFields {
    TUnitSystem UnitSystem = usEnglish;
    QString FileName = QString::fromLatin1(kNewProjectFileName);
    QString GwiFileName;
    QString Title = QStringLiteral("New Pile");
    QString Designer;    // never saved
    QString DesignDate;  // never saved
    // 1 and 1 leave the tip curve as it is, so that switching the factors on changes nothing
    // until the user enters factors of his own.
    long double QMultiplier = 1;
    long double WMultiplier = 1;
    long double OuterDiameter = 0;
    long double PileLength = 0;
    long double TipArea = 0;
    long double Tolerance = 0.00001L;
    std::int32_t IncrementCount = 50;
    std::int32_t OutputOption = 0;       // carried from the file, never changed by the program
    TCurveMode CurveMode = cmGenerated;  // recomputed from CurvesGenerated at every save
    bool DowndragOn = false;
    bool TipMovementsOn = true;
    bool HeadLoadsOn = false;
    bool CurvesGenerated = true;
    bool TZFactorsOn = false;
    bool QWFactorsOn = false;
};

class TProgramData : public TProgramFields {
  public:
    // A new project. The tables outlive the project: every new or loaded project empties and
    // refills them.
    explicit TProgramData(TMainTables& tables);
    TProgramData(const TProgramData&) = delete;
    TProgramData& operator=(const TProgramData&) = delete;

    TMainTables& Tables() const { return *fTables; }

    // A new project: new-project fields, English units, every table at its minimum rows.
    void CreateNew();
    // Reads a data file; withFactorRecords says whether records 12 and 13 are present (false for
    // .kdd files). Every list keeps the rows the file gives it, however few; the lists the file
    // does not fill get their minimum rows. On a read failure the reader's message goes to an
    // information box, what was read stays and every table is filled to its minimum rows; the
    // project is then modified and ReadIncomplete, and false is returned. A file read completely
    // that holds values the project cannot keep (see TUnkeptValues) is opened all the same, with an
    // information box that names them, and the project is marked modified.
    bool LoadFromFile(const QString& fileName, bool withFactorRecords, UserMessages& messages);
    // Writes FileName and then creates the empty .gwi companion. The previous file is replaced
    // only after a complete write; a failure raises EInputOutputError and leaves the project
    // modified, GwiFileName unchanged and, when the data file failed, no companion written.
    void SaveToFile();
    // Switches the tables and converts the length scalars; n is clamped to 1 .. 2. A change of
    // system is an edit: it marks the project modified.
    void SetUnitSystem(int n);
    // Turns one of the on/off options (DowndragOn, TipMovementsOn, HeadLoadsOn, CurvesGenerated,
    // TZFactorsOn, QWFactorsOn) on or off; a change marks the project modified.
    void SetOption(bool TProgramFields::*option, bool on);

    // The project's flag or any table's changed flag.
    bool Modified() const;
    // false clears the flag and every table's changed flag; true sets only the flag.
    void SetModified(bool modified);

    // The project came from a file whose reading stopped early: that file holds more than the
    // project, so it must not be replaced unasked. Cleared by a new project, a complete read and
    // a successful save.
    bool ReadIncomplete() const { return fReadIncomplete; }

  private:
    // Every table empty and every field at its default, in the first unit system.
    void Clear();
    // Every table below its minimum rows is filled up to it, except those kept as read.
    void FillToMinimumRows(const std::unordered_set<const TRowObject*>& kept);

    TMainTables* fTables;
    bool fModified = false;
    bool fReadIncomplete = false;
};

// The file name with its last extension replaced, or extension appended when it has none.
QString ChangeFileExt(const QString& fileName, const QString& extension);
// The files that an analysis of the data file writes beside it: the output report, the plot data
// file and the run notes.
QString ReportFileName(const QString& dataFile);
QString PlotFileName(const QString& dataFile);
QString NotesFileName(const QString& dataFile);

}  // namespace keldar
