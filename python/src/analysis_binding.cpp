#include <cmath>
#include <memory>

#include "analysis/column_operators.h"
#include "analysis/half_wave.h"
#include "analysis/peak_search.h"
#include "analysis/theoretical_peaks.h"
#include "arrays.h"
#include "bindings.h"
#include "settings_values.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// A curve in fixed storage, points 1..n, as the analysis procedures take it; on the heap, since
// each of the two arrays holds 4001 doubles.
struct StoredCurve {
  explicit StoredCurve(const CurveArrays& c) : n(c.n) {
    for (int i = 1; i <= n; ++i) {
      x->Unchecked(i) = c.X()[i - 1];
      y->Unchecked(i) = c.Y()[i - 1];
    }
  }
  std::unique_ptr<AbscissaArray> x = std::make_unique<AbscissaArray>();
  std::unique_ptr<AbscissaArray> y = std::make_unique<AbscissaArray>();
  int n;
};

int ScanItem(const std::string& scan) {
  if (scan == "single") return 0;
  if (scan == "cycle") return 1;
  if (scan == "2 cycles") return 2;
  throw py::value_error("scan must be one of \"single\", \"cycle\", \"2 cycles\"; got \"" + scan +
                        "\"");
}

// Find Peak over points 3..n-2, as the menu searches a record of n points.
py::tuple FindPeaks(const py::handle& e, const py::handle& i, const std::string& scan,
                    bool linearSweep, const py::object& pointsPerSweep, const py::object& yRange) {
  const CurveArrays data = CheckedCurve(e, i, "E", "I");
  const int item = ScanItem(scan);
  PeakSearchSettings settings;
  settings.first = 3;
  settings.last = data.n - 2;
  settings.singleSweep = item == 0;
  settings.oneCycleSweep = linearSweep && item == 1;
  // A programme of n points has n, n/2 or n/4 points per sweep.
  settings.pointsPerSweep = item == 0 ? data.n : item == 1 ? data.n / 2 : data.n / 4;
  if (!pointsPerSweep.is_none()) settings.pointsPerSweep = pointsPerSweep.cast<int>();
  if (settings.pointsPerSweep < 1 || settings.pointsPerSweep > data.n) {
    throw py::value_error("points_per_sweep must lie between 1 and the number of points");
  }
  if (yRange.is_none()) {
    for (int k = 0; k < data.n; ++k) {
      settings.yMax = std::max(settings.yMax, data.Y()[k]);
      settings.yMin = std::min(settings.yMin, data.Y()[k]);
    }
  } else {
    const auto range = yRange.cast<std::pair<double, double>>();
    settings.yMin = range.first;
    settings.yMax = range.second;
  }
  const StoredCurve curve(data);
  CurvePeaks found;
  try {
    found = SearchPeaks(*curve.x, *curve.y, settings);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure("Find Peak Error: " + fault.Description());
  }
  py::array_t<double> potentials(static_cast<py::ssize_t>(found.peaks.size()));
  py::array_t<double> currents(static_cast<py::ssize_t>(found.peaks.size()));
  for (std::size_t k = 0; k < found.peaks.size(); ++k) {
    potentials.mutable_data()[k] = found.peaks[k].potential;
    currents.mutable_data()[k] = found.peaks[k].current;
  }
  return py::make_tuple(potentials, currents, found.notListed, Optional(found.ratio),
                        Optional(found.separation), found.area);
}

py::tuple HalfWavePotential(const py::handle& e, const py::handle& i) {
  const CurveArrays data = CheckedCurve(e, i, "E", "I");
  const StoredCurve curve(data);
  HalfWaveResult wave;
  try {
    wave = HalfWave(*curve.x, *curve.y, curve.n);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure("Find Halfwave E Error: " + fault.Description());
  }
  return py::make_tuple(Optional(wave.halfWavePotential), wave.height);
}

py::list TheoreticalPeaks(const py::handle& settings, const py::dict& keywords) {
  const ParameterSet p = ParametersOf(SettingsFor(settings, keywords));
  py::list reactions;
  for (int j = 1; j <= p.ChargeReactionCount; ++j) {
    const TheoreticalValues v = TheoreticalPeakValues(p, j);
    py::dict d;
    d["Erev"] = Optional(v.Erev);
    d["Irev"] = Optional(v.Irev);
    d["Eirr"] = Optional(v.Eirr);
    d["Iirr"] = Optional(v.Iirr);
    reactions.append(d);
  }
  return reactions;
}

// The half-order transforms of the Analysis menu, on a copy of the ordinates.
py::array_t<double> HalfOrder(const py::handle& e, const py::handle& i, double scanRate,
                              bool integrate) {
  const char* label = integrate ? "Semi-integrate" : "Semi-differentiate";
  const CurveArrays data = CheckedCurve(e, i, "E", "I");
  if (!(std::isfinite(scanRate) && scanRate > 0)) {
    throw py::value_error(std::string(label) +
                          " needs a positive scan rate: the points are |dE|/scan_rate apart in "
                          "time");
  }
  const StoredCurve curve(data);
  auto matrix = std::make_unique<FixedMatrix<double, kMaxPoints, 1>>();
  for (int k = 1; k <= curve.n; ++k) matrix->Unchecked(k, 1) = curve.y->Unchecked(k);
  bool done = false;
  try {
    done = integrate ? SemiIntegrate(*curve.x, ColumnRef(*matrix, 1), curve.n, scanRate)
                     : SemiDifferentiate(*curve.x, ColumnRef(*matrix, 1), curve.n, scanRate);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure(std::string(label) + " Error: " + fault.Description());
  }
  if (!done) {
    throw py::value_error(std::string(label) + " needs different potentials at points 1 and 2");
  }
  return ColumnCopy(*matrix, 1, curve.n);
}

// The potential/ordinate pairs of a data file, as Import Data reads it: the one place a file
// becomes a curve, so that every format the import learns is read here too.
}  // namespace

void BindAnalysis(py::module_& m) {
  m.def("find_peaks", &FindPeaks, py::arg("E"), py::arg("I"), py::arg("scan"),
        py::arg("linear_sweep"), py::arg("points_per_sweep"), py::arg("y_range"),
        "find_peaks(E, I, scan, linear_sweep, points_per_sweep, y_range) -> (potentials, "
        "currents, not_listed, ratio, separation, area)");
  m.def("half_wave", &HalfWavePotential, "half_wave(E, I) -> (E_half or None, height)");
  m.def("theoretical_peaks", &TheoreticalPeaks,
        "theoretical_peaks(settings, keywords) -> list of dict");
  m.def(
      "semi_integrate",
      [](const py::handle& e, const py::handle& i, double v) { return HalfOrder(e, i, v, true); },
      "semi_integrate(E, I, scan_rate) -> array");
  m.def(
      "semi_differentiate",
      [](const py::handle& e, const py::handle& i, double v) { return HalfOrder(e, i, v, false); },
      "semi_differentiate(E, I, scan_rate) -> array");
}

}  // namespace vorex::python
