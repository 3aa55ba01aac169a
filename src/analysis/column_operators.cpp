#include "analysis/column_operators.h"

#include <array>
#include <cmath>

#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {
namespace {

using Work = std::array<double, kMaxPoints + 1>;

void CheckPointCount(int m) {
  if (m < 0 || m > kMaxPoints) throw RuntimeFault(kSubscriptOutOfRange);
}

double Spacing(const AbscissaArray& x) {
  return std::fabs(x(2) - x(1));
}

// Copies the work values into the column once all of them are known to be finite.
void CommitFinite(const Work& work, ColumnRef y, int m) {
  for (int i = 1; i <= m; ++i) Finite(work[static_cast<std::size_t>(i)]);
  for (int i = 1; i <= m; ++i) y[i] = work[static_cast<std::size_t>(i)];
}

// Semi-derivative sums for `Block` consecutive points i0..i0+Block-1 at once. Each sum starts
// from its own Y(i) and adds Y(k) w(i-k) for k = 1, 2, ... in order, exactly as one point at a
// time would; only the independent sums are interleaved.
template <int Block>
void SemiSums(const double* yv, const double* w, int i0, double* out) {
  double acc[Block];
  for (int r = 0; r < Block; ++r) acc[r] = yv[i0 + r];
  for (int k = 1; k <= i0 - 1; ++k) {
    const double yk = yv[k];
    const double* wk = w + (i0 - k);
    for (int r = 0; r < Block; ++r) acc[r] += yk * wk[r];
  }
  for (int r = 1; r < Block; ++r) {
    for (int k = i0; k <= i0 + r - 1; ++k) acc[r] += yv[k] * w[i0 + r - k];
  }
  for (int r = 0; r < Block; ++r) out[r] = acc[r];
}

// Gamma(3/2) and -zeta(-1/2): the L1 sum's constant and its leading error coefficient.
constexpr double kGammaThreeHalves = 0.88622692545275801;
constexpr double kMinusZetaMinusHalf = 0.20788622497735457;

// The time between points, or 0 when it cannot be formed.
double TimeStep(const AbscissaArray& x, double scanRate) {
  const double dt = Spacing(x) / scanRate;
  return std::isfinite(dt) && dt > 0 ? dt : 0;
}

// The semi-derivative of yv (points 1..m, m >= 4) into s, ends included.
void SemiDerivative(const Work& yv, int m, double dt, Work& s) {
  const double scale = 1 / (kGammaThreeHalves * std::sqrt(dt));
  const double c0 = scale, c1 = kMinusZetaMinusHalf * scale;
  Work roots{}, w{};
  for (int k = 0; k <= m; ++k)
    roots[static_cast<std::size_t>(k)] = std::sqrt(static_cast<double>(k));
  for (int k = 1; k <= m - 2; ++k) {
    const auto u = static_cast<std::size_t>(k);
    w[u] = roots[u + 1] - 2 * roots[u] + roots[u - 1];
  }
  constexpr int kBlock = 16;
  int i = 3;
  double sums[kBlock];
  const auto store = [&](int point, double sum) {
    const auto u = static_cast<std::size_t>(point);
    s[u] = c0 * sum + c1 * (yv[u] - 2 * yv[u - 1] + yv[u - 2]);
  };
  for (; i + kBlock - 1 <= m - 1; i += kBlock) {
    SemiSums<kBlock>(yv.data(), w.data(), i, sums);
    for (int r = 0; r < kBlock; ++r) store(i + r, sums[r]);
  }
  for (; i <= m - 1; ++i) {
    SemiSums<1>(yv.data(), w.data(), i, sums);
    store(i, sums[0]);
  }
  const auto last = static_cast<std::size_t>(m);
  s[last] = s[last - 1];
  s[1] = s[2] = s[3];
}

// Semi-differentiates the values yv already formed (Y itself, or its running integral), dt
// apart; 0 when the step could not be formed.
bool SemiTransformAt(double dt, const Work& yv, ColumnRef y, int m) {
  Work s{};
  if (m >= 4) {
    if (!(std::isfinite(dt) && dt > 0)) return false;
    SemiDerivative(yv, m, dt, s);
  }
  CommitFinite(s, y, m);
  return true;
}

bool SemiTransform(const AbscissaArray& x, const Work& yv, ColumnRef y, int m, double scanRate) {
  return SemiTransformAt(m >= 4 ? TimeStep(x, scanRate) : 1, yv, y, m);
}

}  // namespace

bool SemiDifferentiate(const AbscissaArray& x, ColumnRef y, int m, double scanRate) {
  CheckPointCount(m);
  Work yv{};
  for (int k = 1; k <= m; ++k) yv[static_cast<std::size_t>(k)] = y[k];
  return SemiTransform(x, yv, y, m, scanRate);
}

bool SemiDifferentiateInTime(ColumnRef y, int m, double dt) {
  CheckPointCount(m);
  Work yv{};
  for (int k = 1; k <= m; ++k) yv[static_cast<std::size_t>(k)] = y[k];
  return SemiTransformAt(dt, yv, y, m);
}

bool SemiIntegrate(const AbscissaArray& x, ColumnRef y, int m, double scanRate) {
  CheckPointCount(m);
  const double dt = TimeStep(x, scanRate);
  Work yv{};
  double running = 0;
  for (int k = 1; k <= m; ++k) {
    running += dt * y[k];
    yv[static_cast<std::size_t>(k)] = running;
  }
  return SemiTransform(x, yv, y, m, scanRate);
}

void Integrate(const AbscissaArray& x, ColumnRef y, int m) {
  CheckPointCount(m);
  const double h = Spacing(x);
  Work sum{};
  double running = 0;
  for (int j = 1; j <= m; ++j) {
    running += h * y[j];
    sum[static_cast<std::size_t>(j)] = running;
  }
  CommitFinite(sum, y, m);
}

bool Differentiate(const AbscissaArray& x, ColumnRef y, int m) {
  CheckPointCount(m);
  Work d{};
  if (m >= 2) {
    const double h = Spacing(x);
    if (h == 0) return false;
    d[1] = (y[2] - y[1]) / h;
    d[static_cast<std::size_t>(m)] = (y[m] - y[m - 1]) / h;
    for (int i = 2; i <= m - 1; ++i)
      d[static_cast<std::size_t>(i)] = (y[i + 1] - y[i - 1]) / (2 * h);
  }
  CommitFinite(d, y, m);
  return true;
}

}  // namespace vorex
