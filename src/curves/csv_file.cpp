#include "curves/csv_file.h"

#include <cmath>
#include <optional>
#include <span>

#include "base/file_reading.h"
#include "base/file_writing.h"
#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "curves/displayed_quantity.h"
#include "curves/shared_abscissa.h"
#include "experiment/experiment.h"

namespace vorex {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
bool IsFieldSeparator(char c) {
  return c == '\t' || c == ';';
}

// A comma with a digit on each side, as in "0,3".
bool HasDecimalComma(std::string_view token) {
  for (std::size_t i = 1; i + 1 < token.size(); ++i) {
    if (token[i] == ',' && IsDigit(token[i - 1]) && IsDigit(token[i + 1])) return true;
  }
  return false;
}

template <class Visit>
void ForEachToken(std::string_view line, bool (*separator)(char), Visit&& visit) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (separator(line[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && !separator(line[i])) ++i;
    visit(line.substr(start, i - start));
  }
}

bool FieldOrBlank(char c) {
  return IsFieldSeparator(c) || IsBlank(c);
}
bool AnySeparator(char c) {
  return c == ',' || FieldOrBlank(c);
}

// A line whose fields are parted by tabs or semicolons and whose numbers carry a comma between
// digits was written with the decimal comma (a spreadsheet in a European locale).
bool WrittenWithDecimalComma(std::string_view line) {
  if (line.find_first_of("\t;") == std::string_view::npos) return false;
  bool found = false;
  ForEachToken(line, FieldOrBlank,
               [&](std::string_view token) { found |= HasDecimalComma(token); });
  return found;
}

// The token's number with its decimal comma read as a point; nothing when the token could mean
// more than one number ("1,000,5", "1.000,5") or is no number.
std::optional<double> DecimalCommaNumber(std::string_view token) {
  constexpr auto npos = std::string_view::npos;
  const std::size_t comma = token.find(',');
  if (token.find('.') != npos) return std::nullopt;
  if (comma == npos) return StrictNumber(token);
  if (token.find(',', comma + 1) != npos || !HasDecimalComma(token)) return std::nullopt;
  std::string pointed(token);
  pointed[comma] = '.';
  return StrictNumber(pointed);
}

std::string Quoted(std::string_view token) {
  return "\"" + std::string(token.substr(0, 40)) + "\"";
}

// The numbers of one line, appended; the reason when the line cannot be read.
std::string ReadLine(std::string_view line, int number, std::vector<double>& numbers) {
  std::string error;
  const bool decimalComma = WrittenWithDecimalComma(line);
  ForEachToken(line, decimalComma ? FieldOrBlank : AnySeparator, [&](std::string_view token) {
    if (!error.empty()) return;
    const std::optional<double> value =
        decimalComma ? DecimalCommaNumber(token) : StrictNumber(token);
    if (!value) {
      error = decimalComma
                  ? "line " + std::to_string(number) + " is ambiguous: " + Quoted(token) +
                        " is not one number written with a decimal comma"
                  : "unreadable number " + Quoted(token) + " on line " + std::to_string(number);
    } else if (numbers.size() >= 2 * static_cast<std::size_t>(kMaxPoints)) {
      error = "more than " + std::to_string(kMaxPoints) + " pairs in the file";
    } else {
      numbers.push_back(*value);
    }
  });
  return error;
}

}  // namespace

CsvPairs ParseCsvPairs(std::string_view text) {
  CsvPairs pairs;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<double> numbers;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    pairs.error = ReadLine(line, ++number, numbers);
    if (!pairs.error.empty()) return pairs;
  }
  if (numbers.size() % 2 != 0) {
    pairs.error = "the file ends in the middle of a pair";
    return pairs;
  }
  if (numbers.empty()) {
    pairs.error = "the file holds no pairs of numbers";
    return pairs;
  }
  for (std::size_t k = 0; k < numbers.size(); k += 2) {
    pairs.x.push_back(numbers[k]);
    pairs.y.push_back(numbers[k + 1]);
  }
  return pairs;
}

std::string FormatCsvPairs(const CurveStore& c) {
  std::string out;
  for (int i = c.FirstPoint; i <= c.LastPoint; ++i) {
    out +=
        FormatGeneral(c.Abscissa(i)) + "," + FormatGeneral(c.Ordinate(i, c.CurrentCurve)) + "\r\n";
  }
  return out;
}

namespace {

// With "Overlap" ticked the file joins the curves on the plot, which share one abscissa; a file
// measured at other potentials would move them, so it is refused. Nothing when it may join.
std::optional<std::string> RefusedOverlap(const CurveLinks& l, const CurveSlot& slot,
                                          const std::vector<double>& x) {
  const std::span<const double> shared = JoinedAbscissa(l.curves, slot.currentCurve);
  if (shared.empty()) return std::nullopt;
  const double tolerance = shared.size() > 1 ? std::fabs(shared[1] - shared[0]) / 1000 : 0;
  const int point = FirstDifferentPoint(shared, x, tolerance);
  if (point == 0) return std::nullopt;
  return AbscissaMismatchMessage("the curves on the plot have", shared, "the file has", x, point,
                                 "Untick Overlap in the Option dialog to import it on its own.");
}

}  // namespace

bool ImportCurve(CurveLinks& l) {
  const auto fail = [&](const std::string& why) {
    l.host.MessageBox("ReadData Error: " + why);
    return false;
  };
  const std::optional<std::string> file = l.host.OpenFileName(kCsvFilter);
  if (!file) return fail("no file was chosen");
  std::string error;
  const std::optional<std::string> text = ReadDataFile(*file, kMaxCsvFileBytes, error);
  if (!text) return fail(error);
  const CsvPairs pairs = ParseCsvPairs(*text);
  if (!pairs.error.empty()) return fail(pairs.error);

  CurveStore& c = l.curves;
  const int count = static_cast<int>(pairs.x.size());
  // A single pair takes its step from whatever the store holds at point 2, as it always has.
  const double second = count > 1 ? pairs.x[1] : c.Abscissa(2);
  const double step = std::fabs(second - pairs.x[0]);
  if (!std::isfinite(step)) {
    return fail("Overflow: the step between the first two potentials is too large a number");
  }
  const CurveSlot slot = NextCurveSlot(l);
  if (auto refused = RefusedOverlap(l, slot, pairs.x)) return fail(*refused);

  ApplyCurveSlot(l, slot);
  for (int i = 1; i <= count; ++i) {
    c.Abscissa(i) = pairs.x[static_cast<std::size_t>(i - 1)];
    c.Ordinate(i, c.CurrentCurve) = pairs.y[static_cast<std::size_t>(i - 1)];
  }
  c.PointCount = count;
  c.FirstPoint = 1;
  c.LastPoint = count;
  FormResult& result = l.formResult;
  result.Print(ResultLine().Text("Number of data point = ").Number(count));
  result.Print(ResultLine().Text("E step = ").Number(step));
  // Field edits, as the user's typing: the dialog recomputes the initial concentrations and the
  // drop time for the measured start and step.
  FormExpr& form = l.experiment.formExpr;
  form.Type(form.Estart(), FormatShortest(c.Abscissa(1)));
  form.Type(form.Estep(), FormatShortest(step));
  return true;
}

void ExportCurve(CurveLinks& l) {
  const std::optional<std::string> file = l.host.SaveFileName(kCsvFilter);
  if (!file) return;
  std::string content;
  try {
    content = FormatCsvPairs(l.curves);
  } catch (const RuntimeFault& fault) {
    l.host.MessageBox("Export Data Error: " + fault.Description() + ". The curve was not saved.");
    return;
  }
  if (const auto error = WriteFileAtomically(*file, content)) {
    l.host.MessageBox("Export Data Error: " + *error + ". The curve was not saved.");
  }
}

}  // namespace vorex
