#include "TableDeclarations.h"

#include <algorithm>

namespace keldar {

namespace {

template <class Table>
void ReadProperty(Table& table, const std::string& property, TDefinitionReader& reader) {
    if (property == "Identifier") {
        table.SetIdentifier(reader.ReadInteger());
    } else if (property == "Caption") {
        table.SetCaption(reader.ReadString());
    } else if (property == "Comments") {
        table.SetComments(reader.ReadString());
    } else if (property == "MinRows") {
        table.SetMinRows(reader.ReadInteger());
    } else if (property == "MaxRows") {
        table.SetMaxRows(reader.ReadInteger());
    } else if (property == "RowGroup") {
        table.SetRowGroup(reader.ReadInteger());
    } else if (property == "TopLeft") {
        table.SetTopLeft(reader.ReadString());
    } else if (property == "HelpPicture") {
        table.SetHelpPicture(reader.ReadString());
    } else if (property == "HardwiredButton") {
        table.SetHardwiredButton(reader.ReadBoolean());
    } else if (property == "Col") {
        table.ReadDefinition(reader);
    } else if constexpr (std::is_same_v<Table, TGridTableChart>) {
        if (property == "GetDataFromFile")
            table.SetGetDataFromFile(reader.ReadBoolean());
        else if (property == "OKCancelButtons")
            table.SetOKCancelButtons(reader.ReadBoolean());
        else if (property == "InvertedXAxis")
            table.SetInvertedXAxis(reader.ReadBoolean());
        else if (property == "InvertedYAxis")
            table.SetInvertedYAxis(reader.ReadBoolean());
        else
            throw ETableError("unknown property " + property);
    } else {
        throw ETableError("unknown property " + property);
    }
}

template <class Table>
std::unique_ptr<Table> ReadTable(TTableRegistry& registry, TDefinitionReader& reader) {
    auto table = std::make_unique<Table>(registry);
    // Declarations are read as a resource: MinRows below 1 becomes 1.
    table->SetLoading(true);
    for (;;) {
        const std::string property = reader.ReadWord();
        if (property == "end") break;
        if (reader.NextKind() != TValueKind::Word || reader.ReadWord() != "=")
            throw ETableError("\"=\" expected after " + property);
        ReadProperty(*table, property, reader);
    }
    table->SetLoading(false);
    return table;
}

template <class Entries>
auto* Find(const Entries& entries, std::string_view name) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [name](const auto& entry) { return entry.first == name; });
    return it == entries.end() ? nullptr : it->second.get();
}

}  // namespace

TMainTables TMainTables::FromText(std::string_view text) {
    TMainTables tables;
    TDefinitionReader reader(text);
    for (;;) {
        int line = 0;
        std::string name;
        try {
            // A malformed token between declarations is as much a bad declaration as one
            // inside them.
            if (reader.NextKind() == TValueKind::End) break;
            line = reader.Line();
            if (reader.ReadWord() != "table") throw ETableError("\"table\" expected");
            name = reader.ReadWord();
            if (Find(tables.fChart, name) || Find(tables.fPlain, name))
                throw ETableError("declared twice");
            const std::string family = reader.ReadWord();
            if (family == "chart")
                tables.fChart.emplace_back(name,
                                           ReadTable<TGridTableChart>(*tables.fRegistry, reader));
            else if (family == "plain")
                tables.fPlain.emplace_back(name, ReadTable<TGridTable>(*tables.fRegistry, reader));
            else
                throw ETableError("family must be plain or chart, not " + family);
        } catch (const std::exception& e) {
            if (line == 0) throw ETableError(std::string("Table declarations: ") + e.what());
            throw ETableError("Table declaration at line " + std::to_string(line) +
                              (name.empty() ? "" : " (" + name + ")") + ": " + e.what());
        }
    }
    return tables;
}

// What the analysis refuses or cannot use is refused in the cell where it is typed.
struct ColumnEntryRange {
    const char* table;
    int column;
    TEntryRange range;
};

static std::vector<ColumnEntryRange> MainEntryRanges() {
    std::vector<ColumnEntryRange> ranges = {
        // The engine stops when the stiffness between two rows is not above 0.
        {"TblAE2", 1, AboveZero()},
        // A load that is not above 0 is never matched: the search reports no convergence.
        {"TblTopload", 0, AboveZero()},
    };
    // Soil properties are magnitudes. The Coyle & Reese tip curve needs e50 above 0, and the
    // bearing factor of sand grows without bound as the friction angle nears 90 degrees.
    for (const char* layerData : {"tblDataClay2", "tblDataSand2"}) {
        for (int column : {0, 1, 4, 5, 6}) ranges.push_back({layerData, column, NotNegative()});
        ranges.push_back({layerData, 2, AboveZero()});
        ranges.push_back({layerData, 3, FromZeroBelow(90.0L)});
    }
    return ranges;
}

static void SetEntryRange(TGridTable& table, int column, const TEntryRange& range) {
    auto* numbers = ColumnAs<TFloatColumn>(&table.ColumnAt(column));
    if (!numbers) throw ETableError("Entry range on a column that holds no numbers");
    numbers->SetEntryRange(range);
}

TMainTables TMainTables::BuiltIn() {
    TMainTables tables = FromText(BuiltInText());
    for (const ColumnEntryRange& entry : MainEntryRanges()) {
        if (Find(tables.fChart, entry.table))
            SetEntryRange(tables.Chart(entry.table), entry.column, entry.range);
        else
            SetEntryRange(tables.Plain(entry.table), entry.column, entry.range);
    }
    return tables;
}

TGridTableChart& TMainTables::Chart(std::string_view name) const {
    if (auto* table = Find(fChart, name)) return *table;
    throw ETableError("No chart table named " + std::string(name));
}

TGridTable& TMainTables::Plain(std::string_view name) const {
    if (auto* table = Find(fPlain, name)) return *table;
    throw ETableError("No table named " + std::string(name));
}

std::vector<TGridTableChart*> TMainTables::ChartTables() const {
    std::vector<TGridTableChart*> tables;
    for (const auto& entry : fChart) tables.push_back(entry.second.get());
    return tables;
}

std::vector<TGridTable*> TMainTables::PlainTables() const {
    std::vector<TGridTable*> tables;
    for (const auto& entry : fPlain) tables.push_back(entry.second.get());
    return tables;
}

std::vector<std::string> TMainTables::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fChart) names.push_back(entry.first);
    for (const auto& entry : fPlain) names.push_back(entry.first);
    return names;
}

void TMainTables::SetUnits(int system) {
    for (const auto& entry : fChart) entry.second->SetUnits(system);
    for (const auto& entry : fPlain) entry.second->SetUnits(system);
}

bool TMainTables::IsChanged() const {
    return std::any_of(fChart.begin(), fChart.end(),
                       [](const auto& entry) { return entry.second->IsChanged(); }) ||
           std::any_of(fPlain.begin(), fPlain.end(),
                       [](const auto& entry) { return entry.second->IsChanged(); });
}

void TMainTables::SetChanged(bool changed) {
    for (const auto& entry : fChart) entry.second->SetChanged(changed);
    for (const auto& entry : fPlain) entry.second->SetChanged(changed);
}

}  // namespace keldar
