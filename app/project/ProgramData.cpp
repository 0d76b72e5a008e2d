#include "ProgramData.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>
#include <unordered_set>

#include "DataFileReader.h"
#include "DataFileWriter.h"
#include "RunFileNames.h"
#include "WordReader.h"

namespace keldar {

namespace {

// The table and the sub-tables of its rows, except the tables whose rows a file gave: those keep
// exactly the rows read, as a padding row would be a curve, a point or a factor that the
// analysis takes.
void FillToMinimum(TGridTable& table, const std::unordered_set<const TRowObject*>& kept) {
    if (!kept.contains(&table) && table.RowCount() < table.MinRows()) {
        table.SetRowCount(table.MinRows());
    }
    for (int c = 0; c < table.ColumnCount(); ++c) {
        const auto* buttons = ColumnAs<TTableColumn>(&table.ColumnAt(c));
        if (!buttons) continue;
        for (int row = 0; row < table.RowCount(); ++row) {
            if (TGridTable* sub = buttons->GetTable(row)) FillToMinimum(*sub, kept);
        }
    }
}

template <class Visit>
void ForEachTable(const TMainTables& tables, Visit visit) {
    for (TGridTableChart* table : tables.ChartTables()) visit(*table);
    for (TGridTable* table : tables.PlainTables()) visit(*table);
}

}  // namespace

QString ChangeFileExt(const QString& fileName, const QString& extension) {
    // A name from the Windows command line separates its folders with "\".
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return (dot > slash ? fileName.left(dot) : fileName) + extension;
}

QString ReportFileName(const QString& dataFile) {
    return ChangeFileExt(dataFile, QLatin1String(kReportExtension));
}

QString PlotFileName(const QString& dataFile) {
    return ChangeFileExt(dataFile, QLatin1String(kPlotExtension));
}

QString NotesFileName(const QString& dataFile) {
    return ChangeFileExt(dataFile, QLatin1String(kNotesExtension));
}

TProgramData::TProgramData(TMainTables& tables) : fTables(&tables) { CreateNew(); }

void TProgramData::CreateNew() {
    Clear();
    ForEachTable(Tables(), [](auto& table) { table.SetRowCount(table.MinRows()); });
    SetModified(false);
}

void TProgramData::Clear() {
    fReadIncomplete = false;
    ForEachTable(Tables(), [](auto& table) { table.CloseEditors(); });
    static_cast<TProgramFields&>(*this) = TProgramFields{};
    // Emptied before the unit system is set, so that no row is converted only to be dropped.
    ForEachTable(Tables(), [](auto& table) { table.SetRowCount(0); });
    SetUnitSystem(usEnglish);
}

bool TProgramData::LoadFromFile(const QString& fileName, bool withFactorRecords,
                                UserMessages& messages) {
    // The name may be our own FileName, which Clear resets. The tables start empty: the file
    // gives their rows, and lists it leaves short get their minimum rows after reading.
    const QString name = fileName;
    Clear();
    FileName = name;

    TDataFileReading reading;
    bool complete = false;
    try {
        TWordReader reader(name);
        ReadDataFile(*this, reader, withFactorRecords, reading);
        complete = true;
    } catch (const EInputOutputError& e) {
        messages.information(QStringLiteral("Information"), e.Message());
    } catch (...) {
        // Never left half-built, whatever went wrong.
        FillToMinimumRows({});
        SetModified(false);
        throw;
    }
    // A file read only in part is not the file any more: every list gets its minimum rows, and
    // the project differs from its file, so that leaving it asks to save it.
    FillToMinimumRows(complete ? reading.TablesRead : std::unordered_set<const TRowObject*>{});
    SetModified(!complete);
    fReadIncomplete = !complete;
    // Saving would change what the analysis reads: say so, and ask before leaving unsaved.
    if (complete && !reading.Unkept.IsEmpty()) {
        messages.information(QStringLiteral("Information"), reading.Unkept.Text());
        SetModified(true);
    }
    return complete;
}

void TProgramData::SaveToFile() {
    const QByteArray text = DataFileText(*this);

    // The old file is replaced only by a complete, flushed copy written beside it. Nothing else
    // is written when that fails, so that a failed save leaves nothing behind.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EInputOutputError(reason);
    }

    const QString companionName = ChangeFileExt(FileName, QStringLiteral(".gwi"));
    // A project saved under a ".gwi" name is its own companion: emptying it would lose it.
    if (QFileInfo(companionName) != QFileInfo(FileName)) {
        QFile companion(companionName);
        if (!companion.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw EInputOutputError(companion.errorString());
        }
    }
    GwiFileName = companionName;
    fReadIncomplete = false;
    SetModified(false);
}

void TProgramData::SetUnitSystem(int n) {
    const TUnitSystem system = n <= usEnglish ? usEnglish : usSI;  // n clamped to the two
    Tables().SetUnits(system);
    if (system == UnitSystem) return;
    const long double f = system == usEnglish ? kInchesPerMetre : 1.0L / kInchesPerMetre;
    PileLength *= f;
    OuterDiameter *= f;
    Tolerance *= f;
    TipArea *= f * f;
    UnitSystem = system;
    SetModified(true);
}

void TProgramData::SetOption(bool TProgramFields::*option, bool on) {
    if (this->*option == on) return;
    this->*option = on;
    SetModified(true);
}

bool TProgramData::Modified() const { return fModified || Tables().IsChanged(); }

void TProgramData::SetModified(bool modified) {
    if (modified) {
        fModified = true;
        return;
    }
    fModified = false;
    Tables().SetChanged(false);
}

void TProgramData::FillToMinimumRows(const std::unordered_set<const TRowObject*>& kept) {
    ForEachTable(Tables(), [&kept](auto& table) { FillToMinimum(table, kept); });
}

}  // namespace keldar
