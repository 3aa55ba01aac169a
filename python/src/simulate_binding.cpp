#include <algorithm>
#include <chrono>
#include <vector>

#include "arrays.h"
#include "bindings.h"
#include "experiment/settings_keywords.h"
#include "settings_values.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// The singular block's warning as the program words it; the run goes on past it.
constexpr const char* kSingularBlock = "Error: inverse matrix D=0";

py::tuple Simulate(const py::handle& settings, const py::dict& keywords) {
  // The result carries its settings: the caller's own when it gave them unchanged.
  const py::object held = !settings.is_none() && keywords.empty()
                              ? py::reinterpret_borrow<py::object>(settings)
                              : py::cast(SettingsFor(settings, keywords));
  const Settings& s = held.cast<const Settings&>();
  const ParameterSet p = ParametersOf(s);
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
  if (p.Digital) surface = ColumnsCopy(work.SurfaceConcentration, 1, p.SpeciesCount, n);
  py::list warnings;
  if (outcome.singularBlock) warnings.append(kSingularBlock);
  const std::string technique = TechniqueKeywordName(s);
  const std::string electrode =
      TableField(FieldId::Electrode).items[static_cast<std::size_t>(CodeNumber(p.Electrode) - 1)];
  return py::make_tuple(technique, CodeNumber(p.Mechanism), electrode, p.Digital,
                        Copy(work.Abscissa, n), ColumnCopy(work.SimulatedCurrent, reactions + 1, n),
                        ColumnsCopy(work.SimulatedCurrent, 1, reactions, n), surface,
                        ParameterValues(p), warnings, held);
}

// The parameter set the settings give, without a run.
py::dict Parameters(const py::handle& settings, const py::dict& keywords) {
  return ParametersDict(ParametersOf(SettingsFor(settings, keywords)));
}

// The mean time of RunSimulation alone [s] over `repeats` passes through the settings, their
// parameter sets made beforehand: to tell the cost of a call from the cost of the runs it makes.
double SimulationSeconds(const py::list& settings, int repeats) {
  std::vector<ParameterSet> sets;
  for (const py::handle& s : settings) sets.push_back(ParametersOf(s.cast<const Settings&>()));
  if (sets.empty()) return 0;
  SimulationWorkspace& work = ThreadWorkspace();
  py::gil_scoped_release release;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) {
    for (const ParameterSet& p : sets) RunSimulation(p, work, true);
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / (std::max(repeats, 1) * static_cast<double>(sets.size()));
}

}  // namespace

void BindSimulate(py::module_& m) {
  BindParameterValues(m);
  m.def("simulate", &Simulate,
        "simulate(settings, keywords) -> (technique, mechanism, electrode, digital, E, I, "
        "reaction_currents, surface_concentrations, parameters, warnings, settings)");
  m.def("parameters", &Parameters, "parameters(settings, keywords) -> dict");
  m.def("_simulation_seconds", &SimulationSeconds,
        "_simulation_seconds(list of Settings, repeats) -> mean seconds of a run");
}

}  // namespace vorex::python
