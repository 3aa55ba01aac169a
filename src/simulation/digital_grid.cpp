#include "simulation/digital_grid.h"

#include <algorithm>
#include <cmath>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/runtime_fault.h"
#include "simulation/reaction_terms.h"

namespace vorex {
namespace {

// Growth of the cells away from the electrode. A curved electrode's steady state bends the
// profile over a radius or two, which wants narrower cells there than a plane needs.
constexpr double kPlanarExpansion = 1.5;
constexpr double kCurvedExpansion = 1.2;
// Spacings per diffusion length of the shortest step (squared), per radius and per reaction
// layer. With these the space error stays below 0.05 % of Cottrell's current and 0.3 % of the
// steady states of the sphere and the cylinder; the time steps' error dominates.
constexpr double kStepLayers = 5;
constexpr double kRadiusSpacings = 20;
constexpr double kReactionSpacings = 10;
constexpr int kMostNodes = kMaxSolverNode - 1;  // node N+1 must fit the storage too

double Boundary(double gamma, int j) {
  return (std::pow(gamma, j - 1.0) - 1) / (gamma - 1);
}
double Node(double gamma, int j) {
  return (std::pow(gamma, j - 0.5) - 1) / (gamma - 1);
}

// Nodes 1..N with x_(N+1) at or beyond the bulk distance.
int NodesToReach(double gamma, double distance) {
  return static_cast<int>(std::ceil(std::log1p((gamma - 1) * distance) / std::log(gamma)));
}

// A cell's volume over the area of one of its faces: (w^(d+1) - u^(d+1)) / ((d+1) face^d),
// written so that it neither cancels for a large radius nor divides by a zero one.
double VolumeOverFace(Geometry geometry, double u, double w, bool outer) {
  const double width = w - u;
  if (geometry == Geometry::Planar) return width;
  const double q = outer ? u / w : w / u;  // the other face over this one
  if (geometry == Geometry::Cylindrical) return width * (1 + q) / 2;
  return width * (1 + q + q * q) / 3;
}

}  // namespace

Geometry GeometryOf(ElectrodeCode electrode) {
  using E = ElectrodeCode;
  switch (electrode) {
    case E::Spherical:
    case E::Hemispherical:
      return Geometry::Spherical;
    case E::Cylindrical:
    case E::Hemicylindrical:
      return Geometry::Cylindrical;
    default:
      return Geometry::Planar;
  }
}

DigitalGrid DigitalGridFor(const ParameterSet& p, int pointCount) {
  DigitalGrid g;
  g.lambda = 10;
  if (p.Mechanism == MechanismCode::Written) {
    // Every step of a written mechanism sizes the grid (a built-in's reaction 1 alone does).
    const double rate = FastestStepRate(p, LargestConcentration(p));
    g.lambda =
        std::max(g.lambda, CheckedDivide(rate * kGasConstant * p.Temperature, kFaraday * p.EStep));
  } else if (p.HomogeneousReactionCount > 0) {
    // A slow reaction must not stretch the grid beyond the one without chemistry: its reaction
    // layer is wider than the diffusion layer that grid already resolves.
    g.lambda = std::max(g.lambda, CheckedDivide((p.Kf(1) + p.Kb(1)) * kGasConstant * p.Temperature,
                                                kFaraday * p.EStep));
  }
  const double e1 = std::exp(1.0) - 1;
  g.nReal = 2 + CheckedLog(1 + 6 * e1 * CheckedSqrt(g.lambda * pointCount));
  g.nodes = ToInt16(g.nReal);
  g.cells = ToInt16(std::floor(g.nReal + 1));
  if (g.nodes < 1 || g.cells + 1 > kMaxSolverNode) throw RuntimeFault(kSubscriptOutOfRange);
  return g;
}

double CellBoundary(int j) {
  return (std::exp(j - 1.0) - 1) / (std::exp(1.0) - 1);
}

double NodePosition(int j) {
  return (std::exp(j - 0.5) - 1) / (std::exp(1.0) - 1);
}

void SweepGridWeights(const DigitalGrid& grid, Geometry geometry, double rho, GridWeights& g) {
  std::array<double, kMaxSolverNode + 2> x{}, m{};
  for (int j = 1; j <= grid.cells; ++j) {
    x[j] = CellBoundary(j);
    m[j] = NodePosition(j);
  }
  const int last = static_cast<int>(std::floor(grid.nReal));
  g.a[1] = CheckedDivide(1, m[1]);
  const double r1 = rho + 1;
  switch (geometry) {
    case Geometry::Planar:
      g.b[1] = CheckedDivide(1, m[2] - m[1]);
      break;
    case Geometry::Spherical:
      g.b[1] = CheckedDivide(3 * r1 * r1, (r1 * r1 * r1 - rho * rho * rho) * (m[2] - m[1]));
      break;
    case Geometry::Cylindrical:
      g.b[1] = CheckedDivide(2 * r1, (r1 * r1 - rho * rho) * (m[2] - m[1]));
      break;
  }
  for (int j = 2; j <= last; ++j) {
    const double u = rho + x[j], w = rho + x[j + 1];
    const double in = m[j] - m[j - 1], out = m[j + 1] - m[j];
    switch (geometry) {
      case Geometry::Planar: {
        const double width = x[j + 1] - x[j];
        g.a[j] = CheckedDivide(1, width * in);
        g.b[j] = CheckedDivide(1, width * out);
        break;
      }
      case Geometry::Spherical: {
        const double shell = w * w * w - u * u * u;
        g.a[j] = CheckedDivide(3 * u * u, shell * in);
        g.b[j] = CheckedDivide(3 * w * w, shell * out);
        break;
      }
      case Geometry::Cylindrical: {
        const double shell = w * w - u * u;
        g.a[j] = CheckedDivide(2 * u, shell * in);
        g.b[j] = CheckedDivide(2 * w, shell * out);
        break;
      }
    }
    Finite(g.a[j]);
    Finite(g.b[j]);
  }
}

ResolvedGrid ResolveGrid(const GridDemand& d) {
  double h0 = CheckedSqrt(CheckedDivide(d.dMin * d.step, kStepLayers));
  if (d.radius > 0) h0 = std::min(h0, d.radius / kRadiusSpacings);
  if (d.rate > 0) h0 = std::min(h0, CheckedSqrt(d.dMin / d.rate) / kReactionSpacings);
  if (!(h0 > 0)) throw RuntimeFault(kDivisionByZero);
  const double distance = Finite(6 * CheckedSqrt(d.dMax * d.span) / h0);
  const double expansion = d.radius > 0 ? kCurvedExpansion : kPlanarExpansion;
  ResolvedGrid g{h0, expansion, NodesToReach(expansion, distance)};
  if (g.nodes > kMostNodes) {
    // Fewer, wider cells rather than a bulk that sits inside the diffusion layer.
    double lo = expansion, hi = 2;
    if (NodesToReach(hi, distance) > kMostNodes) {
      throw RuntimeFault("The diffusion grid would need more than 100 nodes");
    }
    for (int i = 0; i < 60; ++i) {
      const double mid = (lo + hi) / 2;
      (NodesToReach(mid, distance) > kMostNodes ? lo : hi) = mid;
    }
    g.gamma = hi;
    g.nodes = NodesToReach(hi, distance);
  }
  g.nodes = std::max(g.nodes, 2);
  return g;
}

double FirstNodePosition(double gamma) {
  return Node(gamma, 1);
}

void ResolvedGridWeights(const ResolvedGrid& grid, Geometry geometry, double rho, GridWeights& g) {
  const double gamma = grid.gamma;
  for (int j = 1; j <= grid.nodes; ++j) {
    const double u = rho + Boundary(gamma, j), w = rho + Boundary(gamma, j + 1);
    const double in = Node(gamma, j) - (j == 1 ? 0 : Node(gamma, j - 1));
    const double out = Node(gamma, j + 1) - Node(gamma, j);
    g.a[j] = Finite(CheckedDivide(1, VolumeOverFace(geometry, u, w, false) * in));
    g.b[j] = Finite(CheckedDivide(1, VolumeOverFace(geometry, u, w, true) * out));
  }
}

}  // namespace vorex
