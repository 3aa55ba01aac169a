#include "curves/csv_file.h"

#include <cmath>

#include "base/host.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "base/text_file.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "curves/displayed_quantity.h"
#include "experiment/experiment.h"

namespace vorex {
namespace {

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

CsvPairs ParseCsvPairs(std::string_view text) {
  CsvPairs pairs;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<double> numbers;
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      if (text[i] == '\n') ++line;
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    const std::string_view token = text.substr(start, i - start);
    const std::optional<double> value = StrictNumber(token);
    if (!value) {
      pairs.error = "unreadable number \"" + std::string(token.substr(0, 40)) + "\" on line " +
                    std::to_string(line);
      return pairs;
    }
    if (numbers.size() >= 2 * static_cast<std::size_t>(kMaxPoints)) {
      pairs.error = "more than " + std::to_string(kMaxPoints) + " pairs in the file";
      return pairs;
    }
    numbers.push_back(*value);
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
    out += FormatGeneral(c.Abscissa(i)) + "," + FormatGeneral(c.Ordinate(i, c.CurrentCurve)) + "\r\n";
  }
  return out;
}

bool ImportCurve(CurveLinks& l) {
  const auto fail = [&](const std::string& why) {
    l.host.MessageBox("ReadData Error: " + why);
    return false;
  };
  const std::optional<std::string> file = l.host.OpenFileName(kCsvFilter);
  if (!file) return fail("no file was chosen");
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(*file, error);
  if (!text) return fail(error);
  const CsvPairs pairs = ParseCsvPairs(*text);
  if (!pairs.error.empty()) return fail(pairs.error);

  CurveStore& c = l.curves;
  SelectCurveSlot(l);
  const int count = static_cast<int>(pairs.x.size());
  for (int i = 1; i <= count; ++i) {
    c.Abscissa(i) = pairs.x[static_cast<std::size_t>(i - 1)];
    c.Ordinate(i, c.CurrentCurve) = pairs.y[static_cast<std::size_t>(i - 1)];
  }
  c.PointCount = count;
  c.FirstPoint = 1;
  c.LastPoint = count;
  const double step = std::fabs(c.Abscissa(2) - c.Abscissa(1));
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
  if (const auto error = WriteFileAtomically(*file, FormatCsvPairs(l.curves))) {
    l.host.MessageBox("Export Data Error: " + *error + ". The curve was not saved.");
  }
}

}  // namespace vorex
