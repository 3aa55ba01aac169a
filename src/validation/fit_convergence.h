#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Auto Fit of E°, ks, alpha and C to a simulated quasi-reversible cyclic voltammogram with the
// program's noise, from a grid of ks and alpha starts, each made as a user would (the dialogs,
// Simulate, Auto Fit), against the minimum sum of squares: that of a fit started at the values
// the curve was simulated with.
namespace vorex::validation {

struct FitStartOutcome {
  double ks = 0, alpha = 0;            // the start
  std::optional<double> sumOfSquares;  // the "Least square" the report printed
  int iterations = 0;
  std::string refusal;  // why there is no sum of squares
};

struct FitConvergence {
  std::optional<double> minimum;
  int minimumIterations = 0;
  std::string refusal;  // why there is no minimum
  std::vector<double> ksStarts, alphaStarts;
  std::vector<FitStartOutcome> outcomes;  // ks by ks, alpha by alpha within each
  // The largest sum of squares of the starts over the minimum, less 1; none when a start or
  // the minimum has none.
  std::optional<double> WorstExcess() const;
};

// The grid's fits, made once however often they are asked for.
const FitConvergence& FitStartGrid();

// The section of the report: the setting, the table of the starts and what each reached.
void WriteFitConvergenceSection(std::ostream& md, const FitConvergence& grid);

}  // namespace vorex::validation
