// The extension module _vorex: the computation layer for the package vorex, which wraps it in
// documented functions and result classes.
#include <pybind11/pybind11.h>

#include <string>

#include "arrays.h"
#include "base/build_info.h"
#include "bindings.h"

namespace py = pybind11;

PYBIND11_MODULE(_vorex, m) {
  m.doc() = "Vorex computation layer; use the package vorex.";
  m.attr("__version__") = VOREX_VERSION;
  m.attr("build_info") = std::string(vorex::BuildText());
  auto error = py::register_exception<vorex::python::SimulationFailure>(m, "SimulationError",
                                                                        PyExc_RuntimeError);
  // Named where users meet it, so that it pickles and prints as vorex.SimulationError.
  error.attr("__module__") = "vorex";
  error.attr("__doc__") =
      "A run-time fault ended a simulation, fit or analysis; the message is the program's own, "
      "such as \"Analytical simulation Error: Overflow! Please try again by other initial "
      "values.\"";
  vorex::python::BindSettings(m);
  vorex::python::BindSimulate(m);
  vorex::python::BindFit(m);
  vorex::python::BindGlobalFit(m);
  vorex::python::BindAnalysis(m);
  vorex::python::BindCurveEdits(m);
  vorex::python::BindReaders(m);
  vorex::python::BindSession(m);
}
