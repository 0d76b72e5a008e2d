#include <gtest/gtest.h>

#include <string>

#include "Table.h"
#include "TableChart.h"

namespace keldar {
namespace {

std::string ReadError(TGridTable& table, const std::string& text) {
    try {
        table.SetDefinitionText(text);
    } catch (const ETableError& e) {
        return e.what();
    }
    return "(nothing raised)";
}

TEST(ColumnDefinition, OlderNumberColumnNamesItsUnitInPlaceOfTheTag) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText(
        "2 2 (\"Load\") True False False \"F\" 2 (\"b\") True False False "
        "\"FLOATCOLUMN2\" \"L\" 1.5");
    auto& old = ColumnAs<TFloatColumn>(table.ColumnAt(0));
    EXPECT_EQ(old.UnitCode(), "F");
    EXPECT_EQ(old.Default(), 0.0L);
    EXPECT_EQ(ColumnAs<TFloatColumn>(table.ColumnAt(1)).Default(), 1.5L);
    table.SetRowCount(1);
    EXPECT_EQ(table.Cell(1, 0).GetFloat(), 1.5L);
    EXPECT_EQ(table.DefinitionText(),
              "2\n2 ( \"Load\" ) True False False \"FLOATCOLUMN2\" \"F\" 0.0\n"
              "2 ( \"b\" ) True False False \"FLOATCOLUMN2\" \"L\" 1.5\n");
}

TEST(ColumnDefinition, OlderButtonColumnNamesTemplatesByPositionOrItem) {
    TTableRegistry tables;
    TGridTable templ(tables);
    const auto& registry = templ.Registry().Tables(TTableFamily::Plain);
    const int position = static_cast<int>(registry.size()) - 1;
    ASSERT_EQ(registry[position], &templ);
    const std::string items = "0 (\"k\") True False (\"a\" \"b\" \"c\") ";
    const std::string button = "3 (\"x\") True False \"1\" " + std::to_string(position);

    TGridTable single(tables);
    single.SetDefinitionText("1 " + button);
    auto& one = ColumnAs<TTableColumn>(single.ColumnAt(0));
    ASSERT_EQ(one.Templates().Count(), 1);
    EXPECT_EQ(one.Templates().Template(0), &templ);

    TGridTable byItem(tables);
    byItem.SetDefinitionText("2 " + items + button);
    auto& items3 = ColumnAs<TTableColumn>(byItem.ColumnAt(1));
    ASSERT_EQ(items3.Templates().Count(), 3);
    EXPECT_EQ(items3.Templates().Identifier(2), 3);

    TGridTable hardwired(tables);
    hardwired.SetHardwiredButton(true);
    hardwired.SetDefinitionText("2 " + items + button);
    auto& wired = ColumnAs<TTableColumn>(hardwired.ColumnAt(1));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(wired.Templates().Template(i), &templ);
}

TEST(ColumnDefinition, TemplateListFollowsTheFirstColumn) {
    TTableRegistry tables;
    TGridTable table(tables);
    table.SetDefinitionText(
        "2 0 (\"k\") True False (\"a\" \"b\") 3 (\"x\") True False \"FLEXCOLUMN2\" (1 2 3 4)");
    auto& buttons = ColumnAs<TTableColumn>(table.ColumnAt(1));
    EXPECT_EQ(buttons.Templates().Count(), 2);
    ColumnAs<TEnumColumn>(table.ColumnAt(0)).SetItems({"a", "b", "c"});
    EXPECT_EQ(buttons.Templates().Count(), 3);
    EXPECT_EQ(buttons.Templates().Identifier(2), -1);
}

TEST(ColumnDefinition, WrittenTemplatesNamingNoTableComeBackAsMinusOne) {
    TTableRegistry tables;
    TGridTable templ(tables), table(tables);
    table.SetDefinitionText("1 3 (\"x\") True False \"FLEXCOLUMN2\" (" +
                            std::to_string(templ.Identifier()) + ")");
    const std::string kept = table.DefinitionText();
    EXPECT_NE(kept.find("( " + std::to_string(templ.Identifier()) + " )"), std::string::npos);
    templ.SetIdentifier(templ.Identifier() + 5000);
    EXPECT_NE(table.DefinitionText().find("( -1 )"), std::string::npos);
}

TEST(ColumnDefinition, ReadingErrorsNameTheColumn) {
    TTableRegistry tables;
    struct Case {
        const char* text;
        const char* message;
        int columnsKept;
    };
    const Case cases[] = {
        {"", "Error reading column count", 0},
        {"x", "Error reading column count", 0},
        {"-1", "Error reading column count", 0},
        {"2 4 (\"t\") True False \"\" 1.0 7", "Error Column Class not defined", 1},
        {"1 2 (\"a\") True",
         "Error occured when creating column 0: Line 1: expected True or False, "
         "found the end of the text",
         0},
        {"2 1 (\"i\") True False 0 0 9 1 (\"i\") True False 0 0",
         "Error occured when creating column 1: Line 1: expected an integer, found the end of "
         "the text",
         1},
        {"2 2 (\"t\") True False True \"FLOATCOLUMN2\" \"L\" 0.0 4 (\"s\") True False \"\" 1.0",
         "Error occured when creating column 1: If column if a topdepth then the next column "
         "must be a float column",
         1},
        {"1 2 (\"t\") True False True \"FLOATCOLUMN2\" \"L\" 0.0",
         "Error occured when creating column 0: If column if a topdepth then the next column "
         "must be a float column",
         0},
    };
    for (const Case& c : cases) {
        TGridTable table(tables);
        table.SetRowCount(2);
        EXPECT_EQ(ReadError(table, c.text), c.message) << c.text;
        EXPECT_EQ(table.ColumnCount(), c.columnsKept) << c.text;
        if (table.ColumnCount() > 0) {
            EXPECT_EQ(table.ColumnAt(0).RowCount(), 2);
        }
    }
}

TEST(ColumnDefinition, DamagedDefinitionsAreRejectedCleanly) {
    TTableRegistry tables;
    TGridTableChart source(tables);
    source.SetDefinitionText(
        "5 0 (\"k\") True False (\"a\" \"b\") 1 (\"i\") True True 1 0 9"
        " 2 (\"t\") True False True \"FLOATCOLUMN2\" \"L\" 0.5"
        " 2 (\"b\" \"c\") False False False \"FLOATCOLUMN2\" \"F/L^2\" 1e-3"
        " 3 (\"x\") True False \"FLEXCOLUMN2\" (1 2) True False 1 2 3 4");
    const std::string text = source.DefinitionText();
    // Every cut-off and every single damaged character either reads or raises ETableError.
    for (std::size_t length = 0; length < text.size(); ++length) {
        for (const std::string& damaged :
             {text.substr(0, length), text.substr(0, length) + "(" + text.substr(length + 1),
              text.substr(0, length) + "9" + text.substr(length + 1)}) {
            TGridTableChart table(tables);
            table.SetRowCount(2);
            try {
                table.SetDefinitionText(damaged);
            } catch (const ETableError&) {
            }
            for (int c = 0; c < table.ColumnCount(); ++c)
                EXPECT_EQ(table.ColumnAt(c).RowCount(), 2) << damaged;
        }
    }
}

TEST(ColumnDefinition, ChartTablesStreamTheirChartParameters) {
    TTableRegistry tables;
    TGridTableChart table(tables);
    table.SetDefinitionText(
        "1 2 (\"x\") True False False \"FLOATCOLUMN2\" \"L\" 0.0 "
        "True True 1 0 2 3");
    EXPECT_EQ(table.ChartParameters(), (TChartParameters{true, true, 1, 0, 2, 3}));
    EXPECT_NE(table.DefinitionText().find("True True 1 0 2 3"), std::string::npos);
    try {
        table.SetDefinitionText("1 2 (\"x\") True False False \"FLOATCOLUMN2\" \"L\" 0.0 True 1");
        ADD_FAILURE();
    } catch (const ETableError& e) {
        EXPECT_STREQ(e.what(), "Error reading graphic parameters");
    }
    EXPECT_EQ(table.ColumnCount(), 1);
}

TEST(ColumnDefinition, TheFamiliesKeepApart) {
    TTableRegistry tables;
    TGridTable plain(tables);
    TGridTableChart chart(tables);
    const int identifier = plain.Identifier() + chart.Identifier() + 7000;
    plain.SetIdentifier(identifier);
    chart.SetDefinitionText("1 3 (\"x\") True False \"FLEXCOLUMN2\" (" +
                            std::to_string(identifier) + ") False False 0 0 0 0");
    chart.SetRowCount(1);
    EXPECT_EQ(chart.Cell(0, 0).GetTable(), nullptr);
    EXPECT_EQ(chart.FindByIdentifier(identifier), nullptr);
}

TEST(ColumnDefinition, EachKindIsStreamedUnderItsNumber) {
    TTableRegistry tables;
    const char* definitions[] = {
        "0 (\"k\") True False (\"a\")",
        "1 (\"n\") True False 0 0 9",
        "2 (\"x\") True False False \"FLOATCOLUMN2\" \"L\" 0.0",
        "3 (\"t\") True False \"FLEXCOLUMN2\" (-1)",
        "4 (\"s\") True False \"\" 1.0",
    };
    for (int kind = 0; kind <= 4; ++kind) {
        TGridTable table(tables);
        table.SetDefinitionText(std::string("1 ") + definitions[kind]);
        EXPECT_EQ(static_cast<int>(table.ColumnAt(0).Kind()), kind);
        EXPECT_EQ(table.DefinitionText().substr(0, 3), "1\n" + std::to_string(kind));
    }
}

}  // namespace
}  // namespace keldar
