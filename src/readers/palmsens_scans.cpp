#include "readers/palmsens_scans.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "readers/palmsens_common.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

enum class ArrayKind { Potential, Current, Frequency, Other };

struct ValueArray {
  ArrayKind kind = ArrayKind::Other;
  int scan = 0;                // from the description; 0 when it names none
  std::vector<double> values;  // in V or A; NaN where an entry holds no number
};

std::string_view StringAt(const JsonValue* object, std::string_view key) {
  const JsonValue* value = object ? object->Find(key) : nullptr;
  return value && value->kind == JsonValue::Kind::String ? std::string_view(value->string)
                                                         : std::string_view();
}

const JsonValue* ArrayAt(const JsonValue* object, std::string_view key) {
  const JsonValue* value = object ? object->Find(key) : nullptr;
  return value && value->kind == JsonValue::Kind::Array ? value : nullptr;
}

// The array's type names its quantity; an array without a type is known by its unit.
ArrayKind KindOf(std::string_view type, const std::optional<PalmSensUnit>& unit) {
  if (ContainsIgnoringCase(type, "DataArrayPotentials")) return ArrayKind::Potential;
  if (ContainsIgnoringCase(type, "DataArrayCurrents")) return ArrayKind::Current;
  if (ContainsIgnoringCase(type, "Freq")) return ArrayKind::Frequency;
  if (!type.empty() || !unit) return ArrayKind::Other;
  return unit->quantity == PalmSensQuantity::Potential ? ArrayKind::Potential : ArrayKind::Current;
}

// Said once per unit, however many arrays carry it.
using UnitNotes = std::set<std::string>;

// PSTrace writes currents in µA unless the unit says otherwise.
double FactorOf(ArrayKind kind, std::string_view unitName, UnitNotes& notes) {
  const bool potential = kind == ArrayKind::Potential;
  const auto unit = ReadPalmSensUnit(unitName);
  if (unit && (unit->quantity == PalmSensQuantity::Potential) == potential) return unit->factor;
  const std::string what = potential ? "potentials" : "currents";
  const std::string assumed = potential ? "V" : "µA";
  notes.insert(unitName.empty()
                   ? "An array of " + what + " names no unit; " + assumed + " was assumed."
                   : "The unit " + std::string(unitName) + " of an array of " + what +
                         " was not recognised; " + assumed + " was assumed.");
  return potential ? 1.0 : 1e-6;
}

double EntryValue(const JsonValue& entry) {
  const JsonValue* value = entry.kind == JsonValue::Kind::Object ? entry.Find("V") : &entry;
  return value && value->kind == JsonValue::Kind::Number ? value->number
                                                         : std::numeric_limits<double>::quiet_NaN();
}

ValueArray ReadValueArray(const JsonValue& array, UnitNotes& notes) {
  ValueArray out;
  const std::string_view unitName = StringAt(array.Find("Unit"), "Type");
  out.kind = KindOf(StringAt(&array, "Type"), ReadPalmSensUnit(unitName));
  out.scan = PalmSensScanNumber(StringAt(&array, "Description")).value_or(0);
  if (out.kind != ArrayKind::Potential && out.kind != ArrayKind::Current) return out;
  const double factor = FactorOf(out.kind, unitName, notes);
  if (const JsonValue* values = ArrayAt(&array, "DataValues")) {
    out.values.reserve(values->array.size());
    for (const JsonValue& entry : values->array) out.values.push_back(EntryValue(entry) * factor);
  }
  return out;
}

std::optional<MeasuredCycle> MakeCycle(int number, const ValueArray& e, const ValueArray& i,
                                       std::vector<std::string>& notes) {
  const std::string scan = "Scan " + std::to_string(number);
  const std::size_t n = std::min(e.values.size(), i.values.size());
  if (e.values.size() != i.values.size()) {
    notes.push_back(scan + " has " + std::to_string(e.values.size()) + " potentials and " +
                    std::to_string(i.values.size()) + " currents; the first " + std::to_string(n) +
                    " points were read.");
  }
  MeasuredCycle cycle;
  cycle.number = number;
  int missing = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (std::isfinite(e.values[k]) && std::isfinite(i.values[k])) {
      cycle.potential.push_back(e.values[k]);
      cycle.current.push_back(i.values[k]);
    } else {
      ++missing;
    }
  }
  if (missing > 0) {
    notes.push_back(
        scan + ": " + std::to_string(missing) +
        (missing == 1 ? " point without a number was" : " points without a number were") +
        " left out.");
  }
  if (cycle.potential.empty()) {
    notes.push_back(scan + " holds no points.");
    return std::nullopt;
  }
  return cycle;
}

struct ScanArrays {
  std::vector<const ValueArray*> potentials, currents;
};

// Scans without their own potentials share the one potential array that names no scan.
std::vector<MeasuredCycle> PairByScan(const std::vector<ValueArray>& arrays,
                                      std::vector<std::string>& notes) {
  std::map<int, ScanArrays> scans;
  for (const ValueArray& array : arrays) {
    if (array.kind == ArrayKind::Potential) scans[array.scan].potentials.push_back(&array);
    if (array.kind == ArrayKind::Current) scans[array.scan].currents.push_back(&array);
  }
  const ScanArrays* unnumbered = scans.count(0) ? &scans[0] : nullptr;
  const ValueArray* shared =
      unnumbered && unnumbered->potentials.size() == 1 ? unnumbered->potentials[0] : nullptr;
  std::vector<MeasuredCycle> cycles;
  for (const auto& [scan, group] : scans) {
    std::vector<const ValueArray*> potentials = group.potentials;
    if (potentials.empty() && shared && scan != 0) potentials.push_back(shared);
    const std::string name = scan > 0 ? "Scan " + std::to_string(scan) : "An array";
    if (potentials.size() < group.currents.size()) {
      notes.push_back(name + " has currents without potentials; they were left out.");
    } else if (potentials.size() > group.currents.size() && !(scan == 0 && shared)) {
      notes.push_back(name + " has potentials without currents; they were left out.");
    }
    for (std::size_t k = 0; k < std::min(potentials.size(), group.currents.size()); ++k) {
      const int number = scan > 0 ? scan : static_cast<int>(cycles.size()) + 1;
      if (auto cycle = MakeCycle(number, *potentials[k], *group.currents[k], notes)) {
        cycles.push_back(std::move(*cycle));
      }
    }
  }
  return cycles;
}

std::vector<MeasuredCycle> FromCurves(const JsonValue* curves, UnitNotes& unitNotes,
                                      std::vector<std::string>& notes, bool& impedance) {
  std::vector<MeasuredCycle> cycles;
  if (!curves) return cycles;
  for (const JsonValue& curve : curves->array) {
    const JsonValue* x = curve.Find("XAxisDataArray");
    const JsonValue* y = curve.Find("YAxisDataArray");
    if (!x || !y) continue;
    ValueArray e = ReadValueArray(*x, unitNotes);
    ValueArray i = ReadValueArray(*y, unitNotes);
    if (e.kind == ArrayKind::Frequency) impedance = true;
    if (e.kind == ArrayKind::Current && i.kind == ArrayKind::Potential) std::swap(e, i);
    if (e.kind != ArrayKind::Potential || i.kind != ArrayKind::Current) continue;
    const int counted = static_cast<int>(cycles.size()) + 1;
    const int number =
        i.scan > 0 ? i.scan : PalmSensScanNumber(StringAt(&curve, "Title")).value_or(counted);
    if (auto cycle = MakeCycle(number, e, i, notes)) cycles.push_back(std::move(*cycle));
  }
  return cycles;
}

}  // namespace

PalmSensScans ReadPalmSensScans(const JsonValue& measurement, std::vector<std::string>& notes) {
  PalmSensScans scans;
  std::vector<ValueArray> arrays;
  UnitNotes unitNotes;
  if (const JsonValue* values = ArrayAt(measurement.Find("DataSet"), "Values")) {
    for (const JsonValue& array : values->array) arrays.push_back(ReadValueArray(array, unitNotes));
  }
  const JsonValue* eis = ArrayAt(&measurement, "EISDataList");
  scans.impedance = (eis && !eis->array.empty()) ||
                    std::any_of(arrays.begin(), arrays.end(),
                                [](const ValueArray& a) { return a.kind == ArrayKind::Frequency; });
  std::vector<std::string> setNotes;
  scans.cycles = PairByScan(arrays, setNotes);
  if (scans.cycles.empty()) {
    // The notes on the data set are of no interest when the curves hold the data.
    setNotes.clear();
    unitNotes.clear();
    scans.cycles =
        FromCurves(ArrayAt(&measurement, "Curves"), unitNotes, setNotes, scans.impedance);
  }
  notes.insert(notes.end(), unitNotes.begin(), unitNotes.end());
  notes.insert(notes.end(), setNotes.begin(), setNotes.end());
  return scans;
}

}  // namespace vorex
