#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorex {

// One line of the result window, built item by item. Text and Number append at the cursor (the
// semicolon join); Zone moves the cursor to the start of the next 14-column print zone (the comma
// join), the zone after the one holding the cursor, so an empty item still takes a zone.
class ResultLine {
 public:
  static constexpr std::size_t kZoneWidth = 14;

  ResultLine& Text(std::string_view text);
  ResultLine& Number(double value);                        // general format, " 5 ", "-.5 "
  ResultLine& Number(const std::optional<double>& value);  // nothing when never assigned
  ResultLine& Single(float value);                         // general format with 7 digits
  ResultLine& Zone();

  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

}  // namespace vorex
