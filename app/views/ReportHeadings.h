// The tables of an output report (.kd3o), found by the headings that the analysis writes over
// them, for the report viewer's list of places to jump to.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace keldar {

struct TReportHeading {
    QString label;  // what the list shows: "Pile data", "Case 2: tip movement 0.05 in"
    int line;       // the heading's line, from 0
};

// In the order of the report. Unknown text is passed over: a report of another version still
// lists what it shares with this one.
QList<TReportHeading> ReportHeadings(const QStringList& lines);

}  // namespace keldar
