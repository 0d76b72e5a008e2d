// How the t-z and Q-w curves of a project are made, by the number that the data file gives the
// curve mode (record 3). Shared by the analysis and the program; plain C++.
#pragma once

#include <cstdint>

namespace keldar {

// Entered: the user's curves follow in the file; generated: the soil layers follow. A file may
// hold any other number, which gives neither.
enum TCurveMode : std::int32_t { cmEntered = 1, cmGenerated = 2 };

constexpr TCurveMode CurveModeOf(bool curvesGenerated) {
    return curvesGenerated ? cmGenerated : cmEntered;
}

}  // namespace keldar
