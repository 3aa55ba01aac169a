#include "fit_statistics_dict.h"

#include "arrays.h"

#include <cmath>

#include "settings_values.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

const char* StandingName(ParameterStanding standing) {
  switch (standing) {
    case ParameterStanding::OnBound:
      return "on bound";
    case ParameterStanding::Frozen:
      return "frozen";
    default:
      return "free";
  }
}

}  // namespace

py::object StatisticsDict(const FitSetup& setup, const FitResult& result) {
  std::vector<std::string> names;
  for (int i = 1; i <= setup.count; ++i) names.push_back(FitName(setup.index(i)));
  return StatisticsDict(names, result);
}

// The statistics as plain values and arrays; an entry that is not defined is NaN in an array and
// None otherwise, and `standing` and `not_separately_determined` say why.
py::object StatisticsDict(const std::vector<std::string>& parameterNames, const FitResult& result) {
  if (!result.statistics) return py::none();
  const FitStatistics& s = *result.statistics;
  const auto n = static_cast<py::ssize_t>(s.n);
  const double nan = std::nan("");
  py::array_t<double> sigma(n), half(n), relative(n), covariance({n, n}), correlation({n, n});
  py::list names, standing, undetermined;
  for (int i = 1; i <= s.n; ++i) {
    names.append(parameterNames.at(static_cast<std::size_t>(i - 1)));
    standing.append(StandingName(s.standing(i)));
    sigma.mutable_at(i - 1) = s.defined(i) ? s.sigma(i) : nan;
    half.mutable_at(i - 1) = s.defined(i) ? s.halfWidth95(i) : nan;
    relative.mutable_at(i - 1) = s.relativePercent(i) ? *s.relativePercent(i) : nan;
    for (int k = 1; k <= s.n; ++k) {
      const bool both = s.defined(i) && s.defined(k);
      covariance.mutable_at(i - 1, k - 1) = both ? s.covariance(i, k) : nan;
      correlation.mutable_at(i - 1, k - 1) = both ? s.correlation(i, k) : nan;
    }
  }
  for (int i : s.notSeparatelyDetermined)
    undetermined.append(parameterNames.at(static_cast<std::size_t>(i - 1)));
  py::dict d;
  d["names"] = names;
  d["standing"] = standing;
  d["standard_errors"] = sigma;
  d["half_width_95"] = half;
  d["relative_errors_percent"] = relative;
  d["covariance"] = covariance;
  d["correlation"] = correlation;
  d["not_separately_determined"] = undetermined;
  d["m"] = s.m;
  d["n"] = s.n;
  d["dof"] = s.dof;
  d["ssr"] = s.ssr;
  d["s"] = Optional(s.s);
  d["reduced_chi_square"] = Optional(s.reducedChiSquare);
  d["r_squared"] = Optional(s.rSquared);
  d["t_quantile"] = Optional(s.tQuantile);
  d["durbin_watson"] = Optional(s.durbinWatson);
  d["linearised_gain"] = Optional(s.linearisedGain);
  return d;
}

}  // namespace vorex::python
