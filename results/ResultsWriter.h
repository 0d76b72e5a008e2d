// Run results in machine-readable form: one JSON document (schema: docs/results.schema.json) or
// one CSV file per table. Numbers are written with the fewest digits that read back as the
// engine's single-precision value.
#pragma once

#include <string>
#include <vector>

#include "ResultsSummary.h"
#include "RunResults.h"

namespace keldar {

// Whether the document lists the load distributions of the cases. A caller that hands them
// over in another form (the Python module, as numbers) leaves them out: "distributions" is then
// an empty list, and the summary is still made from them.
enum class DistributionsInJson { Listed, LeftOut };

// Where the results came from: "run" (the engine, full precision) or "plot file" (the digits
// of an existing plot data file).
// The summary's chosen settlement and load come from `choices`.
std::string resultsJson(const RunResults& results, const std::string& source,
                        SummaryChoices choices = {},
                        DistributionsInJson distributions = DistributionsInJson::Listed);

// The CSV tables as (file suffix, text) pairs: "summary" first, "case-summary", then
// "load-settlement", "load-controlled", "distribution", "tz-curves", "qw-curve".
std::vector<std::pair<std::string, std::string>> resultsCsv(const RunResults& results,
                                                            const std::string& source,
                                                            SummaryChoices choices = {});

// Shortest decimal text that reads back as the same float; "null" for NaN or infinity.
std::string numberText(float value);

}  // namespace keldar
