// The "C" numeric locale for this thread while an object lives: C library writers (printf and
// friends) then put a "." in every number whatever the user's locale says.
#pragma once

#include <locale.h>

namespace keldar {

class TNumericCLocale {
  public:
    TNumericCLocale();
    ~TNumericCLocale();
    TNumericCLocale(const TNumericCLocale&) = delete;
    TNumericCLocale& operator=(const TNumericCLocale&) = delete;

  private:
    locale_t fPrevious = nullptr;
    locale_t fC = nullptr;
};

}  // namespace keldar
