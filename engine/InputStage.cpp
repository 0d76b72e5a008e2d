#include "InputStage.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "CurveGeneration.h"
#include "CurveMode.h"
#include "InputEcho.h"
#include "Multipliers.h"
#include "OutputFile.h"
#include "RangeChecks.h"
#include "RunStore.h"
#include "SoilCode.h"
#include "UnitSystem.h"

namespace keldar {

namespace {

// A real of a record and what it is, for the messages.
struct NamedReal {
    float& value;
    const char* what;
};

// A 1-based column of a table in the run store and what its values are, for the messages.
struct NamedColumn {
    float* values;
    const char* what;
};

// "<what> of <row>", or either alone when the other is empty.
std::string valueName(std::string_view what, std::string_view row) {
    if (row.empty()) return std::string(what);
    if (what.empty()) return std::string(row);
    return std::string(what) + " of " + std::string(row);
}

// Stage context: the reader and the run status, with the checks that stop the stage.
class Input {
  public:
    Input(DataFileReader& in, std::int32_t& status) : in_(in), status_(status) {}

    DataFileReader& in() { return in_; }

    // True while the reads so far succeeded; otherwise reports the reader's problem once.
    bool ok() {
        if (status_ > 0) return false;
        if (!in_.failed()) return true;
        stop(in_.status(), in_.message());
        return false;
    }

    void stop(std::int32_t status, const std::string& message) {
        status_ = status;
        writeRunError(status, message);
    }

    // One record holding a count, checked as countInRange does.
    bool readCount(std::int32_t& count, int min, int max, const char* what) {
        return readInteger(count, what) && countInRange(count, min, max, what);
    }

    // A count outside min..max stops the run and is stored as 0 so that nothing is ever indexed
    // with it.
    bool countInRange(std::int32_t& count, int min, int max, const std::string& what) {
        if (count >= min && count <= max) return true;
        stop(kStatusCountOutOfRange, lineText() + what + " is " + std::to_string(count) +
                                         "; it must lie between " + std::to_string(min) + " and " +
                                         std::to_string(max) + ".");
        count = 0;
        return false;
    }

    // One record of reals. Each is named "<what> of <row>" in a message, or <what> alone when
    // the record has no row.
    bool readReals(std::string_view row, std::initializer_list<NamedReal> reals) {
        in_.beginRecord();
        for (const NamedReal& real : reals) in_.readReal(real.value, valueName(real.what, row));
        return ok();
    }

    // Rows 1..count of a table, one record each named "<rowName> <i>"; echoRow, when given,
    // writes each row to the report as soon as it is read.
    bool readRows(int count, std::string_view rowName, std::initializer_list<NamedColumn> columns,
                  void (*echoRow)(int) = nullptr) {
        for (int i = 1; i <= count; ++i) {
            in_.beginRecord();
            readRow(i, rowName, columns);
            if (!ok()) return false;
            if (echoRow) echoRow(i);
        }
        return true;
    }

    // Points 1..count of a list that the data file gives in one record, point after point.
    bool readPointsOfOneRecord(int count, std::string_view pointName,
                               std::initializer_list<NamedColumn> columns) {
        in_.beginRecord();
        for (int i = 1; i <= count; ++i) readRow(i, pointName, columns);
        return ok();
    }

    // One record holding one integer.
    bool readInteger(std::int32_t& value, const char* what) {
        in_.beginRecord();
        in_.readInteger(value, what);
        return ok();
    }

    // The values of row i from the current record.
    void readRow(int i, std::string_view rowName, std::initializer_list<NamedColumn> columns) {
        const std::string row = std::string(rowName) + " " + std::to_string(i);
        for (const NamedColumn& column : columns)
            in_.readReal(column.values[i], valueName(column.what, row));
    }

    std::string lineText() const {
        return "Line " + std::to_string(in_.lineNumber()) + " of the data file: ";
    }

    std::int32_t status() const { return status_; }

  private:
    DataFileReader& in_;
    std::int32_t& status_;
};

}  // namespace

static void storeTitle(const std::string& line) {
    char* title = runStore().TITLE;
    const std::size_t n = std::min<std::size_t>(line.size(), kTitleLength);
    std::memset(title, ' ', kTitleLength);
    std::memcpy(title, line.data(), n);
}

void placeGeneratedCurves() {
    RunStore& s = runStore();
    const int layers = std::clamp(s.NLAYER, 0, kMaxLayers);
    s.NCURV = kCurvesPerLayer * layers;
    for (int i = 1; i <= layers; ++i) {
        const float a = s.XTOP[i];
        const float b = s.XBOT[i];
        const int top = 5 * i - 4;
        // In this order, each from the stored single-precision depths.
        s.XC[top] = a;
        s.XC[top + 2] = (a + b) / 2.0f;
        s.XC[top + 1] = (s.XC[top] + s.XC[top + 2]) / 2.0f;
        s.XC[top + 4] = b - 0.01f;
        s.XC[top + 3] = (s.XC[top + 2] + s.XC[top + 4]) / 2.0f;
        for (int j = top; j < top + kCurvesPerLayer; ++j) s.KSOILC[j] = s.KSOIL[i];
    }
}

void setDefaultTipMovements() {
    // Inches; metres in SI.
    static constexpr float kDefaults[] = {0.0001f, 0.001f, 0.01f, 0.03f, 0.07f,
                                          0.1f,    0.2f,   0.5f,  5.0f};
    RunStore& s = runStore();
    s.NTM = 9;
    for (int i = 1; i <= s.NTM; ++i) {
        s.TIPMOV[i] = kDefaults[i - 1];
        if (s.IUNIT == usSI) s.TIPMOV[i] *= kMetresPerInch;
    }
}

// "<what><k> of <whole>" in a buffer kept from point to point: a large project has thousands of
// points, each value named for a message that is seldom needed.
static std::string_view pointName(std::string& text, std::string_view what, int k,
                                  std::string_view whole) {
    char digits[12];
    const char* const end = std::to_chars(digits, digits + sizeof digits, k).ptr;
    text.assign(what);
    text.append(digits, static_cast<std::size_t>(end - digits));
    text += " of ";
    text += whole;
    return text;
}

static bool readUserCurves(Input& input) {
    RunStore& s = runStore();
    DataFileReader& in = input.in();
    std::string loadName, movementName;
    if (!input.readCount(s.NCURV, 1, kMaxCurves, "the number of t-z curves")) return false;
    writeCurveTableHeading();
    runFiles().plot.writeText(listLine(s.NCURV));
    for (int j = 1; j <= s.NCURV; ++j) {
        const std::string curve = "t-z curve " + std::to_string(j);
        in.beginRecord();
        in.readInteger(s.CURVNO[j], "the number of " + curve);
        in.readReal(s.XC[j], "the depth of " + curve);
        in.readInteger(s.NPTC[j], "the number of points of " + curve);
        if (!input.ok()) return false;
        if (!input.countInRange(s.NPTC[j], 1, kMaxCurvePoints, "the number of points of " + curve))
            return false;
        writeCurveRow(runFiles().plot, j);
        writeCurveRow(runFiles().report, j);
        for (int k = 1; k <= s.NPTC[j]; ++k) {
            in.beginRecord();
            in.readReal(s.TC[j][k], pointName(loadName, "the load transfer of point ", k, curve));
            in.readReal(s.ZC[j][k], pointName(movementName, "the movement of point ", k, curve));
            if (!input.ok()) return false;
            writeCurvePoint(runFiles().plot, j, k);
            writeCurvePoint(runFiles().report, j, k);
        }
    }
    return true;
}

static bool readSoilLayers(Input& input) {
    RunStore& s = runStore();
    DataFileReader& in = input.in();
    if (!input.readCount(s.NLAYER, 1, kMaxLayers, "the number of soil layers")) return false;
    writeLayerHeading();
    for (int i = 1; i <= s.NLAYER; ++i) {
        const std::string layer = "soil layer " + std::to_string(i);
        std::int32_t number = 0;
        in.beginRecord();
        in.readInteger(number, "the number of " + layer);
        in.readInteger(s.KSOIL[i], "the soil type code of " + layer);
        in.readReal(s.XTOP[i], "the top of " + layer);
        in.readReal(s.XBOT[i], "the bottom of " + layer);
        if (!input.ok()) return false;
        writeLayerRow(i);
        if (!SoilCodeOf(s.KSOIL[i])) {
            input.stop(kStatusBadSoilCode, input.lineText() + layer + " has the soil type code " +
                                               std::to_string(s.KSOIL[i]) +
                                               "; the codes are 1 to 6.");
            return false;
        }
        s.XG1[2 * i - 1] = s.XSTR[2 * i - 1] = s.XTOP[i];
        s.XG1[2 * i] = s.XSTR[2 * i] = s.XBOT[i];
    }
    s.NSTR = 2 * s.NLAYER;
    if (!input.readRows(s.NSTR, "soil property row",
                        {{s.GAM1, "the unit weight"},
                         {s.C1, "the undrained shear strength"},
                         {s.PHI1, "the friction angle"},
                         {s.EE50, "e50 or the blow count"},
                         {s.SKIN, "the ultimate side friction"},
                         {s.TIP, "the ultimate tip resistance"}}))
        return false;
    writePropertyTables();
    placeGeneratedCurves();
    return true;
}

static bool readAePoints(Input& input) {
    RunStore& s = runStore();
    if (!input.readCount(s.NAE, 1, kMaxAePoints, "the number of axial stiffness points"))
        return false;
    if (!input.readPointsOfOneRecord(s.NAE, "axial stiffness point",
                                     {{s.AE, "the stiffness AE"}, {s.XAE, "the depth"}}))
        return false;
    writeAeTable();
    return true;
}

static bool readUserTipCurve(Input& input) {
    RunStore& s = runStore();
    if (!input.readCount(s.NQW, 1, kMaxQwPoints, "the number of Q-w curve points")) return false;
    runFiles().plot.writeText(listLine(s.NQW));
    writeTipCurveHeading();
    if (!input.readPointsOfOneRecord(s.NQW, "Q-w curve point",
                                     {{s.QTIP, "the tip load"}, {s.WTIP, "the tip movement"}}))
        return false;
    writeTipCurvePoints(runFiles().plot);
    writeTipCurvePoints(runFiles().report);
    return true;
}

static bool readPileScalars(Input& input) {
    RunStore& s = runStore();
    if (!input.readReals({}, {{s.TOL, "the convergence tolerance"},
                              {s.PLEN, "the pile length"},
                              {s.DIAM, "the outer diameter"},
                              {s.ATIP, "the area of the pile tip"}}))
        return false;
    // Increment lengths, side areas and generated movements all scale with these two: a pile
    // without length or diameter would give a report of zeros that looks like a result.
    if (!(s.PLEN > 0.0f) || !(s.DIAM > 0.0f)) {
        input.stop(kStatusBadPileGeometry,
                   input.lineText() + "the pile length and the outer diameter must be above 0.");
        return false;
    }
    return true;
}

static bool buildGeneratedCurves(Input& input, std::int32_t& status) {
    warnPropertiesOutsideMethods();
    buildSideCurves(status);
    if (status > 0) return false;
    writeCurveTable();
    writePlotCurves(std::min(runStore().NCURV, kMaxPlottedCurves));
    buildTipCurve(status);
    if (status > 0) return false;
    writeTipCurve();
    return input.ok();
}

static bool readTipMovements(Input& input) {
    RunStore& s = runStore();
    DataFileReader& in = input.in();
    if (!input.readCount(s.NTM, 0, kMaxTipMovements, "the number of tip movements")) return false;
    if (s.NTM == 0) {
        setDefaultTipMovements();
        return true;
    }
    in.beginRecord();
    for (int i = 1; i <= s.NTM; ++i) in.readReal(s.TIPMOV[i], "tip movement " + std::to_string(i));
    return input.ok();
}

static bool readTopLoads(Input& input) {
    RunStore& s = runStore();
    if (!input.readCount(s.NLOAD, 0, kMaxTopLoads, "the number of pile-head loads")) return false;
    if (s.NLOAD == 0) return true;
    writeTopLoadsHeading();
    return input.readRows(s.NLOAD, "pile-head load", {{s.TOPLD, ""}}, writeTopLoad);
}

static bool readSettlementProfile(Input& input) {
    RunStore& s = runStore();
    if (!input.readCount(s.NSET, 0, kMaxSettlementPoints, "the number of soil settlement points"))
        return false;
    if (s.NSET == 0) return true;
    writeSettlementHeading();
    return input.readRows(s.NSET, "soil settlement point",
                          {{s.XSET, "the depth"}, {s.SSET, "the settlement"}}, writeSettlementRow);
}

static bool readTzFactors(Input& input) {
    RunStore& s = runStore();
    if (!input.readInteger(s.ITFAC, "the t-z modification option")) return false;
    if (s.ITFAC <= 0) return true;
    if (!input.readCount(s.NTFAC, 0, kMaxFactorRows, "the number of t-z factor rows")) return false;
    writeTzMultiplierHeading();
    if (!input.readRows(
            s.NTFAC, "t-z factor row",
            {{s.XTFAC, "the depth"}, {s.TMULT, "the t-multiplier"}, {s.ZMULT, "the z-multiplier"}},
            writeTzMultiplierRow))
        return false;
    applyTzMultipliers();
    return true;
}

static bool readQwFactors(Input& input) {
    RunStore& s = runStore();
    if (!input.readInteger(s.IQFAC, "the Q-w modification option")) return false;
    if (s.IQFAC <= 0) return true;
    if (!input.readReals({}, {{s.QMULT, "the Q-multiplier"}, {s.WMULT, "the w-multiplier"}}))
        return false;
    writeQwMultipliers();
    applyQwMultipliers();
    return true;
}

void readInput(DataFileReader& in, std::int32_t& status) {
    RunStore& s = runStore();
    Input input(in, status);

    std::string title;
    in.readLine(title, "the title line");
    if (!input.ok()) return;
    storeTitle(title);

    in.beginRecord();
    in.readInteger(s.NINC, "the number of pile increments");
    in.readInteger(s.IOUT, "the output option");
    in.readInteger(s.IUNIT, "the unit system");
    if (!input.ok()) return;
    setUnitLabels();
    writeEchoOpening();
    if (s.IUNIT != usEnglish && s.IUNIT != usSI) {
        input.stop(kStatusCountOutOfRange, input.lineText() + "the unit system is " +
                                               std::to_string(s.IUNIT) +
                                               "; it must be 1 (English) or 2 (SI).");
        return;
    }
    if (!input.countInRange(s.NINC, 1, kMaxIncrements, "the number of pile increments")) return;

    if (!input.readInteger(s.KCURVE, "the curve mode")) return;
    const bool userCurves = s.KCURVE == cmEntered;
    if (userCurves ? !readUserCurves(input) : !readSoilLayers(input)) return;
    if (!readAePoints(input)) return;
    if (userCurves) {
        if (!readUserTipCurve(input) || !readPileScalars(input)) return;
    } else {
        if (!readPileScalars(input) || !buildGeneratedCurves(input, status)) return;
    }
    if (!readTipMovements(input)) return;
    writePileData();
    if (!readTopLoads(input) || !readSettlementProfile(input) || !readTzFactors(input)) return;
    if (!readQwFactors(input)) return;
    in.endRecords();
    input.ok();
}

}  // namespace keldar
