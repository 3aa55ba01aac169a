#include <algorithm>
#include <chrono>

#include "arrays.h"
#include "bindings.h"
#include "settings.h"
#include "settings_model.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// The singular block's warning as the program words it; the run goes on past it.
constexpr const char* kSingularBlock = "Error: inverse matrix D=0";

py::tuple Simulate(const py::handle& technique, const py::handle& mechanism,
                   const py::handle& electrode, const py::handle& digital,
                   const py::dict& parameters) {
  const Settings s = ParseSettings(technique, mechanism, electrode, digital, parameters);
  const ParameterSet p = CaptureSettings(s);
  SimulationWorkspace& work = ThreadWorkspace();
  SimulationOutcome outcome;
  {
    py::gil_scoped_release release;
    outcome = RunSimulation(p, work, true);
  }
  if (outcome.fault) throw SimulationFailure(*outcome.fault);
  const int n = outcome.programme.pointCount;
  const int reactions = p.ChargeReactionCount;
  py::object surface = py::none();
  if (p.Digital != 0) surface = ColumnsCopy(work.SurfaceConcentration, 1, p.SpeciesCount, n);
  py::list warnings;
  if (outcome.singularBlock) warnings.append(kSingularBlock);
  return py::make_tuple(
      TechniqueName(s.technique, s.scan), s.mechanism, ElectrodeName(s.electrode), s.digital,
      Copy(work.Abscissa, n), ColumnCopy(work.SimulatedCurrent, reactions + 1, n),
      ColumnsCopy(work.SimulatedCurrent, 1, reactions, n), surface, ParametersDict(p), warnings);
}

// The parameter set the settings give, without a run.
py::dict Parameters(const py::handle& technique, const py::handle& mechanism,
                    const py::handle& electrode, const py::handle& digital,
                    const py::dict& parameters) {
  const Settings s = ParseSettings(technique, mechanism, electrode, digital, parameters);
  return ParametersDict(CaptureSettings(s));
}

// The mean time of RunSimulation alone for the settings [s], to tell the cost of a call from the
// cost of the simulation it runs.
double SimulationSeconds(const py::handle& technique, const py::handle& mechanism,
                         const py::handle& electrode, const py::handle& digital,
                         const py::dict& parameters, int repeats) {
  const Settings s = ParseSettings(technique, mechanism, electrode, digital, parameters);
  const ParameterSet p = CaptureSettings(s);
  SimulationWorkspace& work = ThreadWorkspace();
  py::gil_scoped_release release;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) RunSimulation(p, work, true);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / std::max(repeats, 1);
}

}  // namespace

void BindSimulate(py::module_& m) {
  m.def("simulate", &Simulate,
        "simulate(technique, mechanism, electrode, digital, parameters) -> (technique, "
        "mechanism, electrode, digital, E, I, reaction_currents, surface_concentrations, "
        "parameters, warnings)");
  m.def("parameters", &Parameters,
        "parameters(technique, mechanism, electrode, digital, parameters) -> dict");
  m.def("_simulation_seconds", &SimulationSeconds,
        "_simulation_seconds(technique, mechanism, electrode, digital, parameters, repeats)");
  m.def("_forget_models", &ForgetThreadModels,
        "Drops this thread's dialogs and kept captures: the next call builds them as a fresh "
        "program.");
  m.def("_forget_captures", &ForgetThreadCaptures,
        "Drops this thread's kept captures: the next call types into the kept dialogs again.");
}

}  // namespace vorex::python
