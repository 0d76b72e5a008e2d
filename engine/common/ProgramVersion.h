// The program's version text: the report banner, the hand-off file, the window title, the
// settings group and the update query all show it. Plain C++.
#pragma once

namespace keldar {

inline constexpr char kProgramVersion[] = "2014.3.4";

}  // namespace keldar
