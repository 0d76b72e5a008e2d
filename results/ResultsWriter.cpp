#include "ResultsWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "FiniteResults.h"
#include "ResultsSummary.h"

namespace keldar {

std::string numberText(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    std::string text(buffer, end);
    // A real stays a real when it is whole ("50000.0", not "50000"), so that a column read by
    // a script has one type.
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

static std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

static std::string numberList(const std::vector<float>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out += ", ";
        out += numberText(values[i]);
    }
    return out + "]";
}

static std::string pointLists(const std::vector<CurvePoint>& points, const char* xName,
                              const char* yName) {
    std::vector<float> x, y;
    for (const CurvePoint& p : points) {
        x.push_back(p.x);
        y.push_back(p.y);
    }
    return std::string("\"") + xName + "\": " + numberList(x) + ", \"" + yName +
           "\": " + numberList(y);
}

// converged: a solution was found and every increment of it met the tolerance.
static std::string rowJson(const LoadSettlementRow& row) {
    std::ostringstream out;
    out << "{\"top_load\": " << numberText(row.topLoad) << ", \"converged\": "
        << (row.converged && row.unconvergedIncrements == 0 ? "true" : "false")
        << ", \"unconverged_increments\": " << row.unconvergedIncrements;
    // A load without a solution has no movements: null, never a zero that reads as a result.
    const bool known = row.converged;
    out << ", \"top_movement\": " << (known ? numberText(row.topMovement) : "null")
        << ", \"tip_movement\": " << (known ? numberText(row.tipMovement) : "null")
        << ", \"tip_load\": " << (known ? numberText(row.tipLoad) : "null");
    if (!isFiniteRow(row)) out << ", \"finite\": false";
    out << "}";
    return out.str();
}

// A plot data file holds only the counts of its cases and increments.
static std::string plotFileInputJson(const InputSummary& in) {
    return "{\"increments\": " + std::to_string(in.increments) +
           ", \"tip_movements\": " + std::to_string(in.tipMovements) + "}";
}

static std::string inputJson(const InputSummary& in, const std::string& source) {
    if (source == "plot file") return plotFileInputJson(in);
    std::ostringstream out;
    out << "{\"title\": " << quoted(in.title) << ", \"pile_length\": " << numberText(in.pileLength)
        << ", \"outer_diameter\": " << numberText(in.diameter)
        << ", \"tip_area\": " << numberText(in.tipArea)
        << ", \"tolerance\": " << numberText(in.tolerance) << ", \"increments\": " << in.increments
        << ", \"output_option\": " << in.outputOption
        << ", \"curves_generated\": " << (in.curvesGenerated ? "true" : "false")
        << ", \"soil_layers\": " << in.layers << ", \"ae_points\": " << in.aePoints
        << ", \"tip_movements\": " << in.tipMovements << ", \"head_loads\": " << in.headLoads
        << ", \"settlement_points\": " << in.settlementPoints
        << ", \"tz_factors\": " << (in.tzFactors ? "true" : "false")
        << ", \"qw_factors\": " << (in.qwFactors ? "true" : "false")
        << ", \"q_multiplier\": " << numberText(in.qMultiplier)
        << ", \"w_multiplier\": " << numberText(in.wMultiplier) << "}";
    return out.str();
}

static std::string distributionJson(const CaseDistribution& d) {
    std::ostringstream out;
    out << "{\"node_depth\": " << numberList(d.nodeDepth)
        << ", \"node_load\": " << numberList(d.nodeLoad)
        << ", \"node_movement\": " << numberList(d.nodeMovement)
        << ", \"middle_depth\": " << numberList(d.middleDepth)
        << ", \"transfer\": " << numberList(d.transfer)
        << ", \"load_taken\": " << numberList(d.loadTaken)
        << ", \"average_load\": " << numberList(d.averageLoad)
        << ", \"shortening\": " << numberList(d.shortening)
        << ", \"average_movement\": " << numberList(d.averageMovement) << "}";
    return out.str();
}

static std::string caseSummaryJson(const CaseSummary& c, bool downDrag) {
    std::ostringstream out;
    out << "{\"head_load\": " << numberText(c.headLoad)
        << ", \"head_settlement\": " << numberText(c.headSettlement)
        << ", \"tip_load\": " << numberText(c.tipLoad)
        << ", \"tip_movement\": " << numberText(c.tipMovement)
        << ", \"side_load\": " << numberText(c.sideLoad)
        << ", \"side_share\": " << numberText(c.sideShare)
        << ", \"converged\": " << (c.converged ? "true" : "false");
    if (downDrag)
        out << ", \"neutral_plane_depth\": " << numberText(c.neutralPlaneDepth)
            << ", \"max_axial_load\": " << numberText(c.maxAxialLoad)
            << ", \"drag_load\": " << numberText(c.dragLoad)
            << ", \"neutral_plane_settlement\": " << numberText(c.neutralPlaneSettlement);
    out << "}";
    return out.str();
}

static std::string caseListJson(const std::vector<CaseSummary>& cases, bool downDrag) {
    std::string out = "[";
    for (std::size_t i = 0; i < cases.size(); ++i)
        out += (i ? ",\n      " : "\n      ") + caseSummaryJson(cases[i], downDrag);
    return out + "]";
}

static std::string summaryJson(const ResultsSummary& s) {
    std::ostringstream out;
    out << "{\"settlement_10pct_diameter\": " << numberText(s.settlement10PctDiameter)
        << ", \"capacity_10pct_diameter\": " << numberText(s.capacity10PctDiameter)
        << ",\n    \"davisson_flexibility\": " << numberText(s.davissonFlexibility)
        << ", \"davisson_offset\": " << numberText(s.davissonOffset)
        << ", \"davisson_capacity\": " << numberText(s.davissonCapacity)
        << ", \"davisson_settlement\": " << numberText(s.davissonSettlement)
        << ",\n    \"chosen_settlement\": " << numberText(s.chosenSettlement)
        << ", \"load_at_chosen_settlement\": " << numberText(s.loadAtChosenSettlement)
        << ", \"chosen_load\": " << numberText(s.chosenLoad)
        << ", \"settlement_at_chosen_load\": " << numberText(s.settlementAtChosenLoad)
        << ",\n    \"down_drag\": " << (s.downDrag ? "true" : "false")
        << ",\n    \"cases\": " << caseListJson(s.cases, s.downDrag)
        << ",\n    \"head_load_cases\": " << caseListJson(s.headLoadCases, false) << "}";
    return out.str();
}

std::string resultsJson(const RunResults& r, const std::string& source, SummaryChoices choices,
                        DistributionsInJson distributions) {
    std::ostringstream out;
    out << "{\n  \"status\": " << r.status << ",\n  \"message\": " << quoted(r.message)
        << ",\n  \"format\": \"keldar-results\",\n  \"format_version\": 3"
        << ",\n  \"source\": " << quoted(source) << ",\n  \"units\": ";
    if (r.unitSystem == 0) {
        out << "null";
    } else {
        const UnitLabels u = unitLabels(r.unitSystem);
        out << "{\"system\": " << r.unitSystem << ", \"length\": " << quoted(u.length)
            << ", \"movement\": " << quoted(u.length) << ", \"force\": " << quoted(u.force)
            << ", \"stress\": " << quoted(u.stress) << "}";
    }
    out << ",\n  \"input\": " << (r.input.read ? inputJson(r.input, source) : "null");
    out << ",\n  \"summary\": " << summaryJson(summarizeResults(r, choices));

    out << ",\n  \"load_settlement\": {\"complete\": "
        << (r.loadSettlementComplete ? "true" : "false") << ", \"rows\": [";
    for (std::size_t i = 0; i < r.loadSettlement.size(); ++i)
        out << (i ? ",\n    " : "\n    ") << rowJson(r.loadSettlement[i]);
    out << "]}";

    out << ",\n  \"load_controlled\": {\"complete\": "
        << (r.loadControlledComplete ? "true" : "false") << ", \"rows\": [";
    for (std::size_t i = 0; i < r.loadControlled.size(); ++i)
        out << (i ? ",\n    " : "\n    ") << rowJson(r.loadControlled[i]);
    out << "]}";

    out << ",\n  \"distributions\": [";
    const bool listed = distributions == DistributionsInJson::Listed;
    for (std::size_t i = 0; listed && i < r.distributions.size(); ++i)
        out << (i ? ",\n    " : "\n    ") << distributionJson(r.distributions[i]);
    out << "]";

    out << ",\n  \"warnings\": [";
    for (std::size_t i = 0; i < r.warnings.size(); ++i) {
        const RangeWarning& w = r.warnings[i];
        out << (i ? ",\n    " : "\n    ") << "{\"quantity\": " << quoted(w.quantity)
            << ", \"layer\": " << w.layer << ", \"row\": " << w.row
            << ", \"value\": " << numberText(w.value) << ", \"message\": " << quoted(w.message)
            << "}";
    }
    out << "]";

    out << ",\n  \"tz_curves\": [";
    for (std::size_t i = 0; i < r.tzCurves.size(); ++i) {
        const TzCurveResult& c = r.tzCurves[i];
        out << (i ? ",\n    " : "\n    ") << "{\"number\": " << c.number
            << ", \"depth\": " << numberText(c.depth) << ", " << pointLists(c.points, "z", "t")
            << "}";
    }
    out << "]";
    out << ",\n  \"qw_curve\": {" << pointLists(r.qwCurve, "w", "q") << "}\n}\n";
    return out.str();
}

// ---------------------------------------------------------------------------------------------
// CSV

static std::string csvText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) out += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// A row of a table that the run did not finish is marked so that it is never taken as a
// result.
static const char* rowState(bool complete) { return complete ? "result" : "partial"; }

// The criteria of the summary as key,value lines; the per-case numbers have their own file.
static std::string summaryCriteriaCsv(const ResultsSummary& s) {
    std::ostringstream out;
    out << "settlement_10pct_diameter," << numberText(s.settlement10PctDiameter)
        << "\ncapacity_10pct_diameter," << numberText(s.capacity10PctDiameter)
        << "\ndavisson_flexibility," << numberText(s.davissonFlexibility) << "\ndavisson_offset,"
        << numberText(s.davissonOffset) << "\ndavisson_capacity," << numberText(s.davissonCapacity)
        << "\ndavisson_settlement," << numberText(s.davissonSettlement) << "\nchosen_settlement,"
        << numberText(s.chosenSettlement) << "\nload_at_chosen_settlement,"
        << numberText(s.loadAtChosenSettlement) << "\nchosen_load," << numberText(s.chosenLoad)
        << "\nsettlement_at_chosen_load," << numberText(s.settlementAtChosenLoad) << "\ndown_drag,"
        << (s.downDrag ? 1 : 0) << "\n";
    return out.str();
}

// A null of the JSON is an empty CSV cell.
static std::string csvNumber(float value) { return std::isfinite(value) ? numberText(value) : ""; }

static std::string caseSummaryCsv(const ResultsSummary& s, const std::string& L,
                                  const std::string& F) {
    std::ostringstream out;
    out << "kind,case,converged,head_load_" << F << ",head_settlement_" << L << ",tip_load_" << F
        << ",tip_movement_" << L << ",side_load_" << F << ",side_share,neutral_plane_depth_" << L
        << ",max_axial_load_" << F << ",drag_load_" << F << ",neutral_plane_settlement_" << L
        << "\n";
    const auto rows = [&](const std::vector<CaseSummary>& cases, const char* kind) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const CaseSummary& c = cases[i];
            out << kind << "," << i + 1 << "," << (c.converged ? 1 : 0) << ","
                << csvNumber(c.headLoad) << "," << csvNumber(c.headSettlement) << ","
                << csvNumber(c.tipLoad) << "," << csvNumber(c.tipMovement) << ","
                << csvNumber(c.sideLoad) << "," << csvNumber(c.sideShare) << ","
                << csvNumber(c.neutralPlaneDepth) << "," << csvNumber(c.maxAxialLoad) << ","
                << csvNumber(c.dragLoad) << "," << csvNumber(c.neutralPlaneSettlement) << "\n";
        }
    };
    rows(s.cases, "tip movement");
    rows(s.headLoadCases, "head load");
    return out.str();
}

std::vector<std::pair<std::string, std::string>> resultsCsv(const RunResults& r,
                                                            const std::string& source,
                                                            SummaryChoices choices) {
    const ResultsSummary summary = summarizeResults(r, choices);
    std::vector<std::pair<std::string, std::string>> files;
    const UnitLabels u = unitLabels(r.unitSystem);
    const std::string L = r.unitSystem ? u.length : "", F = r.unitSystem ? u.force : "",
                      P = r.unitSystem ? u.stress : "";

    std::ostringstream s;
    s << "key,value\nstatus," << r.status << "\nmessage," << csvText(r.message) << "\nsource,"
      << csvText(source) << "\nunit_system," << r.unitSystem << "\nlength_unit," << L
      << "\nforce_unit," << F << "\nstress_unit," << P << "\nload_settlement_complete,"
      << (r.loadSettlementComplete ? 1 : 0) << "\nload_controlled_complete,"
      << (r.loadControlledComplete ? 1 : 0) << "\n";
    if (r.input.read && source == "plot file") {
        s << "increments," << r.input.increments << "\ntip_movements," << r.input.tipMovements
          << "\n";
    } else if (r.input.read) {
        const InputSummary& in = r.input;
        s << "title," << csvText(in.title) << "\npile_length," << numberText(in.pileLength)
          << "\nouter_diameter," << numberText(in.diameter) << "\ntip_area,"
          << numberText(in.tipArea) << "\ntolerance," << numberText(in.tolerance) << "\nincrements,"
          << in.increments << "\noutput_option," << in.outputOption << "\ncurves_generated,"
          << (in.curvesGenerated ? 1 : 0) << "\nsoil_layers," << in.layers << "\nae_points,"
          << in.aePoints << "\ntip_movements," << in.tipMovements << "\nhead_loads," << in.headLoads
          << "\nsettlement_points," << in.settlementPoints << "\ntz_factors,"
          << (in.tzFactors ? 1 : 0) << "\nqw_factors," << (in.qwFactors ? 1 : 0)
          << "\nq_multiplier," << numberText(in.qMultiplier) << "\nw_multiplier,"
          << numberText(in.wMultiplier) << "\n";
    }
    s << summaryCriteriaCsv(summary);
    files.emplace_back("summary", s.str());
    files.emplace_back("case-summary", caseSummaryCsv(summary, L, F));

    const auto rowsCsv = [&](const std::vector<LoadSettlementRow>& rows, bool complete,
                             bool withConvergence) {
        std::ostringstream t;
        t << "state," << (withConvergence ? "converged," : "") << "top_load_" << F
          << ",top_movement_" << L << ",tip_movement_" << L << ",tip_load_" << F
          << ",unconverged_increments\n";
        for (const LoadSettlementRow& row : rows) {
            t << rowState(complete) << ",";
            if (withConvergence) t << (row.converged ? 1 : 0) << ",";
            t << numberText(row.topLoad) << ",";
            if (row.converged)
                t << numberText(row.topMovement) << "," << numberText(row.tipMovement) << ","
                  << numberText(row.tipLoad);
            else
                t << ",,";
            t << "," << row.unconvergedIncrements << "\n";
        }
        return t.str();
    };
    files.emplace_back("load-settlement",
                       rowsCsv(r.loadSettlement, r.loadSettlementComplete, false));
    files.emplace_back("load-controlled",
                       rowsCsv(r.loadControlled, r.loadControlledComplete, true));

    std::ostringstream d;
    d << "state,case,kind,index,depth_" << L << ",load_" << F << ",movement_" << L << ",transfer_"
      << P << ",load_taken_" << F << ",shortening_" << L << "\n";
    for (std::size_t k = 0; k < r.distributions.size(); ++k) {
        const CaseDistribution& c = r.distributions[k];
        const char* state = rowState(r.loadSettlementComplete);
        for (std::size_t n = 0; n < c.nodeDepth.size(); ++n)
            d << state << "," << k + 1 << ",node," << n + 1 << "," << numberText(c.nodeDepth[n])
              << "," << numberText(c.nodeLoad[n]) << "," << numberText(c.nodeMovement[n])
              << ",,,\n";
        for (std::size_t i = 0; i < c.middleDepth.size(); ++i) {
            const auto at = [i](const std::vector<float>& v) {
                return i < v.size() ? numberText(v[i]) : std::string();
            };
            d << state << "," << k + 1 << ",middle," << i + 1 << "," << at(c.middleDepth) << ","
              << at(c.averageLoad) << "," << at(c.averageMovement) << "," << at(c.transfer) << ","
              << at(c.loadTaken) << "," << at(c.shortening) << "\n";
        }
    }
    files.emplace_back("distribution", d.str());

    std::ostringstream tz;
    tz << "curve,number,depth_" << L << ",point,z_" << L << ",t_" << P << "\n";
    for (std::size_t i = 0; i < r.tzCurves.size(); ++i)
        for (std::size_t j = 0; j < r.tzCurves[i].points.size(); ++j)
            tz << i + 1 << "," << r.tzCurves[i].number << "," << numberText(r.tzCurves[i].depth)
               << "," << j + 1 << "," << numberText(r.tzCurves[i].points[j].x) << ","
               << numberText(r.tzCurves[i].points[j].y) << "\n";
    files.emplace_back("tz-curves", tz.str());

    std::ostringstream qw;
    qw << "point,w_" << L << ",q_" << F << "\n";
    for (std::size_t j = 0; j < r.qwCurve.size(); ++j)
        qw << j + 1 << "," << numberText(r.qwCurve[j].x) << "," << numberText(r.qwCurve[j].y)
           << "\n";
    files.emplace_back("qw-curve", qw.str());
    return files;
}

}  // namespace keldar
