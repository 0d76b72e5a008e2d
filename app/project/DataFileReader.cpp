#include "DataFileReader.h"

#include <algorithm>
#include <stdexcept>

#include "EntryErrors.h"
#include "ProgramData.h"
#include "WordReader.h"

namespace keldar {

namespace {

[[noreturn]] void RaiseInvalid() { throw EInputOutputError(kIncompleteFileMessage); }

// Rows for a count read from the file: what fits the table. A count that does not fit is kept
// so that the file can be reported once the rows that fit are read.
class TRowCount {
  public:
    template <class Table>
    TRowCount(int count, const Table& table)
        : fCount(count), fRows(std::clamp(count, 0, table.MaxRows())) {}

    int Rows() const { return fRows; }
    void CheckAllRead() const {
        if (fRows != fCount) RaiseInvalid();
    }

  private:
    int fCount;
    int fRows;
};

// Reads a count, sizes the table by what fits and reads its rows column by column. A list's
// option is on exactly when the file gives it rows, also when the rows are cut short.
template <class Table>
void ReadRows(TWordReader& reader, Table& table, std::initializer_list<int> columns,
              bool* option = nullptr) {
    const TRowCount count(reader.ReadInteger(), table);
    if (option) *option = count.Rows() >= 1;
    table.SetRowCount(count.Rows());
    for (int row = 0; row < count.Rows(); ++row) {
        for (int column : columns) table.Cell(column, row).SetFloat(reader.ReadFloat());
    }
    count.CheckAllRead();
}

void ReadEnteredCurves(TWordReader& reader, const TMainTables& tables) {
    TGridTableChart& depths = tables.Chart("TblTZDepth2");
    const TRowCount curves(reader.ReadInteger(), depths);
    depths.SetRowCount(curves.Rows());
    for (int k = 0; k < curves.Rows(); ++k) {
        reader.ReadInteger();  // curve number
        depths.Cell(0, k).SetFloat(reader.ReadFloat());
        TGridTableChart* curve = depths.Cell(1, k).GetTable();
        if (!curve) throw std::logic_error("t-z curve table missing");
        ReadRows(reader, *curve, {0, 1});
    }
    curves.CheckAllRead();
}

// The soil type picks the row's clay or sand table; a code with no soil type is an error of the
// file at that word.
void SetSoilType(TWordReader& reader, TGridTableChart& layers, int row) {
    const int code = reader.ReadInteger();
    try {
        layers.Cell(0, row).SetInteger(code);
    } catch (const EAssignError& e) {
        throw EInputOutputError(QStringLiteral("Error on Line %1 Item %2\r%3")
                                    .arg(reader.LineIndex() + 1)
                                    .arg(reader.WordIndex())
                                    .arg(QString::fromUtf8(e.what())));
    }
}

void ReadLayers(TWordReader& reader, const TMainTables& tables) {
    TGridTableChart& layers = tables.Chart("D2");
    const TRowCount count(reader.ReadInteger(), layers);
    layers.SetRowCount(count.Rows());
    for (int k = 0; k < count.Rows(); ++k) {
        reader.ReadInteger();  // layer number
        SetSoilType(reader, layers, k);
        reader.ReadFloat();  // top: the bottom of the layer above
        layers.Cell(1, k).SetFloat(reader.ReadFloat());
    }
    count.CheckAllRead();

    for (int k = 0; k < count.Rows(); ++k) {
        TGridTableChart* data = layers.Cell(2, k).GetTable();
        if (!data) throw std::logic_error("Layer data table missing");
        data->SetIndexNumber(k + 1);
        data->SetRowCount(data->MinRows());
        const bool clay = layers.Cell(0, k).GetInteger() % 2 == 1;
        for (int row = 0; row < data->RowCount(); ++row) {
            const auto set = [&](int column, long double value) {
                data->Cell(column, row).SetFloat(value);
            };
            set(0, reader.ReadFloat());  // unit weight
            if (clay) {
                set(1, reader.ReadFloat());  // undrained shear strength
                reader.ReadFloat();          // placeholder
                set(2, reader.ReadFloat());  // e50
                set(3, 0);
                set(4, 0);
            } else {
                reader.ReadFloat();          // placeholder
                set(3, reader.ReadFloat());  // friction angle
                set(4, reader.ReadFloat());  // blow count
                set(1, 0);
                set(2, 0);
            }
            set(5, reader.ReadFloat());  // side friction
            set(6, reader.ReadFloat());  // tip resistance
        }
    }
}

// Records 12 and 13. An option is on exactly when its value is above 0, as the engine takes it:
// an option left on without its rows or multipliers would be saved with zero factors.
void ReadFactors(TWordReader& reader, TProgramData& project) {
    project.TZFactorsOn = reader.ReadInteger() > 0;
    if (project.TZFactorsOn) ReadRows(reader, project.Tables().Chart("TblTZFactors2"), {0, 1, 2});
    project.QWFactorsOn = reader.ReadInteger() > 0;
    if (project.QWFactorsOn) {
        project.QMultiplier = reader.ReadFloat();
        project.WMultiplier = reader.ReadFloat();
    }
}

}  // namespace

void ReadDataFile(TProgramData& project, TWordReader& reader, bool withFactorRecords) {
    const TMainTables& tables = project.Tables();
    project.Title = reader.ReadLine();
    project.IncrementCount = reader.ReadInteger();
    project.OutputOption = reader.ReadInteger();
    // Applied at once, so that the numbers read next are taken as they stand.
    project.SetUnitSystem(reader.ReadInteger());

    project.CurveMode = reader.ReadInteger();
    project.CurvesGenerated = project.CurveMode == 2;
    if (project.CurveMode == 1) {
        ReadEnteredCurves(reader, tables);
    } else if (project.CurveMode == 2) {
        ReadLayers(reader, tables);
    }

    ReadRows(reader, tables.Chart("TblAE2"), {1, 0});  // stiffness first, then depth
    if (project.CurveMode == 1) ReadRows(reader, tables.Chart("TblQwcurve2"), {0, 1});
    project.Tolerance = reader.ReadFloat();
    project.PileLength = reader.ReadFloat();
    project.OuterDiameter = reader.ReadFloat();
    project.TipArea = reader.ReadFloat();

    ReadRows(reader, tables.Plain("TblTipMove"), {0}, &project.TipMovementsOn);
    ReadRows(reader, tables.Plain("TblTopload"), {0}, &project.HeadLoadsOn);
    ReadRows(reader, tables.Chart("TblSettlement2"), {0, 1}, &project.DowndragOn);

    if (withFactorRecords || reader.WordsLeft() > 0) ReadFactors(reader, project);
}

}  // namespace keldar
