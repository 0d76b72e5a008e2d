// Table declarations and their column definition streams: any text gives tables or a
// positioned error, and the stream reader never reads past its text.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "DefinitionStream.h"
#include "FuzzSupport.h"
#include "TableDeclarations.h"
#include "TableErrors.h"

using namespace keldar;

static void walkStream(std::string_view text) {
    TDefinitionReader reader(text);
    for (int step = 0; step < 100000; ++step) {
        switch (reader.NextKind()) {
            case TValueKind::Integer:
                reader.ReadInteger();
                break;
            case TValueKind::Boolean:
                reader.ReadBoolean();
                break;
            case TValueKind::String:
                reader.ReadString();
                break;
            case TValueKind::Float:
                reader.ReadFloat();
                break;
            case TValueKind::ListBegin:
                reader.ReadListBegin();
                break;
            case TValueKind::ListEnd:
                reader.ReadListEnd();
                break;
            case TValueKind::Word:
                reader.ReadWord();
                break;
            case TValueKind::End:
                return;
        }
    }
    fuzz::Fail("a definition stream of at most 64 KiB ends");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        walkStream(text);
    } catch (const EDefinitionError&) {
    }
    try {
        TMainTables tables = TMainTables::FromText(text);
        tables.SetUnits(2);
        tables.SetUnits(1);
    } catch (const ETableError&) {
    }
    return 0;
}
