#include "validation/fit_convergence.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "validation/case_helpers.h"
#include "validation/program_run.h"

namespace vorex::validation {
namespace {

constexpr double kE0 = 0.217, kKs = 1e-3, kAlpha = 0.48, kC = 4e-3, kDiffusion = 7e-6;
// The starts of E° and C: 17 mV and a quarter off, as read from a curve by eye.
constexpr double kE0Start = 0.2, kCStart = 3e-3;

// The dialog's cyclic programme: 0.617 V down to -0.181 V and back at 0.1 V/s in 2 mV steps,
// 400 points a sweep, 800 in all. A measured two-vertex programme replaces this here.
Setup CyclicProgramme() {
  Setup s = Programme(1, kE0 + 0.4, kE0 - 0.398, 0.002, 0.1);
  return s.Set("ComboScan", "cycle");
}

// The fit slots Auto Fit fits (E°, ks, alpha, C) with their bounds, wide enough for every start.
// The fitted background's slots join these when the settings have them.
struct Slot {
  int slot;
  const char* control;
  double low, high;
};
constexpr Slot kFitted[] = {{11, "Eze(1)", -0.2, 0.6},
                            {5, "ks(1)", 1e-6, 10},
                            {8, "alph(1)", 0.1, 0.9},
                            {1, "C(1)", 1e-4, 1e-1}};

// The curve simulated with noise, then Auto Fit from the starts.
Setup FitFrom(double ks, double alpha, double e0, double c) {
  Setup s = CyclicProgramme();
  s.Set("Eze(1)", Text(kE0)).Set("ks(1)", Text(kKs)).Set("alph(1)", Text(kAlpha));
  s.Set("C(1)", Text(kC)).Set("D(1)", Text(kDiffusion)).Set("D(2)", Text(kDiffusion));
  s.Set("Noise", "1");
  s.Then("mnuExperimental");
  const double start[] = {e0, ks, alpha, c};
  for (int k = 0; k < 4; ++k) {
    const Slot& f = kFitted[k];
    const std::string slot = "(" + std::to_string(f.slot) + ")";
    s.Then(std::string("FormExpr.") + f.control + " = " + Text(start[k]));
    s.Then("FormExpr.CheckFitted" + slot + " = 1");
    s.Then("FormExpr.TextCmin" + slot + " = " + Text(f.low));
    s.Then("FormExpr.TextCmax" + slot + " = " + Text(f.high));
  }
  return s.Then("click FormExpr.CmdOK").Then("mnuAutoFit");
}

FitStartOutcome Run(double ks, double alpha, double e0, double c) {
  FitStartOutcome o{ks, alpha, std::nullopt, 0, ""};
  const RunResult run = RunProgram(FitFrom(ks, alpha, e0, c), Mode::Digital);
  if (!run.ok()) {
    o.refusal = run.refusal;
    return o;
  }
  try {
    o.sumOfSquares = Printed(run, "Least square = ", "Least square = ");
    o.iterations = static_cast<int>(Printed(run, "No. of iteration = ", "No. of iteration = "));
  } catch (const std::runtime_error& e) {
    o.refusal = e.what();
  }
  return o;
}

FitConvergence MakeGrid() {
  FitConvergence g;
  g.ksStarts = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1};
  g.alphaStarts = {0.3, 0.4, 0.5, 0.6, 0.7};
  const FitStartOutcome truth = Run(kKs, kAlpha, kE0, kC);
  g.minimum = truth.sumOfSquares;
  g.minimumIterations = truth.iterations;
  g.refusal = truth.refusal;
  for (double ks : g.ksStarts) {
    for (double alpha : g.alphaStarts) g.outcomes.push_back(Run(ks, alpha, kE0Start, kCStart));
  }
  return g;
}

std::string Cell(const FitConvergence& g, const FitStartOutcome& o) {
  if (!o.sumOfSquares || !g.minimum) return "no fit: " + o.refusal;
  char text[64];
  std::snprintf(text, sizeof text, "%+.1e (%d)", *o.sumOfSquares / *g.minimum - 1, o.iterations);
  return text;
}

}  // namespace

std::optional<double> FitConvergence::WorstExcess() const {
  if (!minimum || outcomes.empty()) return std::nullopt;
  double worst = 0;
  for (const FitStartOutcome& o : outcomes) {
    if (!o.sumOfSquares) return std::nullopt;
    worst = std::max(worst, *o.sumOfSquares / *minimum - 1);
  }
  return worst;
}

const FitConvergence& FitStartGrid() {
  static const FitConvergence grid = MakeGrid();
  return grid;
}

void WriteFitConvergenceSection(std::ostream& md, const FitConvergence& g) {
  md << "## Auto Fit from distant starts\n\n"
     << "A quasi-reversible cyclic voltammogram in the digital mode: mechanism E, planar "
        "electrode, E0 "
     << Num(kE0) << " V, ks " << Num(kKs) << " cm/s, alpha " << Num(kAlpha) << ", C "
     << Num(kC * 1e3) << " mM, D " << Num(kDiffusion)
     << " cm2/s for both species, 0.617 V to -0.181 V and back at 0.1 V/s in 2 mV steps (800 "
        "points), simulated with the program's noise of 1 %. Auto Fit fits E0, ks, alpha and C "
        "(bounds -0.2 to 0.6 V, 1e-6 to 10 cm/s, 0.1 to 0.9, 0.1 to 100 mM) from E0 "
     << Num(kE0Start) << " V, C " << Num(kCStart * 1e3)
     << " mM and each ks and alpha start of the table. The minimum sum of squares is that of "
        "a fit started at the simulated values";
  if (!g.minimum) {
    md << ", which gave none: " << g.refusal << "\n\n";
    return;
  }
  char minimum[32];
  std::snprintf(minimum, sizeof minimum, "%.6g", *g.minimum);
  md << ": " << minimum << " A2 after " << g.minimumIterations
     << " iterations. Each cell is the reached sum of squares over the minimum, less 1, and "
        "(in brackets) the iterations; the target is at most 1e-3.\n\n";
  md << "| ks start (cm/s) \\ alpha start |";
  for (double alpha : g.alphaStarts) md << ' ' << Num(alpha) << " |";
  md << "\n|---|";
  for (std::size_t k = 0; k < g.alphaStarts.size(); ++k) md << "---|";
  md << '\n';
  std::size_t at = 0;
  for (double ks : g.ksStarts) {
    md << "| " << Num(ks) << " |";
    for (std::size_t k = 0; k < g.alphaStarts.size(); ++k)
      md << ' ' << Cell(g, g.outcomes[at++]) << " |";
    md << '\n';
  }
  md << '\n';
}

}  // namespace vorex::validation
