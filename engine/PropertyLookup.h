// Soil properties at a depth, read from the layer property rows of generated-curve runs.
//
// The strength rows XSTR lie at the top and the bottom of every layer (row 2i-1 at XTOP(i), row
// 2i at XBOT(i)). A lookup takes the first row below the depth and interpolates linearly with the
// row above it, so a depth exactly at a layer boundary takes the top row of the lower layer and a
// depth above the first row is extrapolated from the first two rows. A depth below the last row
// writes a warning block into the report and sets the run status of the property.
#pragma once

#include <cstdint>
#include <string_view>

namespace keldar {

// Last lines of the warning blocks: the table that does not reach the depth.
inline constexpr std::string_view kUnitWeightTable = "THE INPUT CURVE FOR UNIT WEIGHT";
inline constexpr std::string_view kStrengthTable = "THE INPUT STRENGTH CURVE";
inline constexpr std::string_view kTipResistanceTable = "THE INPUT MAX. LOAD TRANSFER";

// Every lookup reads all rows, or with `rows` the rows 1..rows only (kEveryRow: all). The tip
// reads only the rows down to the bottom of its own layer, so that a tip ending exactly at a
// layer boundary takes the bottom row of that layer and not the top row of the soil below.
inline constexpr int kEveryRow = -1;

// Undrained shear strength; status 5 below the last row.
float lookupC1(float x, std::int32_t& status);
float lookupC1(float x, std::int32_t& status, int rows);
// Ultimate unit side friction; status 6 below the last row (the warning is preceded by a line
// with NSTR and the deepest row depth).
float lookupSKIN(float x, std::int32_t& status);
// Ultimate unit tip resistance; status 7 below the last row.
float lookupTIP(float x, std::int32_t& status);
float lookupTIP(float x, std::int32_t& status, int rows);
// Friction angle in degrees; status 8 below the last row.
float lookupPHI1(float x, std::int32_t& status);
float lookupPHI1(float x, std::int32_t& status, int rows);
// e50 strain: no range test, a depth below the last row extrapolates the last segment.
float lookupEE50(float x);
float lookupEE50(float x, int rows);

// Average effective unit weight of the soil column from the top of the first layer down to x;
// 0 above the first layer. Status 4 (and a warning) below the deepest unit-weight row.
float GAMAVG(float x, std::int32_t& status);

// The report's warning block for a depth beyond the extent of one of the tables above.
void writeExtentWarning(float x, std::string_view table);

}  // namespace keldar
