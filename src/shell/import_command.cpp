#include "shell/import_command.h"

#include <cmath>
#include <span>
#include <vector>

#include "base/file_reading.h"
#include "base/host.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "curves/csv_file.h"
#include "curves/curve_store.h"
#include "curves/shared_abscissa.h"
#include "experiment/experiment.h"
#include "plot/displayed_quantity.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"
#include "shell/measured_import.h"
#include "shell/measured_programme_offer.h"

namespace vorex {
namespace {

// An instrument export of a long run is larger than any file of pairs the store could hold; the
// bound only keeps a wrong choice (a disc image, a video) from being read whole [bytes].
constexpr std::size_t kMaxInstrumentFileBytes = std::size_t{256} << 20;

bool Fail(CurveLinks& l, const std::string& why) {
  l.host.MessageBox("ReadData Error: " + why);
  return false;
}

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

// Plain pairs of numbers, read exactly as Import Data always has.
bool ImportPairs(CurveLinks& l, const std::string& file, const std::string& bytes) {
  if (bytes.size() > kMaxCsvFileBytes) {
    std::string error;
    if (!ReadDataFile(file, kMaxCsvFileBytes, error)) return Fail(l, error);
  }
  const CsvPairs pairs = ParseCsvPairs(bytes);
  if (!pairs.error.empty()) return Fail(l, pairs.error);
  return StoreImportedCurve(l, pairs.x, pairs.y);
}

}  // namespace

bool StoreImportedCurve(CurveLinks& l, const std::vector<double>& x, const std::vector<double>& y) {
  CurveStore& c = l.curves;
  const int count = static_cast<int>(x.size());
  // A single pair takes its step from whatever the store holds at point 2, as it always has.
  const double second = count > 1 ? x[1] : c.Abscissa(2);
  const double step = std::fabs(second - x[0]);
  if (!std::isfinite(step)) {
    return Fail(l, "Overflow: the step between the first two potentials is too large a number");
  }
  const CurveSlot slot = NextCurveSlot(l);
  if (auto refused = RefusedOverlap(l, slot, x)) return Fail(l, *refused);

  ApplyCurveSlot(l, slot);
  c.Role(c.CurrentCurve) = CurveRole::Measured;
  for (int i = 1; i <= count; ++i) {
    c.Abscissa(i) = x[static_cast<std::size_t>(i - 1)];
    c.Ordinate(i, c.CurrentCurve) = y[static_cast<std::size_t>(i - 1)];
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

namespace {

bool ReadAndStore(CurveLinks& l, const ImportRequest& request) {
  const std::optional<std::string> file = l.host.OpenFileName(kDataFilter);
  if (!file) return Fail(l, "no file was chosen");
  std::string error;
  const std::optional<std::string> bytes = ReadDataFile(*file, kMaxInstrumentFileBytes, error);
  if (!bytes) return Fail(l, error);
  const std::string text = DecodeText(*bytes);
  const InstrumentFormat format = RecogniseFormat(text);
  if (format == InstrumentFormat::None) return ImportPairs(l, *file, *bytes);
  MeasuredData data;
  try {
    data = ReadInstrumentText(format, text);
  } catch (const ReadError& read) {
    return Fail(l, read.Message());
  }
  return ImportMeasured(l, data, request);
}

}  // namespace

bool ImportCurve(CurveLinks& l, const ImportRequest& request) {
  if (!ReadAndStore(l, request)) return false;
  OfferMeasuredProgramme(l, request.measuredScan);
  return true;
}

}  // namespace vorex
