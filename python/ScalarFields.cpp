#include "ScalarFields.h"

#include <cstdint>
#include <type_traits>

namespace py = pybind11;

namespace keldar::python {

namespace {

py::object ToPython(long double value) { return py::float_(static_cast<double>(value)); }
py::object ToPython(std::int32_t value) { return py::int_(value); }
py::object ToPython(bool value) { return py::bool_(value); }
py::object ToPython(const QString& value) { return py::str(value.toStdString()); }
py::object ToPython(TUnitSystem value) { return py::int_(static_cast<int>(value)); }

// Python floats are doubles: a real comes in with a double's digits.
template <typename T>
T FromPython(const py::handle& value) {
    if constexpr (std::is_same_v<T, QString>)
        return QString::fromStdString(value.cast<std::string>());
    else if constexpr (std::is_same_v<T, long double>)
        return value.cast<double>();
    else
        return value.cast<T>();
}

template <auto member>
py::object Get(const TProgramData& project) {
    return ToPython(project.*member);
}

template <auto member>
void Set(TProgramData& project, const py::handle& value) {
    using Value = std::remove_cvref_t<decltype(project.*member)>;
    const Value stored = FromPython<Value>(value);
    if (project.*member == stored) return;
    project.*member = stored;
    project.SetModified(true);
}

// The on/off options and the unit system have setters of their own in the project: a change of
// units converts the lengths.
template <bool TProgramFields::*option>
void SetOption(TProgramData& project, const py::handle& value) {
    project.SetOption(option, value.cast<bool>());
}

void SetUnits(TProgramData& project, const py::handle& value) {
    project.SetUnitSystem(value.cast<int>());
}

using F = TProgramFields;

const ScalarField kFields[] = {
    {"UnitSystem", Get<&F::UnitSystem>, SetUnits},
    {"FileName", Get<&F::FileName>, nullptr},
    {"Title", Get<&F::Title>, Set<&F::Title>},
    {"QMultiplier", Get<&F::QMultiplier>, Set<&F::QMultiplier>},
    {"WMultiplier", Get<&F::WMultiplier>, Set<&F::WMultiplier>},
    {"OuterDiameter", Get<&F::OuterDiameter>, Set<&F::OuterDiameter>},
    {"PileLength", Get<&F::PileLength>, Set<&F::PileLength>},
    {"TipArea", Get<&F::TipArea>, Set<&F::TipArea>},
    {"Tolerance", Get<&F::Tolerance>, Set<&F::Tolerance>},
    {"IncrementCount", Get<&F::IncrementCount>, Set<&F::IncrementCount>},
    {"OutputOption", Get<&F::OutputOption>, Set<&F::OutputOption>},
    {"DowndragOn", Get<&F::DowndragOn>, SetOption<&F::DowndragOn>},
    {"TipMovementsOn", Get<&F::TipMovementsOn>, SetOption<&F::TipMovementsOn>},
    {"HeadLoadsOn", Get<&F::HeadLoadsOn>, SetOption<&F::HeadLoadsOn>},
    {"CurvesGenerated", Get<&F::CurvesGenerated>, SetOption<&F::CurvesGenerated>},
    {"TZFactorsOn", Get<&F::TZFactorsOn>, SetOption<&F::TZFactorsOn>},
    {"QWFactorsOn", Get<&F::QWFactorsOn>, SetOption<&F::QWFactorsOn>},
};

}  // namespace

std::span<const ScalarField> ScalarFields() { return kFields; }

const ScalarField* FindScalarField(const std::string& name) {
    for (const ScalarField& field : kFields) {
        if (name == field.name) return &field;
    }
    return nullptr;
}

}  // namespace keldar::python
