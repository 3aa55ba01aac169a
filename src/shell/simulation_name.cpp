#include "shell/simulation_name.h"

#include <cmath>
#include <vector>

#include "base/number_format.h"
#include "experiment/catalogue.h"
#include "experiment/settings_keywords.h"
#include "fitting/fit_driver.h"

namespace vorex {
namespace {

constexpr std::size_t kNamedDifferences = 2;

// Values of everyday size as they are typed ("0.1", "-0.25"), the rest as a power of ten
// ("1e-3", "2.5e-5"), the way a user reads a rate constant or a concentration.
std::string Value(double v) {
  const double m = std::fabs(v);
  if (m == 0 || (m >= 0.01 && m < 1000)) return FormatShortest(v);
  return FormatPattern(v, "0.###e-#");
}

std::string Kind(const SimulationSignature& s) {
  const MechanismEntry& mechanism = Mechanism(s.mechanism);
  const std::string_view what =
      mechanism.description.empty() ? Unnumbered(mechanism.caption) : mechanism.description;
  return "sim " + s.technique + ", " + std::string(what);
}

}  // namespace

SimulationSignature SignatureOf(const ParameterSet& p, const Settings& settings) {
  SimulationSignature s;
  s.technique = TechniqueKeywordName(settings);
  s.mechanism = p.Mechanism;
  s.scanRate = p.ScanRate;
  for (int k = 1; k <= kFitSlots; ++k)
    s.slotValues[static_cast<std::size_t>(k)] = FitStartValue(p, k);
  return s;
}

std::string SimulationName(const SimulationSignature& now,
                           const std::optional<SimulationSignature>& before) {
  if (!before || before->technique != now.technique || before->mechanism != now.mechanism) {
    return Kind(now);
  }
  std::vector<std::string> differences;
  if (before->scanRate != now.scanRate) differences.push_back("v = " + Value(now.scanRate));
  for (int k = 1; k <= kFitSlots && differences.size() < kNamedDifferences; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (before->slotValues[i] != now.slotValues[i]) {
      differences.push_back(FitParameterName(k) + " = " + Value(now.slotValues[i]));
    }
  }
  if (differences.empty()) return Kind(now);
  std::string name = "sim " + differences.front();
  for (std::size_t d = 1; d < differences.size(); ++d) name += ", " + differences[d];
  return name;
}

}  // namespace vorex
