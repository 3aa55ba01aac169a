#pragma once

#include <memory>
#include <vector>

#include "base/worker_pool.h"
#include "fitting/background_projection.h"
#include "fitting/fit_driver.h"
#include "fitting/global_fit.h"
#include "simulation/simulation_workspace.h"

namespace vorex {

// The model of a joint fit: the joint vector shared out to every curve's own parameters, each
// curve simulated (on the pool's threads, each in a workspace of its own) with its background
// fitted where it has one, and the curves' ordinates laid end to end, each times its weight. A
// curve's result does not depend on the thread that computed it, so neither does the fit.
class GlobalFitModel : public FitModelFunction {
 public:
  // `columns[c]` lists, for curve c (0-based), the joint parameters that reach it, in the order
  // of its own setup `setups[c]`. Everything given must outlive the model.
  GlobalFitModel(const std::vector<GlobalCurve>& curves, const std::vector<FitSetup>& setups,
                 const std::vector<std::vector<int>>& columns, const std::vector<double>& weights,
                 WorkerPool& pool, int evaluationBudget);
  ~GlobalFitModel() override;

  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override;

  // Evaluates at x (parameters 1..n) unless the last evaluation was there, whatever is left of
  // the budget: a fit whose statistics a fault or the budget ended last evaluated beside its
  // solution, and the curves' results must be those of the solution.
  void EvaluateAtSolution(const ParameterVector& x, int n, int m, PointVector& ordinates);

  // After an evaluation: curve c's own model ordinates 1..points (unweighted), its background and
  // its parameter set at that evaluation's values.
  const PointVector& CurveOrdinates(int c) const;
  const std::array<double, 3>& CurveBackground(int c) const;
  const ParameterSet& CurveParameters(int c) const;
  int CurvePoints(int c) const;

 private:
  struct Curve;
  std::vector<std::unique_ptr<Curve>> curves_;
  const std::vector<std::vector<int>>& columns_;
  const std::vector<double>& weights_;
  WorkerPool& pool_;
  std::vector<int> offsets_;
  int evaluationBudget_;
  int evaluations_ = 0;
  bool evaluated_ = false;
  ParameterVector last_;  // where the last evaluation that ended was made
};

}  // namespace vorex
