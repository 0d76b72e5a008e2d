#include "ReportHeadings.h"

namespace keldar {

namespace {

// A heading recognised by a text that only its line holds, with the label it gets.
struct Marker {
    const char* text;
    const char* label;
};

// The input echo's tables, in the order the analysis writes them, and the stop of a run.
constexpr Marker kInputMarkers[] = {
    {"Time and Date of Analysis", "Date and time of the analysis"},
    {"PROGRAM KELDAR FOR COMPUTING LOAD VS. SETTLEMENT", "Input"},
    {"LAYER      KSOIL      XTOP      XBOT", "Soil layers"},
    {"XG1        GAM1", "Unit weight"},
    {"XSTR         C1          PHI1", "Soil strength"},
    {"AE PILE", "Axial stiffness AE"},
    {"T-Z       NO. OF    DEPTH TO", "t-z curves"},
    {"PILE LENGTH       OUTER DIAMETER", "Pile data"},
    {"SOIL SETTLEMENT PROFILE", "Soil settlement profile"},
    {"t-Multiplier", "Modification factors on t-z curves"},
    {"Q-Multiplier", "Modification factor on the Q-w curve"},
    {"THE RUN IS STOPPED WITH STATUS", "Run stopped"},
};

// "IN." or "M" of a unit line, as the label writes it.
QString UnitWord(const QString& line) {
    QString unit = line.trimmed().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    unit.remove(QLatin1Char('.'));
    return unit.toLower();
}

// A tip-movement case: its heading, the unit line, then the tip movement and tip load.
QString CaseLabel(const QStringList& lines, int at, int number) {
    QString label = QStringLiteral("Case %1").arg(number);
    if (at + 2 >= lines.size()) return label;
    bool ok = false;
    const double movement = lines[at + 2]
                                .trimmed()
                                .section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty)
                                .toDouble(&ok);
    if (!ok) return label;
    return label + QStringLiteral(": tip movement %1 %2")
                       .arg(QString::number(movement, 'g', 4), UnitWord(lines[at + 1]));
}

QString WarningLabel(const QStringList& lines, int at) {
    const QString next = at + 1 < lines.size() ? lines[at + 1].simplified() : QString();
    return next.isEmpty() ? QStringLiteral("Warning")
                          : QStringLiteral("Warning: ") + next.left(48).toLower();
}

}  // namespace

QList<TReportHeading> ReportHeadings(const QStringList& lines) {
    QList<TReportHeading> headings;
    int cases = 0;
    int loadTables = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("ASSUMED TIP MOVEMENT"))) {
            headings.append({CaseLabel(lines, i, ++cases), i});
        } else if (trimmed.startsWith(QLatin1String("TOP  LOAD     TOP MOVEMENT"))) {
            // The first table holds the tip-movement cases, the second the pile-head loads.
            headings.append({++loadTables == 1 ? QStringLiteral("Load-settlement table")
                                               : QStringLiteral("Loads at the pile head: results"),
                             i});
        } else if (trimmed.startsWith(QLatin1String("TIP   LOAD")) &&
                   trimmed.contains(QLatin1String("TIP MOVEMENT"))) {
            headings.append({QStringLiteral("Q-w curve"), i});
        } else if (trimmed == QLatin1String("**** WARNING ****")) {
            headings.append({WarningLabel(lines, i), i});
        } else if (trimmed == QLatin1String("LOADS")) {
            headings.append({QStringLiteral("Loads at the pile head"), i});
        } else {
            for (const Marker& marker : kInputMarkers) {
                if (!line.contains(QLatin1String(marker.text))) continue;
                headings.append({QString::fromLatin1(marker.label), i});
                break;
            }
        }
    }
    return headings;
}

}  // namespace keldar
