#include "shell/simulation_command.h"

#include <span>

#include "base/host.h"
#include "curves/curve_store.h"
#include "curves/shared_abscissa.h"
#include "experiment/experiment.h"
#include "plot/displayed_quantity.h"
#include "shell/shared_grid.h"
#include "simulation/simulation_run.h"

namespace vorex {
namespace {

// Copies the run into the curve store; only a run that got this far changes it. A run that joins
// curves already there has their potentials (checked before it ran) and keeps them as they are,
// so a measured curve keeps the potentials it was measured at.
void Commit(CurveLinks& l, const CurveSlot& slot, const SimulationOutcome& run,
            const SimulationWorkspace& w, const ParameterSet& p) {
  CurveStore& c = l.curves;
  const Programme& g = run.programme;
  const int reactions = p.ChargeReactionCount;
  const bool catalytic = !p.Digital && p.Mechanism == MechanismCode::Catalytic;
  const bool joins = !JoinedAbscissa(c, slot.currentCurve).empty();
  ApplyCurveSlot(l, slot);
  for (int i = 1; i <= g.pointCount; ++i) {
    if (!joins) c.Abscissa.Unchecked(i) = w.Abscissa.Unchecked(i);
    for (int j = 1; j <= reactions + 1; ++j) {
      c.SimulatedCurrent.Unchecked(i, j) = w.SimulatedCurrent.Unchecked(i, j);
    }
    if (catalytic) c.SimulatedCurrent.Unchecked(i, 7) = w.SimulatedCurrent.Unchecked(i, 7);
    if (p.Digital) {
      for (int s = 1; s <= p.SpeciesCount; ++s) {
        c.SurfaceConcentration.Unchecked(i, s) = w.SurfaceConcentration.Unchecked(i, s);
      }
    }
  }
  c.PointsPerSweep = g.pointsPerSweep;
  c.PointCount = g.pointCount;
  c.FirstPoint = 1;
  c.LastPoint = g.pointCount;
  c.YMax = run.yMax;
  c.YMin = run.yMin;
}

// The host's Cancel ends a run of its own. A fit's evaluation runs to its end, since the fit
// stops only between evaluations, but it still asks, so that the windows stay painted.
bool AskHost(void* host) {
  return static_cast<Host*>(host)->CancelRequested();
}

bool AskHostButFinish(void* host) {
  static_cast<Host*>(host)->CancelRequested();
  return false;
}

}  // namespace

bool Simulate(CurveLinks& l, SimulationWorkspace& w) {
  const ParameterSet& p = l.experiment.parameterSet;
  const CurveSlot slot = NextCurveSlot(l);
  Programme programme;
  try {
    programme = BuildPotentialProgramme(p, w.Abscissa);
  } catch (const RuntimeFault& fault) {
    l.host.Message(SimulationFaultMessage(fault.Description()), MessageKind::Critical);
    return false;
  }
  const std::span<const double> potentials(w.Abscissa.data() + 1,
                                           static_cast<std::size_t>(programme.pointCount));
  if (auto refused = RefusedProgramme(l, slot, p, potentials)) {
    l.host.Message(*refused, MessageKind::Warning);
    return false;
  }
  const CancelCheck cancel{l.fitting ? AskHostButFinish : AskHost, &l.host};
  const SimulationOutcome run = RunSimulation(p, programme, w, !l.fitting, cancel);
  if (run.cancelled) {
    l.host.MessageBox("The simulation was cancelled; the curves are as they were.");
    return false;
  }
  // A singular block may recur at every step of a run; the user is told once per run.
  if (run.singularBlock) l.host.Message("Error: inverse matrix D=0", MessageKind::Critical);
  if (run.fault) {
    l.host.Message(*run.fault, MessageKind::Critical);
    return false;
  }
  Commit(l, slot, run, w, p);
  // The parameter set is the one just made (or a fit's trial point), so the quantity is formed
  // from it without making it again from the settings.
  return FillCapturedQuantity(l);
}

}  // namespace vorex
