#include "shell/set_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "base/number_format.h"
#include "base/number_text.h"
#include "experiment/field_use.h"
#include "experiment/settings_keywords.h"

namespace vorex {
namespace {

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += text;
  quoted += '"';
  return quoted;
}

const std::vector<std::string>& BackgroundWords() {
  return TableField(FieldId::Background).items;
}

std::variant<std::optional<Keyword>, std::string> WordKeyword(const SetOwnColumn& column,
                                                              const std::string& typed) {
  std::string lower = typed;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::string listed;
  for (const std::string& word : BackgroundWords()) {
    if (word == lower) {
      return std::optional<Keyword>(
          Keyword{std::string(column.keyword), KeywordValue::Name(word, Quoted(typed))});
    }
    listed += (listed.empty() ? "" : ", ") + word;
  }
  return std::string(column.quantity) + " is one of " + listed + "; got " + Quoted(typed) +
         ". Leave the cell empty for the Experimental dialog's.";
}

std::string RowRange(const SetCurve& curve) {
  const auto [low, high] = std::minmax_element(curve.potential.begin(), curve.potential.end());
  if (low == curve.potential.end()) return "";
  return FixedDecimals(*low, 3) + " to " + FixedDecimals(*high, 3);
}

const Keyword* OwnKeyword(const SetCurve& curve, std::string_view name) {
  for (const Keyword& k : curve.own) {
    if (k.name == name) return &k;
  }
  return nullptr;
}

}  // namespace

std::string FixedDecimals(double value, int decimals) {
  char text[400];  // the widest fixed form of a double: 309 digits and the decimals
  const auto [end, error] =
      std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return FormatShortest(value);
  std::string s(text, end);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::vector<SetTableRow> SetTableRows(const GlobalFitSet& set, const Settings& settings) {
  std::vector<SetTableRow> rows;
  for (std::size_t c = 0; c < set.curves.size(); ++c) {
    const SetCurve& curve = set.curves[c];
    SetTableRow row;
    row.number = static_cast<int>(c + 1);
    row.name = curve.name;
    row.points = std::to_string(curve.potential.size());
    row.range = RowRange(curve);
    for (std::size_t k = 0; k < kSetOwnColumns; ++k) {
      const std::string_view keyword = kSetOwnColumn[k].keyword;
      if (const Keyword* own = OwnKeyword(curve, keyword)) row.own[k] = own->value.text;
      const FieldId id = FieldNamed(keyword)->id;
      const bool used = FieldShown(settings, id) && FieldEnabled(settings, id);
      row.dialog[k] = used ? std::string(settings.Value(id)) : "n/a";
    }
    if (set.last && c < set.last->curves.size() && set.last->curves[c].rSquared) {
      row.rSquared = FixedDecimals(*set.last->curves[c].rSquared, 4);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::variant<std::optional<Keyword>, std::string> CellKeyword(std::size_t column,
                                                              std::string_view text) {
  const SetOwnColumn& col = kSetOwnColumn.at(column);
  const std::string typed = Trimmed(text);
  if (typed.empty()) return std::optional<Keyword>();
  if (col.takes == SetOwnColumn::Takes::Word) return WordKeyword(col, typed);
  const std::string quantity(col.quantity), unit(col.unit);
  const std::optional<double> value = StrictNumber(typed);
  if (!value) {
    return quantity + " is a number in " + unit + "; got " + Quoted(typed) +
           ". Leave the cell empty for the Experimental dialog's.";
  }
  if (col.takes == SetOwnColumn::Takes::Positive && !(*value > 0)) {
    return quantity + " must be greater than 0 " + unit + "; got " + typed + ".";
  }
  if (col.takes == SetOwnColumn::Takes::NotNegative && *value < 0) {
    return quantity + " must not be negative; got " + typed + " " + unit + ".";
  }
  return std::optional<Keyword>(
      Keyword{std::string(col.keyword), KeywordValue::Number(typed, typed)});
}

std::optional<std::string> EditSetCell(GlobalFitSet& set, const Settings& settings, int curve,
                                       std::size_t column, std::string_view text) {
  auto keyword = CellKeyword(column, text);
  if (auto* why = std::get_if<std::string>(&keyword)) return *why;
  const std::optional<Keyword>& given = std::get<std::optional<Keyword>>(keyword);
  if (!given) return ClearCurveKeyword(set, curve, kSetOwnColumn.at(column).keyword);
  return SetCurveKeywords(set, settings, curve, {*given});
}

}  // namespace vorex
