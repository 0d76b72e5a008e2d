#include "ProjectFromCpt.h"

#include <stdexcept>

#include "MainTableColumns.h"

namespace keldar::cpt {
namespace {

void FillCurveTable(TGridTable& table, const Curve& curve, double scale) {
    table.SetRowCount(static_cast<int>(curve.size()));
    for (int row = 0; row < table.RowCount(); ++row) {
        table.Cell(CurvePointColumn::Load, row).SetFloat(curve[row].t * scale);
        table.Cell(CurvePointColumn::Movement, row).SetFloat(curve[row].z);
    }
}

void FillEnteredCurves(const TMainTables& tables, const PileDesign& design) {
    TGridTableChart& depths = tables.Chart("TblTZDepth2");
    depths.SetRowCount(static_cast<int>(design.curves.size()));
    for (int k = 0; k < depths.RowCount(); ++k) {
        depths.Cell(CurveDepthColumn::Depth, k).SetFloat(design.curves[k].depth);
        TGridTable* curve = depths.Cell(CurveDepthColumn::Curve, k).GetTable();
        if (!curve) throw std::logic_error("t-z curve table missing");
        FillCurveTable(*curve, design.curves[k].points, 1.0);
    }
    FillCurveTable(tables.Chart("TblQwcurve2"), design.baseCurve, 1.0);
}

void FillPileTables(const TMainTables& tables, const PileDesign& design, const PileGeometry& pile) {
    TGridTableChart& stiffness = tables.Chart("TblAE2");
    stiffness.SetRowCount(2);
    for (int row = 0; row < 2; ++row) {
        stiffness.Cell(StiffnessColumn::Depth, row).SetFloat(row == 0 ? 0.0 : pile.length);
        stiffness.Cell(StiffnessColumn::AxialStiffness, row).SetFloat(design.axialStiffness);
    }
    TGridTable& movements = tables.Plain("TblTipMove");
    movements.SetRowCount(static_cast<int>(design.tipMovements.size()));
    for (int row = 0; row < movements.RowCount(); ++row)
        movements.Cell(kOnlyColumn, row).SetFloat(design.tipMovements[row]);
}

}  // namespace

QString DefaultTitle(const CptRecord& record) {
    if (record.testId.empty()) return QStringLiteral("Pile from CPT");
    return QStringLiteral("Pile from CPT ") + QString::fromStdString(record.testId);
}

void FillProject(TProgramData& project, const PileDesign& design, const PileGeometry& pile,
                 const QString& title) {
    project.CreateNew();
    project.SetUnitSystem(usSI);
    project.Title = title;
    project.CurvesGenerated = false;
    project.TipMovementsOn = true;
    project.OuterDiameter = pile.diameter;
    project.PileLength = pile.length;
    project.TipArea = pile.GrossTipArea();
    FillEnteredCurves(project.Tables(), design);
    FillPileTables(project.Tables(), design, pile);
    project.SetModified(true);
}

}  // namespace keldar::cpt
