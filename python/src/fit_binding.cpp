#include <algorithm>
#include <array>
#include <string>

#include "arrays.h"
#include "base/runtime_fault.h"
#include "bindings.h"
#include "fit_settings.h"
#include "fit_statistics_dict.h"
#include "fitting/background_projection.h"
#include "fitting/fit_driver.h"
#include "fitting/fit_slots.h"
#include "fitting/fit_verdict.h"
#include "settings_values.h"
#include "shell/fit_command.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

py::tuple Fit(const py::handle& x, const py::handle& y, const py::handle& fit,
              const py::handle& settings, const py::dict& keywords) {
  const CurveArrays data = CheckedCurve(x, y, "E", "I");
  Settings s = WithFitBounds(SettingsFor(settings, keywords), fit);
  SimulationWorkspace& work = ThreadWorkspace();
  const ParameterSet p = FollowMeasured(s, data, work);
  FitSetup setup;
  try {
    setup = FitSetupFor(s, p);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure("Fit Error: " + fault.Description() +
                            "! Please try again by other initial values.");
  }
  PointVector measured;
  for (int i = 1; i <= data.n; ++i) measured(i) = data.Y()[i - 1];

  FitResult result;
  ParameterSet fitted = p;
  SimulationOutcome curve;
  std::array<double, 3> background{};
  std::string backgroundLine;
  {
    py::gil_scoped_release release;
    SimulationFitModel model(p, setup, work);
    BackgroundProjectedModel withBackground(model, &work.Abscissa(1) - 1, measured,
                                            setup.backgroundDegree);
    FitModelFunction& objective =
        setup.backgroundDegree >= 0 ? static_cast<FitModelFunction&>(withBackground) : model;
    result = RunFit(setup, measured, data.n, objective, ThreadFitProblem());
    // The model was evaluated last at the fitted values: its polynomial is theirs.
    background = withBackground.Coefficients();
    if (setup.backgroundDegree >= 0) backgroundLine = withBackground.ReportLine();
    if (!result.message) {
      for (int i = 1; i <= setup.count; ++i)
        FitParameter(fitted, setup.index(i)) = result.fitted(i);
      curve = RunSimulation(fitted, work, false);
    }
  }
  if (result.message) throw SimulationFailure(*result.message);
  if (curve.fault) throw SimulationFailure(*curve.fault);

  py::dict values, initial;
  for (int i = 1; i <= setup.count; ++i) {
    const std::string name = FitName(setup.index(i));
    values[py::str(name)] = result.fitted(i);
    initial[py::str(name)] = result.initial(i);
  }
  py::array_t<double> iterationSums(static_cast<py::ssize_t>(result.iterationSumOfSquares.size()));
  std::copy(result.iterationSumOfSquares.begin(), result.iterationSumOfSquares.end(),
            iterationSums.mutable_data());
  py::list report, verdict;
  for (const std::string& line : FitReportLines(setup, result)) report.append(py::str(line));
  if (!backgroundLine.empty()) report.append(py::str(backgroundLine));
  if (result.statistics) {
    for (const std::string& line : GoodnessSentences(*result.statistics))
      verdict.append(py::str(line));
  }
  for (const std::string& line : OutcomeSentences(setup, result)) verdict.append(py::str(line));
  py::array_t<double> fittedCurve =
      ColumnCopy(work.SimulatedCurrent, fitted.ChargeReactionCount + 1, data.n);
  for (int i = 0; i < data.n; ++i) {
    const double e = data.X()[i];
    fittedCurve.mutable_at(i) += background[0] + e * (background[1] + e * background[2]);
  }
  py::array_t<double> residual(data.n);
  for (int i = 0; i < data.n; ++i) residual.mutable_at(i) = data.Y()[i] - fittedCurve.at(i);
  return py::make_tuple(values, initial, result.sumOfSquares, iterationSums, result.iterations,
                        result.convergenceFlag, report, fittedCurve, ParametersDict(fitted),
                        residual, StatisticsDict(setup, result), result.statisticsUnavailable,
                        verdict);
}

}  // namespace

void BindFit(py::module_& m) {
  m.def("fit", &Fit,
        "fit(E, I, fit, settings, keywords) -> (values, "
        "initial, sum_of_squares, iteration_sum_of_squares, iterations, convergence_flag, "
        "report, I_fit, parameters, residual, statistics, statistics_unavailable, verdict)");
}

}  // namespace vorex::python
