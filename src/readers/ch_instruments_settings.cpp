#include "readers/ch_instruments_settings.h"

#include <cmath>

#include "readers/column_units.h"
#include "readers/locale_numbers.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

// The factor into V, V/s, s, Hz or ohm; 1 for a count without a unit; nothing for a unit the
// dialog has no use for (A/V of "Sensitivity").
std::optional<double> SettingScale(std::string_view unit) {
  struct Unit {
    std::string_view name;
    double scale;
  };
  static constexpr Unit kUnits[] = {{"", 1},      {"V", 1},       {"V/s", 1},   {"s", 1},
                                    {"sec", 1},   {"Hz", 1},      {"ohm", 1},   {"Ohm", 1},
                                    {"mV", 1e-3}, {"mV/s", 1e-3}, {"ms", 1e-3}, {"msec", 1e-3},
                                    {"kHz", 1e3}, {"kohm", 1e3},  {"kOhm", 1e3}};
  for (const Unit& u : kUnits) {
    if (unit == u.name) return u.scale;
  }
  return std::nullopt;
}

// Header values follow the PC's locale whatever the data do: try the point, then the comma.
std::optional<double> HeaderNumber(std::string_view value) {
  if (auto number = ParseNumber(value, false)) return number;
  return ParseNumber(value, true);
}

void KeepFirst(std::optional<double>& slot, double value) {
  if (!slot) slot = value;
}

}  // namespace

void ChInstrumentsHeaderReader::Add(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const TitledColumn key = UnitInParentheses(line.substr(0, equals));
  const std::string_view value = Trim(line.substr(equals + 1));
  if (EqualsIgnoringCase(key.name, "Init P/N")) {
    const char c = value.empty() ? ' ' : value.front();
    if (initialDirection_ == 0 && (c == 'P' || c == 'p')) initialDirection_ = 'P';
    if (initialDirection_ == 0 && (c == 'N' || c == 'n')) initialDirection_ = 'N';
    return;
  }
  const auto number = HeaderNumber(value);
  const auto scale = SettingScale(key.unit);
  if (!number || !scale) return;
  const double v = *number * *scale;
  MeasuredSettings& s = header_.settings;
  const auto is = [&](std::string_view name) { return EqualsIgnoringCase(key.name, name); };
  if (is("Init E")) KeepFirst(s.startPotential, v);
  if (is("Final E")) KeepFirst(final_, v);
  if (is("High E")) KeepFirst(high_, v);
  if (is("Low E")) KeepFirst(low_, v);
  if (is("Scan Rate")) KeepFirst(s.scanRate, v);
  if (is("Sample Interval")) KeepFirst(sampleInterval_, v);
  if (is("Incr E")) KeepFirst(incrE_, v);
  if (is("Amplitude")) KeepFirst(s.pulseHeight, v);
  if (is("Pulse Width")) KeepFirst(s.pulseWidth, v);
  if (is("Frequency")) KeepFirst(s.frequency, v);
  if (is("UC R")) KeepFirst(ucR_, v);
  if (is("Comp R")) KeepFirst(compR_, v);
  if (is("Segment") && !header_.segments && v >= 1 && v <= 1e6 && v == std::floor(v)) {
    header_.segments = static_cast<int>(v);
  }
}

ChInstrumentsHeader ChInstrumentsHeaderReader::Finish() const {
  ChInstrumentsHeader header = header_;
  MeasuredSettings& s = header.settings;
  // A sweep's first turn is the limit "Init P/N" heads for; a pulse technique states its end.
  if (final_) {
    s.endPotential = final_;
  } else if (initialDirection_ == 'P') {
    s.endPotential = high_;
  } else if (initialDirection_ == 'N') {
    s.endPotential = low_;
  }
  // A pulse technique's step is "Incr E"; its "Sample Interval", if any, is not the staircase.
  s.potentialStep = incrE_ ? incrE_ : sampleInterval_;
  // The simulation wants the resistance left uncompensated; the compensated one is a stand-in.
  s.ru = ucR_ ? ucR_ : compR_;
  return header;
}

}  // namespace vorex
