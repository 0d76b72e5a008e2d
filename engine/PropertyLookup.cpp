#include "PropertyLookup.h"

#include <algorithm>

#include "Format.h"
#include "OutputFile.h"
#include "RunStore.h"

namespace keldar {

namespace {

const Layout kWarningHead("(/,29X,'**** WARNING ****')");
const Layout kWarningDepth("(5X,'THE VALUE OF X =',E9.2,'IS BEYOND THE EXTENT OF/')");
const Layout kWarningTable("(5X,A)");

int propertyRowCount(int rows) {
    const int stored = std::clamp(runStore().NSTR, 0, kMaxPropertyRows);
    return rows == kEveryRow ? stored : std::clamp(rows, 0, stored);
}

// Index I of the first row with x < rows(I), I = 2..n; 0 when there is none.
int findRow(float x, const float* rows, int n) {
    for (int i = 2; i <= n; ++i) {
        if (x < rows[i]) return i;
    }
    return 0;
}

// Value between rows I-1 and I; two rows at one depth give their mean.
float interpolateRows(float x, const float* depth, const float* value, int i) {
    const float dz = depth[i] - depth[i - 1];
    if (dz <= 0.0f) return (value[i - 1] + value[i]) / 2.0f;
    return value[i - 1] + (x - depth[i - 1]) * (value[i] - value[i - 1]) / dz;
}

// Strength-table lookup with the range test. A table of fewer than two rows cannot be
// interpolated and is treated like a depth beyond it.
float checkedLookup(float x, const float* value, RunStatus beyond, std::int32_t& status, int rows) {
    const RunStore& s = runStore();
    const int n = propertyRowCount(rows);
    int i = n >= 2 ? findRow(x, s.XSTR, n) : 0;
    if (i == 0) {
        if (n < 2 || x > s.XSTR[n]) {
            const std::string_view table =
                beyond == kStatusTipResistanceExtent ? kTipResistanceTable : kStrengthTable;
            if (beyond == kStatusSideFrictionExtent) {
                runFiles().report.writeText(listLine(s.NSTR, s.XSTR[n]));
            }
            writeExtentWarning(x, table);
            status = beyond;
            return 0.0f;
        }
        i = n;
    }
    return interpolateRows(x, s.XSTR, value, i);
}

}  // namespace

void writeExtentWarning(float x, std::string_view table) {
    OutputFile& report = runFiles().report;
    report.write(kWarningHead);
    report.write(kWarningDepth, x);
    report.write(kWarningTable, table);
}

float lookupC1(float x, std::int32_t& status) { return lookupC1(x, status, kEveryRow); }

float lookupC1(float x, std::int32_t& status, int rows) {
    return checkedLookup(x, runStore().C1, kStatusShearStrengthExtent, status, rows);
}

float lookupSKIN(float x, std::int32_t& status) {
    return checkedLookup(x, runStore().SKIN, kStatusSideFrictionExtent, status, kEveryRow);
}

float lookupTIP(float x, std::int32_t& status) { return lookupTIP(x, status, kEveryRow); }

float lookupTIP(float x, std::int32_t& status, int rows) {
    return checkedLookup(x, runStore().TIP, kStatusTipResistanceExtent, status, rows);
}

float lookupPHI1(float x, std::int32_t& status) { return lookupPHI1(x, status, kEveryRow); }

float lookupPHI1(float x, std::int32_t& status, int rows) {
    return checkedLookup(x, runStore().PHI1, kStatusFrictionAngleExtent, status, rows);
}

float lookupEE50(float x) { return lookupEE50(x, kEveryRow); }

float lookupEE50(float x, int rows) {
    const RunStore& s = runStore();
    const int n = propertyRowCount(rows);
    if (n < 2) return n == 1 ? s.EE50[1] : 0.0f;
    const int i = findRow(x, s.XSTR, n);
    return interpolateRows(x, s.XSTR, s.EE50, i == 0 ? n : i);
}

float GAMAVG(float x, std::int32_t& status) {
    const RunStore& s = runStore();
    const int n = std::clamp(2 * s.NLAYER, 0, kMaxPropertyRows);
    const float x0 = s.XTOP[1];
    if (x < x0) return 0.0f;
    if (n < 2) {
        writeExtentWarning(x, kUnitWeightTable);
        status = kStatusUnitWeightExtent;
        return 0.0f;
    }
    const float h = x - x0;
    if (h <= 0.0f) {
        // At the top of the soil: the first positive unit weight.
        for (int k = 1; k <= n; ++k) {
            if (s.GAM1[k] > 0.0f) return s.GAM1[k];
        }
        return s.GAM1[n];
    }
    float sum = 0.0f;
    for (int i = 2; i <= n; ++i) {
        const float dx = s.XG1[i] - s.XG1[i - 1];
        if (x < s.XG1[i]) {
            if (dx > 0.0f) {
                const float g =
                    s.GAM1[i - 1] + (x - s.XG1[i - 1]) * (s.GAM1[i] - s.GAM1[i - 1]) / dx;
                sum += ((g + s.GAM1[i - 1]) / 2.0f) * (x - s.XG1[i - 1]) / h;
            }
            return sum;
        }
        sum += ((s.GAM1[i] + s.GAM1[i - 1]) / 2.0f) * dx / h;
    }
    if (x > s.XG1[n]) {
        writeExtentWarning(x, kUnitWeightTable);
        status = kStatusUnitWeightExtent;
    }
    return sum;
}

}  // namespace keldar
