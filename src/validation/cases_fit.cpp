// Auto Fit: the minimum sum of squares reached from every start of a grid (fit_convergence.h).
#include "validation/fit_convergence.h"
#include "validation/validation_case.h"

namespace vorex::validation {

void AddFitCases(std::vector<Case>& cases) {
  cases.push_back({.name = "fit.quasireversible.starts",
                   .group = "Auto Fit",
                   .setting =
                       "cycle, mechanism 1, E0 0.217 V, ks 1e-3 cm/s, alpha 0.48, 4 mM, 1 % noise; "
                       "E0, ks, alpha and C fitted from ks 1e-5..1 cm/s and alpha 0.3..0.7",
                   .merit = "largest sum of squares over the minimum, less 1",
                   .unit = Unit::Relative,
                   .theory = 0,
                   .source = "the minimum: the fit started at the simulated values",
                   .tolerance = 1e-3,
                   .measure =
                       [](Runs&, Mode mode) {
                         if (mode == Mode::Analytical) {
                           return Measurement{std::nullopt, "fitted in the digital mode only"};
                         }
                         const FitConvergence& grid = FitStartGrid();
                         const auto worst = grid.WorstExcess();
                         if (!worst)
                           return Measurement{std::nullopt, "a fit gave no sum of squares"};
                         return Measurement{*worst, ""};
                       },
                   .required = kDigital,
                   .quick = true});
}

}  // namespace vorex::validation
