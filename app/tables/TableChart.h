// The chart-preview data table. Besides the plain table's behaviour it streams six chart
// parameters after its columns, keeps the settings of its chart window and, when a row's item
// changes, carries the row's numbers into the new sub-table instead of discarding them.
#pragma once

#include <cstdint>
#include <memory>

#include "ColumnTypesChart.h"
#include "GridTable.h"

namespace keldar {

// The six chart parameters, streamed after the columns of a chart table.
struct TChartParameters {
    bool ShowChart = false;
    bool SegmentDrawing = false;
    std::int32_t XColumn = 0;
    std::int32_t YColumn = 0;
    std::int32_t SecondXColumn = 0;
    std::int32_t SecondYColumn = 0;
    bool operator==(const TChartParameters&) const = default;
};

class TGridTableChart : public TGridTable {
  public:
    explicit TGridTableChart(TTableRegistry& registry)
        : TGridTable(registry, TTableFamily::Chart) {}

    TGridTableChart* AsChart() override { return this; }
    const TGridTableChart* AsChart() const override { return this; }
    bool KeepsNumbersOnNewItem() const override { return true; }

    bool GetDataFromFile() const { return fGetDataFromFile; }
    void SetGetDataFromFile(bool on) { fGetDataFromFile = on; }
    bool OKCancelButtons() const { return fOKCancelButtons; }
    void SetOKCancelButtons(bool on) { fOKCancelButtons = on; }
    bool InvertedXAxis() const { return fInvertedXAxis; }
    void SetInvertedXAxis(bool on) { fInvertedXAxis = on; }
    bool InvertedYAxis() const { return fInvertedYAxis; }
    void SetInvertedYAxis(bool on) { fInvertedYAxis = on; }
    const TChartParameters& ChartParameters() const { return fChart; }
    void SetChartParameters(const TChartParameters& parameters) { fChart = parameters; }

  protected:
    std::unique_ptr<TGridTable> NewOfSameKind() const override;
    void WriteTrailer(TDefinitionWriter& writer) const override;
    void ReadTrailer(TDefinitionReader& reader) override;

  private:
    bool fGetDataFromFile = false;
    bool fOKCancelButtons = false;
    bool fInvertedXAxis = false;
    bool fInvertedYAxis = false;
    TChartParameters fChart;
};

using TTableChartEvents = TTableEvents;

}  // namespace keldar
