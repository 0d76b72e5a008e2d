#include "NumericCLocale.h"

namespace keldar {

TNumericCLocale::TNumericCLocale() {
    // Only the thread's numeric category changes; everything else keeps the current locale.
    locale_t current = duplocale(uselocale(nullptr));
    if (!current) return;
    fC = newlocale(LC_NUMERIC_MASK, "C", current);
    if (!fC) {
        freelocale(current);
        return;
    }
    fPrevious = uselocale(fC);
}

TNumericCLocale::~TNumericCLocale() {
    if (!fC) return;
    uselocale(fPrevious);
    freelocale(fC);
}

}  // namespace keldar
