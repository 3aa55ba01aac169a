#include <algorithm>
#include <cmath>

#include "arrays.h"
#include "base/runtime_fault.h"
#include "bindings.h"
#include "experiment/field_value.h"
#include "fit_statistics_dict.h"
#include "fitting/fit_driver.h"
#include "fitting/fit_slots.h"
#include "settings.h"
#include "settings_model.h"
#include "shell/fit_command.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// A fitted parameter with its bounds as they are typed into the dialog.
struct Bound {
  int k;  // fit index 1..19
  std::string name, lower, upper;
};

std::vector<Bound> ParseBounds(const py::dict& fit) {
  std::vector<Bound> bounds;
  for (const auto& [key, value] : fit) {
    const std::string name = py::str(key);
    const int k = PyUnicode_Check(key.ptr()) ? FitIndexOf(name) : 0;
    if (k == 0) {
      throw py::value_error("\"" + name +
                            "\" cannot be fitted; fittable are C_A..C_D, ks_1..ks_3, "
                            "alpha_1..alpha_3, E0_1..E0_3, kf_1..kf_3, kb_1..kb_3 (or C, ks, "
                            "alpha, E0, kf, kb for the first)");
    }
    for (const Bound& b : bounds) {
      if (b.k == k) throw py::value_error(name + " and " + b.name + " both fit " + FitName(k));
    }
    py::sequence pair;
    if (!py::isinstance<py::sequence>(value) || PyUnicode_Check(value.ptr()) ||
        py::len(value) != 2) {
      throw py::value_error("the bounds of " + name + " must be a pair (lower, upper)");
    }
    pair = py::reinterpret_borrow<py::sequence>(value);
    bounds.push_back(Bound{k, name, TypedNumber(pair[0], "the lower bound of " + name),
                           TypedNumber(pair[1], "the upper bound of " + name)});
  }
  if (bounds.empty()) throw py::value_error("fit names no parameter to fit");
  std::sort(bounds.begin(), bounds.end(), [](const Bound& a, const Bound& b) { return a.k < b.k; });
  return bounds;
}

// The fit's check boxes ticked for the fitted parameters alone and their bounds typed, as the
// user sets them in the dialog; the parameter set captured and the bounds checked as Auto Fit
// checks them.
FitSetup TypeFit(TypedExperiment& typed, const std::vector<Bound>& bounds, ParameterSet& p) {
  FormExpr& form = typed.experiment().formExpr;
  for (int k = 1; k <= FormExpr::kFitSlots; ++k) {
    const bool fitted =
        std::any_of(bounds.begin(), bounds.end(), [k](const Bound& b) { return b.k == k; });
    if (fitted) {
      typed.Check(form.CheckFitted(k), true, "fitting " + FitName(k));
    } else if (form.CheckFitted(k).Shown() && form.CheckFitted(k).Checked()) {
      typed.Check(form.CheckFitted(k), false, "fitting " + FitName(k));
    }
  }
  for (const Bound& b : bounds) {
    typed.Type(form.TextCmin(b.k), b.lower, "the lower bound of " + b.name);
    typed.Type(form.TextCmax(b.k), b.upper, "the upper bound of " + b.name);
  }
  p = typed.Capture();
  if (auto refused = RefusedBounds(form)) throw py::value_error(*refused);
  FitSetup setup;
  setup.count = static_cast<int>(bounds.size());
  for (int i = 1; i <= setup.count; ++i) {
    const int k = bounds[static_cast<std::size_t>(i - 1)].k;
    setup.index(i) = k;
    setup.start(i) = FitStartValue(p, k);
    setup.lower(i) = FieldValue(form.TextCmin(k));
    setup.upper(i) = FieldValue(form.TextCmax(k));
  }
  return setup;
}

std::string Shortest(double v) {
  char* text = PyOS_double_to_string(v, 'r', 0, Py_DTSF_ADD_DOT_0, nullptr);
  std::string s(text);
  PyMem_Free(text);
  return s;
}

// The measured potentials must be the programme's, point for point within a thousandth of the
// step, since every simulation of the fit is compared with the data at its own points.
void CheckPotentials(const ParameterSet& p, const CurveArrays& data, SimulationWorkspace& work) {
  Programme g;
  try {
    g = BuildPotentialProgramme(p, work.Abscissa);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure(SimulationFaultMessage(fault.Description()));
  }
  const std::string what =
      "; set E_start, E_end, E_step and the scan (technique lsv or cv, "
      "scan, cycles) to those of the measured curve";
  if (g.pointCount != data.n) {
    throw py::value_error("E has " + std::to_string(data.n) + " points but the settings give " +
                          std::to_string(g.pointCount) + " (E_start " + Shortest(p.EStart) +
                          " V to E_end " + Shortest(p.EEnd) + " V in steps of " +
                          Shortest(p.EStep) + " V)" + what);
  }
  for (int i = 1; i <= data.n; ++i) {
    const double measured = data.X()[i - 1];
    if (!(std::fabs(measured - work.Abscissa(i)) <= 0.001 * p.EStep)) {
      throw py::value_error("E[" + std::to_string(i - 1) + "] is " + Shortest(measured) +
                            " V but the settings give " + Shortest(work.Abscissa(i)) + " V there" +
                            what);
    }
  }
}

py::tuple Fit(const py::handle& x, const py::handle& y, const py::dict& fit,
              const py::handle& technique, const py::handle& mechanism, const py::handle& electrode,
              const py::handle& digital, const py::dict& parameters) {
  const CurveArrays data = CheckedCurve(x, y, "E", "I");
  const Settings s = ParseSettings(technique, mechanism, electrode, digital, parameters);
  const std::vector<Bound> bounds = ParseBounds(fit);
  ParameterSet p;
  FitSetup setup;
  {
    TypedExperiment typed(s);
    setup = TypeFit(typed, bounds, p);
  }
  SimulationWorkspace& work = ThreadWorkspace();
  CheckPotentials(p, data, work);
  PointVector measured;
  for (int i = 1; i <= data.n; ++i) measured(i) = data.Y()[i - 1];

  FitResult result;
  ParameterSet fitted = p;
  SimulationOutcome curve;
  {
    py::gil_scoped_release release;
    SimulationFitModel model(p, setup, work);
    result = RunFit(setup, measured, data.n, model, ThreadFitProblem());
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
  py::list report;
  for (const std::string& line : FitReportLines(setup, result)) report.append(py::str(line));
  py::array_t<double> fittedCurve =
      ColumnCopy(work.SimulatedCurrent, fitted.ChargeReactionCount + 1, data.n);
  py::array_t<double> residual(data.n);
  for (int i = 0; i < data.n; ++i) residual.mutable_at(i) = data.Y()[i] - fittedCurve.at(i);
  return py::make_tuple(values, initial, result.sumOfSquares, iterationSums, result.iterations,
                        result.convergenceFlag, report, fittedCurve, ParametersDict(fitted),
                        residual, StatisticsDict(setup, result), result.statisticsUnavailable);
}

}  // namespace

void BindFit(py::module_& m) {
  m.def("fit", &Fit,
        "fit(E, I, fit, technique, mechanism, electrode, digital, parameters) -> (values, "
        "initial, sum_of_squares, iteration_sum_of_squares, iterations, convergence_flag, "
        "report, I_fit, parameters, residual, statistics, statistics_unavailable)");
}

}  // namespace vorex::python
