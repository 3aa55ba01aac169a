// Any bytes as a data file through the import parser: no crash, no hang; what it accepts is
// between 1 and 4000 whole pairs of finite numbers, and what it refuses it says why.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "curves/csv_file.h"
#include "curves/curve_store.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const vorex::CsvPairs pairs =
      vorex::ParseCsvPairs(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!pairs.error.empty()) return 0;
  Check(pairs.x.size() == pairs.y.size());
  Check(!pairs.x.empty() && pairs.x.size() <= static_cast<std::size_t>(vorex::kMaxPoints));
  for (std::size_t i = 0; i < pairs.x.size(); ++i) {
    Check(std::isfinite(pairs.x[i]) && std::isfinite(pairs.y[i]));
  }
  return 0;
}
