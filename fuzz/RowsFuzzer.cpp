// Rows of numbers read from a text file or pasted from the clipboard into each chart table: any
// text fills rows within the table's limits or is rejected with an entry error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "EntryErrors.h"
#include "FuzzSupport.h"
#include "RowReading.h"
#include "TableDeclarations.h"
#include "TableErrors.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 65536) return 0;
    static TMainTables tables = TMainTables::BuiltIn();
    const std::vector<TGridTableChart*> charts = tables.ChartTables();
    // The first byte picks the table and whether the text comes from a file or the clipboard.
    TGridTableChart& table = *charts[data[0] % charts.size()];
    const bool fromFile = data[0] & 0x80;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    table.SetRowCount(table.MinRows());
    try {
        if (fromFile) {
            const std::string path = fuzz::WriteScratchFile("rows.txt", data + 1, size - 1);
            ReadRowsFromFile(table, path);
        } else {
            PasteRows(table, text);
        }
    } catch (const EAssignError&) {
    } catch (const EMathError&) {
    } catch (const EIntError&) {
    } catch (const EMinError&) {
    } catch (const EMaxError&) {
    }
    // Rows after the last one taken are deleted, so a short paste may leave fewer than MinRows
    // rows (the editor tops them up when it opens); never none and never more than MaxRows.
    fuzz::Check(table.RowCount() >= 1 && table.RowCount() <= table.MaxRows(),
                "rows stay within the table's limits");
    return 0;
}
