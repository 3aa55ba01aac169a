#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "arrays.h"
#include "base/runtime_fault.h"
#include "bindings.h"
#include "experiment/field_use.h"
#include "experiment/settings_keywords.h"
#include "fit_statistics_dict.h"
#include "fitting/background_projection.h"
#include "fitting/fit_driver.h"
#include "fitting/fit_slots.h"
#include "fitting/fit_verdict.h"
#include "settings_values.h"
#include "shell/fit_command.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// The fit flags ticked for the named parameters alone and their bounds typed, as the user sets
// them in the dialog; without names, the settings' own flags and bounds. ValueError for a name
// that is not fittable, a parameter the dialog does not offer, or bounds Auto Fit refuses.
Settings WithFitBounds(Settings s, const py::handle& fit) {
  if (fit.is_none()) {
    if (FittedSlots(s).empty()) {
      throw py::value_error(
          "nothing to fit: give fit={name: (lower, upper)} or tick a parameter in the settings "
          "(C_A_fitted, ks_1_fitted, ...)");
    }
  } else {
    if (!py::isinstance<py::dict>(fit)) {
      throw py::type_error("fit must be a dict {name: (lower, upper)}");
    }
    const py::dict bounds = py::reinterpret_borrow<py::dict>(fit);
    if (bounds.empty()) throw py::value_error("fit names no parameter to fit");
    for (int k = 1; k <= kFitSlots; ++k) s.SetChecked(Row(FieldId::Fitted1, k), false);
    std::vector<std::pair<int, std::string>> named;
    for (const auto& [key, value] : bounds) {
      const std::string name = py::str(key);
      const FieldSpec* field = PyUnicode_Check(key.ptr()) ? FieldNamed(name) : nullptr;
      const int k = field != nullptr ? FitSlotOf(field->id) : 0;
      if (k == 0) {
        throw py::value_error("\"" + name +
                              "\" cannot be fitted; fittable are C_A..C_D, ks_1..ks_3, "
                              "alpha_1..alpha_3, E0_1..E0_3, kf_1..kf_3, kb_1..kb_3, D_A..D_D, "
                              "Cdl, Ru (or C, ks, alpha, E0, kf, kb for the first)");
      }
      for (const auto& [other, otherName] : named) {
        if (other == k)
          throw py::value_error(name + " and " + otherName + " both fit " + field->keyword);
      }
      named.emplace_back(k, name);
      if (!py::isinstance<py::sequence>(value) || PyUnicode_Check(value.ptr()) ||
          py::len(value) != 2) {
        throw py::value_error("the bounds of " + name + " must be a pair (lower, upper)");
      }
      const FieldId flag = Row(FieldId::Fitted1, k);
      if (auto why = WhyNotSettable(s, flag, "fitting " + field->keyword))
        throw py::value_error(*why);
      s.SetChecked(flag, true);
      const py::sequence pair = py::reinterpret_borrow<py::sequence>(value);
      s.Set(Row(FieldId::Min1, k), TypedNumber(pair[0], "the lower bound of " + name));
      s.Set(Row(FieldId::Max1, k), TypedNumber(pair[1], "the upper bound of " + name));
    }
  }
  if (auto refused = RefusedBounds(s)) throw py::value_error(*refused);
  return s;
}

// Why the measured potentials are not the programme's, point for point within a thousandth of
// the step (every simulation of the fit is compared with the data at its own points); nothing
// when they are.
std::optional<std::string> PotentialMismatch(const ParameterSet& p, const CurveArrays& data,
                                             SimulationWorkspace& work) {
  Programme g;
  try {
    g = BuildPotentialProgramme(p, work.Abscissa);
  } catch (const RuntimeFault& fault) {
    return SimulationFaultMessage(fault.Description());
  }
  const std::string what =
      "; set E_start, E_end, E_step and the scan (technique lsv or cv, "
      "scan, cycles) to those of the measured curve";
  if (g.pointCount != data.n) {
    return std::string("E has " + std::to_string(data.n) + " points but the settings give " +
                       std::to_string(g.pointCount) + " (E_start " + TypedNumber(p.EStart) +
                       " V to E_end " + TypedNumber(p.EEnd) + " V in steps of " +
                       TypedNumber(p.EStep) + " V)" + what);
  }
  for (int i = 1; i <= data.n; ++i) {
    const double measured = data.X()[i - 1];
    if (!(std::fabs(measured - work.Abscissa(i)) <= 0.001 * p.EStep)) {
      return "E[" + std::to_string(i - 1) + "] is " + TypedNumber(measured) +
             " V but the settings give " + TypedNumber(work.Abscissa(i)) + " V there" + what;
    }
  }
  return std::nullopt;
}

// A sweep follows the measured potentials as they are when the settings' programme does not give
// them; the pulse techniques, whose programme is not a sweep's, must match.
ParameterSet FollowMeasured(Settings& s, const CurveArrays& data, SimulationWorkspace& work) {
  const auto measured = [&] {
    s.SetMeasuredPotentials(ProgrammePotentials(std::vector<double>(data.X(), data.X() + data.n)));
    s.SetScan(ScanCode::Measured);
  };
  if (s.Scan() == ScanCode::Measured && s.MeasuredPotentials().Empty()) measured();
  ParameterSet p = ParametersOf(s);
  const std::optional<std::string> mismatch = PotentialMismatch(p, data, work);
  if (!mismatch) return p;
  if (p.Technique != TechniqueCode::LinearSweep) throw py::value_error(*mismatch);
  measured();
  return ParametersOf(s);
}

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
    const std::string name = TableField(FitSlotField(setup.index(i))).keyword;
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
