#include "global_curves.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "arrays.h"
#include "base/runtime_fault.h"
#include "fit_settings.h"
#include "fitting/background_projection.h"
#include "fitting/fit_slots.h"
#include "settings_values.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

std::string CurveLabel(std::size_t c) {
  return "curve " + std::to_string(c + 1);
}

// Runs `read` for curve c, its ValueError and TypeError naming the curve: a set's message must
// say which of its curves it is about.
template <class Read>
auto ForCurve(std::size_t c, Read&& read) -> decltype(read()) {
  try {
    return read();
  } catch (const py::value_error& e) {
    throw py::value_error(CurveLabel(c) + ": " + e.what());
  } catch (const py::type_error& e) {
    throw py::type_error(CurveLabel(c) + ": " + e.what());
  }
}

// The settings of one curve: a vorex.Settings as it is, or a dict of keywords applied to its
// "settings" entry (the defaults without one).
Settings CurveSettings(const py::handle& given) {
  if (py::isinstance<Settings>(given)) return given.cast<const Settings&>();
  if (!py::isinstance<py::dict>(given)) {
    throw py::type_error("settings must be a vorex.Settings or a dict of keywords, not " +
                         std::string(py::str(given.get_type().attr("__name__"))));
  }
  py::dict keywords = py::reinterpret_borrow<py::dict>(given).attr("copy")();
  const py::object base = keywords.attr("pop")("settings", py::none());
  if (!base.is_none() && !py::isinstance<Settings>(base)) {
    throw py::type_error("\"settings\" must be a vorex.Settings");
  }
  return SettingsFor(base, keywords);
}

// The measured points and the settings of one (E, I, settings) of the set.
void ReadTriple(const py::handle& item, CurveArrays& data, Settings& settings) {
  if (!py::isinstance<py::sequence>(item) || PyUnicode_Check(item.ptr()) || py::len(item) != 3) {
    throw py::value_error("each curve must be a tuple (E, I, settings)");
  }
  const py::sequence triple = py::reinterpret_borrow<py::sequence>(item);
  data = CheckedCurve(triple[0], triple[1], "E", "I");
  settings = CurveSettings(triple[2]);
}

// The curve with the parameter set that simulates at its measured potentials, and its own
// background.
GlobalCurve MeasuredCurve(Settings& settings, const CurveArrays& data) {
  GlobalCurve curve;
  curve.parameters = FollowMeasured(settings, data, ThreadWorkspace());
  curve.potential.assign(data.X(), data.X() + data.n);
  curve.current.assign(data.Y(), data.Y() + data.n);
  curve.backgroundDegree = BackgroundDegree(settings.ListIndex(FieldId::Background));
  curve.equilibrium = WrittenEquilibrium(settings, curve.parameters);
  return curve;
}

// The fit slots `perCurve` names, each checked to be fitted.
std::vector<int> PerCurveSlots(const py::handle& perCurve, const FitSetup& fitted) {
  std::vector<int> slots;
  if (perCurve.is_none()) return slots;
  py::list names;
  if (PyUnicode_Check(perCurve.ptr())) {
    names.append(perCurve);
  } else if (py::isinstance<py::iterable>(perCurve)) {
    for (const py::handle& name : perCurve) names.append(name);
  } else {
    throw py::type_error("per_curve must be a list of parameter names");
  }
  for (const py::handle& name : names) {
    const int k = FittableSlot(name);
    bool isFitted = false;
    std::string list;
    for (int i = 1; i <= fitted.count; ++i) {
      isFitted = isFitted || fitted.index(i) == k;
      list += (i > 1 ? ", " : "") + FitName(fitted.index(i));
    }
    if (!isFitted) {
      throw py::value_error("per_curve names " + std::string(py::str(name)) +
                            ", which is not fitted; the fit takes " + list);
    }
    slots.push_back(k);
  }
  return slots;
}

CurveWeighting WeightingOf(const py::handle& weighting) {
  const std::optional<CurveWeighting> w = PyUnicode_Check(weighting.ptr())
                                              ? WeightingNamed(std::string(py::str(weighting)))
                                              : std::nullopt;
  if (!w) {
    throw py::value_error("weighting must be \"none\", \"max\" or \"noise\", not " +
                          std::string(py::repr(weighting)));
  }
  return *w;
}

int ThreadsOf(const py::handle& threads) {
  if (threads.is_none()) return 0;
  if (!PyIndex_Check(threads.ptr()) || PyBool_Check(threads.ptr())) {
    throw py::type_error("threads must be an int or None");
  }
  // Past the largest Py_ssize_t a count reads as that: more threads than curves help nothing.
  const Py_ssize_t n = PyNumber_AsSsize_t(threads.ptr(), nullptr);
  if (PyErr_Occurred()) throw py::error_already_set();
  if (n < 1) throw py::value_error("threads must be at least 1, not " + std::to_string(n));
  return static_cast<int>(std::min<Py_ssize_t>(n, kMaxGlobalCurves));
}

}  // namespace

GlobalFitInput ReadGlobalFit(const py::handle& curves, const py::handle& fit,
                             const py::handle& perCurve, const py::handle& weighting,
                             const py::handle& threads) {
  if (!py::isinstance<py::sequence>(curves) || PyUnicode_Check(curves.ptr())) {
    throw py::type_error("curves must be a list of (E, I, settings) tuples");
  }
  const py::sequence given = py::reinterpret_borrow<py::sequence>(curves);
  if (py::len(given) == 0) throw py::value_error("curves holds no curve to fit");
  GlobalFitInput input;
  input.setup.weighting = WeightingOf(weighting);
  input.setup.threads = ThreadsOf(threads);
  Settings first;
  for (std::size_t c = 0; c < py::len(given); ++c) {
    CurveArrays data;
    Settings settings;
    ForCurve(c, [&] { ReadTriple(given[c], data, settings); });
    // The first curve's settings say what is fitted; their errors read as vorex.fit's.
    if (c == 0) first = settings = WithFitBounds(settings, fit);
    input.curves.push_back(ForCurve(c, [&] { return MeasuredCurve(settings, data); }));
  }
  FitSetup fitted;
  try {
    fitted = FitSetupFor(first, input.curves[0].parameters);
  } catch (const RuntimeFault& fault) {
    throw SimulationFailure("Fit Error: " + fault.Description() +
                            "! Please try again by other initial values.");
  }
  const std::vector<int> perCurveSlots = PerCurveSlots(perCurve, fitted);
  for (int i = 1; i <= fitted.count; ++i) {
    const int k = fitted.index(i);
    const bool own =
        std::find(perCurveSlots.begin(), perCurveSlots.end(), k) != perCurveSlots.end();
    input.setup.parameters.push_back({k, own, fitted.lower(i), fitted.upper(i)});
  }
  if (auto refused = RefusedGlobalFit(input.curves, input.setup)) throw py::value_error(*refused);
  return input;
}

}  // namespace vorex::python
