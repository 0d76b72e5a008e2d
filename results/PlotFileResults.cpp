#include "PlotFileResults.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "RunStore.h"
#include "UnitSystem.h"

namespace keldar {

namespace {

// The plot file as blank-separated words, each with its line number.
class Words {
  public:
    explicit Words(std::istream& in) {
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::istringstream words(line);
            for (std::string word; words >> word;) words_.push_back({word, number});
        }
    }
    bool atEnd() const { return next_ >= words_.size(); }

    bool real(float& value) {
        if (!take()) return false;
        const std::string& w = words_[next_ - 1].text;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (ec != std::errc() || end != w.data() + w.size() || !std::isfinite(value))
            return fail("a number was expected, found \"" + w + "\"");
        return true;
    }
    bool integer(int& value) {
        if (!take()) return false;
        const std::string& w = words_[next_ - 1].text;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (ec != std::errc() || end != w.data() + w.size())
            return fail("a whole number was expected, found \"" + w + "\"");
        return true;
    }
    const std::string& problem() const { return problem_; }

  private:
    struct Word {
        std::string text;
        int line;
    };
    bool take() {
        if (atEnd()) {
            problem_ = "The plot data file ends early: the run did not finish.";
            return false;
        }
        ++next_;
        return true;
    }
    bool fail(const std::string& what) {
        problem_ = "Line " + std::to_string(words_[next_ - 1].line) +
                   " of the plot data file: " + what + ".";
        return false;
    }
    std::vector<Word> words_;
    std::size_t next_ = 0;
    std::string problem_;
};

bool readCurves(Words& in, RunResults& r) {
    int count = 0;
    if (!in.integer(count) || count < 0) return false;
    for (int i = 0; i < count; ++i) {
        TzCurveResult curve;
        int points = 0;
        if (!in.integer(curve.number) || !in.integer(points) || !in.real(curve.depth)) return false;
        for (int j = 0; j < points; ++j) {
            CurvePoint p{};
            if (!in.real(p.y) || !in.real(p.x)) return false;
            curve.points.push_back(p);
        }
        r.tzCurves.push_back(std::move(curve));
    }
    int points = 0;
    if (!in.integer(points)) return false;
    for (int j = 0; j < points; ++j) {
        CurvePoint p{};
        if (!in.real(p.y) || !in.real(p.x)) return false;
        r.qwCurve.push_back(p);
    }
    return true;
}

bool readRow(Words& in, LoadSettlementRow& row) {
    return in.real(row.topLoad) && in.real(row.topMovement) && in.real(row.tipMovement) &&
           in.real(row.tipLoad);
}

bool readAnalysis(Words& in, RunResults& r) {
    int cases = 0, increments = 0, units = 0;
    if (!in.integer(cases) || !in.integer(increments) || !in.integer(units)) return false;
    r.unitSystem = UnitSystemOf(units);
    r.input.read = true;
    r.input.tipMovements = cases;
    r.input.increments = increments;
    for (int k = 0; k < cases; ++k) {
        CaseDistribution d;
        for (int i = 0; i < increments; ++i) {
            float depth = 0, load = 0, movement = 0;
            if (!in.real(depth) || !in.real(load) || !in.real(movement)) {
                r.distributions.push_back(std::move(d));
                return false;
            }
            d.middleDepth.push_back(depth);
            d.averageLoad.push_back(load);
            d.averageMovement.push_back(movement);
        }
        r.distributions.push_back(std::move(d));
    }
    for (int k = 0; k < cases; ++k) {
        LoadSettlementRow row;
        if (!readRow(in, row)) return false;
        r.loadSettlement.push_back(row);
    }
    r.loadSettlementComplete = true;
    // The load-controlled rows run to the end of the file; the file does not count them. A
    // load without a solution was written with three zeros.
    while (!in.atEnd()) {
        LoadSettlementRow row;
        if (!readRow(in, row)) return false;
        row.converged = !(row.topMovement == 0 && row.tipMovement == 0 && row.tipLoad == 0);
        r.loadControlled.push_back(row);
    }
    r.loadControlledComplete = true;
    return true;
}

// The stop block of a report: the message line, then "THE RUN IS STOPPED WITH STATUS n.".
bool reportStop(const std::string& reportFile, std::int32_t& status, std::string& message) {
    std::ifstream in(reportFile);
    std::string previous, line;
    static const std::string kStop = "THE RUN IS STOPPED WITH STATUS ";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t at = line.find(kStop);
        if (at != std::string::npos) {
            status = std::atoi(line.c_str() + at + kStop.size());
            const std::size_t begin = previous.find_first_not_of(' ');
            message = begin == std::string::npos ? std::string() : previous.substr(begin);
            return true;
        }
        previous = line;
    }
    return false;
}

}  // namespace

bool readPlotFileResults(const std::string& plotFile, const std::string& reportFile, RunResults& r,
                         std::string& message) {
    r = RunResults{};
    std::ifstream file(plotFile, std::ios::binary);
    if (!file) {
        message = "The plot data file \"" + plotFile + "\" cannot be opened.";
        return false;
    }
    Words in(file);
    const bool complete = readCurves(in, r) && readAnalysis(in, r);
    std::int32_t status = 0;
    std::string stopMessage;
    if (reportStop(reportFile, status, stopMessage)) {
        r.status = status;
        r.message = stopMessage;
        r.loadControlledComplete = false;
        if (status > 0 && !complete) r.loadSettlementComplete = false;
    } else if (!complete) {
        r.status = kStatusInternalError;
        r.message = in.problem();
    }
    return true;
}

}  // namespace keldar
