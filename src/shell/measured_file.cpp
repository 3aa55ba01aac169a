#include "shell/measured_file.h"

#include <optional>

#include "base/file_reading.h"
#include "curves/csv_file.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

// An instrument export of a long run is larger than any file of pairs the store could hold; the
// bound only keeps a wrong choice (a disc image, a video) from being read whole [bytes].
constexpr std::size_t kMaxInstrumentFileBytes = std::size_t{256} << 20;

std::variant<MeasuredFile, std::string> ReadPairs(const std::string& file,
                                                  const std::string& bytes) {
  if (bytes.size() > kMaxCsvFileBytes) {
    std::string error;
    if (!ReadDataFile(file, kMaxCsvFileBytes, error)) return error;
  }
  CsvPairs pairs = ParseCsvPairs(bytes);
  if (!pairs.error.empty()) return pairs.error;
  MeasuredFile read;
  read.plainPairs = true;
  read.data.format = "Pairs of numbers";
  read.data.cycles.push_back(MeasuredCycle{1, std::move(pairs.x), {}, std::move(pairs.y)});
  return read;
}

}  // namespace

std::variant<MeasuredFile, std::string> ReadMeasuredFile(const std::string& file) {
  std::string error;
  const std::optional<std::string> bytes = ReadDataFile(file, kMaxInstrumentFileBytes, error);
  if (!bytes) return error;
  const std::string text = DecodeText(*bytes);
  const InstrumentFormat format = RecogniseFormat(text);
  if (format == InstrumentFormat::None) return ReadPairs(file, *bytes);
  MeasuredFile read;
  try {
    read.data = ReadInstrumentText(format, text);
  } catch (const ReadError& failure) {
    return failure.Message();
  }
  return read;
}

}  // namespace vorex
