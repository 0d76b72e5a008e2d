// The project's scalar fields as Python reads and sets them, by their model names: one table that
// reading, setting and the list of names all go through.
#pragma once

#include <pybind11/pybind11.h>

#include <span>
#include <string>

#include "ProgramData.h"

namespace keldar::python {

struct ScalarField {
    const char* name;
    pybind11::object (*get)(const TProgramData& project);
    // Null for a field that only save(path) changes. A change marks the project modified, as
    // the program's windows do; setting the value a field holds already changes nothing.
    void (*set)(TProgramData& project, const pybind11::handle& value);
};

std::span<const ScalarField> ScalarFields();

// The field named so, or null.
const ScalarField* FindScalarField(const std::string& name);

}  // namespace keldar::python
