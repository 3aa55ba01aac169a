#pragma once

#include <array>
#include <ostream>
#include <string>

// How often the 95 % intervals of the fit statistics hold the values the curves were simulated
// with: a joint fit of four scan rates, and each scan rate fitted alone, over many copies of the
// curves with Gaussian noise of their own. A linearised interval that is honest holds the truth
// in about 95 % of the copies.
namespace vorex::validation {

inline constexpr int kCoverageRates = 4;       // 0.05, 0.1, 0.2, 0.5 V/s
inline constexpr int kCoverageParameters = 4;  // E0, ks, alpha, D of A

// One parameter over the fits of one kind.
struct IntervalTally {
  int held = 0;                         // fits whose interval holds the truth
  int measured = 0;                     // fits whose statistics gave the parameter an interval
  double sumAbsZ = 0, sumSquaredZ = 0;  // of z = (fitted - truth) / sigma over those fits

  void Add(double fitted, double truth, double sigma, double halfWidth);
  void Add(const IntervalTally& other);
};

struct GlobalFitCoverage {
  std::string refusal;  // why nothing was fitted; empty when the fits ran
  int copies = 0;
  int points = 0;          // of each curve
  double noise = 0;        // the deviation of the Gaussian noise [A]
  double slowestPeak = 0;  // the largest |I| of the slowest scan without noise [A]
  double area = 0;         // of the electrode [cm2]
  int globalEnded = 0;     // joint fits that ended with a message
  std::array<int, kCoverageRates> singleEnded{};
  std::array<IntervalTally, kCoverageParameters> global;
  std::array<std::array<IntervalTally, kCoverageParameters>, kCoverageRates> single;  // [rate][i]
  double seconds = 0;  // the time the fits took
  int threads = 0;     // the threads they ran on
};

// The fits, made once however often they are asked for.
const GlobalFitCoverage& GlobalFitCoverageRuns();

// The section of the report: the setting and the table of the coverages.
void WriteGlobalFitCoverageSection(std::ostream& md, const GlobalFitCoverage& coverage);

}  // namespace vorex::validation
