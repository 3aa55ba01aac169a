#pragma once

#include "analysis/column_operators.h"
#include "simulation/analytical_currents.h"
#include "simulation/radial_diffusion.h"

// Differential pulse and square wave in the analytical mode: the currents of the programme's
// own waveforms, built by superposing step currents. For a reversible couple at a plane or a
// sphere this is exact, because the diffusion problem is then linear in the surface fraction
// that the potential fixes; with slow kinetics it is an approximation.
namespace vorex {

// The times of one differential-pulse point: a fresh drop held at E until `prePulse`, then
// pulsed for `pulse` to the end of the drop `drop`; the radial terms at those times.
struct DifferentialPulseTimes {
  double drop = 0, prePulse = 0, pulse = 0;
  RadialTerms gDrop, gPrePulse, gPulse;
};
// The pulse lasts t pulse, or the whole drop when that is shorter.
DifferentialPulseTimes DifferentialPulseTimesFor(ElectrodeShape shape, double rootDOx,
                                                 double rootDRed, double radius, double tDrop,
                                                 double tPulse);

// I(end of drop) - I(before the pulse), in the step currents' unit; with no time before the
// pulse, the current at the end of the drop.
double DifferentialPulseCurrent(const Couple& k, double e, double pulse,
                                const DifferentialPulseTimes& t, const CurrentContext& c);

// Storage of the square wave's half periods, allocated once with the workspace.
struct SquareWaveWork;

// Square wave over the base potentials base[1..points]: at each, a half period tp at
// base - ePulse/2 then one at base + ePulse/2, without a rest between points; out[p] is the
// current at the end of the second half minus that at the end of the first. `g` is the radial
// term at tp. Raises RuntimeFault.
void SquareWaveCurrents(const Couple& k, const AbscissaArray& base, int points, double ePulse,
                        double tp, RadialTerms g, const CurrentContext& c, SquareWaveWork& work,
                        ColumnRef out);

}  // namespace vorex
