#include "simulation/simulate.h"

#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/host.h"
#include "curves/curve_store.h"
#include "curves/displayed_quantity.h"
#include "curves/shared_abscissa.h"
#include "experiment/experiment.h"
#include "simulation/digital_simulation.h"
#include "simulation/noise.h"
#include "simulation/shared_grid.h"

namespace vorex {
namespace {

// Double-layer charging current Ic = Cdl A v: its sign follows each sweep's direction in a
// cycle, a single linear sweep carries it throughout, and the other techniques see it grow
// with the distance from the starting potential.
void AddChargingCurrent(const ParameterSet& p, const Programme& g, SimulationWorkspace& w) {
  if (!(p.Cdl > 0)) return;
  const double ic = Finite(p.Cdl * p.Area * p.ScanRate);
  const int total = p.ChargeReactionCount + 1;
  const int n = g.pointsPerSweep;
  for (int i = 1; i <= g.pointCount; ++i) {
    double& y = w.SimulatedCurrent.Unchecked(i, total);
    if (p.ScanCount == 1 || p.ScanCount == 2) {
      const bool forward = i <= n || (i > 2 * n && i <= 3 * n);
      y = Finite(y - ic * (forward ? g.direction : -g.direction));
    } else if (p.Technique == 1) {
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

// Copies the run into the curve store; only a run that got this far changes it. A run that joins
// curves already there has their potentials (checked before it ran) and keeps them as they are,
// so a measured curve keeps the potentials it was measured at.
void Commit(CurveLinks& l, const CurveSlot& slot, const Programme& g, const SimulationWorkspace& w,
            int reactions, bool catalytic) {
  CurveStore& c = l.curves;
  const bool joins = !JoinedAbscissa(c, slot.currentCurve).empty();
  ApplyCurveSlot(l, slot);
  for (int i = 1; i <= g.pointCount; ++i) {
    if (!joins) c.Abscissa.Unchecked(i) = w.Abscissa.Unchecked(i);
    for (int j = 1; j <= reactions + 1; ++j) {
      c.SimulatedCurrent.Unchecked(i, j) = w.SimulatedCurrent.Unchecked(i, j);
    }
    if (catalytic) c.SimulatedCurrent.Unchecked(i, 7) = w.SimulatedCurrent.Unchecked(i, 7);
  }
  c.PointsPerSweep = g.pointsPerSweep;
  c.PointCount = g.pointCount;
  c.FirstPoint = 1;
  c.LastPoint = g.pointCount;
}

void CommitSurface(CurveLinks& l, const Programme& g, const SimulationWorkspace& w, int species) {
  for (int i = 1; i <= g.pointCount; ++i) {
    for (int s = 1; s <= species; ++s) {
      l.curves.SurfaceConcentration.Unchecked(i, s) = w.SurfaceConcentration.Unchecked(i, s);
    }
  }
}

// A singular block may recur at every step of a run; the user is told once per run.
void ReportSingularBlock(CurveLinks& l, SimulationWorkspace& w) {
  if (!w.digital.report.singular) return;
  w.digital.report.singular = false;
  l.host.MessageBox("Error: inverse matrix D=0");
}

}  // namespace

bool Simulate(CurveLinks& l, SimulationWorkspace& w) {
  const ParameterSet& p = l.experiment.parameterSet;
  const bool digital = p.Digital != 0;
  w.digital.report = SolverReport{};
  try {
    const CurveSlot slot = NextCurveSlot(l);
    const Programme g = BuildPotentialProgramme(p, w.Abscissa);
    if (auto refused =
            RefusedProgramme(l, slot, p,
                             std::span<const double>(w.Abscissa.data() + 1,
                                                     static_cast<std::size_t>(g.pointCount)))) {
      l.host.MessageBox(*refused);
      return false;
    }
    const int reactions = p.ChargeReactionCount;
    if (reactions < 1 || reactions > 3) throw RuntimeFault(kSubscriptOutOfRange);
    const int total = reactions + 1;
    for (int i = 1; i <= g.pointCount; ++i) {
      for (int j = 1; j <= total; ++j) w.SimulatedCurrent.Unchecked(i, j) = 0;
    }
    if (digital) {
      RunDigitalSimulation(p, l.experiment.formExpr.Ru().Text(), g, w, w.digital);
      ReportSingularBlock(l, w);
    } else {
      EvaluateAnalytical(p, g, w);
    }
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
    if (p.NoisePercent > 0 && !l.fitting) AddNoise(p, g, w, peak);

    Commit(l, slot, g, w, reactions, !digital && p.Mechanism == 9);
    if (digital) CommitSurface(l, g, w, p.SpeciesCount);
    l.curves.YMax = yMax;
    l.curves.YMin = yMin;
  } catch (const RuntimeFault& fault) {
    ReportSingularBlock(l, w);
    l.host.MessageBox("Analytical simulation Error: " + fault.Description() +
                      "! Please try again by other initial values.");
    return false;
  }
  return FillDisplayedQuantity(l);
}

}  // namespace vorex
