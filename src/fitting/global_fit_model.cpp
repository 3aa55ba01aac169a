#include "fitting/global_fit_model.h"

#include <string>

namespace vorex {

// A curve's own fit: its parameter set, workspace and measured points, its simulation model and
// the background projection over it.
struct GlobalFitModel::Curve {
  Curve(const GlobalCurve& curve, const FitSetup& setup)
      : work(std::make_unique<SimulationWorkspace>()),
        points(static_cast<int>(curve.current.size())),
        simulation(curve.parameters, setup, *work),
        withBackground(simulation, &work->Abscissa(1) - 1, measured, curve.backgroundDegree),
        model(curve.backgroundDegree >= 0 ? static_cast<FitModelFunction&>(withBackground)
                                          : simulation) {
    for (int j = 1; j <= points; ++j) measured(j) = curve.current[static_cast<std::size_t>(j - 1)];
  }
  std::unique_ptr<SimulationWorkspace> work;
  int points;
  PointVector measured, ordinates;
  ParameterVector vector;
  SimulationFitModel simulation;
  BackgroundProjectedModel withBackground;
  FitModelFunction& model;
};

GlobalFitModel::GlobalFitModel(const std::vector<GlobalCurve>& curves,
                               const std::vector<FitSetup>& setups,
                               const std::vector<std::vector<int>>& columns,
                               const std::vector<double>& weights, WorkerPool& pool,
                               int evaluationBudget)
    : columns_(columns), weights_(weights), pool_(pool), evaluationBudget_(evaluationBudget) {
  int offset = 0;
  for (std::size_t c = 0; c < curves.size(); ++c) {
    curves_.push_back(std::make_unique<Curve>(curves[c], setups[c]));
    offsets_.push_back(offset);
    offset += curves_.back()->points;
  }
}

GlobalFitModel::~GlobalFitModel() = default;

void GlobalFitModel::Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) {
  if (evaluationBudget_ > 0 && ++evaluations_ > evaluationBudget_) {
    throw FitAborted{"Fit stopped: its budget of " + std::to_string(evaluationBudget_) +
                     " evaluations of the set is spent."};
  }
  const int count = static_cast<int>(curves_.size());
  if (count == 0 || offsets_.back() + curves_.back()->points < m) {
    throw RuntimeFault(kSubscriptOutOfRange);
  }
  for (int c = 0; c < count; ++c) {
    Curve& curve = *curves_[static_cast<std::size_t>(c)];
    const std::vector<int>& own = columns_[static_cast<std::size_t>(c)];
    for (std::size_t k = 0; k < own.size(); ++k) {
      curve.vector(static_cast<int>(k) + 1) = vector(own[k]);
    }
  }
  pool_.Run(count, [this](int c) {
    Curve& curve = *curves_[static_cast<std::size_t>(c)];
    try {
      curve.model.Evaluate(curve.vector, curve.points, curve.ordinates);
    } catch (FitAborted& aborted) {
      // A simulation's own message does not say which of the curves it ran.
      if (!aborted.message.empty()) {
        aborted.message = "Curve " + std::to_string(c + 1) + " of the set: " + aborted.message;
      }
      throw;
    }
  });
  for (int c = 0; c < count; ++c) {
    const Curve& curve = *curves_[static_cast<std::size_t>(c)];
    const double w = weights_[static_cast<std::size_t>(c)];
    const int offset = offsets_[static_cast<std::size_t>(c)];
    for (int j = 1; j <= curve.points && offset + j <= m; ++j) {
      ordinates(offset + j) = w * curve.ordinates(j);
    }
  }
  evaluated_ = true;
  last_ = vector;
}

void GlobalFitModel::EvaluateAtSolution(const ParameterVector& x, int n, int m,
                                        PointVector& ordinates) {
  bool there = evaluated_;
  for (int i = 1; i <= n && there; ++i) there = last_(i) == x(i);
  if (there) return;
  evaluationBudget_ = 0;
  Evaluate(x, m, ordinates);
}

const PointVector& GlobalFitModel::CurveOrdinates(int c) const {
  return curves_.at(static_cast<std::size_t>(c))->ordinates;
}

const std::array<double, 3>& GlobalFitModel::CurveBackground(int c) const {
  return curves_.at(static_cast<std::size_t>(c))->withBackground.Coefficients();
}

const ParameterSet& GlobalFitModel::CurveParameters(int c) const {
  return curves_.at(static_cast<std::size_t>(c))->simulation.parameters();
}

int GlobalFitModel::CurvePoints(int c) const {
  return curves_.at(static_cast<std::size_t>(c))->points;
}

}  // namespace vorex
