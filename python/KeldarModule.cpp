// The extension behind the Python package keldar: a project held by the project model (the same
// reading, tables and writing as the program), and runs of the engine in this process.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "DataFileWriter.h"
#include "FiniteResults.h"
#include "GridColumns.h"
#include "InputOutputError.h"
#include "KeldarVersion.h"
#include "ProgramData.h"
#include "ResultsWriter.h"
#include "RunDriver.h"
#include "RunFiles.h"
#include "RunStore.h"
#include "ScalarFields.h"
#include "Units.h"
#include "UserMessages.h"

namespace py = pybind11;
namespace fs = std::filesystem;

namespace {

// The reader's messages, kept for the exception or the warnings list.
class CollectedMessages : public keldar::UserMessages {
  public:
    void information(const QString&, const QString& text) override { Add(text); }
    void error(const QString&, const QString& text) override { Add(text); }
    Answer confirm(const QString&, const QString&, bool) override { return Answer::No; }
    std::vector<std::string> texts;

  private:
    void Add(QString text) {
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        texts.push_back(text.toStdString());
    }
};

std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : "\n") + text;
    return out;
}

using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;
using Rows = std::vector<std::vector<Cell>>;

enum class Kind { SubTable, Integer, Number, Text };

Kind KindOf(const keldar::TColumn& column) {
    switch (column.Kind()) {
        case keldar::TColumnKind::Table:
            return Kind::SubTable;
        case keldar::TColumnKind::Float:
            return Kind::Number;
        case keldar::TColumnKind::String:
            return Kind::Text;
        default:
            return Kind::Integer;  // an enumeration (item number) or a whole number
    }
}

// A cell as Python sees it: a sub-table button is None, an enumeration or whole number an int,
// a number a float, free text a str.
Cell CellValue(const keldar::TGridTable& table, int column, int row) {
    const auto& col = table.ColumnAt(column);
    switch (KindOf(col)) {
        case Kind::SubTable:
            return std::monostate{};
        case Kind::Integer:
            return static_cast<std::int64_t>(col.GetInteger(row));
        case Kind::Number:
            return static_cast<double>(col.GetFloat(row));
        case Kind::Text:
            return col.GetText(row);
    }
    return std::monostate{};
}

Rows TableRows(const keldar::TGridTable& table) {
    Rows rows(static_cast<std::size_t>(table.RowCount()));
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColumnCount(); ++c) rows[r].push_back(CellValue(table, c, r));
    return rows;
}

// A column's heading as declared, its lines joined, without the unit that the grid adds.
std::string Heading(const keldar::TColumn& col) {
    std::string heading;
    for (const std::string& line : col.Headers()) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        std::string part = line.substr(first, line.find_last_not_of(' ') - first + 1);
        heading += (heading.empty() ? "" : " ") + part;
    }
    while (!heading.empty() && (heading.back() == ',' || heading.back() == ' ')) heading.pop_back();
    return heading;
}

// "Table D2, row 0, column 0 (Soil Type)": where a value was refused.
std::string CellName(const keldar::TColumn& col, const std::string& table, int row, int column) {
    const std::string heading = Heading(col);
    return "Table " + table + ", row " + std::to_string(row) + ", column " +
           std::to_string(column) + (heading.empty() ? "" : " (" + heading + ")");
}

// The whole number a cell takes: an int, or a whole float (a NumPy array holds codes as
// floats).
std::int32_t WholeNumber(const Cell& cell, const std::string& where) {
    if (std::holds_alternative<std::int64_t>(cell)) {
        const std::int64_t value = std::get<std::int64_t>(cell);
        if (value >= INT32_MIN && value <= INT32_MAX) return static_cast<std::int32_t>(value);
    } else if (std::holds_alternative<double>(cell)) {
        const double value = std::get<double>(cell);
        if (value == std::floor(value) && std::fabs(value) <= 2147483647.0)
            return static_cast<std::int32_t>(value);
    }
    throw py::value_error(where + " takes an integer.");
}

// What is wrong with a cell for a column of the kind, empty when nothing is: a sub-table button
// takes None and nothing else, every other cell a value of its kind (None or NaN included).
std::string KindMismatch(Kind kind, const Cell& cell) {
    const bool none = std::holds_alternative<std::monostate>(cell);
    const bool text = std::holds_alternative<std::string>(cell);
    if (kind == Kind::SubTable) return none ? "" : " holds sub-tables; give None there.";
    if (none) return " needs a value, not None or NaN.";
    if (kind == Kind::Text) return text ? "" : " takes a text.";
    if (text) return " takes a number, not a text.";
    if (kind == Kind::Number && std::holds_alternative<double>(cell) &&
        !std::isfinite(std::get<double>(cell)))
        return " takes a finite number.";
    return "";
}

// A code within the column's items, or a whole number within its limits.
void CheckWholeRange(const keldar::TColumn& col, std::int32_t value, const std::string& where) {
    if (const auto* items = keldar::ColumnAs<keldar::TEnumColumn>(&col)) {
        const auto count = static_cast<std::int32_t>(items->Items().size());
        if (value < 1 || value > count)
            throw py::value_error(where + " takes 1 to " + std::to_string(count) + ", not " +
                                  std::to_string(value) + ".");
    } else if (const auto* whole = keldar::ColumnAs<keldar::TIntColumn>(&col)) {
        if (value < whole->Minimum() || value > whole->Maximum())
            throw py::value_error(where + " takes " + std::to_string(whole->Minimum()) + " to " +
                                  std::to_string(whole->Maximum()) + ", not " +
                                  std::to_string(value) + ".");
    }
}

// Refuses, before anything is stored, a value that the column cannot hold.
void CheckCell(const keldar::TColumn& col, const Cell& cell, const std::string& where) {
    const Kind kind = KindOf(col);
    if (const std::string mismatch = KindMismatch(kind, cell); !mismatch.empty())
        throw py::value_error(where + mismatch);
    if (kind == Kind::Integer) CheckWholeRange(col, WholeNumber(cell, where), where);
}

void SetCell(keldar::TColumn& col, int row, const Cell& cell) {
    switch (KindOf(col)) {
        case Kind::SubTable:
            return;
        case Kind::Integer:
            col.SetInteger(row, WholeNumber(cell, {}));
            return;
        case Kind::Number:
            col.SetFloat(row, std::holds_alternative<double>(cell)
                                  ? std::get<double>(cell)
                                  : static_cast<double>(std::get<std::int64_t>(cell)));
            return;
        case Kind::Text:
            col.SetText(row, std::get<std::string>(cell));
            return;
    }
}

// Replaces the table's rows: one value per column in every row. Everything is checked before
// the table changes, so a refused call leaves it as it was. Sub-tables of rows that stay are
// kept.
void SetTableRows(keldar::TGridTable& table, const Rows& rows, const std::string& name) {
    const int count = static_cast<int>(rows.size());
    if (count < table.MinRows() || count > table.MaxRows())
        throw py::value_error("Table " + name + " takes " + std::to_string(table.MinRows()) +
                              " to " + std::to_string(table.MaxRows()) + " rows, not " +
                              std::to_string(count) + ".");
    for (int r = 0; r < count; ++r) {
        if (static_cast<int>(rows[r].size()) != table.ColumnCount())
            throw py::value_error("Table " + name + " has " + std::to_string(table.ColumnCount()) +
                                  " columns; row " + std::to_string(r) + " has " +
                                  std::to_string(rows[r].size()) + " values.");
        for (int c = 0; c < table.ColumnCount(); ++c)
            CheckCell(table.ColumnAt(c), rows[r][c], CellName(table.ColumnAt(c), name, r, c));
    }
    table.SetRowCount(count);
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < table.ColumnCount(); ++c) SetCell(table.ColumnAt(c), r, rows[r][c]);
    table.SetChanged(true);
}

// What a column holds, for the scripting reference and keldar.describe.
py::dict ColumnDeclaration(const keldar::TColumn& col, int index) {
    static const char* const kKinds[] = {"sub-table", "integer", "number", "text"};
    py::dict d;
    d["index"] = index;
    d["heading"] = Heading(col);
    d["kind"] = kKinds[static_cast<int>(KindOf(col))];
    d["shown"] = col.Visible();
    if (const auto* number = keldar::ColumnAs<keldar::TFloatColumn>(&col)) {
        d["unit"] = number->UnitCode();
        d["units"] = py::make_tuple(keldar::UnitLabel(number->UnitCode(), keldar::usEnglish),
                                    keldar::UnitLabel(number->UnitCode(), keldar::usSI));
    } else if (const auto* choice = keldar::ColumnAs<keldar::TEnumColumn>(&col)) {
        d["kind"] = "choice";
        d["items"] = choice->Items();
    } else if (const auto* whole = keldar::ColumnAs<keldar::TIntColumn>(&col)) {
        d["minimum"] = whole->Minimum();
        d["maximum"] = whole->Maximum();
    }
    return d;
}

py::dict TableDeclaration(const keldar::TGridTable& table, const std::string& name) {
    py::dict d;
    d["name"] = name;
    d["caption"] = table.Caption();
    d["min_rows"] = table.MinRows();
    d["max_rows"] = table.MaxRows();
    py::list columns;
    for (int c = 0; c < table.ColumnCount(); ++c)
        columns.append(ColumnDeclaration(table.ColumnAt(c), c));
    d["columns"] = columns;
    return d;
}

// A private folder for one run, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "keldar-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("Cannot create a temporary folder.");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// A number as json.loads gives it for the results document's text: the double nearest to the
// float's shortest decimal text, None for NaN or infinity.
py::object JsonNumber(float value) {
    if (!std::isfinite(value)) return py::none();
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double parsed = 0.0;
    std::from_chars(buffer, written.ptr, parsed);
    return py::float_(parsed);
}

py::list JsonNumbers(const std::vector<float>& values) {
    py::list list(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) list[i] = JsonNumber(values[i]);
    return list;
}

// The cases' load distributions as the results document lists them. They are most of its
// numbers: made here directly, they are not written out as text and read back.
py::list Distributions(const std::vector<keldar::CaseDistribution>& distributions) {
    py::list cases;
    for (const keldar::CaseDistribution& d : distributions) {
        py::dict c;
        c["node_depth"] = JsonNumbers(d.nodeDepth);
        c["node_load"] = JsonNumbers(d.nodeLoad);
        c["node_movement"] = JsonNumbers(d.nodeMovement);
        c["middle_depth"] = JsonNumbers(d.middleDepth);
        c["transfer"] = JsonNumbers(d.transfer);
        c["load_taken"] = JsonNumbers(d.loadTaken);
        c["average_load"] = JsonNumbers(d.averageLoad);
        c["shortening"] = JsonNumbers(d.shortening);
        c["average_movement"] = JsonNumbers(d.averageMovement);
        cases.append(std::move(c));
    }
    return cases;
}

struct RunOutcome {
    int status;
    std::string message;
    std::string json;  // the results document, its distributions left out
    bool finite;       // every result row is a number
    std::vector<keldar::CaseDistribution> distributions;
};

RunOutcome Outcome(keldar::RunResults& results, keldar::SummaryChoices choices = {}) {
    keldar::noteNonFiniteResults(results);
    RunOutcome outcome{
        results.status,
        results.message,
        keldar::resultsJson(results, "run", choices, keldar::DistributionsInJson::LeftOut),
        keldar::nonFiniteRowCount(results) == 0,
        {}};
    outcome.distributions = std::move(results.distributions);
    return outcome;
}

// Who ran the engine, as the report's header shows it.
keldar::RunIdentity ScriptIdentity() {
    keldar::RunIdentity identity;
    identity.user1 = "KELDAR Python module";
    identity.user2 = "Scripted run, no user identification";
    return identity;
}

// Without a console the engine's error lines go only to the report and the results.
keldar::RunOptions ScriptOptions(keldar::RunResults& results, bool console) {
    keldar::RunOptions options;
    options.consoleBanner = console;
    options.consoleErrors = console;
    options.results = &results;
    return options;
}

// The summary's chosen settlement and load: NaN takes the default. Every run has storage of its
// own, so Python threads run the engine at once.
RunOutcome RunDataFile(const std::string& dataFile, bool console, float atSettlement,
                       float atLoad) {
    keldar::RunResults results;
    // A folder or a missing file gets no report: nothing is written for it.
    if (!keldar::dataFileCanBeRun(dataFile, results)) return Outcome(results);
    const keldar::RunPaths paths = keldar::runPathsFor(dataFile);
    {
        py::gil_scoped_release release;
        keldar::runKeldar(paths, ScriptIdentity(), ScriptOptions(results, console));
    }
    return Outcome(results, {atSettlement, atLoad});
}

// A run of a data file's text, writing nothing; `dataFile` is the name the report would show.
RunOutcome RunDataText(const std::string& text, const std::string& dataFile, bool console,
                       float atSettlement, float atLoad) {
    keldar::RunResults results;
    {
        py::gil_scoped_release release;
        keldar::runKeldarInMemory(text, keldar::RunPathsFor(dataFile), ScriptIdentity(),
                                  ScriptOptions(results, console));
    }
    return Outcome(results, {atSettlement, atLoad});
}

// The file named, the system's error number and the message: a FileError in Python.
struct FileProblem {
    std::string file;
    int code;
    std::string message;
};

// Writes the data file of a run unless a different file of that name is there already.
void WriteRunDataFile(const fs::path& dataFile, const QByteArray& text, bool overwrite) {
    const QString name = QString::fromStdString(dataFile.string());
    QFile existing(name);
    if (existing.exists()) {
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text) return;
        if (!overwrite)
            throw FileProblem{dataFile.string(), EEXIST,
                              "A different data file is there; run(..., overwrite=True) "
                              "replaces it"};
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw FileProblem{dataFile.string(), EIO, file.errorString().toStdString()};
}

class Project {
  public:
    Project() : tables_(keldar::TMainTables::BuiltIn()), data_(tables_) {}

    std::vector<std::string> Load(const std::string& fileName) {
        CollectedMessages messages;
        const QString name = QString::fromStdString(fileName);
        const bool oldFormat = name.endsWith(QStringLiteral(".kdd"), Qt::CaseInsensitive);
        if (!data_.LoadFromFile(name, !oldFormat, messages)) {
            if (messages.texts.empty()) messages.texts.push_back("Cannot read " + fileName + ".");
            throw keldar::EInputOutputError(QString::fromStdString(Joined(messages.texts)));
        }
        return messages.texts;
    }

    // A failed save leaves the project's file name as it was.
    void Save(const std::string& fileName) {
        const QString savedName = data_.FileName;
        const QString savedGwi = data_.GwiFileName;
        if (!fileName.empty()) data_.FileName = QString::fromStdString(fileName);
        try {
            data_.SaveToFile();
        } catch (...) {
            data_.FileName = savedName;
            data_.GwiFileName = savedGwi;
            throw;
        }
    }

    // Runs the project as it stands: in memory, from the data file's text as saving would write
    // it; or, with files, written as a data file into folder or into a private temporary folder.
    // The project itself is not saved: its file name, companion file and modified state stay as
    // they are, unless the run's file is the project's own file, which is then saved.
    RunOutcome Run(const std::string& folder, bool console, bool overwrite, float atSettlement,
                   float atLoad, bool files) {
        const std::string base = fs::path(data_.FileName.toStdString()).stem().string();
        const std::string name = (base.empty() ? std::string("project") : base) + ".kd3d";
        // Writing the text sets up the layer tables as a save does, which marks the project
        // modified; it is not saved, so it stays as it was.
        const bool modified = data_.Modified();
        const QByteArray text = keldar::DataFileText(data_);
        data_.SetModified(modified);
        if (folder.empty() && !files)
            return RunDataText(text.toStdString(), name, console, atSettlement, atLoad);

        std::unique_ptr<TempFolder> temp;
        fs::path dir = folder;
        if (folder.empty()) {
            temp = std::make_unique<TempFolder>();
            dir = temp->path();
        }
        const fs::path dataFile = dir / name;
        WriteRunDataFile(dataFile, text, overwrite);
        std::error_code ec;
        if (!data_.FileName.isEmpty() && fs::equivalent(dataFile, data_.FileName.toStdString(), ec))
            data_.SetModified(false);
        return RunDataFile(dataFile.string(), console, atSettlement, atLoad);
    }

    py::object Field(const std::string& name) const;
    void SetField(const std::string& name, const py::object& value);

    static keldar::TGridTable& Sub(const keldar::TGridTable& owner, int column, int row,
                                   const std::string& name) {
        if (row < 0 || row >= owner.RowCount())
            throw py::index_error("Table " + name + " has no row " + std::to_string(row) + ".");
        keldar::TGridTable* sub = owner.ColumnAt(column).GetTable(row);
        if (!sub)
            throw py::value_error("Row " + std::to_string(row) + " of " + name +
                                  " has no sub-table.");
        return *sub;
    }

    // Tables by name; a sub-table as (name, row): the row's layer data of D2 or t-z curve of
    // TblTZDepth2.
    Rows Table(const std::string& name, int row) const {
        if (row >= 0) return TableRows(Sub(tables_.Chart(name), SubColumn(name), row, name));
        if (IsChart(name)) return TableRows(tables_.Chart(name));
        return TableRows(tables_.Plain(name));
    }
    void SetTable(const std::string& name, const Rows& rows, int row) {
        if (row >= 0)
            return SetTableRows(Sub(tables_.Chart(name), SubColumn(name), row, name), rows, name);
        if (IsChart(name)) return SetTableRows(tables_.Chart(name), rows, name);
        SetTableRows(tables_.Plain(name), rows, name);
    }
    std::vector<std::string> TableNames() const { return tables_.Names(); }
    py::dict Declaration(const std::string& name) const {
        if (IsChart(name)) return TableDeclaration(tables_.Chart(name), name);
        return TableDeclaration(tables_.Plain(name), name);
    }
    bool Modified() const { return data_.Modified(); }

  private:
    // The chart tables come first among the names.
    bool IsChart(const std::string& name) const {
        const std::vector<std::string> names = tables_.Names();
        const auto at = std::find(names.begin(), names.end(), name);
        return at - names.begin() < static_cast<std::ptrdiff_t>(tables_.ChartTables().size());
    }
    static int SubColumn(const std::string& name) {
        if (name == "D2") return 2;
        if (name == "TblTZDepth2") return 1;
        throw py::value_error("Table " + name + " has no sub-tables.");
    }

    keldar::TMainTables tables_;
    keldar::TProgramData data_;
};

py::object Project::Field(const std::string& name) const {
    const keldar::python::ScalarField* field = keldar::python::FindScalarField(name);
    if (!field) throw py::key_error("No project field " + name + ".");
    return field->get(data_);
}

void Project::SetField(const std::string& name, const py::object& value) {
    const keldar::python::ScalarField* field = keldar::python::FindScalarField(name);
    if (!field || !field->set)
        throw py::key_error("No project field " + name + " that can be set.");
    field->set(data_, value);
}

// The scalar fields for the Python package, which keeps its own list with each field's checks
// and description; its tests hold the two lists equal.
std::vector<std::pair<std::string, bool>> ScalarFieldList() {
    std::vector<std::pair<std::string, bool>> fields;
    for (const keldar::python::ScalarField& field : keldar::python::ScalarFields())
        fields.emplace_back(field.name, field.set != nullptr);
    return fields;
}

}  // namespace

PYBIND11_MODULE(_keldar, m) {
    m.doc() = "KELDAR project model and analysis engine";
    // The engine's version text (the report's), and the release of KELDAR.
    m.attr("version") = keldar::kProgramVersion;
    m.attr("__version__") = keldar::kReleaseVersion;
    m.attr("max_increments") = keldar::kMaxIncrements;
    static py::exception<keldar::EInputOutputError> fileError(m, "FileError", PyExc_OSError);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const keldar::EInputOutputError& e) {
            fileError(e.Message().toStdString().c_str());
        } catch (const FileProblem& e) {
            // OSError(errno, message, file name) sets errno, strerror and filename.
            PyErr_SetObject(fileError.ptr(), py::make_tuple(e.code, e.message, e.file).ptr());
        }
    });

    py::class_<RunOutcome>(m, "RunOutcome")
        .def_readonly("status", &RunOutcome::status)
        .def_readonly("message", &RunOutcome::message)
        .def_readonly("json", &RunOutcome::json)
        .def_readonly("finite", &RunOutcome::finite)
        .def("distributions",
             [](const RunOutcome& outcome) { return Distributions(outcome.distributions); });

    m.def("scalar_fields", &ScalarFieldList, "The project's scalar fields as (name, settable).");
    m.def(
        "unit_label",
        [](const std::string& code, int system) { return keldar::UnitLabel(code, system); },
        "A unit code (L, F, F/L^2, ...) as the tables show it in unit system 1 or 2.");
    constexpr float kDefault = keldar::SummaryChoices::kUnset;
    m.def("run_data_file", &RunDataFile, py::arg("path"), py::arg("console") = false,
          py::arg("at_settlement") = kDefault, py::arg("at_load") = kDefault,
          "Runs the engine on a data file, writing the report, plot and notes files beside it.");

    py::class_<Project>(m, "Project")
        .def(py::init<>())
        .def("load", &Project::Load)
        .def("save", &Project::Save, py::arg("path") = "")
        .def("run", &Project::Run, py::arg("folder") = "", py::arg("console") = false,
             py::arg("overwrite") = false, py::arg("at_settlement") = kDefault,
             py::arg("at_load") = kDefault, py::arg("files") = false)
        .def("field", &Project::Field)
        .def("set_field", &Project::SetField)
        .def("table", &Project::Table, py::arg("name"), py::arg("row") = -1)
        .def("set_table", &Project::SetTable, py::arg("name"), py::arg("rows"), py::arg("row") = -1)
        .def("table_names", &Project::TableNames)
        .def("declaration", &Project::Declaration)
        .def_property_readonly("modified", &Project::Modified);
}
