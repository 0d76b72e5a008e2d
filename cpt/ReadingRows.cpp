#include "ReadingRows.h"

#include <algorithm>
#include <cmath>

#include "CptReadError.h"
#include "CptText.h"

namespace keldar::cpt {

std::optional<double> ReadingRows::Value(const ReadingColumn& column,
                                         const std::vector<std::string>& fields, int line,
                                         const char* name) const {
    if (column.index < 0) return kNotMeasured;
    if (column.index >= static_cast<int>(fields.size())) {
        throw CptReadError(fRecord.fileName, line, std::string("the row has no value for ") + name);
    }
    const std::string& text = fields[column.index];
    if (std::find(column.voidTexts.begin(), column.voidTexts.end(), text) != column.voidTexts.end())
        return std::nullopt;
    const std::optional<double> value = ParseNumber(text);
    if (!value || !std::isfinite(*value)) {
        throw CptReadError(fRecord.fileName, line,
                           std::string("the ") + name + " \"" + text + "\" is not a number");
    }
    if (std::find(column.voids.begin(), column.voids.end(), *value) != column.voids.end())
        return std::nullopt;
    const double scaled = *value * column.factor;
    if (!std::isfinite(scaled))
        throw CptReadError(fRecord.fileName, line, std::string("the ") + name + " is out of range");
    return scaled;
}

void ReadingRows::Add(const std::vector<std::string>& fields, int line) {
    const std::optional<double> depth = Value(fColumns.depth, fields, line, "depth");
    const std::optional<double> qc = Value(fColumns.qc, fields, line, "cone resistance");
    const std::optional<double> fs = Value(fColumns.fs, fields, line, "sleeve friction");
    const std::optional<double> u2 = Value(fColumns.u2, fields, line, "pore pressure");
    if (!depth || !qc) {
        ++fRecord.droppedRows;
        return;
    }
    if (*depth < 0) throw CptReadError(fRecord.fileName, line, "the depth is negative");
    if (*qc < 0) throw CptReadError(fRecord.fileName, line, "the cone resistance is negative");
    if (!fRecord.readings.empty() && *depth <= fRecord.readings.back().depth) {
        throw CptReadError(fRecord.fileName, line, "the depth does not increase");
    }
    fRecord.readings.push_back({*depth, *qc, fs.value_or(kNotMeasured), u2.value_or(kNotMeasured)});
}

void ReadingRows::Finish() const {
    if (fRecord.readings.empty())
        throw CptReadError(fRecord.fileName, 0, "the file holds no readings");
}

}  // namespace keldar::cpt
