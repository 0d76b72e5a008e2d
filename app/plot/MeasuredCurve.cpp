#include "MeasuredCurve.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "InputOutputError.h"
#include "NumberText.h"
#include "UnitSystem.h"
#include "Units.h"

namespace keldar {

namespace {

enum class TQuantity { Load, Settlement };

// A column's quantity and the factor that takes its numbers to kN or m.
struct TColumnUnit {
    TQuantity Quantity;
    double ToSi;
};

// How the catalog's symbol converts: English units in one S.I. unit.
double CatalogFactor(std::string_view symbol) {
    for (const UnitSymbol& unit : UnitSymbols()) {
        if (unit.symbol == symbol) return static_cast<double>(unit.factor);
    }
    return 1.0;
}

// The units a load test is reported in. The English ones take the catalog's factors, so that a
// curve read in kips shows the very numbers typed in an English project. "tons" are the
// program's own: 2000 lb.
std::optional<TColumnUnit> UnitNamed(const QString& name) {
    const QString unit = name.trimmed().toLower();
    const auto is = [&unit](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [&unit](const char* n) { return unit == QLatin1String(n); });
    };
    if (is({"lb", "lbs", "lbf"})) return TColumnUnit{TQuantity::Load, 1 / CatalogFactor("F")};
    if (is({"kip", "kips"})) return TColumnUnit{TQuantity::Load, 1 / CatalogFactor("F1")};
    if (is({"ton", "tons"})) return TColumnUnit{TQuantity::Load, 1 / CatalogFactor("F2")};
    if (is({"n"})) return TColumnUnit{TQuantity::Load, 0.001};
    if (is({"kn"})) return TColumnUnit{TQuantity::Load, 1};
    if (is({"mn"})) return TColumnUnit{TQuantity::Load, 1000};
    if (is({"in", "inch", "inches"}))
        return TColumnUnit{TQuantity::Settlement, 1 / CatalogFactor("L")};
    if (is({"ft", "feet"})) return TColumnUnit{TQuantity::Settlement, 1 / CatalogFactor("L2")};
    if (is({"mm"})) return TColumnUnit{TQuantity::Settlement, 0.001};
    if (is({"cm"})) return TColumnUnit{TQuantity::Settlement, 0.01};
    if (is({"m"})) return TColumnUnit{TQuantity::Settlement, 1};
    return std::nullopt;
}

// The project's own units: lb and in, or kN and m.
TColumnUnit ProjectUnit(TQuantity quantity, int unitSystem) {
    if (unitSystem != usEnglish) return {quantity, 1};
    return {quantity, 1 / CatalogFactor(quantity == TQuantity::Load ? "F" : "L")};
}

constexpr char kUnitList[] =
    "loads may be in lb, kips, tons, N, kN or MN, settlements in in, ft, mm, cm or m";

enum class TSeparator { Tab, Semicolon, Comma, Blanks };

// One separator for the whole text, taken from its first line: a spreadsheet's copy gives tabs,
// a CSV file commas (or semicolons where the comma is the decimal sign).
TSeparator SeparatorOf(const QString& line) {
    if (line.contains(u'\t')) return TSeparator::Tab;
    if (line.contains(u';')) return TSeparator::Semicolon;
    if (line.contains(u',')) return TSeparator::Comma;
    return TSeparator::Blanks;
}

QStringList SplitFields(const QString& line, TSeparator separator) {
    QStringList fields;
    switch (separator) {
        case TSeparator::Tab:
            fields = line.split(u'\t');
            break;
        case TSeparator::Semicolon:
            fields = line.split(u';');
            break;
        case TSeparator::Comma:
            fields = line.split(u',');
            break;
        case TSeparator::Blanks:
            // A header "load (kN) settlement (mm)" keeps each name with its unit.
            if (line.contains(u'(') || line.contains(u'[')) {
                static const QRegularExpression named(
                    QStringLiteral(R"([^\s(\[][^(\[]*[(\[][^)\]]*[)\]])"));
                for (auto it = named.globalMatch(line); it.hasNext();)
                    fields << it.next().captured();
                if (!fields.isEmpty()) return fields;
            }
            return line.split(QRegularExpression(QStringLiteral(R"(\s+)")), Qt::SkipEmptyParts);
    }
    for (QString& field : fields) {
        field = field.trimmed();
        // Spreadsheets quote texts that hold the separator.
        if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"')) {
            field = field.mid(1, field.size() - 2).trimmed();
        }
    }
    // A row ending in a separator ("12.5,0.4,") has nothing after it.
    while (!fields.isEmpty() && fields.last().isEmpty()) fields.removeLast();
    return fields;
}

std::optional<double> NumberOf(const QString& field) {
    bool ok = false;
    const double value = field.toDouble(&ok);  // always "." as decimal point
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A header holds no number at all: a first row with a number and a typo is a bad reading, not
// a header to pass over.
bool IsHeader(const QStringList& fields) {
    return std::none_of(fields.begin(), fields.end(),
                        [](const QString& f) { return NumberOf(f).has_value(); });
}

// The unit in brackets after a column's name: "settlement (mm)" or "load [kips]".
std::optional<QString> BracketedUnit(const QString& field) {
    static const QRegularExpression unit(QStringLiteral(R"([(\[]\s*([^)\]]*?)\s*[)\]])"));
    const QRegularExpressionMatch match = unit.match(field);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

// A column without a unit may still say what it holds.
std::optional<TQuantity> QuantityNamed(const QString& field) {
    const QString name = field.toLower();
    for (const char* word : {"settle", "displace", "movement", "deflection"}) {
        if (name.contains(QLatin1String(word))) return TQuantity::Settlement;
    }
    for (const char* word : {"load", "force"}) {
        if (name.contains(QLatin1String(word))) return TQuantity::Load;
    }
    return std::nullopt;
}

class TMeasuredReader {
  public:
    TMeasuredReader(int unitSystem, QString source)
        : columns_{ProjectUnit(TQuantity::Load, unitSystem),
                   ProjectUnit(TQuantity::Settlement, unitSystem)},
          unitSystem_(unitSystem),
          source_(std::move(source)) {}

    TMeasuredCurve Read(const QString& text) {
        const QStringList lines = text.split(u'\n');
        std::optional<TSeparator> separator;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            const QString line = lines[i].trimmed();
            if (line.isEmpty() || line.startsWith(u'#')) continue;
            if (!separator) separator = SeparatorOf(line);
            const QStringList fields = SplitFields(line, *separator);
            if (curve_.Points.empty() && !headerSeen_ && IsHeader(fields)) {
                ReadHeader(fields);
            } else {
                ReadReading(fields);
            }
        }
        if (curve_.Points.size() < 2) {
            throw EInputOutputError(
                QStringLiteral("%1 holds %2 reading(s); a measured curve needs at least 2, each "
                               "a load and a settlement.")
                    .arg(source_)
                    .arg(curve_.Points.size()));
        }
        curve_.Source = source_;
        return curve_;
    }

  private:
    [[noreturn]] void Refuse(const QString& problem) const {
        throw EInputOutputError(
            QStringLiteral("%1, line %2: %3").arg(source_).arg(line_).arg(problem));
    }

    void ReadHeader(const QStringList& fields) {
        headerSeen_ = true;
        if (fields.size() != 2) {
            Refuse(QStringLiteral("the header names %1 column(s); a measured curve has two, a "
                                  "load and a settlement, as in \"load (kN), settlement (mm)\".")
                       .arg(fields.size()));
        }
        std::array<std::optional<TColumnUnit>, 2> named;
        for (int c = 0; c < 2; ++c) {
            const std::optional<QString> unit = BracketedUnit(fields[c]);
            if (!unit) continue;
            named[c] = UnitNamed(*unit);
            if (!named[c]) Refuse(QStringLiteral("unknown unit \"%1\"; %2.").arg(*unit, kUnitList));
        }
        if (named[0].has_value() != named[1].has_value()) {
            Refuse(
                QStringLiteral("the header gives the unit of one column only; give both, as in "
                               "\"load (kN), settlement (mm)\", or neither for the project's "
                               "units."));
        }
        if (named[0]) {
            columns_ = {*named[0], *named[1]};
        } else {
            const std::optional<TQuantity> first = QuantityNamed(fields[0]);
            const std::optional<TQuantity> second = QuantityNamed(fields[1]);
            if (first == TQuantity::Settlement || second == TQuantity::Load) {
                columns_ = {ProjectUnit(TQuantity::Settlement, unitSystem_),
                            ProjectUnit(TQuantity::Load, unitSystem_)};
            }
        }
        if (columns_[0].Quantity == columns_[1].Quantity) {
            Refuse(QStringLiteral("both columns are %1; one must be a load and the other a "
                                  "settlement.")
                       .arg(columns_[0].Quantity == TQuantity::Load
                                ? QStringLiteral("loads")
                                : QStringLiteral("settlements")));
        }
    }

    void ReadReading(const QStringList& fields) {
        if (fields.size() != 2) {
            Refuse(QStringLiteral("%1 value(s) where a reading has two, a load and a settlement.")
                       .arg(fields.size()));
        }
        double values[2] = {0, 0};
        for (int c = 0; c < 2; ++c) {
            const std::optional<double> number = NumberOf(fields[c]);
            if (!number) {
                Refuse(QStringLiteral("\"%1\" is not a number (decimals are written with \".\").")
                           .arg(fields[c]));
            }
            values[c] = *number * columns_[c].ToSi;
            if (!std::isfinite(values[c]))
                Refuse(QStringLiteral("%1 is too large.").arg(fields[c]));
        }
        if (curve_.Points.size() >= static_cast<std::size_t>(kMaxMeasuredReadings)) {
            Refuse(QStringLiteral("more than %1 readings.").arg(kMaxMeasuredReadings));
        }
        const bool loadFirst = columns_[0].Quantity == TQuantity::Load;
        curve_.Points.push_back(loadFirst ? TFloatPoint{values[0], values[1]}
                                          : TFloatPoint{values[1], values[0]});
    }

    std::array<TColumnUnit, 2> columns_;
    int unitSystem_;
    QString source_;
    int line_ = 0;
    bool headerSeen_ = false;
    TMeasuredCurve curve_;
};

// No load test needs more text than this; a larger file is not one.
constexpr qint64 kLargestMeasuredFile = 16 * 1024 * 1024;

}  // namespace

TMeasuredCurve ReadMeasuredCurveText(const QString& text, int unitSystem, const QString& source) {
    return TMeasuredReader(unitSystem, source).Read(text);
}

TMeasuredCurve ReadMeasuredCurveFile(const QString& fileName, int unitSystem) {
    const QString shown = QDir::toNativeSeparators(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EInputOutputError(
            QStringLiteral("The file %1 could not be read: %2.").arg(shown, file.errorString()));
    }
    if (file.size() > kLargestMeasuredFile) {
        throw EInputOutputError(
            QStringLiteral("The file %1 is too large to be a measured load test.").arg(shown));
    }
    return ReadMeasuredCurveText(QString::fromUtf8(file.readAll()), unitSystem,
                                 QFileInfo(fileName).fileName());
}

std::vector<TFloatPoint> MeasuredPointsIn(const TMeasuredCurve& curve, int unitSystem) {
    const TColumnUnit load = ProjectUnit(TQuantity::Load, unitSystem);
    const TColumnUnit settlement = ProjectUnit(TQuantity::Settlement, unitSystem);
    std::vector<TFloatPoint> points;
    points.reserve(curve.Points.size());
    for (const TFloatPoint& p : curve.Points) {
        points.push_back({p.X / load.ToSi, p.Y / settlement.ToSi});
    }
    return points;
}

QString MeasuredCurveText(const TMeasuredCurve& curve, int unitSystem) {
    const bool english = unitSystem == usEnglish;
    QString text = QStringLiteral("# Measured load test, from %1\n").arg(curve.Source);
    text += english ? QStringLiteral("load (lb),settlement (in)\n")
                    : QStringLiteral("load (kN),settlement (m)\n");
    for (const TFloatPoint& p : MeasuredPointsIn(curve, unitSystem)) {
        text += ShortestNumberText(p.X) + u',' + ShortestNumberText(p.Y) + u'\n';
    }
    return text;
}

}  // namespace keldar
