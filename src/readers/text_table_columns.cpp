#include "readers/text_table_columns.h"

#include <optional>

#include "readers/column_units.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

enum class Quantity { Potential, Current };

// A column that can be the quantity: the lower its rank, the surer. A title whose name also says
// the quantity beats one that only has its unit ("control/V" against "Ewe/V" in an EC-Lab table),
// and both beat a bare name with no unit at all.
struct Candidate {
  std::size_t column = 0;
  double scale = 1;
  int rank = 0;
};

bool NamedAs(std::string_view name, Quantity q) {
  if (q == Quantity::Potential) {
    return StartsWith(name, "E") || StartsWith(name, "U") ||
           ContainsIgnoringCase(name, "potential") || ContainsIgnoringCase(name, "volt");
  }
  return StartsWith(name, "I") || StartsWith(name, "i") || StartsWith(name, "<I>") ||
         ContainsIgnoringCase(name, "current");
}

bool BareName(std::string_view name, Quantity q) {
  if (q == Quantity::Potential) {
    return EqualsIgnoringCase(name, "E") || EqualsIgnoringCase(name, "U") ||
           EqualsIgnoringCase(name, "Potential") || EqualsIgnoringCase(name, "Voltage");
  }
  return EqualsIgnoringCase(name, "I") || EqualsIgnoringCase(name, "Current");
}

std::optional<Candidate> Judge(std::string_view title, std::size_t k, Quantity q) {
  const TitledColumn c = UnitInTitle(title);
  // An instrument's current range ("Current range [A]") is a setting, not a current.
  if (ContainsIgnoringCase(c.name, "range")) return std::nullopt;
  const std::optional<double> scale =
      q == Quantity::Potential ? VoltScale(c.unit) : AmpereScale(c.unit);
  if (scale) return Candidate{k, *scale, NamedAs(c.name, q) ? 0 : 1};
  if (c.unit.empty() && BareName(c.name, q)) return Candidate{k, 1, 2};
  return std::nullopt;
}

struct Found {
  std::optional<Candidate> best;
  int count = 0;
};

Found Best(const std::vector<std::string_view>& titles, Quantity q) {
  Found found;
  for (std::size_t k = 0; k < titles.size(); ++k) {
    const std::optional<Candidate> c = Judge(titles[k], k, q);
    if (!c) continue;
    ++found.count;
    if (!found.best || c->rank < found.best->rank) found.best = c;
  }
  return found;
}

std::string Quoted(std::string_view s) {
  std::string quoted(1, '"');
  quoted += s.substr(0, 40);
  quoted += '"';
  return quoted;
}

std::string Listed(const std::vector<std::string_view>& titles) {
  constexpr std::size_t kShown = 8;
  std::string text;
  for (std::size_t k = 0; k < titles.size() && k < kShown; ++k) {
    text += (k == 0 ? "" : ", ") + Quoted(titles[k]);
  }
  if (titles.size() > kShown) text += ", ...";
  return text;
}

// The notes of a column found: its unit when the title gave none, and the others passed over.
void Explain(const Found& f, const std::vector<std::string_view>& titles, const char* quantity,
             const char* unit, std::vector<std::string>& notes) {
  const std::string title = Quoted(titles[f.best->column]);
  if (f.best->rank == 2) {
    notes.push_back("The title " + title + " gives no unit; the " + quantity + " was read in " +
                    unit + ".");
  }
  if (f.count > 1) {
    notes.push_back(std::to_string(f.count) + " columns could be the " + quantity + "; " + title +
                    " was read.");
  }
}

std::string Untitled(std::size_t columns, bool titleRow) {
  const std::string count = std::to_string(columns) + " columns";
  if (!titleRow) {
    return count +
           " and no titles: name the potential and current columns in a title row (such as "
           "\"E / V\" and \"I / A\")";
  }
  return "the title row does not split into the " + count +
         " of the rows: give each column a title (such as \"E / V\" and \"I / A\"), separated as "
         "the numbers are";
}

std::string Unnamed(const std::vector<std::string_view>& titles, bool potential, bool current) {
  std::string missing = potential ? "a potential" : "";
  if (current) missing += std::string(potential ? " or " : "") + "a current";
  return std::to_string(titles.size()) + " columns titled " + Listed(titles) + ": none is " +
         missing + " with its unit (such as \"E / mV\", \"Potential (V)\", \"I / uA\" or " +
         "\"Current (A)\")";
}

}  // namespace

std::variant<TableColumns, std::string> ChooseTableColumns(
    const std::vector<std::string_view>& titles, std::size_t columns, bool titleRow) {
  TableColumns chosen;
  if (titles.empty()) {
    if (columns != 2) return Untitled(columns, titleRow);
    chosen.notes.push_back(
        "The line above the numbers does not title their two columns; they were read as "
        "potential [V] and current [A].");
    return chosen;
  }
  const Found e = Best(titles, Quantity::Potential);
  const Found i = Best(titles, Quantity::Current);
  if (columns == 2 && !(e.best && i.best)) {
    // Two columns and one of them named: the other one is the rest, as plain pairs are read.
    chosen.potential = e.best ? e.best->column : (i.best ? 1 - i.best->column : 0);
    chosen.current = 1 - chosen.potential;
    chosen.potentialScale = e.best ? e.best->scale : 1;
    chosen.currentScale = i.best ? i.best->scale : 1;
    chosen.notes.push_back("The titles " + Listed(titles) +
                           " do not name both a potential and a current with their units; "
                           "the columns were read as potential [V] and current [A] where "
                           "they do not say.");
    return chosen;
  }
  if (!e.best || !i.best) return Unnamed(titles, !e.best, !i.best);
  chosen.potential = e.best->column;
  chosen.current = i.best->column;
  chosen.potentialScale = e.best->scale;
  chosen.currentScale = i.best->scale;
  Explain(e, titles, "potential", "V", chosen.notes);
  Explain(i, titles, "current", "A", chosen.notes);
  return chosen;
}

}  // namespace vorex
