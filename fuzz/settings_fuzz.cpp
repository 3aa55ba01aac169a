// Any text as a settings file: no crash, no hang; what is read makes a parameter set or a
// refusal, and writes back a file that reads as the same settings, bit for bit.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "experiment/capture.h"
#include "experiment/settings_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vorex::SettingsRead read = vorex::ParseSettingsJson(text);
  Check(read.settings.has_value() || !read.error.empty());
  if (!read.settings) return 0;
  const std::string json = vorex::SettingsJson(*read.settings);
  const vorex::SettingsRead again = vorex::ParseSettingsJson(json);
  Check(again.settings.has_value() && *again.settings == *read.settings);
  Check(vorex::SettingsJson(*again.settings) == json);
  // The settings give a parameter set or say why not; the run itself is the other fuzzers'.
  const vorex::Captured captured = vorex::MakeParameterSet(*read.settings);
  Check(captured.ok() || !captured.refusal->message.empty());
  return 0;
}
