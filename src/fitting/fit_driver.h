#pragma once

#include <optional>
#include <string>
#include <vector>

#include "experiment/network_equilibrium.h"
#include "experiment/parameter_set.h"
#include "fitting/fit_statistics.h"
#include "fitting/marquardt.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// A fit ends after this many iterations at the most.
inline constexpr int kMaxFitIterations = 51;
// The convergence flag of a fit the user cancelled while it iterated, where the iteration itself
// gives -2 or -1 (converged) or 1 (went on until the iteration limit).
inline constexpr int kCancelledFlag = 0;

// What the fit commands keep from one to the next and while one runs: the fitted indices and the
// counters of the last fit, the problem's storage (allocated once with the program), the residual
// and the measured curve.
struct FitRun {
  FixedArray<int, kMaxFitParameters> FitIndexList{};  // fit indices 1..38 of the parameters
  int FitCount = 0;
  int ObjectiveCount = 0;
  double DataSigma = 0;
  // At most this many simulations in one fit, 0 for no limit: a bound on the cost of a fit for
  // a caller that must not wait long (the fuzzer). A fit that reaches it ends with a message.
  int evaluationBudget = 0;
  FitProblem problem;
  // An Auto Fit is iterating: the plot shows the curve of its last accepted point, drawn as each
  // iteration ends, and is not drawn again from the store meanwhile.
  bool running = false;
  // The measured curve less the fitted one, points 1..residualCount, from the last fit that
  // ended with a report (0 points when there is none).
  PointVector residual;
  int residualCount = 0;
  bool cancelled = false;  // the last fit was cancelled: its report ends with the line saying so
  // The values the last fit that ended with a report found for its parameters 1..fittedCount
  // (fit indices FitIndexList), for the user to accept into the dialog; none otherwise.
  ParameterVector fitted;
  int fittedCount = 0;
  // The ordinates an Auto Fit fits to.
  PointVector measured;
  // A fit command runs: every simulation goes into curve 2, beside the measured curve 1.
  bool fitting = false;
};

// What to fit: parameters 1..count with their fit indices (1..38, see FitParameter), start
// values, bounds and scales.
struct FitSetup {
  int count = 0;
  FixedArray<int, kMaxFitParameters> index{};
  ParameterVector start, lower, upper;
  // Stepped on a logarithmic scale where the lower bound is positive (see FitProblem::logScale);
  // FitSetupFor marks the slots PositiveScaleSlot names.
  FixedArray<bool, kMaxFitParameters> logScale{};
  int evaluationBudget = 0;   // at most this many simulations, 0 for no limit
  int backgroundDegree = -1;  // a polynomial in E fitted with the rest; -1 for none
  // The names the report gives parameters 1..count, when not those of their fit indices (a joint
  // fit names a curve's own parameters by their curve).
  std::vector<std::string> names;
  // A written mechanism pre-equilibrated at the start: the network and the analytical
  // concentrations its initial state is formed from again at every trial, since the trial's
  // E0, n, kf and kb (and a fitted concentration, the analytical one) move that state.
  std::optional<NetworkEquilibriumInputs> equilibrium;
};

// The initial concentrations of a written mechanism's trial under pre-equilibration (see
// FitSetup::equilibrium), shown to four digits as the dialog shows those of the capture; raises
// RuntimeFault when no equilibrium is formed.
void Reequilibrate(const FitSetup& setup, ParameterSet& p);

// The report's name of parameter i (1..count) of the setup.
std::string FitSetupName(const FitSetup& setup, int i);

// A model ends the fit by throwing this; an empty message when the model has said why itself.
struct FitAborted {
  std::string message;
};

// Told as each iteration ends, before the next begins (the problem then holds the accepted point
// in x and its model in f), and asked whether to stop.
class FitObserver {
 public:
  virtual ~FitObserver() = default;
  virtual void IterationEnded(int iteration, double sumOfSquares) = 0;
  // Asked before every evaluation of the model but the first: true ends the fit there, at the
  // last accepted point (see FitResult::cancelled), without waiting for the iteration to end.
  virtual bool Cancelled() { return false; }
};

// The outcome of a fit. A fit that ended with a report has no message; one that a fault or the
// model ended has the message the user reads ("Fit Error: ...! Please try again by other initial
// values.", or the model's own) and no report. A cancelled fit ends with a report too.
struct FitResult {
  std::optional<std::string> message;
  ParameterVector initial;  // the start values as given (before they were put within bounds)
  ParameterVector start;    // where the iteration started: the start values within the bounds
  ParameterVector fitted;
  double sumOfSquares = 0;
  double variance = 0;  // of the measured ordinates about their mean
  int convergenceFlag = 0;
  int iterations = 0;
  int objectiveCount = 0;
  int marquardtCount = 0;
  double seconds = 0;
  std::vector<double> iterationSumOfSquares;  // one per iteration, in order
  // The observer cancelled the fit: it ended at the last accepted point (the start, within its
  // bounds, when no iteration had ended), which fitted, sumOfSquares and convergenceFlag describe
  // as a fit stopped after `iterations` iterations would; the counters tell the work done. The
  // statistics are there only when the derivatives at that point already were.
  bool cancelled = false;
  // The linearised statistics at the solution, for a fit that ended with a report; when the
  // extra simulations they need fail, none, and the reason.
  std::optional<FitStatistics> statistics;
  std::string statisticsUnavailable;
};

// The start value of fit index k: the parameter set's field when the mechanism uses it, else 0.
double FitStartValue(const ParameterSet& p, int k);
// The mechanism of the parameter set has the species or reaction of fit index k (always for Cdl
// and Ru; never outside 1..38).
bool FitSlotUsed(const ParameterSet& p, int k);

// Fits the model to y(1..m) within the bounds by Marquardt iterations (at most 51), in the
// problem's storage, then forms the statistics at the solution. Leaves problem.f the model at
// the fitted values (and the model evaluated there last, also after a cancel: one more
// evaluation when the cancel came elsewhere). Prints and shows nothing.
FitResult RunFit(const FitSetup& setup, const PointVector& y, int m, FitModelFunction& model,
                 FitProblem& problem, FitObserver* observer = nullptr);

// The model of a fit from settings alone: the trial values into a copy of the parameter set, one
// simulation, its total current [A] at points 1..m. A simulation that fails ends the fit with its
// message.
class SimulationFitModel : public FitModelFunction {
 public:
  SimulationFitModel(const ParameterSet& p, const FitSetup& setup, SimulationWorkspace& work)
      : p_(p), setup_(setup), work_(work) {}
  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override;
  // The parameter set of the last evaluation (the fitted one after a completed fit).
  const ParameterSet& parameters() const { return p_; }

 private:
  ParameterSet p_;
  const FitSetup& setup_;
  SimulationWorkspace& work_;
  int evaluations_ = 0;
};

}  // namespace vorex
