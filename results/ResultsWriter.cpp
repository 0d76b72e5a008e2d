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

// A JSON array with one item a line, each line starting with indent.
template <class Item, class ItemJson>
static std::string jsonList(const std::vector<Item>& items, const char* indent, ItemJson itemJson) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += i ? ",\n" : "\n";
        out += indent;
        out += itemJson(items[i]);
    }
    return out + "]";
}

// The criteria of the results summary, in the order both the JSON and the CSV give them. In
// the JSON each group (10 % of the diameter, Davisson, the chosen settlement and load) starts
// a line.
struct SummaryCriterion {
    const char* key;
    float ResultsSummary::*value;
    bool startsGroup;
};
static constexpr SummaryCriterion kSummaryCriteria[] = {
    {"settlement_10pct_diameter", &ResultsSummary::settlement10PctDiameter, true},
    {"capacity_10pct_diameter", &ResultsSummary::capacity10PctDiameter, false},
    {"davisson_flexibility", &ResultsSummary::davissonFlexibility, true},
    {"davisson_offset", &ResultsSummary::davissonOffset, false},
    {"davisson_capacity", &ResultsSummary::davissonCapacity, false},
    {"davisson_settlement", &ResultsSummary::davissonSettlement, false},
    {"chosen_settlement", &ResultsSummary::chosenSettlement, true},
    {"load_at_chosen_settlement", &ResultsSummary::loadAtChosenSettlement, false},
    {"chosen_load", &ResultsSummary::chosenLoad, false},
    {"settlement_at_chosen_load", &ResultsSummary::settlementAtChosenLoad, false},
};

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
    return jsonList(cases, "      ",
                    [downDrag](const CaseSummary& c) { return caseSummaryJson(c, downDrag); });
}

std::string summaryJson(const ResultsSummary& s) {
    std::ostringstream out;
    out << "{";
    for (const SummaryCriterion& c : kSummaryCriteria) {
        if (&c != kSummaryCriteria) out << (c.startsGroup ? ",\n    " : ", ");
        out << "\"" << c.key << "\": " << numberText(s.*c.value);
    }
    out << ",\n    \"down_drag\": " << (s.downDrag ? "true" : "false")
        << ",\n    \"cases\": " << caseListJson(s.cases, s.downDrag)
        << ",\n    \"head_load_cases\": " << caseListJson(s.headLoadCases, false) << "}";
    return out.str();
}

static std::string loadTableJson(const std::vector<LoadSettlementRow>& rows, bool complete) {
    return std::string("{\"complete\": ") + (complete ? "true" : "false") +
           ", \"rows\": " + jsonList(rows, "    ", rowJson) + "}";
}

static std::string warningJson(const RangeWarning& w) {
    std::ostringstream out;
    out << "{\"quantity\": " << quoted(w.quantity) << ", \"layer\": " << w.layer
        << ", \"row\": " << w.row << ", \"value\": " << numberText(w.value)
        << ", \"message\": " << quoted(w.message) << "}";
    return out.str();
}

static std::string tzCurveJson(const TzCurveResult& c) {
    return "{\"number\": " + std::to_string(c.number) + ", \"depth\": " + numberText(c.depth) +
           ", " + pointLists(c.points, "z", "t") + "}";
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

    out << ",\n  \"load_settlement\": " << loadTableJson(r.loadSettlement, r.loadSettlementComplete)
        << ",\n  \"load_controlled\": "
        << loadTableJson(r.loadControlled, r.loadControlledComplete);
    const bool listed = distributions == DistributionsInJson::Listed;
    out << ",\n  \"distributions\": "
        << (listed ? jsonList(r.distributions, "    ", distributionJson) : "[]");
    out << ",\n  \"warnings\": " << jsonList(r.warnings, "    ", warningJson);
    out << ",\n  \"tz_curves\": " << jsonList(r.tzCurves, "    ", tzCurveJson);
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
    for (const SummaryCriterion& c : kSummaryCriteria)
        out << c.key << "," << numberText(s.*c.value) << "\n";
    out << "down_drag," << (s.downDrag ? 1 : 0) << "\n";
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

// The unit labels that the column names carry; empty when the run left the unit system unread.
struct CsvUnits {
    std::string length, force, stress;
};

static CsvUnits csvUnits(const RunResults& r) {
    if (!r.unitSystem) return {};
    const UnitLabels u = unitLabels(r.unitSystem);
    return {u.length, u.force, u.stress};
}

// The key,value file: the run's status and units, what it read, and the summary's criteria.
static std::string runKeysCsv(const RunResults& r, const std::string& source, const CsvUnits& u,
                              const ResultsSummary& summary) {
    std::ostringstream s;
    s << "key,value\nstatus," << r.status << "\nmessage," << csvText(r.message) << "\nsource,"
      << csvText(source) << "\nunit_system," << r.unitSystem << "\nlength_unit," << u.length
      << "\nforce_unit," << u.force << "\nstress_unit," << u.stress << "\nload_settlement_complete,"
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
    return s.str();
}

// Load-settlement rows; an unconverged row keeps its load and leaves the movements empty.
static std::string loadSettlementCsv(const std::vector<LoadSettlementRow>& rows, bool complete,
                                     bool withConvergence, const CsvUnits& u) {
    std::ostringstream t;
    t << "state," << (withConvergence ? "converged," : "") << "top_load_" << u.force
      << ",top_movement_" << u.length << ",tip_movement_" << u.length << ",tip_load_" << u.force
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
}

// Each case's loads and movements at the nodes, then its transfer values at the middles.
static std::string distributionCsv(const RunResults& r, const CsvUnits& u) {
    std::ostringstream d;
    d << "state,case,kind,index,depth_" << u.length << ",load_" << u.force << ",movement_"
      << u.length << ",transfer_" << u.stress << ",load_taken_" << u.force << ",shortening_"
      << u.length << "\n";
    const char* state = rowState(r.loadSettlementComplete);
    for (std::size_t k = 0; k < r.distributions.size(); ++k) {
        const CaseDistribution& c = r.distributions[k];
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
    return d.str();
}

static std::string tzCurvesCsv(const RunResults& r, const CsvUnits& u) {
    std::ostringstream tz;
    tz << "curve,number,depth_" << u.length << ",point,z_" << u.length << ",t_" << u.stress << "\n";
    for (std::size_t i = 0; i < r.tzCurves.size(); ++i)
        for (std::size_t j = 0; j < r.tzCurves[i].points.size(); ++j)
            tz << i + 1 << "," << r.tzCurves[i].number << "," << numberText(r.tzCurves[i].depth)
               << "," << j + 1 << "," << numberText(r.tzCurves[i].points[j].x) << ","
               << numberText(r.tzCurves[i].points[j].y) << "\n";
    return tz.str();
}

static std::string qwCurveCsv(const RunResults& r, const CsvUnits& u) {
    std::ostringstream qw;
    qw << "point,w_" << u.length << ",q_" << u.force << "\n";
    for (std::size_t j = 0; j < r.qwCurve.size(); ++j)
        qw << j + 1 << "," << numberText(r.qwCurve[j].x) << "," << numberText(r.qwCurve[j].y)
           << "\n";
    return qw.str();
}

std::vector<std::pair<std::string, std::string>> resultsCsv(const RunResults& r,
                                                            const std::string& source,
                                                            SummaryChoices choices) {
    const ResultsSummary summary = summarizeResults(r, choices);
    const CsvUnits u = csvUnits(r);
    return {
        {"summary", runKeysCsv(r, source, u, summary)},
        {"case-summary", caseSummaryCsv(summary, u.length, u.force)},
        {"load-settlement",
         loadSettlementCsv(r.loadSettlement, r.loadSettlementComplete, false, u)},
        {"load-controlled", loadSettlementCsv(r.loadControlled, r.loadControlledComplete, true, u)},
        {"distribution", distributionCsv(r, u)},
        {"tz-curves", tzCurvesCsv(r, u)},
        {"qw-curve", qwCurveCsv(r, u)},
    };
}

}  // namespace keldar
