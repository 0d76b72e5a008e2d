#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "EntryErrors.h"
#include "Table.h"

namespace keldar {
namespace {

std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

std::vector<long double> Floats(const TGridTable& table, int column) {
    std::vector<long double> values;
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.Cell(column, r).GetFloat());
    return values;
}

std::string Number(const char* headers, const char* code, bool topDepth = false) {
    return std::string("2 (") + headers + ") True False " + (topDepth ? "True" : "False") +
           " \"FLOATCOLUMN2\" \"" + code + "\" 0.0\n";
}

// A soil-layer table whose Clay and Sand rows own sub-tables cloned from two templates.
struct Layers {
    TTableRegistry tables;
    TGridTable clay{tables}, sand{tables}, layers{tables};
    Layers() {
        const std::string data = "2\n" + Number("\"Unit Weight\"", "F/L^3") + Number("\"e50\"", "");
        clay.SetDefinitionText(data);
        clay.SetCaption("Clay Layer Data");
        clay.SetMinRows(2);
        sand.SetDefinitionText(data);
        sand.SetCaption("Sand Layer Data");
        sand.SetMinRows(2);
        layers.SetDefinitionText("3 0 (\"Soil Type\") True False (\"Clay\" \"Sand\")\n" +
                                 Number("\"Bottom\"", "L") + "3 (\"Layer Data\") True False " +
                                 "\"FLEXCOLUMN2\" (" + std::to_string(clay.Identifier()) + " " +
                                 std::to_string(sand.Identifier()) + ")");
    }
};

TEST(GridTable, NegativeRowCountLeavesAnEmptyTable) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("1 " + Number("\"x\"", "L"));
    table.SetRowCount(3);
    table.SetRowCount(-5);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnAt(0).RowCount(), 0);
    EXPECT_EQ(Message([&] { table.Cell(0, 0); }), "Index out of bounds");
    EXPECT_EQ(Message([&] { table.Cell(1, 0); }), "Index out of bounds");
    EXPECT_EQ(Message([&] { table.DeleteGroup(0); }), "Index out of bounds");
    EXPECT_EQ(Message([&] { table.VisibleColumn(1); }), "Index out of bounds");
    EXPECT_EQ(Message([&] { table.VisibleColumn(-1); }), "Index out of bounds");
}

TEST(GridTable, RowGroupsMoveTogether) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("1 1 (\"n\") True False 9 -100 100");
    table.SetRowGroup(2);
    table.SetRowCount(6);
    for (int r = 0; r < 6; ++r) table.Cell(0, r).SetInteger(r);

    table.DeleteGroup(3);  // rows 2 and 3
    std::vector<int> values;
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.Cell(0, r).GetInteger());
    EXPECT_EQ(values, (std::vector<int>{0, 1, 4, 5}));

    table.InsertGroup(3);  // two new rows in front of row 2
    values.clear();
    for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.Cell(0, r).GetInteger());
    EXPECT_EQ(values, (std::vector<int>{0, 1, 9, 9, 4, 5}));
    EXPECT_EQ(table.RowNumber(2), 2);
    EXPECT_EQ(table.RowNumber(3), 2);

    // An odd count is met exactly, not rounded up to whole groups.
    table.SetRowCount(7);
    EXPECT_EQ(table.RowCount(), 7);
    EXPECT_EQ(table.ColumnAt(0).RowCount(), 7);
    table.DeleteGroup(6);  // the last group holds one row
    EXPECT_EQ(table.RowCount(), 6);
}

TEST(GridTable, AKeptCellFollowsItsRowWhenRowsMove) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("1 1 (\"n\") True False 9 -100 100");
    table.SetRowGroup(2);
    table.SetRowCount(6);
    for (int r = 0; r < 6; ++r) table.Cell(0, r).SetInteger(r);

    // Cells are found at their row by Cell(); one kept while rows move must still be its own.
    const TData& kept = table.Cell(0, 4);
    table.InsertGroup(0);
    EXPECT_EQ(kept.Row(), 6);
    EXPECT_EQ(kept.GetInteger(), 4);
    table.DeleteGroup(0);
    table.DeleteGroup(0);
    EXPECT_EQ(kept.Row(), 2);
    kept.SetInteger(40);
    EXPECT_EQ(table.Cell(0, 2).GetInteger(), 40);
    EXPECT_EQ(table.Cell(0, 1).GetInteger(), 3);
}

TEST(GridTable, GroupSharedValuesFillTheirGroup) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText(
        "3 2 (\"a\") True True False \"FLOATCOLUMN2\" \"\" 0.0"
        " 4 (\"t\") True True \"-\" 1.0"
        " 1 (\"n\") True True 0 0 9");
    table.SetRowGroup(2);
    table.SetRowCount(4);
    table.Cell(0, 3).SetFloat(7);
    table.Cell(1, 0).SetText("x");
    table.Cell(2, 2).SetText("5");
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 0, 7, 7}));
    EXPECT_EQ(table.Cell(1, 1).GetText(), "x");
    EXPECT_EQ(table.Cell(1, 2).GetText(), "-");
    EXPECT_EQ(table.Cell(2, 1).GetInteger(), 0);
    EXPECT_EQ(table.Cell(2, 3).GetInteger(), 5);
}

TEST(GridTable, TopDepthKeepsLayersJoined) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("2 " + Number("\"Top\"", "L", true) + Number("\"Bottom\"", "L"));
    table.SetRowCount(3);
    for (int r = 0; r < 3; ++r) table.Cell(1, r).SetFloat(10.0L * (r + 1));
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 10, 20}));

    table.Cell(0, 1).SetFloat(12);  // moving a top moves the bottom above it
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{12, 20, 30}));

    table.InsertGroup(1);  // a new layer of no thickness where layer 1 ends
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 12, 12, 20}));
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{12, 12, 20, 30}));

    table.DeleteGroup(2);  // the next layer then starts where the one above ends
    EXPECT_EQ(Floats(table, 0), (std::vector<long double>{0, 12, 12}));
    EXPECT_EQ(Floats(table, 1), (std::vector<long double>{12, 12, 30}));
}

TEST(GridTable, WrongAccessorsAreRefused) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("3 4 (\"t\") True False \"\" 1.0 1 (\"i\") True False 0 0 9 " +
                            Number("\"x\"", ""));
    table.SetRowCount(1);
    EXPECT_EQ(Message([&] { table.Cell(0, 0).GetFloat(); }), "Data of wrong type");
    EXPECT_EQ(Message([&] { table.Cell(0, 0).SetInteger(1); }), "Data of wrong type");
    EXPECT_EQ(Message([&] { table.Cell(1, 0).GetTable(); }), "Data of wrong type");
    EXPECT_EQ(Message([&] { table.Cell(2, 0).GetInteger(); }), "Data of wrong type");
    EXPECT_EQ(table.Cell(1, 0).GetText(), "0");
}

TEST(GridTable, TypedEntriesAreEvaluatedOrRejected) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("3 " + Number("\"x\"", "L") +
                            "1 (\"n\") True False 0 0 10 0 (\"k\") True False (\"a\" \"b\" \"c\")");
    table.SetRowCount(1);
    struct Case {
        int column;
        const char* text;
        const char* result;  // the cell text after a good entry, or the message
    };
    const Case cases[] = {
        {0, "2*3", "6"},
        {0, "1/3", "0.33333333"},
        {0, "", "Entry could not be evaluated:\rentry cannot be blank"},
        {1, "2+2", "4"},
        {1, "2.5", "Entry must be an integer."},
        {1, "11", "Entry must be between 0 and 10."},
        {1, "-1e30", "Entry must be between 0 and 10."},
        {2, "3", "3"},
        {2, "1.5", "Value must be an integer."},
        {2, "1e20", "Value must be an integer."},
        {2, "4", "Entry must be between 1 and 3."},
    };
    const auto rejection = [](const std::function<void()>& entry) -> std::string {
        try {
            entry();
        } catch (const EAssignError& e) {
            return e.what();
        }
        return {};
    };
    for (const Case& c : cases) {
        // Checking an entry without storing it refuses exactly what storing it refuses.
        const std::string checked = rejection([&] { table.ColumnAt(c.column).CheckText(c.text); });
        const std::string stored = rejection([&] { table.Cell(c.column, 0).SetText(c.text); });
        EXPECT_EQ(checked, stored) << c.text;
        EXPECT_EQ(stored.empty() ? table.Cell(c.column, 0).GetText() : stored, c.result) << c.text;
    }
    // An arithmetic fault is a rejected entry too, and stores nothing.
    EXPECT_THROW(table.Cell(0, 0).SetText("1/0"), EAssignError);
    EXPECT_EQ(table.Cell(0, 0).GetText(), "0.33333333");
}

TEST(GridTable, UnitsChangeHeadingsAndNumbers) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("2 " + Number("\"Undrained Shear\" \"Strength,\"", "F/L^2") +
                            Number("\"e50\"", ""));
    table.SetRowCount(2);
    table.Cell(0, 0).SetFloat(1000);
    table.Cell(0, 1).SetFloat(0.3L);
    table.Cell(1, 0).SetFloat(0.02L);
    int structureChanges = 0;
    table.SetNotifications([](int, int) {}, [&] { ++structureChanges; });

    EXPECT_EQ(table.ColumnAt(0).HeaderLine(0), "Undrained Shear");
    EXPECT_EQ(table.ColumnAt(0).HeaderLine(1), "Strength, (lbs/in^2)  ");
    EXPECT_EQ(table.ColumnAt(1).HeaderLine(0), "e50");
    table.SetUnits(2);
    EXPECT_EQ(table.ColumnAt(0).HeaderLine(1), "Strength, (kN/m^2)  ");
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 0).GetFloat()), 6894.757, 1e-3);
    table.SetUnits(2);  // already in force
    EXPECT_EQ(structureChanges, 1);
    table.SetUnits(1);
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 0).GetFloat()), 1000, 1e-9);
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 1).GetFloat()), 0.3, 1e-15);
    EXPECT_EQ(table.Cell(1, 0).GetFloat(), 0.02L);
}

TEST(GridTable, SettingAnIdentifierThatIsTakenSwapsThem) {
    TTableRegistry tables;
    TGridTable a(tables), b(tables);
    const int idA = a.Identifier(), idB = b.Identifier();
    EXPECT_NE(idA, idB);
    b.SetIdentifier(idA);
    EXPECT_EQ(b.Identifier(), idA);
    EXPECT_EQ(a.Identifier(), idB);
    b.SetIdentifier(-4);
    EXPECT_EQ(b.Identifier(), idA);
    EXPECT_EQ(a.FindByIdentifier(idA), &b);

    // A later table never takes an identifier that is in use.
    a.SetIdentifier(a.Identifier() + 1000);
    TGridTable c(tables);
    for (int i = 0; i < 1100; ++i) {
        TGridTable d(tables);
        EXPECT_EQ(c.FindByIdentifier(d.Identifier()), &d);
    }
}

TEST(GridTable, ChangingTheSoilTypeDiscardsTheLayerData) {
    Layers t;
    t.layers.SetRowCount(2);
    TGridTable* first = t.layers.Cell(2, 0).GetTable();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Caption(), "Clay Layer Data");
    EXPECT_EQ(first->IndexNumber(), 1);
    EXPECT_EQ(first->OwnerTable(), &t.layers);
    first->Cell(0, 0).SetFloat(120);

    std::vector<std::pair<int, int>> changed;
    t.layers.SetNotifications([&](int c, int r) { changed.emplace_back(c, r); }, [] {});
    t.layers.Cell(0, 0).SetInteger(2);
    TGridTable* fresh = t.layers.Cell(2, 0).GetTable();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->Caption(), "Sand Layer Data");
    EXPECT_EQ(fresh->RowCount(), 2);
    EXPECT_EQ(Floats(*fresh, 0), (std::vector<long double>{0, 0}));
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{0, 0}, {2, 0}}));
    EXPECT_EQ(ColumnAs<TTableColumn>(t.layers.ColumnAt(2)).ButtonCaption(0), "1: Sand Layer Data");

    changed.clear();
    t.layers.Cell(0, 0).SetInteger(2);  // the same item: nothing happens
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(t.layers.Cell(2, 0).GetTable(), fresh);
}

TEST(GridTable, SubTablesFollowTheirRows) {
    Layers t;
    t.layers.SetRowCount(3);
    TGridTable* last = t.layers.Cell(2, 2).GetTable();
    t.layers.InsertGroup(0);
    EXPECT_EQ(last->IndexNumber(), 4);
    t.layers.DeleteGroup(1);
    t.layers.DeleteGroup(0);
    EXPECT_EQ(last->IndexNumber(), 2);
    EXPECT_EQ(t.layers.Cell(2, 1).GetTable(), last);

    t.layers.SetUnits(2);
    EXPECT_EQ(last->UnitSystem(), 2);
    EXPECT_FALSE(t.layers.IsChanged());
    last->SetChanged(true);
    EXPECT_TRUE(t.layers.IsChanged());
    t.layers.SetChanged(false);
    EXPECT_FALSE(last->IsChanged());
}

TEST(GridTable, ItemsWithoutTemplateUseTheInitRowEvent) {
    TTableRegistry tables;
    struct Note : TRowObject {
        int row = -1;
    };
    TGridTable table(tables);
    table.Events.OnInitRow = [](TGridTable&, int, int, int item) {
        return item == 2 ? std::make_unique<Note>() : nullptr;
    };
    table.Events.OnSetRow = [](TGridTable&, int, int row, TRowObject* object) {
        static_cast<Note*>(object)->row = row;
    };
    table.Events.OnGetButtonCaption = [](TGridTable&, int, int row, TRowObject*) {
        return "note " + std::to_string(row);
    };
    table.SetDefinitionText(
        "2 0 (\"k\") True False (\"a\" \"b\") 3 (\"x\") True False \"FLEXCOLUMN2\" (-1)");
    EXPECT_EQ(ColumnAs<TTableColumn>(table.ColumnAt(1)).Templates().Count(), 2);
    table.SetRowCount(2);
    EXPECT_EQ(table.ColumnAt(1).GetObject(0), nullptr);
    table.Cell(0, 1).SetInteger(2);
    auto* note = dynamic_cast<Note*>(table.ColumnAt(1).GetObject(1));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->row, 1);
    EXPECT_EQ(table.Cell(1, 1).GetTable(), nullptr);
    table.DeleteGroup(0);
    EXPECT_EQ(note->row, 0);
    EXPECT_EQ(ColumnAs<TTableColumn>(table.ColumnAt(1)).ButtonCaption(0), "note 0");
}

TEST(GridTable, TemplatesThatHoldEachOtherDoNotNestForever) {
    TTableRegistry tables;
    TGridTable a(tables), b(tables);
    a.SetMinRows(2);
    b.SetMinRows(2);
    const auto buttonTo = [](const TGridTable& t) {
        return "1 3 (\"x\") True False \"FLEXCOLUMN2\" (" + std::to_string(t.Identifier()) + ")";
    };
    a.SetDefinitionText(buttonTo(b));
    b.SetDefinitionText(buttonTo(a));
    a.SetRowCount(2);
    TGridTable* sub = a.Cell(0, 0).GetTable();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->RowCount(), 2);
    EXPECT_EQ(sub->Cell(0, 0).GetTable(), nullptr);

    TGridTable self(tables);
    self.SetDefinitionText(buttonTo(self));
    self.SetRowCount(1);
    EXPECT_EQ(self.Cell(0, 0).GetTable(), nullptr);
}

TEST(GridTable, NotifiesTheEditor) {
    TTableRegistry tables;
    struct Editor : TTableEditorLink {
        int destroyed = 0, captions = 0, closed = 0;
        void TableDestroyed() override { ++destroyed; }
        void CloseEditor() override { ++closed; }
        void ResetCaption() override { ++captions; }
    } editor;
    {
        TGridTable table(tables);
        table.SetDefinitionText("1 " + Number("\"x\"", "L"));
        table.SetEditor(&editor);
        std::vector<std::pair<int, int>> cells;
        int structure = 0;
        table.SetNotifications([&](int c, int r) { cells.emplace_back(c, r); },
                               [&] { ++structure; });
        table.AppendGroup();
        table.Cell(0, 0).SetFloat(1);
        table.SetIndexNumber(3);
        table.CloseEditors();
        EXPECT_EQ(structure, 1);
        EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}}));
        EXPECT_EQ(editor.captions, 1);
        EXPECT_EQ(editor.closed, 1);
        table.SetChanged(true);
        EXPECT_TRUE(table.IsChanged());
    }
    EXPECT_EQ(editor.destroyed, 1);
}

TEST(GridTable, MinRowsMustBePositive) {
    TTableRegistry tables;
    TGridTable table(tables);
    EXPECT_EQ(Message([&] { table.SetMinRows(0); }), "Value must be greater than 0");
    table.SetLoading(true);
    table.SetMinRows(-2);
    EXPECT_EQ(table.MinRows(), 1);
}

TEST(GridTable, HeadingsAndWidths) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText("3 " + Number("\"Depth\"", "L") +
                            "4 (\"a\" \"b\" \"c\") False False \"\" 2.0 "
                            "0 (\"Long heading text\" \"x\") True False ()");
    EXPECT_EQ(table.VisibleColumnCount(), 2);
    EXPECT_EQ(&table.VisibleColumn(1), &table.ColumnAt(2));
    EXPECT_EQ(table.HeaderRowCount(), 2);
    const TTextWidth chars = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
    EXPECT_EQ(table.ColumnAt(0).Width(chars, 96), 140);  // "Depth (in)  " and two spaces
    EXPECT_EQ(table.ColumnAt(1).Width(chars, 96), 192);
    EXPECT_EQ(table.ColumnAt(2).Width(chars, 96), 190);
}

}  // namespace
}  // namespace keldar
