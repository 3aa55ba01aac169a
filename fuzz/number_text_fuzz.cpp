// Any text through the field conversions, any double through the formats: no crash, no hang,
// what is written reads back, and a value that is not finite is never written.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "base/number_format.h"
#include "base/number_text.h"
#include "base/runtime_fault.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void ReadsBack(double x) {
  // Rounded to 15 digits the largest doubles would read back beyond the range; that overflow
  // is right, so they are left out here.
  if (!std::isnormal(x) || std::fabs(x) > 1e307) return;
  const double general = vorex::NumericPrefix(vorex::FormatGeneral(x));
  Check(std::fabs(general - x) <= 1e-14 * std::fabs(x));
  const double shortest = vorex::NumericPrefix(vorex::FormatShortest(x));
  Check(std::fabs(shortest - x) <= 1e-14 * std::fabs(x));
  for (const char* pattern : {"0.##e-0", "#.###e-#", "0.###e-#", "0.#E-0"}) {
    const double patterned = vorex::NumericPrefix(vorex::FormatPattern(x, pattern));
    Check(std::fabs(patterned - x) <= 0.051 * std::fabs(x));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const double prefix = vorex::NumericPrefix(text);
    Check(std::isfinite(prefix));
    if (const auto strict = vorex::StrictNumber(text)) {
      Check(*strict == prefix || (*strict == 0 && prefix == 0));
    }
    ReadsBack(prefix);
  } catch (const vorex::RuntimeFault&) {
    Check(!vorex::StrictNumber(text));
  }
  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, data, sizeof x);
    if (std::isfinite(x)) {
      ReadsBack(x);
      if (std::fabs(x) <= std::numeric_limits<float>::max()) {
        vorex::FormatGeneralSingle(static_cast<float>(x));
      }
    } else {
      // No text stands for an infinity or a NaN.
      try {
        vorex::FormatGeneral(x);
        std::abort();
      } catch (const vorex::RuntimeFault&) {
      }
    }
  }
  return 0;
}
