// Cut and Subtract Background on curves given as arrays: the X Data and Y Data dialogs' numerics.
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/stl.h>

#include "analysis/background_fit.h"
#include "analysis/curve_cut.h"
#include "arrays.h"
#include "bindings.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

std::span<const double> Span(const py::array_t<double>& a) {
  return {a.data(), static_cast<std::size_t>(a.shape(0))};
}

py::list Pairs(const std::vector<PointRange>& ranges) {
  py::list pairs;
  for (const PointRange& r : ranges) pairs.append(py::make_tuple(r.first, r.last));
  return pairs;
}

py::array_t<double> Part(const double* values, const PointRange& r) {
  py::array_t<double> out = NewArray(r.Count());
  double* o = DataOf(out);
  for (int k = 0; k < r.Count(); ++k) o[k] = values[r.first + k];
  return out;
}

CutChoice::Kind KindOf(const std::string& kind) {
  if (kind == "cycle") return CutChoice::Kind::Cycle;
  if (kind == "segments") return CutChoice::Kind::Segments;
  if (kind == "window") return CutChoice::Kind::Window;
  throw py::value_error("kind must be \"cycle\", \"segments\" or \"window\"; got \"" + kind + "\"");
}

py::tuple Cut(const py::handle& e, const py::handle& i, const std::string& kind, int first,
              int last, double low, double high) {
  const CurveArrays data = CheckedCurve(e, i, "E", "I");
  const CutChoice choice{KindOf(kind), first, last, low, high};
  const auto kept = KeptPoints(Span(data.x), choice);
  if (const auto* why = std::get_if<std::string>(&kept)) throw py::value_error(*why);
  const PointRange& r = std::get<PointRange>(kept);
  return py::make_tuple(Part(data.X(), r), Part(data.Y(), r));
}

py::tuple Background(const py::handle& e, const py::handle& i,
                     const std::vector<std::pair<double, double>>& ranges, int degree,
                     int segment) {
  const CurveArrays data = CheckedCurve(e, i, "E", "I");
  BackgroundRequest request;
  for (const auto& [low, high] : ranges) request.ranges.push_back({low, high});
  request.degree = degree;
  request.segment = segment;
  const auto n = static_cast<std::size_t>(data.n);
  const std::span<const double> x(data.X(), n), y(data.Y(), n);
  const auto fitted = FitBackground(x, y, request);
  if (const auto* why = std::get_if<std::string>(&fitted)) throw py::value_error(*why);
  const BackgroundPolynomial& p = std::get<BackgroundPolynomial>(fitted);
  py::array_t<double> corrected = NewArray(data.n);
  if (!SubtractBackground(p, x, y, std::span<double>(DataOf(corrected), n))) {
    throw SimulationFailure("Subtract Background Error: Overflow");
  }
  py::array_t<double> coefficients = NewArray(p.degree + 1);
  for (int k = 0; k <= p.degree; ++k) {
    DataOf(coefficients)[k] = p.coefficients[static_cast<std::size_t>(k)];
  }
  return py::make_tuple(corrected, coefficients);
}

}  // namespace

void BindCurveEdits(py::module_& m) {
  m.def(
      "cycles",
      [](const py::handle& e) {
        const py::array_t<double> x = CheckedVector(e, "E");
        return Pairs(CycleRanges(Span(x)));
      },
      "cycles(E) -> list of (first, last), points numbered from 0");
  m.def(
      "segments",
      [](const py::handle& e) {
        const py::array_t<double> x = CheckedVector(e, "E");
        return Pairs(SweepSegments(Span(x)));
      },
      "segments(E) -> list of (first, last), points numbered from 0");
  m.def("cut", &Cut, "cut(E, I, kind, first, last, low, high) -> (E, I)");
  m.def("subtract_background", &Background,
        "subtract_background(E, I, ranges, degree, segment) -> (I, coefficients)");
}

}  // namespace vorex::python
