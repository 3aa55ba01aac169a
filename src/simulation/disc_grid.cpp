#include "simulation/disc_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/checked_math.h"
#include "base/runtime_fault.h"

namespace vorex {
namespace {

constexpr double kRight = std::numbers::pi / 2;
// The widest cell along gamma, and the first cell against a layer of thickness delta (in
// units of a): a fifth of it, so that the layer spans several cells.
constexpr double kWidest = 0.05;
constexpr double kLayerCells = 5;
// Far out, the run's diffusion layer L bends the profile over pi/2 - gamma ~ a / L: cells of a
// tenth of that.
constexpr double kFarCells = 10;
// The growth of the cells from either end, as at the other electrodes; 1.1 would move the
// current at tau = 4Dt/a^2 = 0.01 by 0.15 % (inside the 0.3 % of the series either way) for
// twice the rows.
constexpr double kGrowth = 1.2;
// A run whose diffusion layer stays thin beside the disc never reaches beyond the surface
// gamma = end whose nearest point, on the insulator, lies this many layers from the edge: the
// bulk is held there instead of at infinity.
constexpr double kLayers = 6;
// Beyond this the bulk stays at infinity, where it keeps the steady state exact.
constexpr double kNearBulk = 1;
// Along eta the edge needs cells of a fraction of sqrt(delta): near the edge a distance rho
// from it maps to sqrt(2 rho / a) in the coordinates. Away from the edge the profile hardly
// changes along eta, and the cells grow towards the axis up to the widest.
constexpr double kEdgeCell = 0.5;
constexpr double kWidestColumn = 0.2;
constexpr double kColumnGrowth = 1.4;

struct Faces {
  std::array<double, kMaxDiscRows + 1> at{};
  int count = 0;  // faces 0..count-1
};

// Faces from the disc out to the middle and from the bulk's end in to it, each side growing by
// `growth` per cell up to the widest cell. False when they need more rows than the storage.
bool MarchFaces(double first, double far, double end, double growth, Faces& f) {
  const double middle = end / 2;
  std::array<double, kMaxDiscRows + 1> outer{};
  int nOuter = 0;
  f.count = 0;
  f.at[f.count++] = 0;
  for (double x = 0, h = first; x + h < middle; h = std::min(h * growth, kWidest)) {
    if (f.count > kMaxDiscRows) return false;
    x += h;
    f.at[f.count++] = x;
  }
  for (double x = end - far, h = far; x > middle; h = std::min(h * growth, kWidest)) {
    if (nOuter > kMaxDiscRows) return false;
    outer[nOuter++] = x;
    x -= h;
  }
  // The two sides meet near the middle; a sliver between them is merged into its neighbour.
  const double gap = outer[nOuter - 1] - f.at[f.count - 1];
  if (f.count > 2 && gap < 0.5 * (f.at[f.count - 1] - f.at[f.count - 2])) --f.count;
  if (f.count + nOuter > kMaxDiscRows + 1) return false;
  for (int k = nOuter - 1; k >= 0; --k) f.at[f.count++] = outer[k];
  return true;
}

// The faces along eta, from the edge towards the axis; the last cell takes what is left, or
// joins its neighbour when that is a sliver. Returns the number of columns.
int EtaFaces(double edge, std::array<double, kMaxDiscColumns + 1>& e) {
  std::array<double, kMaxDiscColumns + 1> down{};
  int n = 0;
  double x = kRight, h = edge;
  down[0] = kRight;
  while (x - h > 0.5 * h && n + 1 < kMaxDiscColumns) {
    x -= h;
    down[++n] = x;
    h = std::min(h * kColumnGrowth, kWidestColumn);
  }
  const int columns = n + 1;
  e[0] = 0;
  for (int i = 1; i <= columns; ++i) e[i] = down[columns - i];
  return columns;
}

void Columns(DiscGrid& g, const std::array<double, kMaxDiscColumns + 1>& e,
             std::array<double, kMaxDiscColumns>& centre, std::array<double, kMaxDiscColumns>& w,
             std::array<double, kMaxDiscColumns>& cube) {
  for (int i = 0; i < g.columns; ++i) {
    centre[i] = (e[i] + e[i + 1]) / 2;
    w[i] = std::cos(e[i]) - std::cos(e[i + 1]);
    cube[i] = std::pow(std::cos(e[i]), 3) - std::pow(std::cos(e[i + 1]), 3);
    const double s0 = std::sin(e[i]), s1 = std::sin(e[i + 1]);
    g.share[i] = s1 * s1 - s0 * s0;  // twice the half-area (s1^2 - s0^2)/2 over the total 1/2
  }
}

}  // namespace

DiscGrid DiscGridFor(const DiscDemand& d) {
  const double a = d.radius;
  if (!(a > 0) || !(d.dMin > 0) || !(d.step > 0)) throw RuntimeFault(kDivisionByZero);
  double layer = CheckedSqrt(d.dMin * d.step);
  if (d.rate > 0) layer = std::min(layer, CheckedSqrt(d.dMin / d.rate));
  const double delta = std::clamp(layer / a, 1e-4, 1.0);
  const double reach = CheckedSqrt(d.dMax * std::max(d.span, d.step)) / a;
  // The nearest point of the surface xi to the disc is the insulator's at r = a cosh xi.
  double end = std::atan(std::sinh(std::acosh(1 + kLayers * reach)));
  if (end > kNearBulk) end = kRight;
  // A short run beside a large disc may end the grid close to the disc: each side keeps at least
  // a cell of its own.
  const double first = std::min(std::clamp(delta / kLayerCells, 1e-5, kWidest), end / 4);
  const double far = std::min(
      end < kRight ? kWidest : std::clamp(1 / (kFarCells * std::max(reach, 1.0)), 1e-5, kWidest),
      end / 4);
  Faces f;
  double growth = kGrowth;
  while (!MarchFaces(first, far, end, growth, f)) {
    growth += 0.1;
    if (growth > 4) throw RuntimeFault(kOverflow);
  }
  DiscGrid g;
  g.rows = f.count - 1;
  std::array<double, kMaxDiscColumns + 1> e{};
  double edge = std::clamp(kEdgeCell * std::sqrt(delta), 0.002, kWidestColumn);
  g.columns = EtaFaces(edge, e);
  while (g.columns > d.mostColumns && edge < kWidestColumn) {
    edge = std::min(edge * 1.25, kWidestColumn);
    g.columns = EtaFaces(edge, e);
  }
  std::array<double, kMaxDiscColumns> centre{}, w{}, cube{};
  Columns(g, e, centre, w, cube);
  g.gamma[0] = 0;
  for (int j = 1; j <= g.rows; ++j) g.gamma[j] = (f.at[j - 1] + f.at[j]) / 2;
  g.gamma[g.rows + 1] = end;
  for (int j = 1; j <= g.rows; ++j) {
    const double t0 = std::tan(f.at[j - 1]), t1 = std::tan(f.at[j]);
    const double dt1 = t1 - t0, dt3 = t1 * t1 * t1 - t0 * t0 * t0;
    for (int i = 0; i < g.columns; ++i) {
      const double v = (w[i] * dt3 + cube[i] * dt1) / 3;
      g.volume[j][i] = v;
      g.inner[j][i] = w[i] / (g.gamma[j] - g.gamma[j - 1]) / v;
      g.outer[j][i] = w[i] / (g.gamma[j + 1] - g.gamma[j]) / v;
    }
    for (int i = 0; i + 1 < g.columns; ++i) {
      const double h = std::sin(e[i + 1]) * dt1 / (centre[i + 1] - centre[i]);
      g.right[j][i] = h / g.volume[j][i];
      g.left[j][i + 1] = h / g.volume[j][i + 1];
    }
  }
  for (int i = 0; i < g.columns; ++i) g.reach[i] = g.gamma[1] * a * (g.share[i] / 2) / w[i];
  return g;
}

}  // namespace vorex
