#include "base/result_line.h"

#include "base/number_format.h"

namespace vorex {

ResultLine& ResultLine::Text(std::string_view text) {
  text_ += text;
  return *this;
}

ResultLine& ResultLine::Number(double value) {
  return Text(FormatGeneral(value));
}

ResultLine& ResultLine::Number(const std::optional<double>& value) {
  return Text(FormatGeneral(value));
}

ResultLine& ResultLine::Single(float value) {
  return Text(FormatGeneralSingle(value));
}

// Zones are columns on the screen, so a character of several UTF-8 bytes ("\u03b1(1)",
// "E\u00b0(1)") takes one column: continuation bytes are not counted.
ResultLine& ResultLine::Zone() {
  std::size_t columns = 0;
  for (const char c : text_) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++columns;
  }
  const std::size_t next = (columns / kZoneWidth + 1) * kZoneWidth;
  text_.append(next - columns, ' ');
  return *this;
}

}  // namespace vorex
