#include "fitting/fit_driver.h"

#include <chrono>
#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/number_format.h"
#include "base/number_text.h"
#include "experiment/fit_slot_quantity.h"
#include "experiment/settings_table.h"
#include "fitting/bounded_step.h"
#include "simulation/simulation_run.h"

namespace vorex {
namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The mean and the variance of the measured ordinates about it; a fit of no points is a
// division by zero.
double DataVariance(const PointVector& y, int m) {
  double mean = 0, variance = 0;
  for (int j = 1; j <= m; ++j) mean += y(j);
  mean = CheckedDivide(mean, m);
  for (int j = 1; j <= m; ++j) variance += (y(j) - mean) * (y(j) - mean);
  return Finite(variance / m);
}

// Thrown through the iteration when the observer cancels; never leaves RunFit.
struct FitCancelled {};

// The model as the fit calls it: asks the observer before every evaluation but the first (so a
// fit always knows the sum of squares of its start), and remembers where it evaluated last.
class CancellableModel : public FitModelFunction {
 public:
  CancellableModel(FitModelFunction& model, FitObserver* observer)
      : model_(model), observer_(observer) {}

  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override {
    if (evaluated_ && asking_ && observer_ != nullptr && observer_->Cancelled()) {
      throw FitCancelled{};
    }
    model_.Evaluate(vector, m, ordinates);
    evaluated_ = true;
    last_ = vector;
  }
  bool LastAt(const ParameterVector& x, int n) const {
    if (!evaluated_) return false;
    for (int i = 1; i <= n; ++i) {
      if (last_(i) != x(i)) return false;
    }
    return true;
  }
  void StopAsking() { asking_ = false; }

 private:
  FitModelFunction& model_;
  FitObserver* observer_;
  bool evaluated_ = false;
  bool asking_ = true;
  ParameterVector last_;
};

// The iterations, until converged, at the limit or cancelled. MarquardtStep writes x and the
// state's sum of squares and flag only as an iteration ends, so a cancel inside one leaves them
// those of the last accepted point.
void Iterate(FitProblem& problem, CancellableModel& model, FitObserver* observer,
             FitResult& result) {
  FitState state;
  try {
    do {
      MarquardtStep(problem, state, model);
      result.objectiveCount = problem.objectiveCount;
      ++result.iterations;
      result.iterationSumOfSquares.push_back(state.SumOfSquares);
      if (observer) observer->IterationEnded(result.iterations, state.SumOfSquares);
    } while (result.iterations < kMaxFitIterations && state.ConvergenceFlag > 0);
  } catch (const FitCancelled&) {
    result.cancelled = true;
  }
  result.sumOfSquares = state.SumOfSquares;
  // A cancelled iteration would have gone on: its own flag (1) would claim the iteration limit.
  result.convergenceFlag = result.cancelled ? kCancelledFlag : state.ConvergenceFlag;
  result.marquardtCount = state.MarquardtCount;
}

bool JacobianAtSolution(const FitProblem& problem) {
  if (!problem.jacobianEvaluated) return false;
  for (int i = 1; i <= problem.n; ++i) {
    if (problem.jacobianPoint(i) != problem.x(i)) return false;
  }
  return true;
}

void Statistics(const FitProblem& problem, FitResult& result) {
  try {
    result.statistics = ComputeFitStatistics(problem, result.sumOfSquares);
  } catch (const RuntimeFault& fault) {
    result.statisticsUnavailable = fault.Description();
  }
}

// A cancelled fit leaves what a finished one does, at its last accepted point: the model
// evaluated there last (once more when the cancel came elsewhere) and problem.f its curve. The
// statistics come only from derivatives already formed there: the user asked to stop, not to
// wait for 2N more simulations.
void EndCancelled(FitProblem& problem, CancellableModel& model, FitResult& result) {
  result.cancelled = true;
  model.StopAsking();
  if (!model.LastAt(problem.x, problem.n)) model.Evaluate(problem.x, problem.m, problem.f);
  if (problem.n == 0 || JacobianAtSolution(problem)) {
    Statistics(problem, result);
  } else {
    result.statisticsUnavailable =
        "the fit was cancelled before the derivatives at its last accepted point were formed";
  }
}

// A difference simulation for the statistics failed: the model last ran beside the solution, so
// what it leaves behind (the curve on the plot) would not be the fitted curve. It ran at the
// solution before, so it runs there again; if even that fails, problem.f keeps the fitted curve.
void ReturnToSolution(FitProblem& problem, CancellableModel& model) {
  if (model.LastAt(problem.x, problem.n)) return;
  model.StopAsking();
  try {
    model.Evaluate(problem.x, problem.m, problem.fPlus);
  } catch (const RuntimeFault&) {
  } catch (const FitAborted&) {
  }
}

// The statistics need J at the solution, but the iteration took its last Jacobian where that
// iteration began: it is reused only when the solution is that very point, otherwise formed
// again by the iteration's own central differences. The model is then evaluated at the solution
// once more, so that what it leaves behind (the curve on the plot) is the fitted curve.
void StatisticsAtSolution(FitProblem& problem, CancellableModel& model, FitResult& result) {
  try {
    if (problem.n > 0 && !JacobianAtSolution(problem)) {
      ParameterVector point = problem.x;
      CentralDifferenceJacobian(problem, point, model);
      model.Evaluate(problem.x, problem.m, problem.f);
    }
    Statistics(problem, result);
  } catch (const FitCancelled&) {
    EndCancelled(problem, model, result);
  } catch (const RuntimeFault& fault) {
    result.statisticsUnavailable = fault.Description();
    ReturnToSolution(problem, model);
  } catch (const FitAborted& aborted) {
    result.statisticsUnavailable =
        aborted.message.empty() ? "a simulation at the solution failed" : aborted.message;
    ReturnToSolution(problem, model);
  }
}

}  // namespace

std::string FitSetupName(const FitSetup& setup, int i) {
  if (i >= 1 && static_cast<std::size_t>(i) <= setup.names.size()) return setup.names[i - 1];
  return FitParameterName(setup.index(i));
}

double FitStartValue(const ParameterSet& p, int k) {
  return FitSlotUsed(p, k) ? FitParameter(p, k) : 0;
}

bool FitSlotUsed(const ParameterSet& p, int k) {
  if (k < 1 || k > kFitSlots) return false;
  const FitSlotQuantity slot = FitSlotQuantityOf(k);
  switch (slot.quantity) {
    case FitQuantity::C:
    case FitQuantity::D:
      return slot.row <= p.SpeciesCount;
    case FitQuantity::Ks:
    case FitQuantity::Alpha:
    case FitQuantity::E0:
      return slot.row <= p.ChargeReactionCount;
    case FitQuantity::Kf:
    case FitQuantity::Kb:
      return slot.row <= p.HomogeneousReactionCount;
    case FitQuantity::Cdl:
    case FitQuantity::Ru:
      break;
  }
  return true;
}

FitResult RunFit(const FitSetup& setup, const PointVector& y, int m, FitModelFunction& model,
                 FitProblem& problem, FitObserver* observer) {
  const auto start = std::chrono::steady_clock::now();
  FitResult result;
  problem.objectiveCount = 0;
  problem.jacobianEvaluated = false;
  try {
    problem.n = setup.count;
    problem.m = m;
    for (int i = 1; i <= setup.count; ++i) {
      result.initial(i) = setup.start(i);
      problem.xmin(i) = setup.lower(i);
      problem.xmax(i) = setup.upper(i);
      problem.logScale(i) = setup.logScale(i);
      problem.x(i) = MaxOf(problem.xmin(i), MinOf(problem.xmax(i), setup.start(i)));
      if (setup.logScale(i)) {
        problem.xmin(i) = LogScaleLowerBound(setup.lower(i), setup.upper(i), problem.x(i));
      }
      result.start(i) = problem.x(i);
    }
    for (int j = 1; j <= m; ++j) problem.y(j) = y(j);
    result.variance = problem.variance = DataVariance(y, m);
    problem.dataSigma = std::sqrt(result.variance);
    CancellableModel cancellable(model, observer);
    Iterate(problem, cancellable, observer, result);
    for (int i = 1; i <= setup.count; ++i) result.fitted(i) = problem.x(i);
    result.objectiveCount = problem.objectiveCount;
    result.seconds = Seconds(start);
    if (result.cancelled) {
      EndCancelled(problem, cancellable, result);
    } else {
      StatisticsAtSolution(problem, cancellable, result);
    }
    return result;
  } catch (const RuntimeFault& fault) {
    result.message =
        "Fit Error: " + fault.Description() + "! Please try again by other initial values.";
  } catch (const FitAborted& aborted) {
    result.message = aborted.message;
  }
  result.objectiveCount = problem.objectiveCount;
  result.seconds = Seconds(start);
  return result;
}

void Reequilibrate(const FitSetup& setup, ParameterSet& p) {
  NetworkEquilibriumInputs in = *setup.equilibrium;
  const ReactionNetwork& network = in.network;
  for (int j = 1; j <= network.transferCount; ++j) {
    in.n[static_cast<std::size_t>(j)] = p.N(j);
    in.e0[static_cast<std::size_t>(j)] = p.E0(j);
  }
  for (int k = 1; k <= network.stepCount; ++k) {
    in.kf[static_cast<std::size_t>(k)] = p.Kf(k);
    in.kb[static_cast<std::size_t>(k)] = p.Kb(k);
  }
  for (int i = 1; i <= setup.count; ++i) {
    const FitSlotQuantity slot = FitSlotQuantityOf(setup.index(i));
    if (slot.quantity == FitQuantity::C) {
      in.c[static_cast<std::size_t>(slot.row)] = FitParameter(p, setup.index(i));
    }
  }
  const auto c = NetworkPreEquilibrate(in);
  for (int s = 1; s <= network.species; ++s) {
    p.CInit(s) = NumericPrefix(FormatPattern(c[static_cast<std::size_t>(s)], "0.###e-#"));
  }
}

void SimulationFitModel::Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) {
  if (setup_.evaluationBudget > 0 && ++evaluations_ > setup_.evaluationBudget) {
    throw FitAborted{"Fit stopped: its budget of " + std::to_string(setup_.evaluationBudget) +
                     " simulations is spent."};
  }
  for (int k = 1; k <= setup_.count; ++k) FitParameter(p_, setup_.index(k)) = vector(k);
  if (setup_.equilibrium) Reequilibrate(setup_, p_);
  const SimulationOutcome run = RunSimulation(p_, work_, false);
  if (run.fault) throw FitAborted{*run.fault};
  if (run.programme.pointCount < m) throw RuntimeFault(kSubscriptOutOfRange);
  const int total = p_.ChargeReactionCount + 1;
  for (int j = 1; j <= m; ++j) ordinates(j) = work_.SimulatedCurrent(j, total);
}

}  // namespace vorex
