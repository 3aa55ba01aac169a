#include "readers/palmsens_session.h"

#include <string>
#include <vector>

#include "readers/json_value.h"
#include "readers/palmsens_common.h"
#include "readers/palmsens_method.h"
#include "readers/palmsens_scans.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr const char* kFormat = "PalmSens .pssession";

JsonValue ParseSession(std::string_view text, bool& cutShort) {
  try {
    return ParseJsonPrefix(text, cutShort);
  } catch (const ReadError& error) {
    throw ReadError{kFormat, error.line, "the JSON is malformed: " + error.reason};
  }
}

std::string_view StringAt(const JsonValue* object, std::string_view key) {
  const JsonValue* value = object ? object->Find(key) : nullptr;
  return value && value->kind == JsonValue::Kind::String ? std::string_view(value->string)
                                                         : std::string_view();
}

// A measurement's own method; older sessions keep it once for the whole file.
PalmSensMethod MethodOf(const JsonValue& measurement, const PalmSensMethod& sessionMethod) {
  const std::string_view text = StringAt(&measurement, "Method");
  return text.empty() ? sessionMethod : ReadPalmSensMethod(text);
}

bool StatesSettings(const MeasuredSettings& s) {
  return s.startPotential || s.endPotential || s.potentialStep || s.scanRate || s.pulseHeight ||
         s.pulseWidth || s.frequency || s.area || s.ru;
}

MeasuredData Assemble(const PalmSensMethod& method, PalmSensScans scans,
                      std::vector<std::string> notes) {
  MeasuredData data;
  data.format = kFormat;
  data.technique = method.technique;
  data.settings = method.settings;
  data.cycles = std::move(scans.cycles);
  data.notes = std::move(notes);
  MakeReductionPositive(data);
  if (!StatesSettings(data.settings)) {
    data.notes.push_back("The file states no technique parameters; enter them by hand.");
  }
  return data;
}

// The first measurement that holds a voltammogram; a session may hold several.
struct Choice {
  const JsonValue* measurement = nullptr;
  PalmSensMethod method;
  PalmSensScans scans;
  std::vector<std::string> notes;
  int usable = 0;          // measurements with a voltammogram
  bool impedance = false;  // one of the others is an impedance run
};

Choice ChooseMeasurement(const JsonValue& measurements, const PalmSensMethod& sessionMethod) {
  Choice choice;
  for (const JsonValue& measurement : measurements.array) {
    std::vector<std::string> notes;
    PalmSensScans scans = ReadPalmSensScans(measurement, notes);
    PalmSensMethod method = MethodOf(measurement, sessionMethod);
    // An impedance run also records potentials and currents; they are no voltammogram.
    if (scans.impedance || method.impedance) {
      choice.impedance = true;
      continue;
    }
    if (scans.cycles.empty() || ++choice.usable > 1) continue;
    choice.measurement = &measurement;
    choice.method = std::move(method);
    choice.scans = std::move(scans);
    choice.notes = std::move(notes);
  }
  return choice;
}

}  // namespace

bool LooksLikePalmSensSession(std::string_view text) {
  const std::string_view head = text.substr(0, 4096);
  const std::size_t first = head.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || head[first] != '{') return false;
  return ContainsIgnoringCase(head, "\"PalmSens.") ||
         ContainsIgnoringCase(head, "\"Measurements\"");
}

MeasuredData ReadPalmSensSession(std::string_view text) {
  bool cutShort = false;
  const JsonValue root = ParseSession(text, cutShort);
  const JsonValue* measurements = root.Find("Measurements");
  if (!measurements || measurements->array.empty()) {
    throw ReadError{kFormat, 0,
                    cutShort ? "the file ends before its first measurement"
                             : "the session holds no measurements"};
  }
  Choice choice =
      ChooseMeasurement(*measurements, ReadPalmSensMethod(StringAt(&root, "MethodForMeasurement")));
  if (!choice.measurement) {
    throw ReadError{kFormat, 0,
                    choice.impedance ? "the file holds an impedance measurement, not a voltammogram"
                                     : "no measurement holds potentials with currents"};
  }
  if (choice.usable > 1) {
    choice.notes.push_back("The session holds " + std::to_string(choice.usable) +
                           " measurements with a voltammogram; the first, \"" +
                           std::string(StringAt(choice.measurement, "Title")) + "\", was read.");
  }
  if (cutShort) {
    choice.notes.push_back(
        "The file ends in the middle of its data (it was cut short); what came before the cut "
        "was read.");
  }
  return Assemble(choice.method, std::move(choice.scans), std::move(choice.notes));
}

}  // namespace vorex
