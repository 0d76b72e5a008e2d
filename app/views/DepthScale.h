// The depth scale beside the soil profile: tick depths with their labels in one number form,
// spaced like the plot axes' ticks, and the scale's caption with the depth unit.
#pragma once

#include <QString>
#include <vector>

namespace keldar {

struct TDepthMark {
    long double Depth = 0;
    QString Label;  // empty on the unlabelled ticks between labels
};

// Ticks of a scale of `pixels` showing the depths top..bottom, labels about six text heights
// apart; none when the scale has no room for a label.
std::vector<TDepthMark> DepthScaleMarks(long double top, long double bottom, int pixels,
                                        int textHeight);

// "ft" for English projects (depths in feet), "m" otherwise.
QString DepthUnit(int unitSystem);

// "Depth (ft)"
QString DepthScaleCaption(int unitSystem);

}  // namespace keldar
