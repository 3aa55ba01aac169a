// The report's section on the coverage of the joint and single-curve fits' 95 % intervals.
#include <cmath>
#include <cstdio>
#include <string>

#include "validation/case_helpers.h"
#include "validation/global_fit_coverage.h"
#include "validation/global_fit_coverage_setting.h"

namespace vorex::validation {
namespace {

using namespace coverage;

std::string Format(const char* pattern, double value) {
  char text[48];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// "94 % (94/100)", or "n/a" when no fit gave an interval.
std::string CoverageCell(const IntervalTally& t) {
  if (t.measured == 0) return "n/a";
  return Format("%.0f %%", 100.0 * t.held / t.measured) + " (" + std::to_string(t.held) + "/" +
         std::to_string(t.measured) + ")";
}

std::string ZCells(const IntervalTally& t) {
  if (t.measured == 0) return "n/a | n/a";
  return Format("%.2f", t.sumAbsZ / t.measured) + " | " +
         Format("%.2f", std::sqrt(t.sumSquaredZ / t.measured));
}

void Setting(std::ostream& md, const GlobalFitCoverage& c) {
  md << "## Joint fit: coverage of the 95 % intervals\n\n"
     << "Four digital cyclic voltammograms of mechanism E on a planar electrode of " << Num(c.area)
     << " cm2: " << Num(kConcentration * 1e3) << " mM of A, E0 " << Num(kTruth[0]) << " V, ks "
     << Num(kTruth[1]) << " cm/s, alpha " << Num(kTruth[2]) << ", D " << Num(kDiffusion)
     << " cm2/s for A and B, no pre-equilibration; " << Num(kEStart) << " V to " << Num(kEEnd)
     << " V and back in " << Num(kEStep * 1e3) << " mV steps (" << c.points << " points) at "
     << Num(kRates[0]) << ", " << Num(kRates[1]) << ", " << Num(kRates[2]) << " and "
     << Num(kRates[3]) << " V/s, simulated once without noise. Each of " << c.copies
     << " copies adds to every point of every curve Gaussian noise of deviation "
     << Format("%.4g", c.noise) << " A (" << Num(kNoiseShare * 100)
     << " % of the slowest scan's largest current, " << Format("%.4g", c.slowestPeak)
     << " A), drawn from std::mt19937_64 seeded " << kSeed
     << " + the copy's number, so the truth is known. Each copy is fitted jointly (E0, ks, "
        "alpha and D of A shared by the four curves, weighting noise) and each of its scan "
        "rates alone (the same four parameters), all from E0 "
     << Num(kStart[0]) << " V, ks " << Num(kStart[1]) << " cm/s, alpha " << Num(kStart[2]) << ", D "
     << Num(kStart[3]) << " cm2/s (bounds " << Num(kLower[0]) << " to " << Num(kUpper[0]) << " V, "
     << Num(kLower[1]) << " to " << Num(kUpper[1]) << " cm/s, " << Num(kLower[2]) << " to "
     << Num(kUpper[2]) << ", " << Num(kLower[3]) << " to " << Num(kUpper[3])
     << " cm2/s); D of B stays at its true value.\n\n"
        "Coverage is the share of fits whose interval, fitted value +- t(0.975, M - N) sigma "
        "of the fit statistics, holds the true value: near 95 % for honest intervals. Over "
     << c.copies << " fits a true 95 % scatters by "
     << Format("%.1f", 100 * std::sqrt(0.95 * 0.05 / c.copies)) << " points (one binomial "
     << "standard error), over the " << kCoverageRates * c.copies << " pooled fits alone by "
     << Format("%.1f", 100 * std::sqrt(0.95 * 0.05 / (kCoverageRates * c.copies)))
     << ". With z = (fitted - true) / sigma, honest standard errors give a mean |z| near "
        "0.80 (the mean of |N(0, 1)|, sqrt(2/pi)) and an rms z near 1. A fit whose statistics "
        "give a parameter no interval is left out of that parameter's count.\n\n";
}

}  // namespace

void WriteGlobalFitCoverageSection(std::ostream& md, const GlobalFitCoverage& c) {
  Setting(md, c);
  if (!c.refusal.empty()) {
    md << "No fit was made: " << c.refusal << ".\n\n";
    return;
  }
  md << "| Parameter | True value | Joint: coverage | Joint: mean abs z | Joint: rms z | "
        "Alone, pooled: coverage | Alone: mean abs z | Alone: rms z |";
  for (double rate : kRates) md << " Alone at " << Num(rate) << " V/s |";
  md << "\n|---|---|---|---|---|---|---|---|";
  for (int r = 0; r < kCoverageRates; ++r) md << "---|";
  md << '\n';
  for (std::size_t i = 0; i < kCoverageParameters; ++i) {
    IntervalTally pooled;
    for (const auto& rate : c.single) pooled.Add(rate[i]);
    md << "| " << kNames[i] << " | " << Num(kTruth[i]) << " | " << CoverageCell(c.global[i])
       << " | " << ZCells(c.global[i]) << " | " << CoverageCell(pooled) << " | " << ZCells(pooled)
       << " |";
    for (const auto& rate : c.single) md << ' ' << CoverageCell(rate[i]) << " |";
    md << '\n';
  }
  md << "\nFits that ended with a message instead of a report: joint " << c.globalEnded << " of "
     << c.copies << "; alone";
  for (int r = 0; r < kCoverageRates; ++r) {
    md << (r == 0 ? " " : ", ") << c.singleEnded[static_cast<std::size_t>(r)] << " at "
       << Num(kRates[r]) << " V/s";
  }
  md << ", each of " << c.copies << ".\n\n";
}

}  // namespace vorex::validation
