#pragma once

#include <array>

#include "analysis/column_operators.h"
#include "simulation/radial_diffusion.h"

// The radial part of an analytical sweep at a microdisc or a cylinder. The planar part comes
// from the semi-derivative of the step currents; what a curved electrode adds is, for each
// point's change of the surface state, its radial flux beyond Cottrell's for the time since that
// point began: n dC sqrt(D) g(t) (RadialTerm) for the change dC of the surface state. For a
// reversible couple this superposition is exact, as the problem is linear in the surface fraction.
namespace vorex {

struct RadialSweepWork {
  std::array<double, kMaxPoints + 1> kernel{};
  std::array<double, kMaxPoints + 1> change{};
  std::array<double, kMaxPoints + 1> sum{};
};

// Adds into work.sum (points 1..m) the radial current of one reaction whose planar step
// currents, taken at tStep, are `stepCurrent`; the points are dt apart in time. Raises
// RuntimeFault.
void AccumulateRadialSweep(ElectrodeShape shape, double rootD, double radius, double dt,
                           double tStep, ColumnRef stepCurrent, int m, RadialSweepWork& work);

}  // namespace vorex
