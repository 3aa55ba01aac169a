#include "arrays.h"

#include <array>
#include <cmath>
#include <memory>

#include "base/constants.h"
#include "curves/curve_store.h"

namespace py = pybind11;

namespace vorex::python {

SimulationWorkspace& ThreadWorkspace() {
  thread_local std::unique_ptr<SimulationWorkspace> work;
  if (!work) work = std::make_unique<SimulationWorkspace>();
  return *work;
}

FitProblem& ThreadFitProblem() {
  thread_local std::unique_ptr<FitProblem> problem;
  if (!problem) problem = std::make_unique<FitProblem>();
  return *problem;
}

namespace {

py::array_t<double> AsVector(const py::handle& values, const char* name) {
  auto array = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(values);
  if (!array) {
    PyErr_Clear();
    throw py::value_error(std::string(name) + " must be an array of real numbers");
  }
  if (array.ndim() != 1) {
    throw py::value_error(std::string(name) + " must be 1-D; got " + std::to_string(array.ndim()) +
                          " dimensions");
  }
  const py::ssize_t n = array.shape(0);
  if (n < 1 || n > kMaxPoints) {
    throw py::value_error(std::string(name) + " must have 1 to " + std::to_string(kMaxPoints) +
                          " points; got " + std::to_string(n));
  }
  const double* v = array.data();
  for (py::ssize_t i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) {
      throw py::value_error(std::string(name) + "[" + std::to_string(i) + "] is not finite");
    }
  }
  return array;
}

}  // namespace

CurveArrays CheckedCurve(const py::handle& x, const py::handle& y, const char* xName,
                         const char* yName) {
  CurveArrays c{AsVector(x, xName), AsVector(y, yName), 0};
  if (c.x.shape(0) != c.y.shape(0)) {
    throw py::value_error(std::string(xName) + " and " + yName +
                          " must have the same length; got " + std::to_string(c.x.shape(0)) +
                          " and " + std::to_string(c.y.shape(0)));
  }
  c.n = static_cast<int>(c.x.shape(0));
  return c;
}

py::array_t<double> Copy(const FixedArray<double, kMaxPoints>& values, int n) {
  py::array_t<double> out(n);
  if (n > 0) std::copy(&values.Unchecked(1), &values.Unchecked(1) + n, out.mutable_data());
  return out;
}

py::dict ParametersDict(const ParameterSet& p) {
  py::dict d;
  const auto set = [&d](const std::string& name, double value) { d[py::str(name)] = value; };
  set("E_start", p.EStart);
  set("E_end", p.EEnd);
  set("E_step", p.EStep);
  set("scan_rate", p.ScanRate);
  set("t_drop", p.TDrop);
  set("t_pulse", p.TPulse);
  set("E_pulse", p.EPulse);
  set("temperature", p.Temperature - kZeroCelsius);
  set("noise", p.NoisePercent);
  set("Cdl", p.Cdl);
  set("Ru", p.Ru);
  set("area", p.Area);
  set("radius", p.Radius);
  set("length", p.Length);
  set("viscosity", p.Viscosity);
  set("omega", p.RotationRate);
  set("electrolyte_C", p.ElectrolyteC);
  set("electrolyte_cond", p.ElectrolyteConductivity);
  set("electrode_volume", p.ElectrodeVolume);
  set("scan_count", p.ScanCount);
  constexpr std::array<const char*, 4> species{"A", "B", "C", "D"};
  for (int i = 1; i <= p.SpeciesCount && i <= 4; ++i) {
    const std::string s = species[static_cast<std::size_t>(i - 1)];
    set("D_" + s, p.D(i));
    set("C_init_" + s, p.CInit(i));
    set("cond_" + s, p.SpeciesConductivity(i));
  }
  for (int j = 1; j <= p.ChargeReactionCount && j <= 3; ++j) {
    const std::string r = std::to_string(j);
    set("n_" + r, p.N(j));
    set("E0_" + r, p.E0(j));
    set("alpha_" + r, p.Alpha(j));
    set("ks_" + r, p.Ks(j));
  }
  for (int k = 1; k <= p.HomogeneousReactionCount && k <= 3; ++k) {
    const std::string r = std::to_string(k);
    set("kf_" + r, p.Kf(k));
    set("kb_" + r, p.Kb(k));
    set("Keq_" + r, p.Keq(k));
    set("p_" + r, p.P(k));
  }
  return d;
}

}  // namespace vorex::python
