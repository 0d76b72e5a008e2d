// Typed entries: every text gives a finite value or one of the two entry errors, and a value's
// 18-digit text evaluates to the value itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "EntryErrors.h"
#include "Evaluator.h"
#include "FuzzSupport.h"
#include "NumberFormat.h"

using namespace keldar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // an entry field's text, not a file
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    long double value = 0;
    try {
        value = Evaluate(text);
    } catch (const EAssignError&) {
        return 0;
    } catch (const EMathError&) {
        return 0;
    }
    fuzz::Check(std::isfinite(value), "an accepted entry is finite");
    const std::string shown = formatGeneral(value, 18);
    try {
        fuzz::Check(Evaluate(shown) == value, "the 18-digit text of a result evaluates to it");
    } catch (const EAssignError&) {
        fuzz::Fail("the text of a result is an entry");
    } catch (const EMathError&) {
        fuzz::Fail("the text of a result is an entry");
    }
    return 0;
}
