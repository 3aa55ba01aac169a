#include <string>
#include <vector>

#include "arrays.h"
#include "bindings.h"
#include "fit_statistics_dict.h"
#include "fitting/fit_verdict.h"
#include "global_curves.h"
#include "settings_values.h"
#include "shell/global_fit_report.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

py::array_t<double> ArrayOf(const std::vector<double>& values) {
  py::array_t<double> out = NewArray(static_cast<py::ssize_t>(values.size()));
  std::copy(values.begin(), values.end(), DataOf(out));
  return out;
}

// A curve's own result, by the names of vorex.GlobalCurveResult.
py::dict CurveDict(const GlobalCurve& curve, const GlobalCurveResult& r) {
  py::dict d;
  d["E"] = ArrayOf(curve.potential);
  d["I"] = ArrayOf(curve.current);
  d["I_fit"] = ArrayOf(r.fitted);
  d["residual"] = ArrayOf(r.residual);
  d["sum_of_squares"] = r.sumOfSquares;
  d["r_squared"] = Optional(r.rSquared);
  d["weight"] = r.weight;
  d["noise"] = r.noise;
  py::object background = py::none();
  if (curve.backgroundDegree >= 0) {
    py::list coefficients;
    for (int k = 0; k <= curve.backgroundDegree; ++k) coefficients.append(r.background[k]);
    background = py::tuple(coefficients);
  }
  d["background"] = background;
  d["parameters"] = ParametersDict(r.parameters);
  return d;
}

// The fitted and the start values by keyword: a shared parameter's a float, a per-curve one's a
// list in curve order (the joint vector holds a per-curve parameter's columns curve by curve).
void PutValues(const GlobalFitInput& in, const GlobalFitResult& r, py::dict& values,
               py::dict& initial, std::vector<std::string>& names) {
  for (int i = 1; i <= r.setup.count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const GlobalParameter& g = in.setup.parameters[static_cast<std::size_t>(r.parameterOf[at])];
    const std::string name = FitName(g.slot);
    const int curve = r.curveOf[at];
    names.push_back(curve > 0 ? name + "[" + std::to_string(curve) + "]" : name);
    if (curve == 0) {
      values[py::str(name)] = r.fit.fitted(i);
      initial[py::str(name)] = r.fit.initial(i);
      continue;
    }
    if (curve == 1) {
      values[py::str(name)] = py::list();
      initial[py::str(name)] = py::list();
    }
    values[py::str(name)].cast<py::list>().append(r.fit.fitted(i));
    initial[py::str(name)].cast<py::list>().append(r.fit.initial(i));
  }
}

py::dict ResultDict(const GlobalFitInput& in, const GlobalFitResult& r) {
  py::dict values, initial;
  std::vector<std::string> names;
  PutValues(in, r, values, initial, names);
  py::list report, verdict, curves;
  for (const std::string& line : GlobalFitReportLines(in.curves, in.setup, r))
    report.append(py::str(line));
  if (r.fit.statistics) {
    for (const std::string& line : GoodnessSentences(*r.fit.statistics))
      verdict.append(py::str(line));
  }
  for (const std::string& line : OutcomeSentences(r.setup, r.fit)) verdict.append(py::str(line));
  for (std::size_t c = 0; c < in.curves.size(); ++c)
    curves.append(CurveDict(in.curves[c], r.curves[c]));
  py::dict d;
  d["values"] = values;
  d["initial"] = initial;
  d["sum_of_squares"] = r.fit.sumOfSquares;
  d["iteration_sum_of_squares"] = ArrayOf(r.fit.iterationSumOfSquares);
  d["iterations"] = r.fit.iterations;
  d["convergence_flag"] = r.fit.convergenceFlag;
  d["statistics"] = StatisticsDict(names, r.fit);
  d["statistics_unavailable"] = r.fit.statisticsUnavailable;
  d["report"] = report;
  d["verdict"] = verdict;
  d["weighting"] = WeightingName(in.setup.weighting);
  d["threads"] = r.threads;
  d["curves"] = curves;
  return d;
}

py::dict FitGlobal(const py::handle& curves, const py::handle& fit, const py::handle& perCurve,
                   const py::handle& weighting, const py::handle& threads) {
  const GlobalFitInput in = ReadGlobalFit(curves, fit, perCurve, weighting, threads);
  GlobalFitResult result;
  {
    py::gil_scoped_release release;
    try {
      result = RunGlobalFit(in.curves, in.setup);
    } catch (const FitAborted& aborted) {
      result.fit.message = aborted.message;
    }
  }
  if (result.fit.message) throw SimulationFailure(*result.fit.message);
  return ResultDict(in, result);
}

}  // namespace

void BindGlobalFit(py::module_& m) {
  m.def("fit_global", &FitGlobal,
        "fit_global(curves, fit, per_curve, weighting, threads) -> dict of the fields of "
        "vorex.GlobalFitResult, its curves as dicts of those of vorex.GlobalCurveResult");
}

}  // namespace vorex::python
