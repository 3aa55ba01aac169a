#include "shell/import_command.h"

#include <vector>

#include "base/file_reading.h"
#include "base/host.h"
#include "curves/csv_file.h"
#include "curves/curve_store.h"
#include "readers/cycle_split.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"
#include "shell/imported_curve.h"
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

// Plain pairs of numbers, read exactly as Import Data always has.
bool ImportPairs(CurveLinks& l, const std::string& file, const std::string& bytes) {
  if (bytes.size() > kMaxCsvFileBytes) {
    std::string error;
    if (!ReadDataFile(file, kMaxCsvFileBytes, error)) return Fail(l, error);
  }
  CsvPairs pairs = ParseCsvPairs(bytes);
  if (!pairs.error.empty()) return Fail(l, pairs.error);
  if (pairs.x.size() > static_cast<std::size_t>(kMaxPoints)) {
    // More than the store holds: thinned as a measured record is, and said so.
    MeasuredData data;
    data.format = "Pairs of numbers";
    data.cycles.push_back(MeasuredCycle{1, std::move(pairs.x), {}, std::move(pairs.y)});
    return ImportMeasured(l, data, ImportRequest{});
  }
  ImportedCurve curve;
  curve.vertices = VertexIndices(pairs.x);
  curve.potential = std::move(pairs.x);
  curve.current = std::move(pairs.y);
  return StoreImportedCurve(l, curve);
}

}  // namespace

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
