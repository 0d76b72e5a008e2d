#include "DataFileWriter.h"

#include <stdexcept>
#include <string>

#include "DataFileNumbers.h"
#include "MainTableColumns.h"
#include "ProgramData.h"
#include "SoilCode.h"

namespace keldar {

namespace {

// Collects the records; every line ends with CR LF whatever the platform.
class TRecordWriter {
  public:
    void Line(const std::string& text) {
        fText += text;
        fText += "\r\n";
    }
    // A count of an optional list: the plain count when on, " 0" when off.
    void OptionCount(bool on, int count) { Line(on ? std::to_string(count) : " 0"); }
    QByteArray Text() const { return QByteArray::fromStdString(fText); }

  private:
    std::string fText;
};

template <class Table>
std::string Value(const Table& table, int column, int row) {
    return FormatDataReal(table.Cell(column, row).GetFloat());
}

// One record per row: the given columns in the given order, separated by blanks.
template <class Table>
void WriteRows(TRecordWriter& out, const Table& table, std::initializer_list<int> columns) {
    for (int row = 0; row < table.RowCount(); ++row) {
        std::string text;
        for (int column : columns) {
            if (!text.empty()) text += ' ';
            text += Value(table, column, row);
        }
        out.Line(text);
    }
}

// Record 1 is the whole first line: a line break inside the title would shift every record.
// A zero-width no-break space (U+FEFF) at its start would open the file with the bytes of a byte
// order mark, which every reader passes over: it is left out, so the file reads back as written.
std::string TitleLine(const QString& title) {
    QString line = title;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    while (line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
    return line.toUtf8().toStdString();
}

void WriteEnteredCurves(TRecordWriter& out, const TMainTables& tables) {
    const TGridTableChart& depths = tables.Chart("TblTZDepth2");
    out.Line(std::to_string(depths.RowCount()));
    for (int k = 0; k < depths.RowCount(); ++k) {
        const TGridTable* curve = depths.Cell(CurveDepthColumn::Curve, k).GetTable();
        if (!curve) throw std::logic_error("t-z curve table missing");
        out.Line(std::to_string(k + 1) + " " + Value(depths, CurveDepthColumn::Depth, k) + " " +
                 std::to_string(curve->RowCount()));
        WriteRows(out, *curve, {CurvePointColumn::Load, CurvePointColumn::Movement});
    }
}

void WriteLayers(TRecordWriter& out, const TMainTables& tables) {
    const TGridTableChart& layers = tables.Chart("D2");
    out.Line(std::to_string(layers.RowCount()));
    for (int k = 0; k < layers.RowCount(); ++k) {
        // Layer 1 starts at the ground surface; every other layer where the one above ends.
        const auto bottom = [&layers](int row) {
            return FormatFixedScientific(layers.Cell(SoilLayerColumn::Bottom, row).GetFloat());
        };
        const std::string top = k == 0 ? std::string(kPlaceholder) : bottom(k - 1);
        const int code = layers.Cell(SoilLayerColumn::SoilType, k).GetInteger();
        out.Line(std::to_string(k + 1) + " " + std::to_string(code) + " " + top + " " + bottom(k));
    }
    const std::string placeholder = std::string(kPlaceholder) + "  ";
    for (int k = 0; k < layers.RowCount(); ++k) {
        TGridTable* data = layers.Cell(SoilLayerColumn::LayerData, k).GetTable();
        if (!data) throw std::logic_error("Layer data table missing");
        data->SetIndexNumber(k + 1);
        data->SetRowCount(data->MinRows());
        // Clay writes shear strength and e50, sand friction angle and blows.
        const bool clay = IsClayCode(layers.Cell(SoilLayerColumn::SoilType, k).GetInteger());
        for (int row = 0; row < data->RowCount(); ++row) {
            using namespace LayerDataColumn;
            const auto v = [&](int column) { return Value(*data, column, row) + " "; };
            const std::string strength = clay ? v(ShearStrength) + placeholder + v(E50)
                                              : placeholder + v(FrictionAngle) + v(BlowCount);
            out.Line(v(UnitWeight) + strength + v(SideFriction) + Value(*data, TipResistance, row));
        }
    }
}

}  // namespace

QByteArray DataFileText(TProgramData& project) {
    const TMainTables& tables = project.Tables();
    TRecordWriter out;
    out.Line(TitleLine(project.Title));
    out.Line(std::to_string(project.IncrementCount) + " " + std::to_string(project.OutputOption) +
             " " + std::to_string(project.UnitSystem));
    project.CurveMode = CurveModeOf(project.CurvesGenerated);
    out.Line(std::to_string(project.CurveMode) + " ");

    if (project.CurveMode == cmEntered) {
        WriteEnteredCurves(out, tables);
    } else {
        WriteLayers(out, tables);
    }

    const TGridTableChart& stiffness = tables.Chart("TblAE2");
    out.Line(std::to_string(stiffness.RowCount()));
    WriteRows(out, stiffness, {StiffnessColumn::AxialStiffness, StiffnessColumn::Depth});
    if (project.CurveMode == cmEntered) {
        const TGridTableChart& tip = tables.Chart("TblQwcurve2");
        out.Line(std::to_string(tip.RowCount()));
        WriteRows(out, tip, {CurvePointColumn::Load, CurvePointColumn::Movement});
    }
    out.Line(FormatDataReal(project.Tolerance) + " " + FormatDataReal(project.PileLength) + " " +
             FormatDataReal(project.OuterDiameter) + " " + FormatDataReal(project.TipArea));

    // Off lists write " 0": the engine then takes its default tip movements.
    const TGridTable& movements = tables.Plain("TblTipMove");
    out.OptionCount(project.TipMovementsOn, movements.RowCount());
    if (project.TipMovementsOn) WriteRows(out, movements, {kOnlyColumn});
    const TGridTable& loads = tables.Plain("TblTopload");
    out.OptionCount(project.HeadLoadsOn, loads.RowCount());
    if (project.HeadLoadsOn) WriteRows(out, loads, {kOnlyColumn});
    const TGridTableChart& settlement = tables.Chart("TblSettlement2");
    out.OptionCount(project.DowndragOn, settlement.RowCount());
    if (project.DowndragOn)
        WriteRows(out, settlement, {SettlementColumn::Depth, SettlementColumn::Settlement});

    out.Line(project.TZFactorsOn ? " 1" : " 0");
    if (project.TZFactorsOn) {
        const TGridTableChart& factors = tables.Chart("TblTZFactors2");
        out.Line(std::to_string(factors.RowCount()));
        WriteRows(
            out, factors,
            {TZFactorColumn::Depth, TZFactorColumn::TMultiplier, TZFactorColumn::ZMultiplier});
    }
    out.Line(project.QWFactorsOn ? " 1" : " 0");
    if (project.QWFactorsOn) {
        out.Line(FormatDataReal(project.QMultiplier) + " " + FormatDataReal(project.WMultiplier));
    }
    return out.Text();
}

}  // namespace keldar
