#pragma once

#include <string>

#include "base/fixed_storage.h"
#include "experiment/reaction_network.h"

namespace vorex {

inline constexpr int kMaxPoints = 4000;
inline constexpr int kMaxCurves = 5;

// What a curve of the store holds, for its name in the plot's legend and its axis title: a
// simulation (or anything without a name of its own, "Curve n"), measured data, the fitted
// simulation, the current of one charge reaction of a separation, the residual of a fit, or a
// curve transformed by the Analysis menu, which no longer holds the plotted quantity itself.
enum class CurveRole : unsigned char {
  Simulated,
  Measured,
  Fitted,
  Reaction1,
  Reaction2,
  Reaction3,
  Residual,
  SemiDerivative,
  SemiIntegral,
  Derivative,
  Integral
};

// The role of the curve of charge reaction `reaction` (1..3) of a separation.
inline CurveRole ReactionRole(int reaction) {
  switch (reaction) {
    case 1:
      return CurveRole::Reaction1;
    case 2:
      return CurveRole::Reaction2;
    case 3:
      return CurveRole::Reaction3;
  }
  return CurveRole::Simulated;
}

// The curves the system shows and analyses: up to five curves over one common abscissa, with
// the per-reaction currents and surface concentrations of the last simulation.
struct CurveStore {
  FixedArray<double, kMaxPoints> Abscissa;               // potential of each point [V]
  FixedMatrix<double, kMaxPoints, kMaxCurves> Ordinate;  // the displayed curves 1..5
  // What curves 1..5 hold, for the legend: set where each is written.
  FixedArray<CurveRole, kMaxCurves> Role;
  // The legend's name of curves 1..5 when it is more than the role's own (what was simulated,
  // the measured file): set where each is written, or by the user; empty for the role's name.
  FixedArray<std::string, kMaxCurves> Name;
  // Column j: current of charge reaction j; column ChargeReactionCount + 1: the total;
  // column 7: scratch [A].
  FixedMatrix<double, kMaxPoints, 7> SimulatedCurrent;
  // Species 1..4 (A..H of a written mechanism) at the surface [M].
  FixedMatrix<double, kMaxPoints, kMaxNetworkSpecies> SurfaceConcentration;
  int PointCount = 0;
  // Where the first sweep ends: a simulated cycle's last forward point, whose potential the next
  // point repeats; an imported record's first vertex (once), or its last point when it never
  // turns.
  int PointsPerSweep = 0;
  // The points at which an imported record turns, Vertex(1..VertexCount) in order, its ends not
  // among them: a measured cycle's layout for the analyses, and its programme for a simulation
  // that follows it. They describe the abscissa while a curve of the store is measured.
  FixedArray<int, kMaxPoints> Vertex;
  int VertexCount = 0;
  int FirstPoint = 0;
  int LastPoint = 0;
  int CurrentCurve = 1;
  int CurveCount = 1;
  int StoredCurveCount = 0;
  double YMax = 0;  // vertical plot range
  double YMin = 0;
};

}  // namespace vorex
