#include "simulation/simulation_run.h"

#include <cmath>

#include "base/checked_math.h"
#include "simulation/analytical_evaluation.h"
#include "simulation/digital_simulation.h"
#include "simulation/noise.h"

namespace vorex {
namespace {

// Double-layer charging current Ic = Cdl A v: its sign follows each sweep's direction in a
// cycle and in a measured programme, a single linear sweep carries it throughout, and the other
// techniques see it grow with the distance from the starting potential. A digital sweep behind a
// resistance has worked it out step by step with the drop it makes.
void AddChargingCurrent(const ParameterSet& p, const Programme& g, SimulationWorkspace& w) {
  if (!(p.Cdl > 0)) return;
  const int total = p.ChargeReactionCount + 1;
  if (ChargesWithinSteps(p)) {
    for (int i = 1; i <= g.pointCount; ++i) {
      double& y = w.SimulatedCurrent.Unchecked(i, total);
      y = Finite(y + w.digital.charging[static_cast<std::size_t>(i)]);
    }
    return;
  }
  const double ic = Finite(p.Cdl * p.Area * p.ScanRate);
  const int n = g.pointsPerSweep;
  for (int i = 1; i <= g.pointCount; ++i) {
    double& y = w.SimulatedCurrent.Unchecked(i, total);
    if (g.measured) {
      y = Finite(y - ic * SweepDirectionAt(w.Abscissa, g.pointCount, i));
    } else if (p.ScanCount == 1 || p.ScanCount == 2) {
      const bool forward = i <= n || (i > 2 * n && i <= 3 * n);
      y = Finite(y - ic * (forward ? g.direction : -g.direction));
    } else if (p.Technique == TechniqueCode::LinearSweep) {
      y = Finite(y - ic * g.direction);
    } else {
      y = Finite(y + ic * (w.Abscissa.Unchecked(1) - w.Abscissa.Unchecked(i)));
    }
  }
}

void AddNoise(const ParameterSet& p, const Programme& g, SimulationWorkspace& w, double peak) {
  const int total = p.ChargeReactionCount + 1;
  const double amplitude = 0.0025 * p.NoisePercent * peak;
  NoiseGenerator noise(g.pointCount);
  for (int i = 1; i <= g.pointCount; ++i) {
    double& y = w.SimulatedCurrent.Unchecked(i, total);
    y = Finite(y + amplitude * noise.Gaussian());
  }
}

// The currents of every reaction, their total and what the mode and the instrument add to it.
// A cancelled run stops before the post-processing: nothing after it would be kept.
void Compute(const ParameterSet& p, const Programme& g, SimulationWorkspace& w, bool noise,
             CancelCheck cancel, SimulationOutcome& outcome) {
  const bool digital = p.Digital;
  const int reactions = p.ChargeReactionCount;
  const int most = p.Mechanism == MechanismCode::Written ? kMaxNetworkTransfers : 3;
  if (reactions < 1 || reactions > most) throw RuntimeFault(kSubscriptOutOfRange);
  const int total = reactions + 1;
  for (int i = 1; i <= g.pointCount; ++i) {
    for (int j = 1; j <= total; ++j) w.SimulatedCurrent.Unchecked(i, j) = 0;
  }
  if (digital) {
    outcome.cancelled = !RunDigitalSimulation(p, g, w, w.digital, cancel);
    outcome.singularBlock = w.digital.report.singular;
  } else {
    EvaluateAnalytical(p, g, w);
    outcome.cancelled = cancel();
  }
  if (outcome.cancelled) return;
  for (int i = 1; i <= g.pointCount; ++i) {
    double sum = 0;
    for (int j = 1; j <= reactions; ++j) sum += w.SimulatedCurrent.Unchecked(i, j);
    w.SimulatedCurrent.Unchecked(i, total) = Finite(sum);
  }
  if (!digital) PostProcessAnalytical(p, g, w);
  AddChargingCurrent(p, g, w);

  double yMax = 0, yMin = 0;
  for (int i = 1; i <= g.pointCount; ++i) {
    const double y = w.SimulatedCurrent.Unchecked(i, total);
    if (y > yMax) yMax = y;
    if (y < yMin) yMin = y;
  }
  const double peak = std::fabs(yMin) > std::fabs(yMax) ? yMin : yMax;
  if (p.NoisePercent > 0 && noise) AddNoise(p, g, w, peak);
  outcome.yMax = yMax;
  outcome.yMin = yMin;
}

}  // namespace

std::string SimulationFaultMessage(const std::string& description) {
  return "Analytical simulation Error: " + description +
         "! Please try again by other initial values.";
}

SimulationOutcome RunSimulation(const ParameterSet& p, const Programme& programme,
                                SimulationWorkspace& work, bool noise, CancelCheck cancel) {
  SimulationOutcome outcome;
  outcome.programme = programme;
  work.digital.report = SolverReport{};
  try {
    Compute(p, programme, work, noise, cancel, outcome);
  } catch (const RuntimeFault& fault) {
    outcome.singularBlock = work.digital.report.singular;
    outcome.fault = SimulationFaultMessage(fault.Description());
  }
  return outcome;
}

SimulationOutcome RunSimulation(const ParameterSet& p, SimulationWorkspace& work, bool noise,
                                CancelCheck cancel) {
  Programme programme;
  try {
    programme = BuildPotentialProgramme(p, work.Abscissa);
  } catch (const RuntimeFault& fault) {
    SimulationOutcome outcome;
    outcome.fault = SimulationFaultMessage(fault.Description());
    return outcome;
  }
  return RunSimulation(p, programme, work, noise, cancel);
}

}  // namespace vorex
