#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "experiment/parameter_set.h"
#include "fitting/marquardt.h"
#include "simulation/simulation_workspace.h"

namespace vorex::python {

// A simulation or fit that a run-time fault ended; Python sees vorex.SimulationError with the
// program's message.
class SimulationFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// This thread's storage of a run and of a fit, allocated at its first use and kept, so that
// threads never share one and no call allocates it again.
SimulationWorkspace& ThreadWorkspace();
FitProblem& ThreadFitProblem();

// A measured curve from Python: potentials [V] and ordinates as contiguous doubles.
struct CurveArrays {
  pybind11::array_t<double> x, y;
  int n = 0;
  const double* X() const { return x.data(); }
  const double* Y() const { return y.data(); }
};

// Both arrays as float64, checked to be 1-D, of one length, 1..4000 points and finite;
// ValueError naming the argument otherwise.
CurveArrays CheckedCurve(const pybind11::handle& x, const pybind11::handle& y, const char* xName,
                         const char* yName);

// One array as float64, checked as CheckedCurve checks each of its two.
pybind11::array_t<double> CheckedVector(const pybind11::handle& values, const char* name);

// A new array of doubles of that shape, its data to be written: made through NumPy's own call,
// which a result's four arrays made the cost of a call less by.
pybind11::array_t<double> NewArray(pybind11::ssize_t rows, pybind11::ssize_t columns);
pybind11::array_t<double> NewArray(pybind11::ssize_t n);
double* DataOf(pybind11::array_t<double>& a);

// A new array with a copy of values 1..n of fixed storage (index 0 unused).
pybind11::array_t<double> Copy(const FixedArray<double, kMaxPoints>& values, int n);
// Column `col` of points 1..n of a points x columns matrix.
template <int RowHi, int ColHi>
pybind11::array_t<double> ColumnCopy(const FixedMatrix<double, RowHi, ColHi>& m, int col, int n) {
  pybind11::array_t<double> out = NewArray(n);
  double* o = DataOf(out);
  for (int i = 1; i <= n; ++i) o[i - 1] = m.Unchecked(i, col);
  return out;
}
// Columns first..last of points 1..n as rows of a (last - first + 1) x n array.
template <int RowHi, int ColHi>
pybind11::array_t<double> ColumnsCopy(const FixedMatrix<double, RowHi, ColHi>& m, int first,
                                      int last, int n) {
  const int rows = last - first + 1;
  pybind11::array_t<double> out = NewArray(rows, n);
  double* o = DataOf(out);
  for (int r = 0; r < rows; ++r) {
    for (int i = 1; i <= n; ++i) o[r * n + i - 1] = m.Unchecked(i, first + r);
  }
  return out;
}

// The parameter set by keyword name, in the keywords' units (temperature in °C), with the
// rotating disk's angular speed as omega [rad/s] (the rpm typed, converted as the capture does),
// the initial concentrations the run starts from as C_init_A.., the equilibrium constants as
// Keq_1..; only the species and reactions of the mechanism.
pybind11::dict ParametersDict(const ParameterSet& p);

// The parameter set of a simulation, as a read-only mapping that makes ParametersDict's dict
// only when it is first read: most callers of a sweep never look at it, and making it cost a
// good part of a call. It compares, prints and pickles as that dict.
class ParameterValues {
 public:
  explicit ParameterValues(const ParameterSet& p) : p_(p) {}
  const pybind11::dict& Dict();

 private:
  ParameterSet p_;
  std::optional<pybind11::dict> dict_;
};
void BindParameterValues(pybind11::module_& m);

// A value that may be undefined, as a float or None.
inline pybind11::object Optional(const std::optional<double>& value) {
  return value ? pybind11::object(pybind11::float_(*value)) : pybind11::object(pybind11::none());
}

}  // namespace vorex::python
