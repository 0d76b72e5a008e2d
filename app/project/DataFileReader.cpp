#include "DataFileReader.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "DataFileNumbers.h"
#include "EntryErrors.h"
#include "MainTableColumns.h"
#include "ProgramData.h"
#include "SoilCode.h"
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

// How the rows of a list stand in the file: all in one record that may run over several lines,
// or one record (starting on its own line) per row.
enum class TRowRecords { OneRecord, OnePerRow };

// The word reader with what this read found: the records' line rule, the numbers that saving
// would change and the tables filled from the file.
class TRecordReader {
  public:
    TRecordReader(TWordReader& words, TDataFileReading& reading)
        : fWords(words), fReading(reading) {}

    TWordReader& Words() { return fWords; }
    TUnkeptValues& Unkept() { return fReading.Unkept; }
    void TableRead(const TRowObject& table) { fReading.TablesRead.insert(&table); }

    void BeginRecord() {
        const int line = fWords.LineIndex() + 1;
        const QStringList passed = fWords.BeginRecord();
        if (!passed.isEmpty()) Unkept().WordsNotRead(line, passed);
    }
    int Integer() { return fWords.ReadInteger(); }
    // A number written back in the general form.
    long double Real() {
        const long double value = fWords.ReadFloat();
        Check(FormatDataReal(value));
        return value;
    }
    // A layer depth, written back in the fixed scientific form.
    long double Depth() {
        const long double value = fWords.ReadFloat();
        Check(FormatFixedScientific(value));
        return value;
    }
    // A value that the project does not keep: it writes the placeholder there.
    void Placeholder(const char* what) {
        fWords.ReadFloat();
        if (!SameForTheAnalysis(LastWord(), kPlaceholder)) {
            Unkept().Placeholder(Line(), fWords.WordIndex(), QString::fromLatin1(what),
                                 fWords.LastWord());
        }
    }
    std::string LastWord() const { return fWords.LastWord().toStdString(); }
    int Line() const { return fWords.LineIndex() + 1; }

  private:
    void Check(const std::string& written) {
        const std::string asRead = LastWord();
        if (!SameForTheAnalysis(asRead, written)) {
            // A word that the analysis cannot read at all is no number that saving changes.
            float ignored = 0;
            if (!AnalysisReal(asRead, ignored)) return;
            Unkept().Number(Line(), fWords.WordIndex(), QString::fromStdString(asRead),
                            QString::fromStdString(written));
        }
    }

    TWordReader& fWords;
    TDataFileReading& fReading;
};

// Fills count rows of the table, column by column, in the file's record layout.
template <class Table>
void FillRows(TRecordReader& in, Table& table, int count, std::initializer_list<int> columns,
              TRowRecords records) {
    table.SetRowCount(count);
    if (records == TRowRecords::OneRecord && count > 0) in.BeginRecord();
    for (int row = 0; row < count; ++row) {
        if (records == TRowRecords::OnePerRow) in.BeginRecord();
        for (int column : columns) table.Cell(column, row).SetFloat(in.Real());
    }
}

// A count record and its rows. A list's option is on exactly when the file gives it rows, also
// when the rows are cut short.
template <class Table>
void ReadRows(TRecordReader& in, Table& table, std::initializer_list<int> columns,
              TRowRecords records, bool* option = nullptr) {
    in.BeginRecord();
    const TRowCount count(in.Integer(), table);
    if (option) *option = count.Rows() >= 1;
    // A list switched off by its count of 0 is not the file's: it gets its minimum rows.
    if (!option || *option) in.TableRead(table);
    FillRows(in, table, count.Rows(), columns, records);
    count.CheckAllRead();
}

// A count that the file gives the table: the table is the file's and gets the rows that fit.
TRowCount ReadRowCount(TRecordReader& in, TGridTable& table) {
    const TRowCount count(in.Integer(), table);
    in.TableRead(table);
    table.SetRowCount(count.Rows());
    return count;
}

void ReadEnteredCurves(TRecordReader& in, const TMainTables& tables) {
    TGridTableChart& depths = tables.Chart("TblTZDepth2");
    in.BeginRecord();
    const TRowCount curves = ReadRowCount(in, depths);
    for (int k = 0; k < curves.Rows(); ++k) {
        in.BeginRecord();
        in.Integer();  // curve number: the curves are numbered again in their order
        depths.Cell(CurveDepthColumn::Depth, k).SetFloat(in.Real());
        TGridTable* curve = depths.Cell(CurveDepthColumn::Curve, k).GetTable();
        if (!curve) throw std::logic_error("t-z curve table missing");
        const TRowCount points = ReadRowCount(in, *curve);
        FillRows(in, *curve, points.Rows(), {CurvePointColumn::Load, CurvePointColumn::Movement},
                 TRowRecords::OnePerRow);
        points.CheckAllRead();
    }
    curves.CheckAllRead();
}

// The soil type picks the row's clay or sand table; a code with no soil type is an error of the
// file at that word.
void SetSoilType(TRecordReader& in, TGridTableChart& layers, int row) {
    const int code = in.Integer();
    try {
        layers.Cell(SoilLayerColumn::SoilType, row).SetInteger(code);
    } catch (const EAssignError& e) {
        throw EInputOutputError(QStringLiteral("Error on Line %1 Item %2\r%3")
                                    .arg(in.Line())
                                    .arg(in.Words().WordIndex())
                                    .arg(QString::fromUtf8(e.what())));
    }
}

// The project has no layer top: layer 1 starts at the ground surface and every other layer at
// the bottom of the one above. Tops read elsewhere are reported, as the analysis places the
// layer's curves between its top and bottom.
void CheckLayerTops(TRecordReader& in, const TGridTableChart& layers,
                    const std::vector<std::string>& tops) {
    for (int k = 0; k < static_cast<int>(tops.size()); ++k) {
        const long double kept =
            k == 0 ? 0.0L : layers.Cell(SoilLayerColumn::Bottom, k - 1).GetFloat();
        const std::string written =
            k == 0 ? std::string(kPlaceholder) : FormatFixedScientific(kept);
        if (!SameForTheAnalysis(tops[k], written)) {
            in.Unkept().LayerTop(k + 1, QString::fromStdString(tops[k]),
                                 QString::fromStdString(FormatDataReal(kept)));
        }
    }
}

void ReadLayers(TRecordReader& in, const TMainTables& tables) {
    TGridTableChart& layers = tables.Chart("D2");
    in.BeginRecord();
    const TRowCount count = ReadRowCount(in, layers);
    std::vector<std::string> tops;
    for (int k = 0; k < count.Rows(); ++k) {
        in.BeginRecord();
        in.Integer();  // layer number: the layers are numbered again in their order
        SetSoilType(in, layers, k);
        in.Words().ReadFloat();
        tops.push_back(in.LastWord());
        layers.Cell(SoilLayerColumn::Bottom, k).SetFloat(in.Depth());
    }
    count.CheckAllRead();
    CheckLayerTops(in, layers, tops);

    for (int k = 0; k < count.Rows(); ++k) {
        TGridTable* data = layers.Cell(SoilLayerColumn::LayerData, k).GetTable();
        if (!data) throw std::logic_error("Layer data table missing");
        in.TableRead(*data);
        data->SetIndexNumber(k + 1);
        data->SetRowCount(data->MinRows());
        const bool clay = IsClayCode(layers.Cell(SoilLayerColumn::SoilType, k).GetInteger());
        for (int row = 0; row < data->RowCount(); ++row) {
            const auto set = [&](int column, long double value) {
                data->Cell(column, row).SetFloat(value);
            };
            in.BeginRecord();
            using namespace LayerDataColumn;
            set(UnitWeight, in.Real());
            if (clay) {
                set(ShearStrength, in.Real());
                in.Placeholder("friction angle of a clay layer");
                set(E50, in.Real());
                set(FrictionAngle, 0);
                set(BlowCount, 0);
            } else {
                in.Placeholder("undrained shear strength of a sand layer");
                set(FrictionAngle, in.Real());
                set(BlowCount, in.Real());
                set(ShearStrength, 0);
                set(E50, 0);
            }
            set(SideFriction, in.Real());
            set(TipResistance, in.Real());
        }
    }
}

// Records 12 and 13. An option is on exactly when its value is above 0, as the engine takes it:
// an option left on without its rows or multipliers would be saved with zero factors.
void ReadFactors(TRecordReader& in, TProgramData& project) {
    in.BeginRecord();
    project.TZFactorsOn = in.Integer() > 0;
    if (project.TZFactorsOn) {
        ReadRows(in, project.Tables().Chart("TblTZFactors2"),
                 {TZFactorColumn::Depth, TZFactorColumn::TMultiplier, TZFactorColumn::ZMultiplier},
                 TRowRecords::OnePerRow);
    }
    in.BeginRecord();
    project.QWFactorsOn = in.Integer() > 0;
    if (project.QWFactorsOn) {
        in.BeginRecord();
        project.QMultiplier = in.Real();
        project.WMultiplier = in.Real();
    }
}

// The title is record 1 as it stands; it is written in UTF-8.
void CheckTitle(TRecordReader& in, const QString& title) {
    const bool eightBit =
        std::any_of(title.begin(), title.end(), [](QChar c) { return c.unicode() > 0x7f; });
    if (in.Words().HadByteOrderMark() || (in.Words().DecodedAsLatin1() && eightBit)) {
        in.Unkept().TitleBytes();
    }
}

}  // namespace

void ReadDataFile(TProgramData& project, TWordReader& reader, bool withFactorRecords,
                  TDataFileReading& reading) {
    const TMainTables& tables = project.Tables();
    TRecordReader in(reader, reading);
    project.Title = reader.ReadLine();
    CheckTitle(in, project.Title);
    in.BeginRecord();
    project.IncrementCount = in.Integer();
    project.OutputOption = in.Integer();
    // Applied at once, so that the numbers read next are taken as they stand.
    const int units = in.Integer();
    project.SetUnitSystem(units);
    if (project.UnitSystem != units) in.Unkept().UnitSystem(units, project.UnitSystem);

    // The analysis generates the curves for any mode but 1, from the soil layers that follow.
    in.BeginRecord();
    project.CurvesGenerated = in.Integer() != cmEntered;
    project.CurveMode = CurveModeOf(project.CurvesGenerated);
    if (project.CurvesGenerated) {
        ReadLayers(in, tables);
    } else {
        ReadEnteredCurves(in, tables);
    }

    // Stiffness first, then depth, all pairs in one record.
    ReadRows(in, tables.Chart("TblAE2"), {StiffnessColumn::AxialStiffness, StiffnessColumn::Depth},
             TRowRecords::OneRecord);
    if (!project.CurvesGenerated) {
        ReadRows(in, tables.Chart("TblQwcurve2"),
                 {CurvePointColumn::Load, CurvePointColumn::Movement}, TRowRecords::OneRecord);
    }
    in.BeginRecord();
    project.Tolerance = in.Real();
    project.PileLength = in.Real();
    project.OuterDiameter = in.Real();
    project.TipArea = in.Real();

    ReadRows(in, tables.Plain("TblTipMove"), {kOnlyColumn}, TRowRecords::OneRecord,
             &project.TipMovementsOn);
    ReadRows(in, tables.Plain("TblTopload"), {kOnlyColumn}, TRowRecords::OnePerRow,
             &project.HeadLoadsOn);
    ReadRows(in, tables.Chart("TblSettlement2"),
             {SettlementColumn::Depth, SettlementColumn::Settlement}, TRowRecords::OnePerRow,
             &project.DowndragOn);

    in.BeginRecord();
    if (withFactorRecords || reader.WordsLeft() > 0) {
        ReadFactors(in, project);
        in.BeginRecord();
    }
    // The analysis reads nothing after the last record.
    if (reader.WordsLeft() > 0) {
        QStringList rest = {reader.NextWord()};
        const int line = in.Line();
        while (reader.WordsLeft() > 0) rest.append(reader.NextWord());
        in.Unkept().WordsNotRead(line, rest);
    }
}

}  // namespace keldar
