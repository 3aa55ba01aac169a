#pragma once

#include "experiment/parameter_set.h"
#include "simulation/implicit_solver.h"
#include "simulation/step_operator.h"
#include "simulation/surface_kinetics.h"

// An implicit step of an electrode behind the uncompensated resistance Ru. The programme applies
// E; the interface sees u = E + Ru I, with I the current of the same step, reduction positive (a
// cathodic current holds the interface above the programme): the faradaic current at u and,
// with the double layer C in the circuit, its charging current -C (u - u_before) / dt. The step
// solves
//   F(u) = u - E - Ru (I_f(u) + lead (I_f(u) - I_f,before) - C (u - u_before) / dt) = 0
// by Newton's method, where `lead` carries the faradaic current on by that fraction of a step
// (see OhmicDemand). The faradaic current falls as u rises, so F rises at least as fast as u: the
// root is unique, and a Newton step taken with a slope of at least one never goes past it by
// more than it was away. Trials on both sides of the root bound it, and a Newton step that leaves
// those bounds gives way to bisection, so the trials cannot cycle. Only the surface closure
// depends on u: the right-hand sides and the eliminated blocks are made once a step.
namespace vorex {

// What stays through a run.
struct OhmicCell {
  const ParameterSet* p = nullptr;
  int nh = 0;                 // charge reactions
  int n = 0;                  // species - 1
  int nodes = 0;              // N
  const double* g = nullptr;  // distance to node 1 over D_s [s/cm]
  double q = 0;               // current per unit of net rate [A s/cm]
  double ru = 0;              // [ohm]
  SurfaceSlopes slopes;
  Chemistry chemistry{MechanismCode::E};  // the run's, set with the slopes
};

// What changes from step to step.
struct OhmicDemand {
  double applied = 0;      // E [V]
  double guess = 0;        // the first trial u [V]
  double before = 0;       // u at the start of the step [V]
  double capacitance = 0;  // Cdl A [F]; 0 leaves the double layer out
  double dt = 0;           // [s]
  // A backward-Euler step gives, for diffusion to a plane, the current of a quarter step before
  // its end: its operator (1 - z)^1/2 / dt^1/2 on the surface concentrations is the
  // semi-derivative delayed by dt / 4. The potential is that of the step's end, so a sweep takes
  // the drop of the current carried a quarter step on, lead 1/4 with the last step's faradaic
  // current; the curve with a resistance then carries the step error of the curve without. An
  // extrapolated (second-order) step has no such delay: lead 0.
  double lead = 0;
  double faradaicBefore = 0;  // [A]
};

struct OhmicOutcome {
  double u = 0;                       // the interfacial potential [V]
  double reaction[kTransferSlots]{};  // the current of each charge reaction 1..nh [A]
  double faradaic = 0;                // their sum [A]
  double charging = 0;                // [A]
};

// Advances c by one step of `op` with the electrode at the potential the step's current leaves
// it, and gives that potential with the step's currents. When a Newton correction is so small
// that the step's linear system moves with u along its tangent to within 1e-9 of itself, it is
// taken along the tangent rather than by closing the surface again. s is left with surface rows
// of the search. The caller writes any terms linearised on the profile into op beforehand, as for
// SolveImplicitStep. Raises RuntimeFault when the rate constants overflow or no potential within
// reach balances the drop.
OhmicOutcome SolveOhmicStep(const OhmicCell& cell, const OhmicDemand& demand, StepOperator& op,
                            SpeciesNode& c, NodeSpecies& x, Block& s, const Block& s0,
                            SolverReport& report);

}  // namespace vorex
