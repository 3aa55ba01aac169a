#include "readers/gamry_header.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "readers/setting_units.h"
#include "readers/sweep_table.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

// A setting read from one key, in the unit Gamry writes unless its label names another.
struct SettingKey {
  std::string_view key;
  Quantity kind;
  std::string_view usualUnit;
  std::optional<double> MeasuredSettings::*target;
};

constexpr std::array kSettingKeys = {
    SettingKey{"VINIT", Quantity::Potential, "V", &MeasuredSettings::startPotential},
    SettingKey{"SCANRATE", Quantity::ScanRate, "mV/s", &MeasuredSettings::scanRate},
    SettingKey{"STEPSIZE", Quantity::Potential, "mV", &MeasuredSettings::potentialStep},
    SettingKey{"FREQUENCY", Quantity::Frequency, "Hz", &MeasuredSettings::frequency},
    SettingKey{"PULSESIZE", Quantity::Potential, "mV", &MeasuredSettings::pulseHeight},
    SettingKey{"PULSEON", Quantity::Time, "s", &MeasuredSettings::pulseWidth},
    SettingKey{"AREA", Quantity::Area, "cm^2", &MeasuredSettings::area},
};

// A setting's value, or the reason it has none: a POTEN row's "vs. Eoc" flag makes it relative
// to an open-circuit potential the file need not state.
struct Reading {
  std::string_view key;
  std::optional<double> value;
  bool vsEoc = false;
};

// The values a header collects before they become settings: which potential ends the sweep
// and whether the resistance is compensated depend on more than one row.
struct Pending {
  std::array<std::optional<Reading>, kSettingKeys.size()> keyed;  // the last row of each key
  std::optional<Reading> vlimit1, vfinal;
  std::optional<double> pfcor;
  bool ircomp = false;
};

// The label is the last field that is not empty ("Scan Rate (mV/s)").
std::string_view Label(const std::vector<std::string_view>& f) {
  for (std::size_t i = f.size(); i > 3; --i) {
    if (!Trim(f[i - 1]).empty()) return Trim(f[i - 1]);
  }
  return {};
}

class RowReader {
 public:
  RowReader(bool decimalComma, GamryHeader& header) : comma_(decimalComma), h_(header) {}

  void Read(const std::vector<std::string_view>& f, std::size_t index) {
    const std::string_view key = Trim(f[0]);
    const std::string_view type = f.size() > 1 ? Trim(f[1]) : std::string_view();
    const std::string_view value = f.size() > 2 ? Trim(f[2]) : std::string_view();
    if (key == "TAG") {
      h_.tag = std::string(type);
      h_.tagLine = index;
    } else if (key == "CONVENTION") {
      h_.convention = ParseHeaderNumber(value, comma_);
    } else if (key == "EXPERIMENTABORTED") {
      h_.aborted = value == "T";
    } else if (key == "IRCOMP") {
      p_.ircomp = value == "T" || ParseHeaderNumber(value, comma_).value_or(0) != 0;
    } else if (key == "PFCOR") {
      p_.pfcor = Setting(f, Quantity::Resistance, "ohm").value;
    } else if (key == "VLIMIT1") {
      p_.vlimit1 = Setting(f, Quantity::Potential, "V");
    } else if (key == "VFINAL") {
      p_.vfinal = Setting(f, Quantity::Potential, "V");
    } else {
      for (std::size_t k = 0; k < kSettingKeys.size(); ++k) {
        const SettingKey& s = kSettingKeys[k];
        if (key == s.key) p_.keyed[k] = Setting(f, s.kind, s.usualUnit);
      }
    }
  }

  void Finish() {
    for (std::size_t k = 0; k < kSettingKeys.size(); ++k) {
      if (p_.keyed[k]) h_.settings.*kSettingKeys[k].target = Used(*p_.keyed[k]);
    }
    if (p_.vlimit1 || p_.vfinal)
      h_.settings.endPotential = Used(p_.vlimit1 ? *p_.vlimit1 : *p_.vfinal);
    if (p_.ircomp) h_.settings.ru = p_.pfcor;
  }

 private:
  Reading Setting(const std::vector<std::string_view>& f, Quantity kind,
                  std::string_view usualUnit) const {
    Reading r{Trim(f[0]), std::nullopt, false};
    if (f.size() < 3) return r;
    r.vsEoc = Trim(f[1]) == "POTEN" && f.size() > 3 && Trim(f[3]) == "T";
    const auto value = ParseHeaderNumber(f[2], comma_);
    std::string_view unit = UnitInLastParentheses(Label(f));
    if (unit.empty() || !UnitScale(unit, kind)) unit = usualUnit;
    const auto scale = UnitScale(unit, kind);
    // A value too large for its unit's factor is no setting.
    if (value && scale && std::isfinite(*value * *scale)) r.value = *value * *scale;
    return r;
  }

  // The value of a setting that is used, with a note when it is relative to Eoc.
  std::optional<double> Used(const Reading& r) {
    if (!r.vsEoc) return r.value;
    h_.notes.push_back(std::string(r.key) +
                       " is set against the open-circuit potential; it was left out of the "
                       "settings.");
    return std::nullopt;
  }

  bool comma_;
  GamryHeader& h_;
  Pending p_;
};

}  // namespace

GamryHeader ReadGamryHeader(const std::vector<std::string_view>& lines,
                            const std::vector<std::size_t>& rows, bool decimalComma) {
  GamryHeader header;
  RowReader reader(decimalComma, header);
  // KEY TYPE value [flag] label: what is read lies in the first fields.
  constexpr std::size_t kFieldsRead = 8;
  std::vector<std::string_view> fields;
  for (const std::size_t index : rows) {
    FirstFields(lines[index], '\t', kFieldsRead, fields);
    reader.Read(fields, index);
  }
  reader.Finish();
  return header;
}

}  // namespace vorex
