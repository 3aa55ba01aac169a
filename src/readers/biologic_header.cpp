#include "readers/biologic_header.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

#include "readers/setting_units.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

struct Entry {
  std::string_view key, value;
};

// The parameter table has a 20-character key column, then one 20-character column per
// technique sequence; the first sequence is the one read.
constexpr std::size_t kTableColumn = 20;

std::optional<Entry> ReadEntry(std::string_view line) {
  const std::size_t colon = line.find(" : ");
  if (colon != std::string_view::npos) {
    return Entry{Trim(line.substr(0, colon)), Trim(line.substr(colon + 3))};
  }
  if (line.size() <= kTableColumn || line[0] == ' ' || line[0] == '\t') return std::nullopt;
  return Entry{Trim(line.substr(0, kTableColumn)), Trim(line.substr(kTableColumn, kTableColumn))};
}

// "Ei (V)" -> "Ei"; "dE/dt unit" stays as it is.
std::string_view KeyName(std::string_view key) {
  const std::size_t paren = key.find(" (");
  return paren == std::string_view::npos ? key : Trim(key.substr(0, paren));
}

// A value too large for its unit's factor is no setting.
std::optional<double> Finite(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

class HeaderReader {
 public:
  HeaderReader(std::vector<Entry> entries, bool decimalComma)
      : entries_(std::move(entries)), decimalComma_(decimalComma) {}

  void ReadInto(BiologicHeader& header) {
    MeasuredSettings& s = header.settings;
    s.startPotential = Potential(Last({"Ei"}), header.notes);
    s.endPotential = Potential(Last({"E1", "EL", "Ef"}), header.notes);
    s.scanRate = ScanRate(header.notes);
    s.area = Scaled(Last({"Electrode surface area"}), Quantity::Area, "cm2", header.notes);
    s.ru = Scaled(Last({"Ru", "Rcmp"}), Quantity::Resistance, "Ohm", header.notes);
  }

 private:
  // The last entry with the first of `names` that occurs: "Modify on" blocks later in the
  // header overwrite the parameter table.
  std::optional<std::size_t> Last(std::initializer_list<std::string_view> names) const {
    for (const std::string_view name : names) {
      for (std::size_t i = entries_.size(); i > 0; --i) {
        if (KeyName(entries_[i - 1].key) == name) return i - 1;
      }
    }
    return std::nullopt;
  }

  // A potential counts only against the reference electrode: one set "vs. Eoc" or "vs.
  // Emeas" is relative to a potential the file does not state.
  std::optional<double> Potential(std::optional<std::size_t> index,
                                  std::vector<std::string>& notes) const {
    if (!index) return std::nullopt;
    const Entry& e = entries_[*index];
    if (*index + 1 < entries_.size() && entries_[*index + 1].key == "vs.") {
      const std::string_view reference = entries_[*index + 1].value;
      if (!reference.empty() && !EqualsIgnoringCase(reference, "Ref")) {
        notes.push_back(std::string(e.key) + " is set against " + std::string(reference) +
                        ", not the reference electrode; it was left out of the settings.");
        return std::nullopt;
      }
    }
    return Scaled(index, Quantity::Potential, "V", notes);
  }

  std::optional<double> ScanRate(std::vector<std::string>& notes) const {
    const auto index = Last({"dE/dt", "dER/dt"});
    if (!index) return std::nullopt;
    std::string_view unit = UnitInLastParentheses(entries_[*index].key);
    if (unit.empty()) {
      const std::string unitKey = std::string(KeyName(entries_[*index].key)) + " unit";
      for (const Entry& e : entries_) {
        if (e.key == unitKey) unit = e.value;
      }
    }
    const auto value = SplitNumberAndUnit(entries_[*index].value, decimalComma_).value;
    return Convert(value, unit, Quantity::ScanRate, entries_[*index].key, notes);
  }

  // An entry's number in Vorex's unit; the unit is in the key's parentheses, after the number,
  // or else `assumed`.
  std::optional<double> Scaled(std::optional<std::size_t> index, Quantity kind,
                               std::string_view assumed, std::vector<std::string>& notes) const {
    if (!index) return std::nullopt;
    const Entry& e = entries_[*index];
    const NumberWithUnit n = SplitNumberAndUnit(e.value, decimalComma_);
    std::string_view unit = UnitInLastParentheses(e.key);
    if (unit.empty()) unit = n.unit.empty() ? assumed : n.unit;
    return Convert(n.value, unit, kind, e.key, notes);
  }

  static std::optional<double> Convert(std::optional<double> value, std::string_view unit,
                                       Quantity kind, std::string_view what,
                                       std::vector<std::string>& notes) {
    if (!value) return std::nullopt;
    const auto scale = UnitScale(unit, kind);
    if (!scale) {
      notes.push_back("The unit \"" + std::string(unit) + "\" of " + std::string(what) +
                      " is not known; it was left out of the settings.");
      return std::nullopt;
    }
    return Finite(*value * *scale);
  }

  std::vector<Entry> entries_;
  bool decimalComma_;
};

// The technique's name stands alone on one of the first lines after the line count; a
// "Key : value" line or a parameter-table row (key and value with blanks between) is not one.
std::string Technique(const std::vector<std::string_view>& lines, std::size_t titleIndex) {
  const std::size_t end = std::min<std::size_t>(titleIndex, 6);
  for (std::size_t i = 2; i < end; ++i) {
    const std::string_view line = Trim(lines[i]);
    if (line.empty()) continue;
    const bool setting =
        line.find(':') != std::string_view::npos || line.find("  ") != std::string_view::npos;
    return setting ? std::string() : std::string(line);
  }
  return {};
}

}  // namespace

BiologicHeader ReadBiologicHeader(const std::vector<std::string_view>& lines,
                                  std::size_t titleIndex, bool decimalComma) {
  BiologicHeader header;
  header.technique = Technique(lines, titleIndex);
  std::vector<Entry> entries;
  for (std::size_t i = 2; i < titleIndex && i < lines.size(); ++i) {
    if (const auto entry = ReadEntry(lines[i])) entries.push_back(*entry);
  }
  HeaderReader(std::move(entries), decimalComma).ReadInto(header);
  return header;
}

}  // namespace vorex
