#pragma once

#include "base/fixed_storage.h"
#include "curves/curve_store.h"
#include "simulation/digital_simulation.h"
#include "simulation/radial_sweep.h"
#include "simulation/square_wave_work.h"

namespace vorex {

// Where a run builds its programme and currents. The curve store receives them only when the
// whole run has succeeded, so a failed run leaves the curves, their abscissa and the raw
// currents as they were. Allocated once with the state.
struct SimulationWorkspace {
  FixedArray<double, kMaxPoints> Abscissa;
  FixedMatrix<double, kMaxPoints, 7> SimulatedCurrent;
  FixedMatrix<double, kMaxPoints, kMaxNetworkSpecies> SurfaceConcentration;  // species 1..8 [M]
  DigitalWork digital;
  SquareWaveWork squareWave;
  RadialSweepWork radialSweep;
};

}  // namespace vorex
