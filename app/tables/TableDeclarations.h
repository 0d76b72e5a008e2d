// The main window's data tables, created once from their declarations, one set per project:
// their templates are found among the set's own tables. Each declaration gives
// the table's name, its family, its properties and its column definition in the stream format of
// DefinitionStream.h:
//     table TblQwcurve2 chart
//         Identifier = 5
//         Caption = "Tip Load vs. Tip Movement"
//         MinRows = 2
//         Col = 2 ...
//     end
// The built-in declarations are MainTables.txt.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Table.h"
#include "TableChart.h"

namespace keldar {

class TMainTables {
  public:
    // Raises ETableError naming the line and the table of a bad declaration.
    static TMainTables FromText(std::string_view text);
    static TMainTables BuiltIn();
    static std::string_view BuiltInText();

    // Raise ETableError for an unknown name.
    TGridTableChart& Chart(std::string_view name) const;
    TGridTable& Plain(std::string_view name) const;

    // In declaration order.
    std::vector<TGridTableChart*> ChartTables() const;
    std::vector<TGridTable*> PlainTables() const;
    std::vector<std::string> Names() const;

    // Every table, sub-tables included.
    void SetUnits(int system);
    bool IsChanged() const;
    void SetChanged(bool changed);

  private:
    // Declared first, so that it outlives the tables it keeps. Held by pointer, so that the
    // tables keep it when the set is moved.
    std::unique_ptr<TTableRegistry> fRegistry = std::make_unique<TTableRegistry>();
    std::vector<std::pair<std::string, std::unique_ptr<TGridTableChart>>> fChart;
    std::vector<std::pair<std::string, std::unique_ptr<TGridTable>>> fPlain;
};

}  // namespace keldar
