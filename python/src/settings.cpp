#include "settings.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace py = pybind11;

namespace vorex::python {
namespace {

struct TechniqueChoice {
  const char* name;
  int technique;
  int scan;  // -1: the Scan list keeps the dialog's choice unless a keyword sets it
};

// "lsv" and "cv" are one technique of the dialog, a single sweep or a cycle.
constexpr std::array<TechniqueChoice, 6> kTechniques{{
    {"lsv", 1, 0},
    {"cv", 1, 1},
    {"dc", 2, -1},
    {"np", 3, -1},
    {"dp", 4, -1},
    {"sw", 5, -1},
}};

constexpr std::array<const char*, 8> kElectrodes{
    "planar", "sphere", "hemisphere", "microdisc", "cylinder", "hemicylinder", "thin_film", "rde"};

constexpr std::array<const char*, 3> kScanItems{"single", "cycle", "2 cycles"};

std::string Repr(const py::handle& value) {
  return py::repr(value).cast<std::string>();
}

bool IsRealNumber(const py::handle& value) {
  return !PyBool_Check(value.ptr()) && !PyUnicode_Check(value.ptr()) &&
         !PyBytes_Check(value.ptr()) && PyNumber_Check(value.ptr()) &&
         !PyComplex_Check(value.ptr());
}

// A whole number from an int or an integral float; nothing for anything else.
std::optional<long> WholeNumber(const py::handle& value) {
  if (!IsRealNumber(value)) return std::nullopt;
  const double v = PyFloat_AsDouble(value.ptr());
  if (PyErr_Occurred()) {
    PyErr_Clear();
    return std::nullopt;
  }
  if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) > 1e9) return std::nullopt;
  return static_cast<long>(v);
}

int ParseTechnique(const py::handle& technique, int& scan) {
  if (PyUnicode_Check(technique.ptr())) {
    const std::string name = technique.cast<std::string>();
    for (const TechniqueChoice& t : kTechniques) {
      if (name == t.name) {
        scan = t.scan;
        return t.technique;
      }
    }
  }
  throw py::value_error(
      "technique must be one of \"lsv\", \"cv\", \"dc\", \"np\", \"dp\", \"sw\"; got " +
      Repr(technique));
}

int ParseMechanism(const py::handle& mechanism) {
  const std::optional<long> m = WholeNumber(mechanism);
  if (!m || *m < 1 || *m > 17) {
    throw py::value_error("mechanism must be a whole number from 1 to 17; got " + Repr(mechanism));
  }
  return static_cast<int>(*m);
}

int ParseElectrode(const py::handle& electrode) {
  if (PyUnicode_Check(electrode.ptr())) {
    const std::string name = electrode.cast<std::string>();
    for (std::size_t i = 0; i < kElectrodes.size(); ++i) {
      if (name == kElectrodes[i]) return static_cast<int>(i) + 1;
    }
  } else if (const std::optional<long> code = WholeNumber(electrode);
             code && *code >= 1 && *code <= 8) {
    return static_cast<int>(*code);
  }
  std::string names;
  for (const char* e : kElectrodes)
    names += std::string(names.empty() ? "" : ", ") + "\"" + e + "\"";
  throw py::value_error("electrode must be one of " + names + " (or its code 1..8); got " +
                        Repr(electrode));
}

bool ParseDigital(const py::handle& digital) {
  if (PyBool_Check(digital.ptr())) return digital.ptr() == Py_True;
  const std::optional<long> flag = WholeNumber(digital);
  if (flag && (*flag == 0 || *flag == 1)) return *flag == 1;
  throw py::value_error("digital must be True or False; got " + Repr(digital));
}

// The Scan list item a "scan" or "cycles" keyword asks for, checked against the technique.
int ParseScan(const std::string& key, const py::handle& value, int technique, int techniqueScan) {
  int item = -1;
  if (key == "scan") {
    if (PyUnicode_Check(value.ptr())) {
      const std::string text = value.cast<std::string>();
      for (std::size_t i = 0; i < kScanItems.size(); ++i) {
        if (text == kScanItems[i]) item = static_cast<int>(i);
      }
    }
    if (item < 0) {
      throw py::value_error(
          "scan must be one of \"single\", \"cycle\", \"2 cycles\" (the Scan list); got " +
          Repr(value));
    }
  } else {
    const std::optional<long> cycles = WholeNumber(value);
    if (!cycles || *cycles < 1 || *cycles > 2) {
      throw py::value_error("cycles must be 1 or 2; got " + Repr(value));
    }
    if (techniqueScan != 1) {
      throw py::value_error(
          "cycles applies to technique \"cv\"; for another technique set scan "
          "to \"single\", \"cycle\" or \"2 cycles\"");
    }
    item = static_cast<int>(*cycles);
  }
  if (technique == 1 && techniqueScan == 0 && item != 0) {
    throw py::value_error("technique \"lsv\" is a single sweep; use technique \"cv\" for a cycle");
  }
  if (technique == 1 && techniqueScan == 1 && item == 0) {
    throw py::value_error("technique \"cv\" cycles; use technique \"lsv\" for a single sweep");
  }
  return item;
}

}  // namespace

std::string TypedNumber(const py::handle& value, const std::string& what) {
  if (!IsRealNumber(value)) {
    throw py::type_error(what + " must be a real number; got " + Repr(value));
  }
  const double v = PyFloat_AsDouble(value.ptr());
  if (PyErr_Occurred()) throw py::error_already_set();
  if (!std::isfinite(v)) throw py::value_error(what + " must be finite; got " + Repr(value));
  // The shortest text that reads back as the same double, exactly as repr(float) writes it.
  char* text = PyOS_double_to_string(v, 'r', 0, Py_DTSF_ADD_DOT_0, nullptr);
  if (text == nullptr) throw py::error_already_set();
  std::string typed(text);
  PyMem_Free(text);
  return typed;
}

const char* TechniqueName(int technique, int scan) {
  if (technique == 1) return scan == 0 ? "lsv" : "cv";
  for (const TechniqueChoice& t : kTechniques) {
    if (t.technique == technique) return t.name;
  }
  return "";
}

const char* ElectrodeName(int electrode) {
  return electrode >= 1 && electrode <= 8 ? kElectrodes[static_cast<std::size_t>(electrode - 1)]
                                          : "";
}

Settings ParseSettings(const py::handle& technique, const py::handle& mechanism,
                       const py::handle& electrode, const py::handle& digital,
                       const py::dict& parameters) {
  Settings s;
  int techniqueScan = -1;
  s.technique = ParseTechnique(technique, techniqueScan);
  s.scan = techniqueScan < 0 ? 0 : techniqueScan;
  s.mechanism = ParseMechanism(mechanism);
  s.electrode = ParseElectrode(electrode);
  s.digital = ParseDigital(digital);

  const std::vector<Keyword>& keywords = Keywords();
  std::vector<std::optional<Typing>> slots(keywords.size());
  std::vector<std::string> setBy(keywords.size());
  bool scanGiven = false;
  for (const auto& [key, value] : parameters) {
    if (!PyUnicode_Check(key.ptr())) throw py::type_error("keywords are names; got " + Repr(key));
    const std::string name = key.cast<std::string>();
    if (name == "scan" || name == "cycles") {
      if (scanGiven) throw py::value_error("give scan or cycles, not both");
      scanGiven = true;
      s.scan = ParseScan(name, value, s.technique, techniqueScan);
      continue;
    }
    const Keyword* keyword = FindKeyword(name);
    const std::vector<const Keyword*> targets =
        keyword ? std::vector<const Keyword*>{keyword} : AliasTargets(name);
    if (targets.empty()) {
      throw py::value_error("unknown keyword \"" + name + "\"; valid names: " + ValidNames());
    }
    const Typing typing{nullptr, TypedNumber(value, name), PyFloat_AsDouble(value.ptr()),
                        IsEveryShownAlias(name)};
    for (const Keyword* target : targets) {
      const std::size_t slot = static_cast<std::size_t>(target - keywords.data());
      if (slots[slot] && typing.whereShown) continue;  // a species' own D wins over the bare D
      if (slots[slot] && !slots[slot]->whereShown) {
        throw py::value_error(name + " and " + setBy[slot] + " both set " + target->name +
                              "; give one of them");
      }
      slots[slot] = typing;
      slots[slot]->keyword = target;
      setBy[slot] = name;
    }
  }
  for (std::optional<Typing>& t : slots) {
    if (t) s.typed.push_back(std::move(*t));
  }
  return s;
}

}  // namespace vorex::python
