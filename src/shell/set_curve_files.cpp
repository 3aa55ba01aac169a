#include "shell/set_curve_files.h"

#include <algorithm>
#include <filesystem>

#include "base/file_reading.h"
#include "base/number_format.h"
#include "curves/csv_file.h"
#include "curves/curve_store.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"
#include "readers/uniform_grid.h"

namespace vorex {
namespace {

// The bound Import Data puts on an instrument export: it only keeps a wrong choice (a disc
// image, a video) from being read whole [bytes].
constexpr std::size_t kMaxInstrumentFileBytes = std::size_t{256} << 20;

Keyword NumberKeyword(const char* name, double value) {
  const std::string text = FormatShortest(value);
  return Keyword{name, KeywordValue::Number(text, text)};
}

// What the file states of its own experiment that a curve of the set keeps.
std::vector<Keyword> StatedKeywords(const MeasuredSettings& s) {
  std::vector<Keyword> own;
  if (s.scanRate && *s.scanRate > 0) own.push_back(NumberKeyword("scan_rate", *s.scanRate));
  if (s.area && *s.area > 0) own.push_back(NumberKeyword("area", *s.area));
  return own;
}

// The file as Import Data reads it: an instrument export, or pairs of numbers as one record
// (`uniform` false when they fit a curve as they are, which Import Data then keeps untouched).
std::variant<MeasuredData, std::string> ReadMeasured(const std::string& path, bool& uniform) {
  std::string error;
  const std::optional<std::string> bytes = ReadDataFile(path, kMaxInstrumentFileBytes, error);
  if (!bytes) return error;
  const std::string text = DecodeText(*bytes);
  const InstrumentFormat format = RecogniseFormat(text);
  uniform = true;
  if (format != InstrumentFormat::None) {
    try {
      return ReadInstrumentText(format, text);
    } catch (const ReadError& read) {
      return read.Message();
    }
  }
  if (bytes->size() > kMaxCsvFileBytes) {
    ReadDataFile(path, kMaxCsvFileBytes, error);
    return error;
  }
  CsvPairs pairs = ParseCsvPairs(*bytes);
  if (!pairs.error.empty()) return pairs.error;
  if (pairs.x.empty()) return std::string("the file holds no pair of numbers");
  uniform = pairs.x.size() > static_cast<std::size_t>(kMaxPoints);
  MeasuredData data;
  data.format = "Pairs of numbers";
  data.cycles.push_back(MeasuredCycle{1, std::move(pairs.x), {}, std::move(pairs.y)});
  return data;
}

std::string Ordinal(std::size_t n) {
  const std::size_t tens = n % 100, units = n % 10;
  const bool teen = tens >= 11 && tens <= 13;
  const char* suffix = teen || units == 0 || units > 3 ? "th"
                       : units == 1                    ? "st"
                       : units == 2                    ? "nd"
                                                       : "rd";
  return std::to_string(n) + suffix;
}

// The cycle on a uniform step and within a curve's points, as Import Data stores a cycle; why
// not.
std::optional<std::string> MakeCurve(const MeasuredCycle& cycle, const std::string& what,
                                     SetCurve& curve, std::vector<std::string>& notes) {
  const std::size_t measured = cycle.potential.size();
  // However far a stray potential lies, the grid may not outgrow twice the record's own points.
  const std::size_t limit = std::max(static_cast<std::size_t>(kMaxPoints), 2 * measured);
  UniformRecord u = MakeUniform(cycle.potential, cycle.current, limit, kMaxPoints);
  if (u.potential.empty()) {
    return what + " cannot be put on a uniform step within " + std::to_string(kMaxPoints) +
           " points: a potential far off the sweep, a gap in the record, or a potential that "
           "turns more often than the points allow or never moves.";
  }
  if (u.resampled) {
    notes.push_back(what + " was resampled by linear interpolation onto equal steps of " +
                    FormatPattern(u.step * static_cast<double>(u.every), "0.#####e-#") + " V.");
  }
  if (u.every > 1) {
    notes.push_back(what + ": " + std::to_string(measured) + " points thinned to " +
                    std::to_string(u.potential.size()) + " (every " + Ordinal(u.every) +
                    " point, vertices kept).");
  }
  curve.potential = std::move(u.potential);
  curve.current = std::move(u.current);
  return std::nullopt;
}

}  // namespace

std::variant<SetFileCurves, std::string> ReadSetCurves(const std::string& path,
                                                       std::optional<int> cycle) {
  bool uniform = true;
  auto read = ReadMeasured(path, uniform);
  if (auto* why = std::get_if<std::string>(&read)) return *why;
  MeasuredData& data = std::get<MeasuredData>(read);
  SetFileCurves out;
  out.format = data.format;
  out.notes = data.notes;
  const std::string stem = std::filesystem::path(path).stem().string();
  const bool several = data.cycles.size() > 1;
  for (MeasuredCycle& c : data.cycles) {
    if (cycle && c.number != *cycle) continue;
    SetCurve curve;
    curve.name = several ? stem + " cycle " + std::to_string(c.number) : stem;
    curve.own = StatedKeywords(data.settings);
    if (uniform) {
      const std::string what = several ? "Cycle " + std::to_string(c.number) : "The curve";
      if (auto why = MakeCurve(c, what, curve, out.notes)) return data.format + ": " + *why;
    } else {
      curve.potential = std::move(c.potential);
      curve.current = std::move(c.current);
    }
    out.curves.push_back(std::move(curve));
    out.cycles.push_back(c.number);
  }
  if (out.curves.empty()) {
    return data.format + ": the file has no cycle " + std::to_string(*cycle) + "; its cycles are " +
           std::to_string(data.cycles.front().number) + " to " +
           std::to_string(data.cycles.back().number) + ".";
  }
  return out;
}

}  // namespace vorex
