#include "InputEcho.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>

#include "FieldWriter.h"
#include "RunContext.h"
#include "RunResultsCollect.h"
#include "RunStore.h"
#include "UnitSystem.h"

namespace keldar {

static std::string_view label(const char* text, std::size_t n) { return {text, n}; }

static std::string_view trimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

// A text of exactly n characters: cut, or padded with blanks, as a fixed-length field holds it.
static std::string fixedLength(std::string_view text, std::size_t n) {
    std::string out(text.substr(0, std::min(n, text.size())));
    out.resize(n, ' ');
    return out;
}

static void emptyLines(OutputFile& file, int count) {
    for (int i = 0; i < count; ++i) file.writeText("\n");
}

void setUnitLabels() {
    RunStore& s = runStore();
    const bool english = s.IUNIT == usEnglish;
    std::memcpy(s.LUNIT, english ? "IN." : " M.", 3);
    std::memcpy(s.MUNIT, english ? "IN." : " M.", 3);
    std::memcpy(s.FUNIT, english ? "LBS" : "KN.", 3);
    std::memcpy(s.PUNIT, english ? "PSI" : "KPA", 3);
    std::memcpy(s.AUNIT, english ? "SQ IN" : " SQ M", 5);
}

// ---------------------------------------------------------------------------------------------
// Report header

void writeReportHeader(const RunIdentity& identity, const RunPaths& paths, const ReportTime& time) {
    static const Layout kRule("(5X,A)");
    static const Layout kVersion("(20X,'  KELDAR for Windows, Version ',A12,/)");
    static const Layout kNumber("(20X,'  User Identification No.',I10,/)");
    static const Layout kPurpose(
        "(20X,'   A Program for Computing Load Vs Settlement ',/,"
        "20X,'           For an Axially Loaded Pile ',/)");
    static const Layout kIdCaption("(5X,'This analysis is performed for:',/)");
    static const Layout kIdLine("(5X,A)");
    static const Layout kPathLine("(5X,'Path to file locations      : ',A,A)");
    static const Layout kDataLine("(5X,'Name of input data file     : ',A,A)");
    static const Layout kReportLine("(5X,'Name of output file         : ',A,A)");
    static const Layout kPlotLine("(5X,'Name of plot output file    : ',A,A,/)");
    static const Layout kDateCaption("(26X,'Time and Date of Analysis')");
    static const Layout kDate(
        "(15X,'Date:  ',A,' ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2)");
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};

    OutputFile& out = runFiles().report;
    const std::string equals(73, '=');
    const std::string dashes(73, '-');

    out.write(kRule, equals);
    emptyLines(out, 1);
    // The version is a 12-character field of names.dat: cut or padded, never aligned.
    out.write(kVersion, fixedLength(identity.version, 12));
    out.write(kNumber, identity.number);
    out.write(kPurpose);
    out.write(kRule, equals);
    emptyLines(out, 2);

    out.write(kIdCaption);
    out.write(kIdLine, trimRight(identity.user1));
    out.write(kIdLine, trimRight(identity.user2));
    emptyLines(out, 1);

    const PathParts data = splitPath(paths.dataFile);
    const PathParts report = splitPath(paths.reportFile);
    const PathParts plot = splitPath(paths.plotFile);
    out.write(kPathLine, data.drive, data.folder);
    out.write(kDataLine, data.name, data.extension);
    out.write(kReportLine, report.name, report.extension);
    out.write(kPlotLine, plot.name, plot.extension);

    out.write(kRule, dashes);
    out.write(kDateCaption);
    out.write(kRule, dashes);
    emptyLines(out, 1);
    const int month = std::clamp(time.month, 1, 12);
    out.write(kDate, kMonths[month - 1], time.day, time.year, time.hour, time.minute, time.second);
}

// ---------------------------------------------------------------------------------------------
// Input echo

void writeEchoOpening() {
    static const Layout kHeading(
        "(1X,'PROGRAM KELDAR FOR COMPUTING LOAD VS. SETTLEMENT',/,"
        "1X,'FOR AN AXIALLY LOADED PILE',/,1X,'VERSION ',A,///)");
    static const Layout kTitle("(1X,A72)");
    static const Layout kPileKind("(///,1X,' AXIALLY LOADED PILE, CONSTANT OD',/)");

    OutputFile& out = runFiles().report;
    out.writeText(" \n");
    out.write(kHeading, kProgramVersion);
    out.write(kTitle, label(runStore().TITLE, kTitleLength));
    out.write(kPileKind);
}

// A table heading of the report and below it its units line.
template <class... Labels>
static void writeHeading(const Layout& heading, const Layout& units, const Labels&... labels) {
    OutputFile& out = runFiles().report;
    out.write(heading);
    out.write(units, labels...);
}

// A heading whose units line is written out for each unit system.
static void writeHeadingWithUnits(const Layout& heading, const char* englishUnits,
                                  const char* siUnits) {
    static const Layout kUnits("(10X,A)");
    writeHeading(heading, kUnits, runStore().IUNIT == usEnglish ? englishUnits : siUnits);
}

void writeLayerHeading() {
    static const Layout kHeading("(//,10X,'  LAYER      KSOIL      XTOP      XBOT')");
    writeHeadingWithUnits(kHeading, "                         IN.       IN.",
                          "                          M         M");
}

void writeLayerRow(int layer) {
    static const Layout kRow("(10X,2(I5,5X),2(E10.3,2X))");
    const RunStore& s = runStore();
    runFiles().report.write(kRow, layer, s.KSOIL[layer], s.XTOP[layer], s.XBOT[layer]);
}

void writePropertyTables() {
    static const Layout kWeightHeading("(//,10X,'    XG1        GAM1')");
    static const Layout kPairRow("(10X,2(E10.3,2X))");
    static const Layout kStrengthHeading(
        "(//,7X,'XSTR         C1          PHI1        EE50       SKIN','        TIP')");
    static const Layout kStrengthUnitsEnglish(
        "(7X,' IN.       LB/IN**2      DEG.                 LB/IN**2','    lb/in**2')");
    static const Layout kStrengthUnitsSi(
        "(7X,A3,1X,'        kN/M**2      DEG.                 kN/M**2','    kN/M**2')");
    static const Layout kStrengthRow("(3X,6(E10.3,2X))");
    static const Layout kSpacer("(//,'  ')");

    const RunStore& s = runStore();
    OutputFile& out = runFiles().report;
    const bool english = s.IUNIT == usEnglish;

    writeHeadingWithUnits(kWeightHeading, "    IN.       LB/IN**3", "     M        kN/M**3");
    for (int i = 1; i <= s.NSTR; ++i) out.write(kPairRow, s.XG1[i], s.GAM1[i]);

    out.write(kStrengthHeading);
    if (english)
        out.write(kStrengthUnitsEnglish);
    else
        out.write(kStrengthUnitsSi, label(s.LUNIT, 3));
    for (int i = 1; i <= s.NSTR; ++i)
        out.write(kStrengthRow, s.XSTR[i], s.C1[i], s.PHI1[i], s.EE50[i], s.SKIN[i], s.TIP[i]);
    out.write(kSpacer);
}

void writeCurveTableHeading() {
    static const Layout kHeading(
        "(//,4X,'T-Z       NO. OF    DEPTH TO    LOAD ','TRANSFER  PILE',/,"
        "3X,'CURVE NO.',2X,'POINTS',4X,'CURVE,',A3,3X,'TRANSFER,',A3,3X,'MOVEMENT,',A3,/)");
    const RunStore& s = runStore();
    runFiles().report.write(kHeading, label(s.LUNIT, 3), label(s.PUNIT, 3), label(s.MUNIT, 3));
}

void writeCurveRow(OutputFile& file, int curve) {
    static const Layout kRow("(2X,I5,I11,E16.4)");
    const RunStore& s = runStore();
    file.write(kRow, s.CURVNO[curve], s.NPTC[curve], s.XC[curve]);
}

void writeCurvePoint(OutputFile& file, int curve, int point) {
    // (31X,E15.4,E15.4), put together field by field: a large project has thousands of points,
    // each written to the report and the plot file.
    const RunStore& s = runStore();
    char line[31 + 15 + 15 + 1];
    char* p = putBlanks(line, 31);
    p = putExponent(p, s.TC[curve][point], 15, 4);
    p = putExponent(p, s.ZC[curve][point], 15, 4);
    *p++ = '\n';
    file.writeText({line, static_cast<std::size_t>(p - line)});
}

void writeCurve(OutputFile& file, int curve) {
    writeCurveRow(file, curve);
    const int points = std::clamp(runStore().NPTC[curve], 0, kMaxCurvePoints);
    for (int k = 1; k <= points; ++k) writeCurvePoint(file, curve, k);
}

void writeCurveTable() {
    writeCurveTableHeading();
    const int curves = std::clamp(runStore().NCURV, 0, kMaxCurves);
    for (int j = 1; j <= curves; ++j) writeCurve(runFiles().report, j);
}

void writePlotCurves(int count) {
    OutputFile& plot = runFiles().plot;
    count = std::clamp(count, 0, kMaxCurves);
    plot.writeText(listLine(count));
    for (int j = 1; j <= count; ++j) writeCurve(plot, j);
}

void writeAeTable() {
    static const Layout kHeading("(/,9X,'  DEPTH',13X,'AE PILE')");
    static const Layout kUnits("(12X,A3,16X,A3)");
    static const Layout kRow("(E18.4,E19.4)");
    const RunStore& s = runStore();
    writeHeading(kHeading, kUnits, label(s.LUNIT, 3), label(s.FUNIT, 3));
    for (int i = 1; i <= s.NAE; ++i) runFiles().report.write(kRow, s.XAE[i], s.AE[i]);
}

void writeTipCurveHeading() {
    static const Layout kHeading("(///,8X,'TIP   LOAD',8X,'TIP MOVEMENT')");
    static const Layout kUnits("(12X,A3,15X,A3)");
    const RunStore& s = runStore();
    writeHeading(kHeading, kUnits, label(s.FUNIT, 3), label(s.MUNIT, 3));
}

void writeTipCurvePoints(OutputFile& file) {
    static const Layout kRow("(E18.4,E19.4)");
    const RunStore& s = runStore();
    const int points = std::clamp(s.NQW, 0, kMaxQwPoints);
    for (int k = 1; k <= points; ++k) file.write(kRow, s.QTIP[k], s.WTIP[k]);
}

void writeTipCurve() {
    writeTipCurveHeading();
    writeTipCurvePoints(runFiles().report);
    runFiles().plot.writeText(listLine(runStore().NQW));
    writeTipCurvePoints(runFiles().plot);
}

void writePileData() {
    static const Layout kHeading("(///,8X,'PILE LENGTH',7X,'OUTER DIAMETER',6X,'TOLERANCE')");
    static const Layout kUnits("(12X,A3,16X,A3,15X,A3)");
    static const Layout kRow("(E18.4,E19.4,E18.4)");
    const RunStore& s = runStore();
    writeHeading(kHeading, kUnits, label(s.LUNIT, 3), label(s.LUNIT, 3), label(s.MUNIT, 3));
    runFiles().report.write(kRow, s.PLEN, s.DIAM, s.TOL);
}

void writeTopLoadsHeading() {
    static const Layout kHeading("(//,10X,'   LOADS      ')");
    writeHeadingWithUnits(kHeading, "    LB.       ", "    KN        ");
}

void writeTopLoad(int load) {
    static const Layout kRow("(4X,F10.3)");
    runFiles().report.write(kRow, runStore().TOPLD[load]);
}

void writeSettlementHeading() {
    static const Layout kHeading(
        "(//,10X,'   SOIL SETTLEMENT PROFILE',/,/,10X,'   DEPTH     SETTLEMENT')");
    writeHeadingWithUnits(kHeading, "    IN.         IN", "     M           M");
}

void writeSettlementRow(int point) {
    static const Layout kRow("(10X,2(E10.3,2X))");
    const RunStore& s = runStore();
    runFiles().report.write(kRow, s.XSET[point], s.SSET[point]);
}

void writeTzMultiplierHeading() {
    static const Layout kHeading("(//,10X,'DEPTH',20X,'t-Multiplier  ',10X,'z-Multiplier  ')");
    static const Layout kUnits("(10X,A3)");
    writeHeading(kHeading, kUnits, label(runStore().LUNIT, 3));
}

void writeTzMultiplierRow(int row) {
    static const Layout kRow("(7X,E10.3,18X,E10.3,15X,E10.3)");
    const RunStore& s = runStore();
    runFiles().report.write(kRow, s.XTFAC[row], s.TMULT[row], s.ZMULT[row]);
}

void writeQwMultipliers() {
    static const Layout kHeading("(//,10X,'PILE TIP',17X,'Q-Multiplier  ',10X,'w-Multiplier ')");
    static const Layout kRow("(38X,F4.2,19X,F4.2)");
    const RunStore& s = runStore();
    OutputFile& out = runFiles().report;
    out.write(kHeading);
    out.write(kRow, s.QMULT, s.WMULT);
}

void writeRunError(std::int32_t status, std::string_view message) {
    static const Layout kHeading("(/,29X,'**** ERROR ****')");
    static const Layout kMessage("(5X,A)");
    static const Layout kStop("(5X,'THE RUN IS STOPPED WITH STATUS ',I0,'.')");
    OutputFile& out = runFiles().report;
    if (out.isOpen()) {
        out.write(kHeading);
        out.write(kMessage, message);
        out.write(kStop, status);
    }
    if (currentRun().consoleErrors)
        std::cerr << "KELDAR: " << message << " (status " << status << ")\n";
    collectError(status, message);
}

}  // namespace keldar
