#include "base/result_line.h"

#include "base/number_format.h"

namespace vorex {

ResultLine& ResultLine::Text(std::string_view text) {
  text_ += text;
  return *this;
}

ResultLine& ResultLine::Number(double value) { return Text(FormatGeneral(value)); }

ResultLine& ResultLine::Number(const std::optional<double>& value) {
  return Text(FormatGeneral(value));
}

ResultLine& ResultLine::Single(float value) { return Text(FormatGeneralSingle(value)); }

ResultLine& ResultLine::Zone() {
  const std::size_t next = (text_.size() / kZoneWidth + 1) * kZoneWidth;
  text_.resize(next, ' ');
  return *this;
}

}  // namespace vorex
