#pragma once

#include <array>

#include "experiment/parameter_set.h"
#include "simulation/implicit_solver.h"

// The space grids of the digital simulation. Distances are in units of the first spacing h0;
// cell j spans x_j..x_(j+1) with its node at m_j, node 0 sits on the electrode and node N+1
// holds the bulk.
namespace vorex {

enum class Geometry { Planar, Spherical, Cylindrical };

// The diffusion operator of an electrode: the thin film and the rotating disk diffuse as a
// plane, the hemisphere as a sphere, the hemicylinder as a cylinder. The microdisc has its own
// two-dimensional run (see disc_simulation.h) and never reaches these grids.
Geometry GeometryOf(ElectrodeCode electrode);

// The coupling weights of node j to node j-1 (a) and to node j+1 (b), in units of 1/h0^2.
struct GridWeights {
  std::array<double, kMaxSolverNode + 2> a{}, b{};
};

// The sweep grid of the linear sweep at a plane: expansion e per cell, first spacing
// sqrt(Dmax dt / lambda) and its end 6 sqrt(lambda PointCount) cells out.
struct DigitalGrid {
  double lambda = 0;  // kinetic grid parameter, never below 10 (the grid without chemistry)
  double nReal = 0;   // 2 + ln(1 + 6 (e - 1) sqrt(lambda PointCount))
  int nodes = 0;      // N: nReal rounded, halves to even
  int cells = 0;      // J: floor(nReal + 1)
};
DigitalGrid DigitalGridFor(const ParameterSet& p, int pointCount);

// x_j = (e^(j-1) - 1) / (e - 1) and m_j = (e^(j-1/2) - 1) / (e - 1).
double CellBoundary(int j);
double NodePosition(int j);

// Weights of the sweep grid for the planar, spherical or cylindrical operator of dimensionless
// radius rho; nodes beyond floor(nReal) stay uncoupled.
void SweepGridWeights(const DigitalGrid& grid, Geometry geometry, double rho, GridWeights& w);

// What a resolved grid must resolve: the thinnest diffusion layer of one time step, the
// electrode radius and the reaction layer of the fastest homogeneous reaction, out to the
// diffusion layer of the whole span.
struct GridDemand {
  double dMin = 0, dMax = 0;  // smallest and largest diffusion coefficient [cm2/s]
  double step = 0;            // the shortest time step [s]
  double span = 0;            // time from the start of the profile to the last sample [s]
  double radius = 0;          // operator radius [cm]; 0 for a plane
  double rate = 0;            // largest kf + kb of the homogeneous reactions [1/s]
};

// A grid of expansion gamma per cell (1.2, or more when 99 nodes would not reach the bulk).
struct ResolvedGrid {
  double h0 = 0;  // first spacing [cm]
  double gamma = 0;
  int nodes = 0;  // N; node N+1 is the bulk
};
// Raises RuntimeFault when not even a doubling per cell reaches the bulk within the storage.
ResolvedGrid ResolveGrid(const GridDemand& demand);

// Finite-volume weights of the resolved grid: the flux through each face times its area,
// over the cell's volume and the distance between the nodes either side.
void ResolvedGridWeights(const ResolvedGrid& grid, Geometry geometry, double rho, GridWeights& w);
// m_1 of the resolved grid: the distance from the surface to node 1 in units of h0.
double FirstNodePosition(double gamma);

}  // namespace vorex
