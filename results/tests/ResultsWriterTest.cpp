// The machine-readable results: the summary's criteria in one order for JSON and CSV, grouped
// a line each in the JSON, and every list of the document one item a line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResultsWriter.h"

namespace keldar {
namespace {

const std::vector<std::string> kCriteriaKeys = {
    "settlement_10pct_diameter", "capacity_10pct_diameter",   "davisson_flexibility",
    "davisson_offset",           "davisson_capacity",         "davisson_settlement",
    "chosen_settlement",         "load_at_chosen_settlement", "chosen_load",
    "settlement_at_chosen_load"};

TEST(SummaryJson, CriteriaInTheirGroupsOneLineEach) {
    ResultsSummary s;
    float value = 1.0f;
    for (float* criterion :
         {&s.settlement10PctDiameter, &s.capacity10PctDiameter, &s.davissonFlexibility,
          &s.davissonOffset, &s.davissonCapacity, &s.davissonSettlement, &s.chosenSettlement,
          &s.loadAtChosenSettlement, &s.chosenLoad, &s.settlementAtChosenLoad})
        *criterion = value++;
    EXPECT_EQ(summaryJson(s),
              "{\"settlement_10pct_diameter\": 1.0, \"capacity_10pct_diameter\": 2.0,\n"
              "    \"davisson_flexibility\": 3.0, \"davisson_offset\": 4.0, "
              "\"davisson_capacity\": 5.0, \"davisson_settlement\": 6.0,\n"
              "    \"chosen_settlement\": 7.0, \"load_at_chosen_settlement\": 8.0, "
              "\"chosen_load\": 9.0, \"settlement_at_chosen_load\": 10.0,\n"
              "    \"down_drag\": false,\n"
              "    \"cases\": [],\n"
              "    \"head_load_cases\": []}");
}

TEST(SummaryCsv, TheSameCriteriaInTheSameOrderThenDownDrag) {
    const auto files = resultsCsv(RunResults{}, "run");
    ASSERT_FALSE(files.empty());
    ASSERT_EQ(files.front().first, "summary");
    const std::string& text = files.front().second;
    std::size_t at = text.find("\n" + kCriteriaKeys.front() + ",");
    ASSERT_NE(at, std::string::npos) << text;
    std::vector<std::string> keys;
    for (++at; at < text.size(); at = text.find('\n', at) + 1)
        keys.push_back(text.substr(at, text.find(',', at) - at));
    std::vector<std::string> expected = kCriteriaKeys;
    expected.push_back("down_drag");
    EXPECT_EQ(keys, expected);
}

TEST(ResultsJson, ListsOneItemALineAndDistributionsLeftOutAsAnEmptyList) {
    RunResults r;
    r.warnings = {{"e50", 1, 2, 0.5f, "first"}, {"unit weight", 2, 3, 0.1f, "second"}};
    r.distributions.resize(1);
    const std::string listed = resultsJson(r, "run");
    EXPECT_NE(listed.find("\"warnings\": [\n"
                          "    {\"quantity\": \"e50\", \"layer\": 1, \"row\": 2, \"value\": 0.5, "
                          "\"message\": \"first\"},\n"
                          "    {\"quantity\": \"unit weight\", \"layer\": 2, \"row\": 3, "
                          "\"value\": 0.1, \"message\": \"second\"}]"),
              std::string::npos)
        << listed;
    EXPECT_NE(listed.find("\"distributions\": [\n    {\"node_depth\": []"), std::string::npos);
    EXPECT_NE(listed.find("\"load_settlement\": {\"complete\": false, \"rows\": []}"),
              std::string::npos);
    const std::string leftOut = resultsJson(r, "run", {}, DistributionsInJson::LeftOut);
    EXPECT_NE(leftOut.find("\"distributions\": [],"), std::string::npos) << leftOut;
}

}  // namespace
}  // namespace keldar
