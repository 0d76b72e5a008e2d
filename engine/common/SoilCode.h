// The soil code of a layer: which of the six published methods builds its t-z and Q-w curves.
// The data file and the run store keep the code as its number; code compares the named codes.
// Shared by the analysis and the program; plain C++.
#pragma once

#include <cstdint>
#include <optional>

namespace keldar {

enum TSoilCode : std::int32_t {
    scCoyleReeseClay = 1,   // driven pile in clay
    scMosherSand = 2,       // driven pile in sand
    scReeseONeillClay = 3,  // drilled shaft in clay
    scReeseONeillSand = 4,  // drilled shaft in sand
    scApiClay = 5,          // driven pile in clay
    scApiSand = 6,          // driven pile in sand
};

// The code of a number read from a file or a table; none for a number that names no method.
constexpr std::optional<TSoilCode> SoilCodeOf(std::int32_t number) {
    if (number < scCoyleReeseClay || number > scApiSand) return std::nullopt;
    return static_cast<TSoilCode>(number);
}

// Clay layers carry a shear strength and e50, sand layers a friction angle.
enum TSoilKind { skClay, skSand };

constexpr TSoilKind SoilKindOf(TSoilCode code) {
    switch (code) {
        case scCoyleReeseClay:
        case scReeseONeillClay:
        case scApiClay:
            return skClay;
        case scMosherSand:
        case scReeseONeillSand:
        case scApiSand:
            return skSand;
    }
    return skClay;  // not reached: every code is listed above
}

// Whether a number is a soil code of that kind.
constexpr bool IsClayCode(std::int32_t number) {
    const std::optional<TSoilCode> code = SoilCodeOf(number);
    return code && SoilKindOf(*code) == skClay;
}
constexpr bool IsSandCode(std::int32_t number) {
    const std::optional<TSoilCode> code = SoilCodeOf(number);
    return code && SoilKindOf(*code) == skSand;
}

// The method's name as the program lists it.
constexpr const char* SoilMethodName(TSoilCode code) {
    switch (code) {
        case scCoyleReeseClay:
            return "Driven Pile in Clay (Coyle & Reese)";
        case scMosherSand:
            return "Driven Pile in Sand (Mosher)";
        case scReeseONeillClay:
            return "Drilled Shaft in Clay (Reese & O'Neill)";
        case scReeseONeillSand:
            return "Drilled Shaft in Sand (Reese & O'Neill)";
        case scApiClay:
            return "Driven Pile in Clay (API)";
        case scApiSand:
            return "Driven Pile in Sand (API)";
    }
    return "";  // not reached: every code is listed above
}

}  // namespace keldar
