// vorex.Settings: the experiment description as a Python value.
#include <functional>

#include <pybind11/pybind11.h>

#include "arrays.h"
#include "base/number_text.h"
#include "bindings.h"
#include "experiment/settings_file.h"
#include "experiment/settings_help.h"
#include "experiment/settings_keywords.h"
#include "settings_values.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

constexpr const char* kIntroduction =
    "The experiment description: every field of the Techniques, Mechanism and Experimental\n"
    "dialogs, by keyword, in the dialogs' units.\n\n"
    "Settings(**keywords) starts from the dialogs' defaults; a keyword the dialogs would not take\n"
    "for these settings (a field they do not show, enable or let be typed, a mechanism or\n"
    "electrode the mode does not offer) raises ValueError with their reason, a value of the wrong\n"
    "kind TypeError. Settings are values: replace(**keywords) gives new ones, == compares the\n"
    "experiments (\"1e-3\" equals 0.001), and to_json()/from_json(), write(path)/read(path) keep\n"
    "them in the settings files the program's File menu opens and saves. Attributes read a field\n"
    "as the program reads it; the derived ones (t_drop, C_init_A.., Keq_1..) as the dialog "
    "derives\n"
    "them.\n\nKeywords\n--------\n";

py::object Attribute(const Settings& s, const std::string& name) {
  if (const FieldSpec* f = FieldNamed(name)) return FieldValue(s, f->id);
  if (name == "programme") {
    const std::span<const double> e = s.MeasuredPotentials().View();
    if (e.empty()) return py::none();
    py::array_t<double> a(static_cast<py::ssize_t>(e.size()));
    std::copy(e.begin(), e.end(), a.mutable_data());
    return a;
  }
  if (name == "cycles") {
    if (TechniqueKeywordName(s) != "cv") return py::none();
    return py::int_(s.Scan() == ScanCode::TwoCycles ? 2 : 1);
  }
  throw py::attribute_error("vorex.Settings has no field \"" + name + "\"; the fields are " +
                            ValidKeywordNames());
}

// A field's value as Python writes it in a call.
std::string Literal(const Settings& s, const FieldSpec& f) {
  switch (f.kind) {
    case FieldKind::Check:
      return s.Checked(f.id) ? "True" : "False";
    case FieldKind::Option:
      return f.id == FieldId::Mechanism ? std::string(s.Value(f.id))
                                        : py::repr(FieldValue(s, f.id)).cast<std::string>();
    case FieldKind::List:
      return f.id == FieldId::Scan
                 ? py::repr(py::str(std::string(s.Value(f.id)))).cast<std::string>()
                 : std::string(s.Value(f.id));
    default:
      break;
  }
  const std::string text(s.Value(f.id));
  return StrictNumber(text) ? text : py::repr(py::str(text)).cast<std::string>();
}

std::string Repr(const Settings& s) {
  static const Settings defaults;
  std::string items;
  for (int i = 0; i < kStoredFieldCount; ++i) {
    const FieldSpec& f = SettingsTable()[static_cast<std::size_t>(i)];
    // The technique is named with its scan ("cv"), so it differs when either does.
    const bool technique =
        f.id == FieldId::Technique && TechniqueKeywordName(s) != TechniqueKeywordName(defaults);
    if (!technique && CanonicalValue(s, f.id) == CanonicalValue(defaults, f.id)) continue;
    // The scan a technique's name implies goes without saying.
    if (f.id == FieldId::Scan && s.Scan() == ScanCode::Cycle && TechniqueKeywordName(s) == "cv") {
      continue;
    }
    items += (items.empty() ? "" : ", ") + f.keyword + "=" + Literal(s, f);
  }
  return "vorex.Settings(" + items + ")";
}

std::size_t Hash(const Settings& s) {
  std::size_t h = 0;
  for (int i = 0; i < kStoredFieldCount; ++i) {
    h = h * 1000003u ^ std::hash<std::string>{}(CanonicalValue(s, static_cast<FieldId>(i)));
  }
  return h;
}

Settings FromJson(const std::string& text) {
  SettingsRead read = ParseSettingsJson(text);
  if (!read.settings) throw py::value_error(read.error);
  return *read.settings;
}

py::dict AsDict(const Settings& s) {
  py::dict d;
  for (const FieldSpec& f : SettingsTable()) {
    if (f.kind != FieldKind::Derived) d[py::str(f.keyword)] = FieldValue(s, f.id);
  }
  return d;
}

py::dict Derived(const Settings& s) {
  py::dict d;
  for (const FieldSpec& f : SettingsTable()) {
    if (f.kind == FieldKind::Derived || f.id == FieldId::Area || f.id == FieldId::TPulse) {
      d[py::str(f.keyword)] = FieldValue(s, f.id);
    }
  }
  return d;
}

py::list Names() {
  py::list names;
  for (const FieldSpec& f : SettingsTable()) names.append(f.keyword);
  return names;
}

}  // namespace

void BindSettings(py::module_& m) {
  m.def("settings_help", &SettingsHelp,
        "settings_help() -> str: every keyword with its unit, default and use.");
  static const std::string doc = kIntroduction + SettingsHelp();
  py::class_<Settings>(m, "Settings", doc.c_str())
      .def(py::init([](const py::kwargs& keywords) { return WithKeywords(Settings(), keywords); }))
      .def(
          "replace",
          [](const Settings& s, const py::kwargs& keywords) { return WithKeywords(s, keywords); },
          "replace(**keywords) -> Settings: these settings with the keywords changed, checked as "
          "Settings(**keywords) checks them.")
      .def("__getattr__", &Attribute)
      .def("__setattr__",
           [](const Settings&, const py::str& name, const py::object&) {
             throw py::attribute_error("vorex.Settings are values; use replace(" +
                                       name.cast<std::string>() + "=...) for new ones");
           })
      .def("__eq__",
           [](const Settings& a, const py::object& b) -> py::object {
             if (!py::isinstance<Settings>(b))
               return py::reinterpret_borrow<py::object>(Py_NotImplemented);
             return py::bool_(SameExperiment(a, b.cast<const Settings&>()));
           })
      .def("__hash__", &Hash)
      .def("__repr__", &Repr)
      .def("__dir__", [](const Settings&) { return Names(); })
      .def("to_json", &SettingsJson, "to_json() -> str: the settings file's text.")
      .def_static("from_json", &FromJson,
                  "from_json(text) -> Settings: the settings of a settings file's text.")
      .def_static(
          "read",
          [](const std::string& path) {
            SettingsRead read = ReadSettingsFile(path);
            if (!read.settings) throw py::value_error(path + ": " + read.error);
            return *read.settings;
          },
          "read(path) -> Settings: a settings file, as File > Open Settings opens it.")
      .def(
          "write",
          [](const Settings& s, const std::string& path) {
            if (const auto error = WriteSettingsFile(path, s)) throw py::value_error(*error);
          },
          "write(path): the settings file, as File > Save Settings saves it.")
      .def("as_dict", &AsDict,
           "as_dict() -> dict: every field the user sets, by keyword, as the attributes read it.")
      .def_property_readonly("derived", &Derived,
                             "What the Experimental dialog derives: area, t_pulse, t_drop, "
                             "C_init_A.., Keq_1.. (None where it cannot).")
      .def(py::pickle([](const Settings& s) { return SettingsJson(s); },
                      [](const std::string& text) { return FromJson(text); }));
}

}  // namespace vorex::python
