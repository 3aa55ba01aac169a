#pragma once

#include <pybind11/pybind11.h>

// Each source of the module _vorex adds its functions and classes here.
namespace vorex::python {

void BindSettings(pybind11::module_& m);
void BindSimulate(pybind11::module_& m);
void BindFit(pybind11::module_& m);
void BindGlobalFit(pybind11::module_& m);
void BindAnalysis(pybind11::module_& m);
void BindCurveEdits(pybind11::module_& m);
void BindSession(pybind11::module_& m);
void BindReaders(pybind11::module_& m);

}  // namespace vorex::python
