// The files of one analysis run: the report, the plot data and the run notes, each the data
// file's name with its own extension. Plain C++.
#pragma once

namespace keldar {

inline constexpr char kReportExtension[] = ".kd3o";
inline constexpr char kPlotExtension[] = ".kd3p";
inline constexpr char kNotesExtension[] = ".kd3r";

}  // namespace keldar
