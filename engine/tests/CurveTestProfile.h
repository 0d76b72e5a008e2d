// Test helper: a soil profile in the run store as the input stage leaves it for curve generation.
#pragma once

#include <cmath>
#include <initializer_list>
#include <string>

#include "OutputFile.h"
#include "RunStore.h"

namespace keldar::test {

struct Layer {
    int code;
    float top;
    float bottom;
};

// One property row (two per layer: its top, then its bottom).
struct Row {
    float gam;
    float c;
    float phi;
    float e50;
    float skin;
    float tip;
};

// Clears the store, captures the report in memory and fills the layers, the property rows and
// the five curve depths per layer (top, quarter points, 0.01 above the bottom).
inline void setProfile(int iunit, std::initializer_list<Layer> layers,
                       std::initializer_list<Row> rows) {
    clearRunStore();
    runFiles().report.openInMemory();
    RunStore& s = runStore();
    s.IUNIT = iunit;
    s.KCURVE = 2;
    int i = 0;
    for (const Layer& layer : layers) {
        ++i;
        s.KSOIL[i] = layer.code;
        s.XTOP[i] = layer.top;
        s.XBOT[i] = layer.bottom;
        s.XG1[2 * i - 1] = s.XSTR[2 * i - 1] = layer.top;
        s.XG1[2 * i] = s.XSTR[2 * i] = layer.bottom;
        const int j = 5 * i;
        s.XC[j - 4] = layer.top;
        s.XC[j - 2] = (layer.top + layer.bottom) / 2.0f;
        s.XC[j - 3] = (s.XC[j - 4] + s.XC[j - 2]) / 2.0f;
        s.XC[j] = layer.bottom - 0.01f;
        s.XC[j - 1] = (s.XC[j - 2] + s.XC[j]) / 2.0f;
        for (int k = j - 4; k <= j; ++k) s.KSOILC[k] = layer.code;
    }
    s.NLAYER = i;
    s.NSTR = 2 * i;
    s.NCURV = 5 * i;
    int k = 0;
    for (const Row& row : rows) {
        ++k;
        s.GAM1[k] = row.gam;
        s.C1[k] = row.c;
        s.PHI1[k] = row.phi;
        s.EE50[k] = row.e50;
        s.SKIN[k] = row.skin;
        s.TIP[k] = row.tip;
    }
}

inline void setPile(float plen, float diam, float atip) {
    RunStore& s = runStore();
    s.PLEN = plen;
    s.DIAM = diam;
    s.ATIP = atip;
}

inline const std::string& reportText() { return runFiles().report.captured(); }

// Single-precision results against hand values: a few units of the seventh digit.
inline double tolerance(double expected) { return 1e-6 * std::fabs(expected) + 1e-9; }

// The report's warning block for a depth beyond a table (depth already in E9.2).
inline std::string extentWarning(const std::string& depthE92, const std::string& table) {
    return "\n                             **** WARNING ****\n"
           "     THE VALUE OF X =" +
           depthE92 + "IS BEYOND THE EXTENT OF/\n     " + table + "\n";
}

}  // namespace keldar::test
