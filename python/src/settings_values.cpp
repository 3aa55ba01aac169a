#include "settings_values.h"

#include <pybind11/numpy.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/derivation.h"
#include "experiment/settings_keywords.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

std::string Repr(const py::handle& value) {
  return py::repr(value).cast<std::string>();
}

bool IsRealNumber(PyObject* v) {
  return !PyBool_Check(v) && !PyUnicode_Check(v) && !PyBytes_Check(v) && PyNumber_Check(v) &&
         !PyComplex_Check(v);
}

// A number as Python shows it: a float as its repr (the text it is typed as), an int without a
// decimal point.
std::string ShownNumber(PyObject* v, double d, const std::string& typed) {
  if (PyFloat_CheckExact(v)) return typed;
  if (PyLong_Check(v)) {
    char* text = PyOS_double_to_string(d, 'r', 0, 0, nullptr);
    std::string shown(text);
    PyMem_Free(text);
    return shown;
  }
  return Repr(v);
}

KeywordValue ValueOf(const std::string& name, const py::handle& value) {
  PyObject* v = value.ptr();
  if (PyBool_Check(v)) return KeywordValue::Flag(v == Py_True, v == Py_True ? "True" : "False");
  if (PyUnicode_Check(v)) return KeywordValue::Name(value.cast<std::string>(), Repr(value));
  if (IsRealNumber(v)) {
    const double d = PyFloat_AsDouble(v);
    if (PyErr_Occurred()) throw py::error_already_set();
    if (!std::isfinite(d)) throw py::value_error(name + " must be finite; got " + Repr(value));
    std::string typed = TypedNumber(d);
    std::string shown = ShownNumber(v, d, typed);
    return KeywordValue::Number(std::move(typed), std::move(shown));
  }
  // Anything else is no name nor number: refused as the keyword's kind of value says.
  const std::string shown = Repr(value);
  return KeywordValue::Name(shown, shown);
}

std::vector<Keyword> KeywordsFrom(const py::dict& keywords) {
  std::vector<Keyword> out;
  out.reserve(keywords.size());
  for (const auto& [key, value] : keywords) {
    if (!PyUnicode_Check(key.ptr())) throw py::type_error("keywords are names; got " + Repr(key));
    std::string name = key.cast<std::string>();
    KeywordValue v = ValueOf(name, value);
    out.push_back(Keyword{std::move(name), std::move(v)});
  }
  return out;
}

}  // namespace

// Python's repr of a finite double, written from the shortest digits that read back (the digits
// repr writes too) in repr's layout: fixed from 1e-4 up to 1e16, exponential beyond with a
// signed exponent of at least two digits, ".0" after a whole number. Python's own conversion
// takes several times longer for the 17-digit values a sweep passes, and a call's cost counts.
std::string TypedNumber(double value) {
  if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";
  char buffer[40];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                               std::chars_format::scientific);
  std::string digits;
  const char* c = buffer;
  for (; c != r.ptr && *c != 'e'; ++c) {
    if (*c != '.') digits += *c;
  }
  int exponent = 0;
  std::from_chars(c + (c[1] == '+' ? 2 : 1), r.ptr, exponent);
  const int point = exponent + 1;  // digits before the decimal point
  const int count = static_cast<int>(digits.size());
  std::string text = std::signbit(value) ? "-" : "";
  if (point <= -4 || point > 16) {
    text += digits[0];
    if (count > 1) text += "." + digits.substr(1);
    text += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
  } else if (point <= 0) {
    text += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (point >= count) {
    text += digits + std::string(static_cast<std::size_t>(point - count), '0') + ".0";
  } else {
    text += digits.substr(0, static_cast<std::size_t>(point)) + "." +
            digits.substr(static_cast<std::size_t>(point));
  }
  return text;
}

std::string TypedNumber(const py::handle& value, const std::string& what) {
  if (!IsRealNumber(value.ptr())) {
    throw py::type_error(what + " must be a real number; got " + Repr(value));
  }
  const double d = PyFloat_AsDouble(value.ptr());
  if (PyErr_Occurred()) throw py::error_already_set();
  if (!std::isfinite(d)) throw py::value_error(what + " must be finite; got " + Repr(value));
  return TypedNumber(d);
}

std::string FitName(int k) {
  return TableField(FitSlotField(k)).keyword;
}

namespace {

// The potentials of `programme`: 2..4000 finite numbers, as a measured programme takes them.
ProgrammePotentials ProgrammeFrom(const py::handle& value) {
  py::array_t<double, py::array::c_style | py::array::forcecast> a;
  try {
    a = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(value);
  } catch (const py::error_already_set&) {
  }
  if (!a || a.ndim() != 1) {
    throw py::value_error("programme must be a 1-D sequence of potentials [V]; got " + Repr(value));
  }
  std::vector<double> e(a.data(), a.data() + a.size());
  if (e.size() < 2 || e.size() > 4000) {
    throw py::value_error("programme has " + std::to_string(e.size()) +
                          " potentials; a programme has 2 to 4000");
  }
  for (std::size_t i = 0; i < e.size(); ++i) {
    if (!std::isfinite(e[i]))
      throw py::value_error("programme[" + std::to_string(i) + "] is not a finite number");
  }
  return ProgrammePotentials(std::move(e));
}

void SetKeywords(Settings& s, const py::dict& keywords) {
  if (keywords.empty()) return;
  // The programme is an array, not a field: it rides beside the settings, and asks for the
  // "measured" scan unless the call names the scan itself.
  py::dict fields = keywords;
  const bool programme = keywords.contains("programme");
  if (programme) {
    fields = py::dict(keywords);
    s.SetMeasuredPotentials(ProgrammeFrom(fields["programme"]));
    PyDict_DelItemString(fields.ptr(), "programme");
  }
  try {
    if (!fields.empty()) SetByKeywords(s, KeywordsFrom(fields), KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError& error) {
    if (error.WrongKind()) throw py::type_error(error.what());
    throw py::value_error(error.what());
  }
  if (programme && !keywords.contains("scan")) s.SetScan(ScanCode::Measured);
}

}  // namespace

Settings WithKeywords(const Settings& base, const py::dict& keywords) {
  Settings s = base;
  SetKeywords(s, keywords);
  return s;
}

Settings SettingsFor(const py::handle& settings, const py::dict& keywords) {
  Settings s = settings.is_none() ? Settings() : settings.cast<const Settings&>();
  SetKeywords(s, keywords);
  return s;
}

ParameterSet ParametersOf(const Settings& settings) {
  Captured c = MakeParameterSet(settings);
  if (!c.ok())
    throw py::value_error(TableField(c.refusal->field).keyword + ": " + c.refusal->message);
  return c.parameters;
}

py::object FieldValue(const Settings& s, FieldId id) {
  const FieldSpec& f = TableField(id);
  switch (f.kind) {
    case FieldKind::Check:
      return py::bool_(s.Checked(id));
    case FieldKind::Option:
      if (id == FieldId::Technique) return py::str(TechniqueKeywordName(s));
      if (id == FieldId::Electrode) {
        return py::str(f.items[static_cast<std::size_t>(CodeNumber(s.Electrode()) - 1)]);
      }
      return py::int_(CodeNumber(s.Mechanism()));
    case FieldKind::List:
      if (id == FieldId::Scan) return py::str(s.Value(id));
      return py::int_(s.ListIndex(id) + 1);
    case FieldKind::Derived:
    case FieldKind::Text:
      break;
  }
  if (id == FieldId::MechanismText) return py::str(s.Value(id));  // a text, never a number
  const bool derived = f.kind == FieldKind::Derived || DerivedHere(s, id);
  const std::string text(derived ? ShownText(s, Derive(s), id) : s.Value(id));
  if (derived && text.empty()) return py::none();
  try {
    return py::float_(NumericPrefix(text));
  } catch (const RuntimeFault&) {
    return py::str(text);  // too large a number to hold: the text as typed
  }
}

}  // namespace vorex::python
