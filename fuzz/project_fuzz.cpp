// Any text as a project file: no crash, no hang; what is read writes back a file that reads as
// the same content, and that file is written again byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "plot/form_option.h"
#include "shell/project_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The text of a content as read, with the option dialog set as the content says.
std::string TextOf(vorex::ProjectContent& content, vorex::FormOption& options) {
  vorex::RestoreControlStates(options, content.plotOptions);
  vorex::GlobalFitSet set;
  set.curves = content.fitSet.curves;
  set.perCurveSlots = content.fitSet.perCurveSlots;
  set.weighting = content.fitSet.weighting;
  set.threads = content.fitSet.threads;
  set.evaluationBudget = content.fitSet.evaluationBudget;
  const vorex::ProjectText text = vorex::ProjectJson(vorex::ProjectParts{
      content.settings, *content.curves, options, content.plotState, set, content.result});
  Check(text.error.empty());
  return text.text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vorex::FormOption options;
  vorex::ProjectRead read = vorex::ParseProjectJson(text, options);
  Check(read.content.has_value() || !read.error.empty());
  if (!read.content) return 0;
  const std::string json = TextOf(*read.content, options);
  vorex::FormOption fresh;
  vorex::ProjectRead again = vorex::ParseProjectJson(json, fresh);
  Check(again.content.has_value());
  Check(TextOf(*again.content, fresh) == json);
  return 0;
}
