#include "readers/autolab_nova_settings.h"

#include <optional>

#include "readers/column_units.h"
#include "readers/setting_units.h"
#include "readers/text_decoding.h"

namespace vorex {

MeasuredSettings NovaProcedureSettings(const std::vector<std::string_view>& titles,
                                       const std::vector<std::string_view>& firstRow,
                                       const std::vector<std::size_t>& columns, bool decimalComma) {
  MeasuredSettings s;
  for (const std::size_t k : columns) {
    if (k >= titles.size() || k >= firstRow.size()) continue;
    const TitledColumn title = UnitInParentheses(titles[k]);
    const std::optional<double> value = ParseHeaderNumber(firstRow[k], decimalComma);
    if (!value) continue;
    const auto set = [&](std::optional<double>& slot, Quantity kind) {
      const std::optional<double> scale = UnitScale(title.unit, kind);
      if (scale && !slot) slot = *value * *scale;
    };
    if (EqualsIgnoringCase(title.name, "Start potential"))
      set(s.startPotential, Quantity::Potential);
    if (EqualsIgnoringCase(title.name, "Step") ||
        EqualsIgnoringCase(title.name, "Step potential")) {
      set(s.potentialStep, Quantity::Potential);
    }
    if (EqualsIgnoringCase(title.name, "Scan rate")) set(s.scanRate, Quantity::ScanRate);
  }
  return s;
}

}  // namespace vorex
