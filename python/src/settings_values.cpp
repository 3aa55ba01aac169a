#include "settings_values.h"

#include <cmath>

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

std::string TypedNumber(double value) {
  char* text = PyOS_double_to_string(value, 'r', 0, Py_DTSF_ADD_DOT_0, nullptr);
  if (text == nullptr) throw py::error_already_set();
  std::string typed(text);
  PyMem_Free(text);
  return typed;
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

void SetKeywords(Settings& s, const py::dict& keywords) {
  if (keywords.empty()) return;
  try {
    SetByKeywords(s, KeywordsFrom(keywords), KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError& error) {
    if (error.WrongKind()) throw py::type_error(error.what());
    throw py::value_error(error.what());
  }
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
