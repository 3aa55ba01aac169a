#include "fit_settings.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/runtime_fault.h"
#include "experiment/field_use.h"
#include "experiment/settings_keywords.h"
#include "fitting/fit_slots.h"
#include "settings_values.h"
#include "simulation/potential_programme.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

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

}  // namespace

int FittableSlot(const py::handle& name) {
  const std::string text = py::str(name);
  const FieldSpec* field = PyUnicode_Check(name.ptr()) ? FieldNamed(text) : nullptr;
  const int k = field != nullptr ? FitSlotOf(field->id) : 0;
  if (k == 0) {
    throw py::value_error("\"" + text +
                          "\" cannot be fitted; fittable are C_A..C_H, ks_1..ks_4, "
                          "alpha_1..alpha_4, E0_1..E0_4, kf_1..kf_4, kb_1..kb_4, D_A..D_H, "
                          "Cdl, Ru (or C, ks, alpha, E0, kf, kb for the first; E..H and row 4 "
                          "for a written mechanism)");
  }
  return k;
}

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
      const int k = FittableSlot(key);
      const std::string name = py::str(key);
      const std::string keyword = FitName(k);
      for (const auto& [other, otherName] : named) {
        if (other == k) throw py::value_error(name + " and " + otherName + " both fit " + keyword);
      }
      named.emplace_back(k, name);
      if (!py::isinstance<py::sequence>(value) || PyUnicode_Check(value.ptr()) ||
          py::len(value) != 2) {
        throw py::value_error("the bounds of " + name + " must be a pair (lower, upper)");
      }
      const FieldId flag = Row(FieldId::Fitted1, k);
      if (auto why = WhyNotSettable(s, flag, "fitting " + keyword)) throw py::value_error(*why);
      s.SetChecked(flag, true);
      const py::sequence pair = py::reinterpret_borrow<py::sequence>(value);
      s.Set(Row(FieldId::Min1, k), TypedNumber(pair[0], "the lower bound of " + name));
      s.Set(Row(FieldId::Max1, k), TypedNumber(pair[1], "the upper bound of " + name));
    }
  }
  if (auto refused = RefusedBounds(s)) throw py::value_error(*refused);
  return s;
}

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

}  // namespace vorex::python
