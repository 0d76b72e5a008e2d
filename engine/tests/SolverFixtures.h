// Run-store set-ups shared by the solver tests.
#pragma once

#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "OutputFile.h"
#include "RunStore.h"

namespace keldar::testing {

inline void setLabel(char (&field)[3], std::string_view text) {
    std::memcpy(field, text.data(), 3);
}

// A fresh store with English unit labels and in-memory report and plot files.
inline RunStore& freshEnglishRun() {
    clearRunStore();
    RunStore& s = runStore();
    s.IUNIT = 1;
    setLabel(s.LUNIT, "IN.");
    setLabel(s.MUNIT, "IN.");
    setLabel(s.FUNIT, "LBS");
    setLabel(s.PUNIT, "PSI");
    std::memset(s.TITLE, ' ', kTitleLength);
    runFiles().report.openInMemory();
    runFiles().plot.openInMemory();
    return s;
}

inline void setPile(float length, float diameter, int increments, float tolerance) {
    RunStore& s = runStore();
    s.PLEN = length;
    s.DIAM = diameter;
    s.NINC = increments;
    s.TOL = tolerance;
}

inline void setConstantStiffness(float ae) {
    RunStore& s = runStore();
    s.NAE = 2;
    s.XAE[1] = 0.0f;
    s.AE[1] = ae;
    s.XAE[2] = s.PLEN;
    s.AE[2] = ae;
}

// Appends a t-z curve at the depth with (t, z) points.
inline void addCurve(float depth, std::initializer_list<std::pair<float, float>> points) {
    RunStore& s = runStore();
    const int j = ++s.NCURV;
    s.CURVNO[j] = j;
    s.XC[j] = depth;
    int k = 0;
    for (const auto& [t, z] : points) {
        ++k;
        s.TC[j][k] = t;
        s.ZC[j][k] = z;
    }
    s.NPTC[j] = k;
}

// The Q-w curve from (Q, w) points.
inline void setTipCurve(std::initializer_list<std::pair<float, float>> points) {
    RunStore& s = runStore();
    s.NQW = 0;
    for (const auto& [q, w] : points) {
        ++s.NQW;
        s.QTIP[s.NQW] = q;
        s.WTIP[s.NQW] = w;
    }
}

inline void setTipMovements(std::initializer_list<float> movements) {
    RunStore& s = runStore();
    s.NTM = 0;
    for (float w : movements) s.TIPMOV[++s.NTM] = w;
}

inline void setTopLoads(std::initializer_list<float> loads) {
    RunStore& s = runStore();
    s.NLOAD = 0;
    for (float l : loads) s.TOPLD[++s.NLOAD] = l;
}

inline void setSettlementProfile(std::initializer_list<std::pair<float, float>> rows) {
    RunStore& s = runStore();
    s.NSET = 0;
    for (const auto& [x, settlement] : rows) {
        ++s.NSET;
        s.XSET[s.NSET] = x;
        s.SSET[s.NSET] = settlement;
    }
}

}  // namespace keldar::testing
