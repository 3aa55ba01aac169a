#include "experiment/field_message.h"

namespace vorex {

std::string FieldMessage(const Control& c, const std::string& why) {
  const std::string& label = c.Label().empty() ? c.Caption() : c.Label();
  std::string name = label.empty() ? c.FullName() : label;
  if (c.Index() != Control::kNoIndex && !label.empty()) name += " (" + c.FullName() + ")";
  const std::string& text = c.Kind() == ControlKind::Label ? c.Caption() : c.Text();
  return name + ": \"" + text + "\" " + why;
}

}  // namespace vorex
