#include <algorithm>
#include <string>

#include "arrays.h"
#include "base/file_reading.h"
#include "bindings.h"
#include "curves/csv_file.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// As large as Import Data reads [bytes].
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

py::array_t<double> Array(const std::vector<double>& values) {
  py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
  std::copy(values.begin(), values.end(), array.mutable_data());
  return array;
}

py::dict Settings(const MeasuredSettings& s) {
  py::dict d;
  d["E_start"] = Optional(s.startPotential);
  d["E_end"] = Optional(s.endPotential);
  d["E_step"] = Optional(s.potentialStep);
  d["scan_rate"] = Optional(s.scanRate);
  d["E_pulse"] = Optional(s.pulseHeight);
  d["t_pulse"] = Optional(s.pulseWidth);
  d["frequency"] = Optional(s.frequency);
  d["area"] = Optional(s.area);
  d["Ru"] = Optional(s.ru);
  return d;
}

[[noreturn]] void Refuse(const std::string& why, PyObject* kind) {
  PyErr_SetString(kind, ("ReadData Error: " + why).c_str());
  throw py::error_already_set();
}

// What a data file holds: an instrument export read by its reader, or plain pairs of numbers as
// one cycle numbered 1 with the format "pairs of numbers".
MeasuredData Read(const std::string& path) {
  std::string error;
  const std::optional<std::string> bytes = ReadDataFile(path, kMaxFileBytes, error);
  if (!bytes) Refuse(error, PyExc_OSError);
  std::string text = DecodeText(*bytes);
  const InstrumentFormat format = RecogniseFormat(text);
  if (format != InstrumentFormat::None) {
    try {
      return ReadInstrumentText(format, text);
    } catch (const ReadError& read) {
      Refuse(read.Message(), PyExc_ValueError);
    }
  }
  if (bytes->size() > kMaxCsvFileBytes && !ReadDataFile(path, kMaxCsvFileBytes, error)) {
    Refuse(error, PyExc_OSError);
  }
  const CsvPairs pairs = ParseCsvPairs(*bytes);
  if (!pairs.error.empty()) Refuse(pairs.error, PyExc_ValueError);
  MeasuredData data;
  data.format = "pairs of numbers";
  data.cycles.push_back(MeasuredCycle{1, pairs.x, {}, pairs.y});
  return data;
}

py::dict ReadMeasurement(const std::string& path) {
  const MeasuredData data = Read(path);
  py::list cycles, notes;
  for (const MeasuredCycle& c : data.cycles) {
    cycles.append(
        py::make_tuple(c.number, Array(c.potential), Array(c.current),
                       c.applied.empty() ? py::object(py::none()) : py::object(Array(c.applied))));
  }
  for (const std::string& note : data.notes) notes.append(note);
  py::dict d;
  d["format"] = data.format;
  d["technique"] = data.technique;
  d["cycles"] = cycles;
  d["settings"] = Settings(data.settings);
  d["notes"] = notes;
  return d;
}

}  // namespace

void BindReaders(py::module_& m) {
  m.def("read_measurement", &ReadMeasurement,
        "read_measurement(path) -> dict(format, technique, cycles=[(number, E, I, applied)], "
        "settings, notes)");
}

}  // namespace vorex::python
