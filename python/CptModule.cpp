// keldar._cpt: the CPT readers, the Unified CPT methods and the CPT project builder for Python
// (keldar.cpt wraps it). Stresses in kPa, lengths in m.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <optional>

#include "CptFile.h"
#include "CptReadError.h"
#include "DesignSummary.h"
#include "InputOutputError.h"
#include "ProjectFromCpt.h"
#include "SoilBehaviourType.h"
#include "UnifiedClay.h"
#include "UnifiedSand.h"

namespace py = pybind11;
using namespace keldar::cpt;

namespace {

// A wall of 0 stands for a closed end (or a solid section): no soil enters the pile.
PileGeometry Pile(double diameter, double wall) {
    PileGeometry pile;
    pile.diameter = diameter;
    pile.wall = wall;
    pile.closedEnd = wall <= 0;
    return pile;
}

void CheckPile(double diameter, double wall) {
    if (!(diameter > 0) || !(wall >= 0) || 2 * wall > diameter)
        throw py::value_error("diameter must be positive and wall between 0 and diameter/2");
}

double SandShaft(double qc, double sigmaVEff, double diameter, double wall, double h, bool tension,
                 double coneDiameter, double deltaF) {
    CheckPile(diameter, wall);
    SandShaftInput input{qc, sigmaVEff, h};
    input.direction = tension ? LoadDirection::Tension : LoadDirection::Compression;
    input.coneDiameter = coneDiameter;
    input.interfaceFriction = deltaF;
    return SandShaftFriction(input, Pile(diameter, wall));
}

double SandBase(double qp, double diameter, double wall, double coneDiameter) {
    CheckPile(diameter, wall);
    return SandBaseResistance(qp, Pile(diameter, wall), coneDiameter);
}

double ClayShaft(double qt, double fs, double sigmaV0, double sigmaVEff, double diameter,
                 double wall, double h) {
    CheckPile(diameter, wall);
    return ClayShaftFriction({qt, fs, sigmaV0, sigmaVEff, h}, Pile(diameter, wall));
}

double ClayBase(double qp, double diameter, double wall) {
    CheckPile(diameter, wall);
    return ClayBaseResistance(qp, Pile(diameter, wall));
}

py::object BehaviourIndex(double qt, double fs, double sigmaV0, double sigmaVEff) {
    const BehaviourType type = SoilBehaviourIndex(qt, fs, sigmaV0, sigmaVEff);
    if (!type.valid) return py::none();
    py::dict result;
    result["ic"] = type.ic;
    result["n"] = type.n;
    result["qtn"] = type.qtn;
    result["fr"] = type.fr;
    return result;
}

CptRecord RecordOf(const std::vector<double>& depth, const std::vector<double>& qc,
                   const std::optional<std::vector<double>>& fs,
                   const std::optional<std::vector<double>>& u2, std::optional<double> areaRatio) {
    const auto sameLength = [&](const std::optional<std::vector<double>>& v) {
        return !v || v->size() == depth.size();
    };
    if (depth.empty() || qc.size() != depth.size() || !sameLength(fs) || !sameLength(u2))
        throw py::value_error("depth, qc, fs and u2 must be lists of the same, non-zero length");
    CptRecord record;
    for (std::size_t i = 0; i < depth.size(); ++i) {
        if (i > 0 && !(depth[i] > depth[i - 1])) throw py::value_error("depths must increase");
        record.readings.push_back(
            {depth[i], qc[i], fs ? (*fs)[i] : kNotMeasured, u2 ? (*u2)[i] : kNotMeasured});
    }
    record.areaRatio = areaRatio.value_or(kNotMeasured);
    return record;
}

std::vector<double> Column(const CptRecord& record, double CptReading::*field) {
    std::vector<double> values;
    for (const CptReading& r : record.readings) values.push_back(r.*field);
    return values;
}

std::vector<double> QtColumn(const CptRecord& record) {
    std::vector<double> values;
    for (const CptReading& r : record.readings) values.push_back(record.Qt(r));
    return values;
}

// Designs the pile, writes the project to path; returns the summary. Raises ValueError when no
// design is possible.
std::string MakeProject(const CptRecord& record, const std::string& path, double diameter,
                        double length, double wall, bool closed, bool tension, double waterTable,
                        const std::vector<std::pair<double, double>>& unitWeights,
                        bool unitWeightsFromCone,
                        const std::vector<std::pair<double, std::string>>& layers, double spacing,
                        const std::string& baseAverage, double modulus, const std::string& title) {
    DesignOptions options;
    options.pile = {diameter, wall, closed, length, modulus};
    options.direction = tension ? LoadDirection::Tension : LoadDirection::Compression;
    options.waterTable = waterTable;
    options.curveSpacing = spacing;
    options.unitWeightsFromCone = unitWeightsFromCone;
    options.unitWeights.clear();
    for (const auto& [bottom, weight] : unitWeights)
        options.unitWeights.push_back({bottom, weight});
    for (const auto& [bottom, kind] : layers) {
        if (kind != "sand" && kind != "clay") throw py::value_error("a layer is 'sand' or 'clay'");
        options.layers.push_back({bottom, kind == "sand" ? SoilKind::Sand : SoilKind::Clay});
    }
    if (baseAverage != "dutch" && baseAverage != "1.5d")
        throw py::value_error("base_average is 'dutch' or '1.5d'");
    options.baseAveraging =
        baseAverage == "dutch" ? BaseAveraging::Dutch : BaseAveraging::OnePointFive;
    const DesignResult result = DesignPile(record, options);
    if (!result.design) throw py::value_error(result.message);

    keldar::TMainTables tables = keldar::TMainTables::BuiltIn();
    keldar::TProgramData project(tables);
    FillProject(project, *result.design, options.pile, QString::fromStdString(title));
    project.FileName = QString::fromStdString(path);
    try {
        project.SaveToFile();
    } catch (const keldar::EInputOutputError& e) {
        PyErr_SetString(PyExc_OSError, e.Message().toStdString().c_str());
        throw py::error_already_set();
    }
    return DesignSummary(record, options, *result.design);
}

}  // namespace

PYBIND11_MODULE(_cpt, m) {
    m.doc() = "KELDAR curves from cone penetration tests";
    static py::exception<CptReadError> readError(m, "CptReadError", PyExc_ValueError);
    // Local to this module: the project model's own errors stay keldar.FileError.
    py::register_local_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const CptReadError& e) {
            readError(e.what());
        }
    });

    py::class_<CptRecord>(m, "Record")
        .def(py::init(&RecordOf), py::arg("depth"), py::arg("qc"), py::arg("fs") = py::none(),
             py::arg("u2") = py::none(), py::arg("area_ratio") = py::none())
        .def_readonly("file_name", &CptRecord::fileName)
        .def_readonly("test_id", &CptRecord::testId)
        .def_readonly("ground_level", &CptRecord::groundLevel)
        .def_readonly("area_ratio", &CptRecord::areaRatio)
        .def_readonly("dropped_rows", &CptRecord::droppedRows)
        .def_readonly("notes", &CptRecord::notes)
        .def_property_readonly("depth",
                               [](const CptRecord& r) { return Column(r, &CptReading::depth); })
        .def_property_readonly("qc", [](const CptRecord& r) { return Column(r, &CptReading::qc); })
        .def_property_readonly("fs", [](const CptRecord& r) { return Column(r, &CptReading::fs); })
        .def_property_readonly("u2", [](const CptRecord& r) { return Column(r, &CptReading::u2); })
        .def_property_readonly("qt", &QtColumn)
        .def("__len__", [](const CptRecord& r) { return r.readings.size(); });

    m.def("read", &ReadCptFile, py::arg("path"));
    m.def("sand_shaft_friction", &SandShaft, py::arg("qc"), py::arg("sigma_v_eff"),
          py::arg("diameter"), py::arg("wall"), py::arg("h"), py::arg("tension") = false,
          py::arg("d_cpt") = kConeDiameter, py::arg("delta_f") = kSandInterfaceFriction);
    m.def("sand_base_resistance", &SandBase, py::arg("qp"), py::arg("diameter"), py::arg("wall"),
          py::arg("d_cpt") = kConeDiameter);
    m.def("clay_shaft_friction", &ClayShaft, py::arg("qt"), py::arg("fs"), py::arg("sigma_v0"),
          py::arg("sigma_v_eff"), py::arg("diameter"), py::arg("wall"), py::arg("h"));
    m.def("clay_base_resistance", &ClayBase, py::arg("qp"), py::arg("diameter"), py::arg("wall"));
    m.def("soil_behaviour_index", &BehaviourIndex, py::arg("qt"), py::arg("fs"),
          py::arg("sigma_v0"), py::arg("sigma_v_eff"));
    m.def("make_project", &MakeProject);
}
