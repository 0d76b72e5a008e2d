// The extension behind the Python package keldar: a project held by the project model (the same
// reading, tables and writing as the program), and runs of the engine in this process.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <QString>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "GridColumns.h"
#include "InputOutputError.h"
#include "KeldarVersion.h"
#include "ProgramData.h"
#include "ResultsWriter.h"
#include "RunDriver.h"
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

template <class F>
Kind KindOf(const keldar::TColumnT<F>& column) {
    if (dynamic_cast<const keldar::TTableColumnT<F>*>(&column)) return Kind::SubTable;
    if (dynamic_cast<const keldar::TFloatColumnT<F>*>(&column)) return Kind::Number;
    if (dynamic_cast<const keldar::TStringColumnT<F>*>(&column)) return Kind::Text;
    return Kind::Integer;  // an enumeration (item number) or a whole number
}

// A cell as Python sees it: a sub-table button is None, an enumeration or whole number an int,
// a number a float, free text a str.
template <class F>
Cell CellValue(const keldar::TGridTableT<F>& table, int column, int row) {
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

template <class F>
Rows TableRows(const keldar::TGridTableT<F>& table) {
    Rows rows(static_cast<std::size_t>(table.RowCount()));
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColumnCount(); ++c) rows[r].push_back(CellValue(table, c, r));
    return rows;
}

std::string ColumnName(int column, const std::string& table) {
    return "Column " + std::to_string(column) + " of table " + table;
}

template <class F>
void SetCell(keldar::TColumnT<F>& col, int row, const Cell& cell, const std::string& where) {
    if (std::holds_alternative<std::monostate>(cell)) return;
    switch (KindOf(col)) {
        case Kind::SubTable:
            throw py::value_error(where + " holds sub-tables; give None there.");
        case Kind::Integer: {
            // A whole float is taken too: a NumPy array holds the codes as floats.
            const double value = std::holds_alternative<double>(cell) ? std::get<double>(cell)
                                 : std::holds_alternative<std::int64_t>(cell)
                                     ? static_cast<double>(std::get<std::int64_t>(cell))
                                     : 0.5;
            if (value != std::floor(value) || std::fabs(value) > 2147483647.0)
                throw py::value_error(where + " takes an integer.");
            col.SetInteger(row, static_cast<std::int32_t>(value));
            return;
        }
        case Kind::Number:
            if (std::holds_alternative<std::string>(cell))
                throw py::value_error(where + " takes a number.");
            col.SetFloat(row, std::holds_alternative<double>(cell)
                                  ? std::get<double>(cell)
                                  : static_cast<double>(std::get<std::int64_t>(cell)));
            return;
        case Kind::Text:
            if (!std::holds_alternative<std::string>(cell))
                throw py::value_error(where + " takes a text.");
            col.SetText(row, std::get<std::string>(cell));
            return;
    }
}

// Replaces the table's rows. A row may be shorter than the table (the rest keep their new-row
// values); None leaves a cell as it is. Sub-tables of rows that stay are kept.
template <class F>
void SetTableRows(keldar::TGridTableT<F>& table, const Rows& rows, const std::string& name) {
    const int count = static_cast<int>(rows.size());
    if (count < table.MinRows() || count > table.MaxRows())
        throw py::value_error("Table " + name + " takes " + std::to_string(table.MinRows()) +
                              " to " + std::to_string(table.MaxRows()) + " rows, not " +
                              std::to_string(count) + ".");
    for (int r = 0; r < count; ++r)
        if (static_cast<int>(rows[r].size()) > table.ColumnCount())
            throw py::value_error("Table " + name + " has " + std::to_string(table.ColumnCount()) +
                                  " columns; row " + std::to_string(r) + " has " +
                                  std::to_string(rows[r].size()) + " values.");
    table.SetRowCount(count);
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
            SetCell(table.ColumnAt(c), r, rows[r][c], ColumnName(c, name));
    table.SetChanged(true);
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

struct RunOutcome {
    int status;
    std::string message;
    std::string json;
};

RunOutcome RunDataFile(const std::string& dataFile, bool console) {
    keldar::RunPaths paths;
    paths.dataFile = dataFile;
    paths.reportFile = fs::path(dataFile).replace_extension(".kd3o").string();
    paths.plotFile = fs::path(dataFile).replace_extension(".kd3p").string();
    paths.notesFile = fs::path(dataFile).replace_extension(".kd3r").string();
    keldar::RunIdentity identity;
    identity.user1 = "KELDAR Python module";
    identity.user2 = "Scripted run, no user identification";
    keldar::RunResults results;
    keldar::RunOptions options;
    options.consoleBanner = console;
    options.results = &results;
    {
        // The engine has one run store: runs from several Python threads take turns.
        static std::mutex engineInUse;
        py::gil_scoped_release release;
        const std::lock_guard<std::mutex> lock(engineInUse);
        keldar::runKeldar(paths, identity, options);
    }
    return {results.status, results.message, keldar::resultsJson(results, "run")};
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

    void Save(const std::string& fileName) {
        if (!fileName.empty()) data_.FileName = QString::fromStdString(fileName);
        data_.SaveToFile();
    }

    // Runs a copy of the project saved into folder, or into a private temporary folder; the
    // project's own file name and modified state are left as they are.
    RunOutcome Run(const std::string& folder, bool console) {
        const QString savedName = data_.FileName;
        const QString savedGwi = data_.GwiFileName;
        const bool savedModified = data_.Modified();
        std::unique_ptr<TempFolder> temp;
        fs::path dir = folder;
        if (folder.empty()) {
            temp = std::make_unique<TempFolder>();
            dir = temp->path();
        }
        const std::string base = fs::path(savedName.toStdString()).stem().string();
        const fs::path dataFile = dir / ((base.empty() ? std::string("project") : base) + ".kd3d");
        const auto restore = [&] {
            data_.FileName = savedName;
            data_.GwiFileName = savedGwi;
            data_.SetModified(false);
            if (savedModified) data_.SetModified(true);
        };
        try {
            data_.FileName = QString::fromStdString(dataFile.string());
            data_.SaveToFile();
        } catch (...) {
            restore();
            throw;
        }
        restore();
        return RunDataFile(dataFile.string(), console);
    }

    py::object Field(const std::string& name) const;
    void SetField(const std::string& name, const py::object& value);

    static keldar::TGridTableChart& Sub(const keldar::TGridTableChart& owner, int column, int row,
                                        const std::string& name) {
        if (row < 0 || row >= owner.RowCount())
            throw py::index_error("Table " + name + " has no row " + std::to_string(row) + ".");
        keldar::TGridTableChart* sub = owner.ColumnAt(column).GetTable(row);
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
    bool Modified() const { return data_.Modified(); }
    void SetUnitSystem(int n) { data_.SetUnitSystem(n); }

  private:
    bool IsChart(const std::string& name) const {
        for (const auto* t : tables_.ChartTables())
            if (&tables_.Chart(name) == t) return true;
        return false;
    }
    static int SubColumn(const std::string& name) {
        if (name == "D2") return 2;
        if (name == "TblTZDepth2") return 1;
        throw py::value_error("Table " + name + " has no sub-tables.");
    }

    keldar::TMainTables tables_;
    keldar::TProgramData data_;
};

// The scalar fields by their model names.
py::object Project::Field(const std::string& n) const {
    const keldar::TProgramFields& f = data_;
    if (n == "UnitSystem") return py::int_(f.UnitSystem);
    if (n == "FileName") return py::str(f.FileName.toStdString());
    if (n == "Title") return py::str(f.Title.toStdString());
    if (n == "QMultiplier") return py::float_(static_cast<double>(f.QMultiplier));
    if (n == "WMultiplier") return py::float_(static_cast<double>(f.WMultiplier));
    if (n == "OuterDiameter") return py::float_(static_cast<double>(f.OuterDiameter));
    if (n == "PileLength") return py::float_(static_cast<double>(f.PileLength));
    if (n == "TipArea") return py::float_(static_cast<double>(f.TipArea));
    if (n == "Tolerance") return py::float_(static_cast<double>(f.Tolerance));
    if (n == "IncrementCount") return py::int_(f.IncrementCount);
    if (n == "OutputOption") return py::int_(f.OutputOption);
    if (n == "DowndragOn") return py::bool_(f.DowndragOn);
    if (n == "TipMovementsOn") return py::bool_(f.TipMovementsOn);
    if (n == "HeadLoadsOn") return py::bool_(f.HeadLoadsOn);
    if (n == "CurvesGenerated") return py::bool_(f.CurvesGenerated);
    if (n == "TZFactorsOn") return py::bool_(f.TZFactorsOn);
    if (n == "QWFactorsOn") return py::bool_(f.QWFactorsOn);
    throw py::key_error("No project field " + n + ".");
}

void Project::SetField(const std::string& n, const py::object& v) {
    keldar::TProgramFields& f = data_;
    const auto real = [&](long double& field) { field = v.cast<double>(); };
    const auto flag = [&](bool& field) { field = v.cast<bool>(); };
    if (n == "UnitSystem")
        data_.SetUnitSystem(v.cast<int>());
    else if (n == "Title")
        f.Title = QString::fromStdString(v.cast<std::string>());
    else if (n == "QMultiplier")
        real(f.QMultiplier);
    else if (n == "WMultiplier")
        real(f.WMultiplier);
    else if (n == "OuterDiameter")
        real(f.OuterDiameter);
    else if (n == "PileLength")
        real(f.PileLength);
    else if (n == "TipArea")
        real(f.TipArea);
    else if (n == "Tolerance")
        real(f.Tolerance);
    else if (n == "IncrementCount")
        f.IncrementCount = v.cast<std::int32_t>();
    else if (n == "DowndragOn")
        flag(f.DowndragOn);
    else if (n == "TipMovementsOn")
        flag(f.TipMovementsOn);
    else if (n == "HeadLoadsOn")
        flag(f.HeadLoadsOn);
    else if (n == "CurvesGenerated")
        flag(f.CurvesGenerated);
    else if (n == "TZFactorsOn")
        flag(f.TZFactorsOn);
    else if (n == "QWFactorsOn")
        flag(f.QWFactorsOn);
    else
        throw py::key_error("No project field " + n + " that can be set.");
    data_.SetModified(true);
}

}  // namespace

PYBIND11_MODULE(_keldar, m) {
    m.doc() = "KELDAR project model and analysis engine";
    // The engine's version text (the report's), and the release of KELDAR.
    m.attr("version") = keldar::kProgramVersion;
    m.attr("__version__") = keldar::kReleaseVersion;
    static py::exception<keldar::EInputOutputError> fileError(m, "FileError", PyExc_OSError);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const keldar::EInputOutputError& e) {
            fileError(e.Message().toStdString().c_str());
        }
    });

    py::class_<RunOutcome>(m, "RunOutcome")
        .def_readonly("status", &RunOutcome::status)
        .def_readonly("message", &RunOutcome::message)
        .def_readonly("json", &RunOutcome::json);

    m.def("run_data_file", &RunDataFile, py::arg("path"), py::arg("console") = false,
          "Runs the engine on a data file, writing the report, plot and notes files beside it.");

    py::class_<Project>(m, "Project")
        .def(py::init<>())
        .def("load", &Project::Load)
        .def("save", &Project::Save, py::arg("path") = "")
        .def("run", &Project::Run, py::arg("folder") = "", py::arg("console") = false)
        .def("field", &Project::Field)
        .def("set_field", &Project::SetField)
        .def("table", &Project::Table, py::arg("name"), py::arg("row") = -1)
        .def("set_table", &Project::SetTable, py::arg("name"), py::arg("rows"), py::arg("row") = -1)
        .def("table_names", &Project::TableNames)
        .def_property_readonly("modified", &Project::Modified);
}
