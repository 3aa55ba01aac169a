#pragma once

#include <array>

// The microdisc's grid in its own coordinates. Oblate spheroidal coordinates (xi, eta), with
// r = a cosh xi sin eta and z = a sinh xi cos eta, put the disc on xi = 0, the axis on eta = 0
// and the insulating plane on eta = pi/2; the map tan(gamma) = sinh(xi) brings the bulk from
// infinity to gamma = pi/2. In (gamma, eta) the diffusion-limited steady state is linear in gamma
// alone, and the flux through a face of constant gamma, 2 pi D a sin(eta) dc/dgamma per unit of
// eta, has no factor that is singular at the disc's edge: the edge's square-root singularity is
// absorbed by the coordinates. The cells are finite volumes with exact volumes and face areas,
// so that matter is conserved to rounding and the steady state is exact on any grid.
namespace vorex {

inline constexpr int kMaxDiscRows = 64;     // nodes along gamma between the disc and the bulk
inline constexpr int kMaxDiscColumns = 24;  // cells along eta

// What a grid must resolve: the thinnest layer of one time step or of the fastest homogeneous
// reaction near the disc, and the diffusion layer of the whole run far out.
struct DiscDemand {
  double radius = 0;          // [cm]
  double dMin = 0, dMax = 0;  // [cm2/s]
  double step = 0;            // the shortest time step [s]
  double span = 0;            // the run's time [s]
  double rate = 0;            // largest kf + kb of the homogeneous reactions [1/s]
  int mostColumns = kMaxDiscColumns;
};

// Row 0 is the disc, rows 1..rows the cells, row rows + 1 the bulk at gamma = pi/2; columns
// 0..columns-1 run from the axis to the edge. The couplings of cell (j, i) are the face's
// conductance over the cell's volume, in units of D / a^2 per unit time: to the row inside
// (toward the disc), outside, and to the columns either side (0 at the axis and the insulator).
struct DiscGrid {
  int rows = 0, columns = 0;
  std::array<double, kMaxDiscRows + 2> gamma{};  // node positions
  using Field = std::array<std::array<double, kMaxDiscColumns>, kMaxDiscRows + 2>;
  Field inner{}, outer{}, left{}, right{};
  Field volume{};  // cell volume over 2 pi a^3
  // Each column's share of the disc's area, and the length d_i [cm] that turns the net rate of
  // a charge transfer into the concentration step between the disc and row 1:
  // c(1) - c(0) = (d_i / D) v.
  std::array<double, kMaxDiscColumns> share{}, reach{};
};

DiscGrid DiscGridFor(const DiscDemand& demand);

}  // namespace vorex
