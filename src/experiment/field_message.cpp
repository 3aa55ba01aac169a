#include "experiment/field_message.h"

namespace vorex {

std::string FieldMessage(const FieldSpec& f, const std::string& text, const std::string& why) {
  std::string name = f.label.empty() ? f.FullName() : f.label;
  if (f.index >= 0 && !f.label.empty()) name += " (" + f.FullName() + ")";
  return name + ": \"" + text + "\" " + why;
}

}  // namespace vorex
