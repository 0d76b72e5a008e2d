#include "ResultOutput.h"

#include <string>
#include <string_view>

#include "FieldWriter.h"
#include "OutputFile.h"
#include "RunStore.h"

namespace keldar {

static std::string_view label(const char (&unit)[3]) { return {unit, 3}; }

static std::string_view title() { return {runStore().TITLE, kTitleLength}; }

// The node, middle and pile-head rows are many (two per increment and case): they are put
// together field by field, with the same text as their layouts
//     node   (1X,F6.1,8X,14X,E10.3,21X,E10.3)
//     middle (1X,F6.1,1X,E10.3,1X,E10.3,10X,E10.3,1X,E10.3,10X,E10.3)
static constexpr std::size_t kNodeRowLength = 71;
static constexpr std::size_t kMiddleRowLength = 81;
static constexpr std::size_t kPlotRowLength = 38;

// Room for `length` more characters at the end of text; returns where they begin.
static char* extend(std::string& text, std::size_t length) {
    const std::size_t at = text.size();
    text.resize(at + length);
    return text.data() + at;
}

// Drops what was reserved beyond `end`.
static void trim(std::string& text, const char* end) {
    text.resize(static_cast<std::size_t>(end - text.data()));
}

static char* putNodeRow(char* p, float depth, float load, float movement) {
    p = putBlanks(p, 1);
    p = putFixed(p, depth, 6, 1);
    p = putBlanks(p, 22);
    p = putExponent(p, load, 10, 3);
    p = putBlanks(p, 21);
    p = putExponent(p, movement, 10, 3);
    *p++ = '\n';
    return p;
}

static void appendCaseRows(std::string& text, const IncrementTable& table,
                           const PileSolution& solution, float sign) {
    const auto rows = static_cast<std::size_t>(table.count);
    char* p = extend(text, rows * (kNodeRowLength + kMiddleRowLength) + kNodeRowLength);
    for (int i = 1; i <= table.count; ++i) {
        p = putNodeRow(p, table.nodeDepth[i], sign * solution.load[i], sign * solution.movement[i]);
        p = putBlanks(p, 1);
        p = putFixed(p, table.midDepth[i], 6, 1);
        p = putBlanks(p, 1);
        p = putExponent(p, sign * solution.transfer[i], 10, 3);
        p = putBlanks(p, 1);
        p = putExponent(p, sign * solution.loadTaken[i], 10, 3);
        p = putBlanks(p, 10);
        p = putExponent(p, sign * solution.averageLoad[i], 10, 3);
        p = putBlanks(p, 1);
        p = putExponent(p, sign * solution.shortening[i], 10, 3);
        p = putBlanks(p, 10);
        p = putExponent(p, sign * solution.middleMovement[i], 10, 3);
        *p++ = '\n';
    }
    const int head = table.count + 1;
    p = putNodeRow(p, table.nodeDepth[head], sign * solution.load[head],
                   sign * solution.movement[head]);
    trim(text, p);
}

template <class... Args>
static void appendLine(std::string& text, const Layout& layout, const Args&... args) {
    const FieldValue values[] = {FieldValue(args)..., FieldValue(0)};
    layout.format(text, std::span<const FieldValue>(values, sizeof...(Args)));
}

void appendCaseBlock(std::string& text, const IncrementTable& table, const PileSolution& solution,
                     float tipMovement, float tipLoad, bool uplift) {
    static const Layout kBlank("(' ')");
    static const Layout kCaseHeading("(///,8X,'ASSUMED TIP MOVEMENT',8X,'TIP   LOAD')");
    static const Layout kCaseUnits("(17X,A3,20X,A3)");
    static const Layout kCaseRow("(E23.4,E23.4)");
    static const Layout kTableHeading1(
        "(///,1X,'DEPTH     LOAD',7X,'LOAD',6X,'TOTAL',6X,'AVG',6X,'DEFORM',5X,"
        "'TOTAL     AVG')");
    static const Layout kTableHeading2(
        "(9X,'TRANSFER     INCR',6X,'LOAD',7X,'LOAD',5X,'OF INCR    MVMNT     MVMNT')");
    static const Layout kTableUnits("(2X,A3,5X,A3,10X,A3,7X,A3,8X,A3,6X,A3,8X,A3,7X,A3)");

    const RunStore& s = runStore();
    appendLine(text, kBlank);
    appendLine(text, kCaseHeading);
    appendLine(text, kCaseUnits, label(s.MUNIT), label(s.FUNIT));
    appendLine(text, kCaseRow, tipMovement, tipLoad);
    appendLine(text, kTableHeading1);
    appendLine(text, kTableHeading2);
    appendLine(text, kTableUnits, label(s.LUNIT), label(s.PUNIT), label(s.FUNIT), label(s.FUNIT),
               label(s.FUNIT), label(s.MUNIT), label(s.MUNIT), label(s.MUNIT));
    appendCaseRows(text, table, solution, uplift ? -1.0f : 1.0f);
}

void writeAnalysisHeader() {
    const RunStore& s = runStore();
    runFiles().plot.writeText(listLine(s.NTM, s.NINC, s.IUNIT));
}

void appendLoadDistribution(std::string& text, const IncrementTable& table,
                            const PileSolution& solution) {
    // (1X,E10.3,3X,E10.3,3X,E10.3) per increment
    char* p = extend(text, static_cast<std::size_t>(table.count) * kPlotRowLength);
    for (int i = 1; i <= table.count; ++i) {
        p = putBlanks(p, 1);
        p = putExponent(p, table.midDepth[i], 10, 3);
        p = putBlanks(p, 3);
        p = putExponent(p, solution.averageLoad[i], 10, 3);
        p = putBlanks(p, 3);
        p = putExponent(p, solution.middleMovement[i], 10, 3);
        *p++ = '\n';
    }
    trim(text, p);
}

static void writeResultHeading(const Layout& titleLine) {
    static const Layout kHeading(
        "(///,8X,'TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT',5X,'TIP  LOAD')");
    static const Layout kUnits("(11X,A3,13X,A3,14X,A3,12X,A3)");
    const RunStore& s = runStore();
    OutputFile& out = runFiles().report;
    out.write(titleLine, title());
    out.write(kHeading);
    out.write(kUnits, label(s.FUNIT), label(s.MUNIT), label(s.MUNIT), label(s.FUNIT));
}

void writeLoadSettlementHeading() {
    static const Layout kBlank("(' ')");
    static const Layout kTitle("(1X,A72)");
    runFiles().report.write(kBlank);
    writeResultHeading(kTitle);
}

static const Layout& resultRowLayout() {
    static const Layout kRow("(E17.4,3E16.4)");
    return kRow;
}

void writeResultRow(const ResultRow& row) {
    runFiles().report.write(resultRowLayout(), row.topLoad, row.topMovement, row.tipMovement,
                            row.tipLoad);
}

void writePlotRow(const ResultRow& row) {
    runFiles().plot.write(resultRowLayout(), row.topLoad, row.topMovement, row.tipMovement,
                          row.tipLoad);
}

void writeLoadControlledHeading() {
    static const Layout kOne("('1')");
    static const Layout kTitle("(8X,A72)");
    runFiles().report.write(kOne);
    writeResultHeading(kTitle);
}

void writeNoConvergenceRow(float load) {
    static const Layout kRow("(E17.4,5X,'NOT ABLE TO GET CONVERGENCE')");
    runFiles().report.write(kRow, load);
}

void writeStiffnessWarning(float depth) {
    static const Layout kWarning(
        "(/,29X,'**** WARNING ****',/,5X,'THE AXIAL STIFFNESS AE AT X =',E10.3,"
        "' IS NOT ABOVE ZERO;',/,5X,'THE ANALYSIS CANNOT BE CARRIED OUT.')");
    runFiles().report.write(kWarning, depth);
}

void writeCountWarning(const char* what, int count, int lowest, int highest) {
    static const Layout kWarning(
        "(/,29X,'**** WARNING ****',/,5X,'THE NUMBER OF ',A,' = ',I0,' IS OUTSIDE ',I0,' TO ',"
        "I0,';',/,5X,'THE ANALYSIS CANNOT BE CARRIED OUT.')");
    runFiles().report.write(kWarning, what, count, lowest, highest);
}

}  // namespace keldar
