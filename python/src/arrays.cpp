#include "arrays.h"

#include <array>
#include <cmath>
#include <memory>

#include "base/constants.h"
#include "curves/curve_store.h"
#include "experiment/reaction_network.h"

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

py::array_t<double> CheckedVector(const py::handle& values, const char* name) {
  return AsVector(values, name);
}

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

namespace {

py::array_t<double> Made(int dimensions, Py_intptr_t* shape) {
  auto& api = py::detail::npy_api::get();
  PyObject* type = api.PyArray_DescrFromType_(py::detail::npy_api::NPY_DOUBLE_);
  if (type == nullptr) throw py::error_already_set();
  PyObject* a = api.PyArray_NewFromDescr_(api.PyArray_Type_, type, dimensions, shape, nullptr,
                                          nullptr, 0, nullptr);
  if (a == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::array_t<double>>(a);
}

}  // namespace

py::array_t<double> NewArray(py::ssize_t n) {
  Py_intptr_t shape[1] = {n};
  return Made(1, shape);
}

py::array_t<double> NewArray(py::ssize_t rows, py::ssize_t columns) {
  Py_intptr_t shape[2] = {rows, columns};
  return Made(2, shape);
}

double* DataOf(py::array_t<double>& a) {
  return reinterpret_cast<double*>(py::detail::array_proxy(a.ptr())->data);
}

py::array_t<double> Copy(const FixedArray<double, kMaxPoints>& values, int n) {
  py::array_t<double> out = NewArray(n);
  if (n > 0) std::copy(&values.Unchecked(1), &values.Unchecked(1) + n, DataOf(out));
  return out;
}

namespace {

// The names of the parameter set's entries as Python strings, made once: a dict of them is made
// for every simulation, and making its keys again each time was most of its cost. They live as
// long as the interpreter, so they are never released.
struct ParameterKeys {
  PyObject* scalar[20];
  PyObject* species[kMaxNetworkSpecies][3];   // D_, C_init_, cond_
  PyObject* charge[kMaxNetworkTransfers][4];  // n_, E0_, alpha_, ks_
  PyObject* chemical[kMaxNetworkSteps][4];    // kf_, kb_, Keq_, p_
  PyObject* mechanismText;
};

PyObject* Key(const std::string& name) {
  return PyUnicode_InternFromString(name.c_str());
}

const ParameterKeys& Keys() {
  static const ParameterKeys keys = [] {
    ParameterKeys k{};
    const char* scalars[] = {"E_start",
                             "E_end",
                             "E_step",
                             "scan_rate",
                             "t_drop",
                             "t_pulse",
                             "E_pulse",
                             "temperature",
                             "noise",
                             "Cdl",
                             "Ru",
                             "area",
                             "radius",
                             "length",
                             "viscosity",
                             "omega",
                             "electrolyte_C",
                             "electrolyte_cond",
                             "electrode_volume",
                             "scan_count"};
    for (int i = 0; i < 20; ++i) k.scalar[i] = Key(scalars[i]);
    for (int i = 0; i < kMaxNetworkSpecies; ++i) {
      const std::string letter(1, static_cast<char>('A' + i));
      const char* stems[] = {"D_", "C_init_", "cond_"};
      for (int f = 0; f < 3; ++f) k.species[i][f] = Key(stems[f] + letter);
    }
    for (int j = 0; j < kMaxNetworkTransfers; ++j) {
      const std::string r = std::to_string(j + 1);
      const char* charge[] = {"n_", "E0_", "alpha_", "ks_"};
      const char* chemical[] = {"kf_", "kb_", "Keq_", "p_"};
      for (int f = 0; f < 4; ++f) {
        k.charge[j][f] = Key(charge[f] + r);
        k.chemical[j][f] = Key(chemical[f] + r);
      }
    }
    k.mechanismText = Key("mechanism_text");
    return k;
  }();
  return keys;
}

void Put(py::dict& d, PyObject* key, double value) {
  PyObject* v = PyFloat_FromDouble(value);
  if (v == nullptr || PyDict_SetItem(d.ptr(), key, v) != 0) {
    Py_XDECREF(v);
    throw py::error_already_set();
  }
  Py_DECREF(v);
}

}  // namespace

py::dict ParametersDict(const ParameterSet& p) {
  const ParameterKeys& k = Keys();
  py::dict d;
  const double scalars[] = {p.EStart,
                            p.EEnd,
                            p.EStep,
                            p.ScanRate,
                            p.TDrop,
                            p.TPulse,
                            p.EPulse,
                            p.Temperature - kZeroCelsius,
                            p.NoisePercent,
                            p.Cdl,
                            p.Ru,
                            p.Area,
                            p.Radius,
                            p.Length,
                            p.Viscosity,
                            p.RotationRate,
                            p.ElectrolyteC,
                            p.ElectrolyteConductivity,
                            p.ElectrodeVolume,
                            p.ScanCount};
  for (int i = 0; i < 20; ++i) Put(d, k.scalar[i], scalars[i]);
  for (int i = 1; i <= p.SpeciesCount && i <= kMaxNetworkSpecies; ++i) {
    Put(d, k.species[i - 1][0], p.D(i));
    Put(d, k.species[i - 1][1], p.CInit(i));
    Put(d, k.species[i - 1][2], p.SpeciesConductivity(i));
  }
  for (int j = 1; j <= p.ChargeReactionCount && j <= kMaxNetworkTransfers; ++j) {
    Put(d, k.charge[j - 1][0], p.N(j));
    Put(d, k.charge[j - 1][1], p.E0(j));
    Put(d, k.charge[j - 1][2], p.Alpha(j));
    Put(d, k.charge[j - 1][3], p.Ks(j));
  }
  const bool written = p.Mechanism == MechanismCode::Written;
  for (int j = 1; j <= p.HomogeneousReactionCount && j <= kMaxNetworkSteps; ++j) {
    Put(d, k.chemical[j - 1][0], p.Kf(j));
    Put(d, k.chemical[j - 1][1], p.Kb(j));
    Put(d, k.chemical[j - 1][2], p.Keq(j));
    // A written step's text carries its own stoichiometry: it has no p.
    if (!written) Put(d, k.chemical[j - 1][3], p.P(j));
  }
  // A written mechanism reports the network it ran, in the form the parser reads.
  if (written) d[py::handle(k.mechanismText)] = MechanismText(p.Network);
  return d;
}

const py::dict& ParameterValues::Dict() {
  if (!dict_) dict_ = ParametersDict(p_);
  return *dict_;
}

void BindParameterValues(py::module_& m) {
  const auto dictOf = [](const py::object& other) -> py::object {
    if (py::isinstance<ParameterValues>(other)) return other.cast<ParameterValues&>().Dict();
    return other;
  };
  py::class_<ParameterValues>(m, "ParameterValues", "The parameter set of a run, by name.")
      .def("__getitem__", [](ParameterValues& v, const py::object& k) { return v.Dict()[k]; })
      .def("__len__", [](ParameterValues& v) { return v.Dict().size(); })
      .def("__iter__", [](ParameterValues& v) { return py::iter(v.Dict()); })
      .def("__contains__",
           [](ParameterValues& v, const py::object& k) { return v.Dict().contains(k); })
      .def("keys", [](ParameterValues& v) { return v.Dict().attr("keys")(); })
      .def("values", [](ParameterValues& v) { return v.Dict().attr("values")(); })
      .def("items", [](ParameterValues& v) { return v.Dict().attr("items")(); })
      .def(
          "get",
          [](ParameterValues& v, const py::object& k, const py::object& d) {
            return v.Dict().attr("get")(k, d);
          },
          py::arg("key"), py::arg("default") = py::none())
      .def("__eq__", [dictOf](ParameterValues& v,
                              const py::object& other) { return v.Dict().equal(dictOf(other)); })
      .def("__repr__", [](ParameterValues& v) { return py::repr(v.Dict()); })
      .def("__reduce__", [](ParameterValues& v) {
        return py::make_tuple(py::module_::import("builtins").attr("dict"),
                              py::make_tuple(v.Dict()));
      });
}

}  // namespace vorex::python
