#include "TableChart.h"

namespace keldar {

std::unique_ptr<TGridTable> TGridTableChart::NewOfSameKind() const {
    auto table = std::make_unique<TGridTableChart>(Registry());
    table->fChart = fChart;
    table->fGetDataFromFile = fGetDataFromFile;
    table->fOKCancelButtons = fOKCancelButtons;
    table->fInvertedXAxis = fInvertedXAxis;
    table->fInvertedYAxis = fInvertedYAxis;
    return table;
}

void TGridTableChart::WriteTrailer(TDefinitionWriter& writer) const {
    writer.WriteBoolean(fChart.ShowChart);
    writer.WriteBoolean(fChart.SegmentDrawing);
    writer.WriteInteger(fChart.XColumn);
    writer.WriteInteger(fChart.YColumn);
    writer.WriteInteger(fChart.SecondXColumn);
    writer.WriteInteger(fChart.SecondYColumn);
    writer.BreakLine();
}

void TGridTableChart::ReadTrailer(TDefinitionReader& reader) {
    try {
        TChartParameters chart;
        chart.ShowChart = reader.ReadBoolean();
        chart.SegmentDrawing = reader.ReadBoolean();
        chart.XColumn = reader.ReadInteger();
        chart.YColumn = reader.ReadInteger();
        chart.SecondXColumn = reader.ReadInteger();
        chart.SecondYColumn = reader.ReadInteger();
        fChart = chart;
    } catch (const EDefinitionError&) {
        throw ETableError("Error reading graphic parameters");
    }
}

}  // namespace keldar
