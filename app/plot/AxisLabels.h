// Tick labels of one plot axis, all in one number form: fixed with the decimals the labelled step
// needs, or, for very large or very small values, scientific with one exponent for the whole
// axis ("0.5E6 1.0E6 1.5E6"). A reader then compares labels digit by digit; the general form
// would switch inside one axis ("8000 9000 1E4").
#pragma once

#include <QString>

#include "PlotRange.h"

namespace keldar {

struct TAxisLabelForm {
    bool Scientific = false;
    int Decimals = 0;  // of the fixed number, or of the mantissa
    int Exponent = 0;  // the axis's one exponent when scientific
};

// The form for the labelled ticks (every fifth) of an axis.
TAxisLabelForm AxisLabelForm(const TTickStep& ticks);

// A tick value in the axis's form; zero is "0" in every form.
QString AxisLabel(double value, const TAxisLabelForm& form);

}  // namespace keldar
