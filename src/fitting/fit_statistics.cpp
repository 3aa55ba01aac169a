#include "fitting/fit_statistics.h"

#include <cmath>
#include <limits>

#include "base/runtime_fault.h"
#include "fitting/bounded_step.h"

namespace vorex {
namespace {

// The iteration's own test of a parameter without influence (its exclusion threshold).
constexpr double kNoInfluence = 1e-20;
// The eigenvalues of the unit-diagonal J^T J are the squared singular values of the scaled J,
// and the 1 % central differences leave J uncertain by ~1e-5 of its size: a singular value
// below that, an eigenvalue below its square, is noise, and inverting it would amplify it.
constexpr double kConditionFloor = 1e-10;
// A unit eigenvector over at most 20 parameters has a component of at least 1/sqrt(20) = 0.22,
// so this always names someone, and leaves out parameters only brushed by the direction.
constexpr double kInvolvement = 0.1;
// Cyclic Jacobi converges quadratically once the off-diagonal is small; a handful of sweeps
// suffices for n <= 20, the limit only guards against a pathological input.
constexpr int kSweepLimit = 100;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

using Square = FixedMatrix<double, kMaxFitParameters, kMaxFitParameters>;

// Diagonalises the symmetric a(1..n, 1..n) by cyclic Jacobi rotations (Golub and Van Loan,
// Matrix Computations, 4th ed., sec. 8.5): the eigenvalues are left on the diagonal of a, the
// orthonormal eigenvectors in the columns of v. Jacobi rather than QR because on a matrix scaled
// to unit diagonal it finds the small eigenvalues to high relative accuracy (Demmel and Veselic,
// SIAM J. Matrix Anal. Appl. 13 (1992) 1204), and it is the small ones that are judged here.
void JacobiEigen(Square& a, Square& v, int n) {
  for (int i = 1; i <= n; ++i) {
    for (int k = 1; k <= n; ++k) v(i, k) = i == k ? 1 : 0;
  }
  for (int sweep = 0; sweep < kSweepLimit; ++sweep) {
    bool rotated = false;
    for (int p = 1; p < n; ++p) {
      for (int q = p + 1; q <= n; ++q) {
        const double apq = a(p, q);
        if (apq == 0) continue;
        // Demmel and Veselic's test: an element this small against its diagonal changes no
        // eigenvalue beyond its rounding.
        if (std::fabs(apq) <=
            kEpsilon * std::sqrt(std::fabs(a(p, p))) * std::sqrt(std::fabs(a(q, q)))) {
          a(p, q) = a(q, p) = 0;
          continue;
        }
        rotated = true;
        // The smaller of the two rotation angles that zero a(p, q); hypot keeps a huge tau from
        // overflowing (t then goes to 0, as it should).
        const double tau = (a(q, q) - a(p, p)) / (2 * apq);
        const double t = (tau >= 0 ? 1.0 : -1.0) / (std::fabs(tau) + std::hypot(1.0, tau));
        const double c = 1 / std::sqrt(1 + t * t);
        const double s = t * c;
        a(p, p) -= t * apq;
        a(q, q) += t * apq;
        a(p, q) = a(q, p) = 0;
        for (int r = 1; r <= n; ++r) {
          if (r != p && r != q) {
            const double arp = a(r, p);
            const double arq = a(r, q);
            a(r, p) = a(p, r) = c * arp - s * arq;
            a(r, q) = a(q, r) = s * arp + c * arq;
          }
          const double vrp = v(r, p);
          const double vrq = v(r, q);
          v(r, p) = c * vrp - s * vrq;
          v(r, q) = s * vrp + c * vrq;
        }
      }
    }
    if (!rotated) break;
  }
}

// dx/du of parameter i: x where it was stepped in u = ln x, 1 where in x itself.
double CoordinateScale(const FitProblem& problem, int i) {
  return LogStepped(problem, i) ? problem.x(i) : 1;
}

// g^T C g / SSR, g = J^T (y - f) over the free parameters freeIndex(1..nf), C their (J^T J)^+.
std::optional<double> LinearisedGain(const FitProblem& problem,
                                     const FixedArray<int, kMaxFitParameters>& freeIndex,
                                     const Square& c, int nf, double ssr) {
  if (!(ssr > 0) || !std::isfinite(ssr)) return std::nullopt;
  FixedArray<double, kMaxFitParameters> g{};
  for (int p = 1; p <= nf; ++p) {
    for (int j = 1; j <= problem.m; ++j) {
      g(p) += problem.jacobian(j, freeIndex(p)) * (problem.y(j) - problem.f(j));
    }
  }
  double gain = 0;
  for (int p = 1; p <= nf; ++p) {
    for (int q = 1; q <= nf; ++q) gain += g(p) * c(p, q) * g(q);
  }
  gain /= ssr;
  if (!std::isfinite(gain)) return std::nullopt;
  return gain;
}

}  // namespace

std::optional<double> DurbinWatson(const PointVector& y, const PointVector& f, int m) {
  if (m < 2 || m > y.Upper() || m > f.Upper()) return std::nullopt;
  double previous = y(1) - f(1);
  double differences = 0, squares = previous * previous;
  for (int j = 2; j <= m; ++j) {
    const double e = y(j) - f(j);
    differences += (e - previous) * (e - previous);
    squares += e * e;
    previous = e;
  }
  const double d = differences / squares;
  if (!(squares > 0) || !std::isfinite(d)) return std::nullopt;
  return d;
}

FitStatistics ComputeFitStatistics(const FitProblem& problem, double ssr) {
  const int n = problem.n;
  const int m = problem.m;
  if (n < 0 || n > kMaxFitParameters || m < 0 || m > problem.MaxPoints()) {
    throw RuntimeFault(kSubscriptOutOfRange);
  }
  FitStatistics st;
  st.m = m;
  st.n = n;
  st.dof = m - n;
  st.ssr = ssr;
  const bool ssrUsable = std::isfinite(ssr) && ssr >= 0;
  double s2 = 0;
  if (st.dof > 0 && ssrUsable) {
    s2 = ssr / st.dof;
    st.s = std::sqrt(s2);
    st.reducedChiSquare = s2;
    st.tQuantile = StudentTQuantile(0.975, st.dof);
  }
  if (m > 0 && ssrUsable) {
    double mean = 0;
    for (int j = 1; j <= m; ++j) mean += problem.y(j);
    mean /= m;
    double total = 0;
    for (int j = 1; j <= m; ++j) total += (problem.y(j) - mean) * (problem.y(j) - mean);
    if (total > 0 && std::isfinite(total)) {
      const double r2 = 1 - ssr / total;
      if (std::isfinite(r2)) st.rSquared = r2;
    }
  }
  st.durbinWatson = DurbinWatson(problem.y, problem.f, m);

  // The free parameters, 1..nf, by their numbers, with the norms of their columns.
  FixedArray<int, kMaxFitParameters> freeIndex{};
  FixedArray<double, kMaxFitParameters> norm{};
  FixedArray<bool, kMaxFitParameters> undetermined{};
  int nf = 0;
  for (int i = 1; i <= n; ++i) {
    st.value(i) = problem.x(i);
    if (problem.x(i) <= problem.xmin(i) || problem.x(i) >= problem.xmax(i)) {
      st.standing(i) = ParameterStanding::OnBound;
      continue;
    }
    double sum = 0;
    for (int j = 1; j <= m; ++j) sum += problem.jacobian(j, i) * problem.jacobian(j, i);
    if (!(sum > kNoInfluence)) {
      st.standing(i) = ParameterStanding::Frozen;
      continue;
    }
    st.standing(i) = ParameterStanding::Free;
    if (!std::isfinite(sum)) {  // an influence too large to be measured against the others
      undetermined(i) = true;
      continue;
    }
    freeIndex(++nf) = i;
    norm(nf) = std::sqrt(sum);
  }

  // J^T J over the free parameters, scaled to unit diagonal. By Cauchy-Schwarz no partial sum
  // exceeds the larger of the two diagonal sums, and dividing by one norm at a time keeps the
  // scaling itself from overflowing.
  Square a{}, v{}, c{};
  for (int p = 1; p <= nf; ++p) {
    a(p, p) = 1;
    for (int q = p + 1; q <= nf; ++q) {
      double sum = 0;
      for (int j = 1; j <= m; ++j) {
        sum += problem.jacobian(j, freeIndex(p)) * problem.jacobian(j, freeIndex(q));
      }
      a(p, q) = a(q, p) = sum / norm(p) / norm(q);
    }
  }
  JacobiEigen(a, v, nf);

  double largest = 0;
  for (int k = 1; k <= nf; ++k) largest = std::fmax(largest, a(k, k));
  FixedArray<bool, kMaxFitParameters> kept{};
  for (int k = 1; k <= nf; ++k) {
    kept(k) = a(k, k) > 0 && a(k, k) > kConditionFloor * largest;
    if (kept(k)) continue;
    double length = 0;
    for (int p = 1; p <= nf; ++p) length += v(p, k) * v(p, k);
    length = std::sqrt(length);
    for (int p = 1; p <= nf; ++p) {
      if (length > 0 && std::fabs(v(p, k)) / length >= kInvolvement) {
        undetermined(freeIndex(p)) = true;
      }
    }
  }

  // C = (J^T J)^+ over the kept directions, unscaled: C_pq = (sum_k v_pk v_qk / lambda_k) / (D_p
  // D_q), for the parameters that are determined.
  for (int p = 1; p <= nf; ++p) {
    for (int q = p; q <= nf; ++q) {
      double sum = 0;
      for (int k = 1; k <= nf; ++k) {
        if (kept(k)) sum += v(p, k) * v(q, k) / a(k, k);
      }
      c(p, q) = c(q, p) = sum / norm(p) / norm(q);
    }
  }
  st.linearisedGain = LinearisedGain(problem, freeIndex, c, nf, ssr);
  for (int p = 1; p <= nf; ++p) {
    const int i = freeIndex(p);
    if (undetermined(i) || !st.s || !(c(p, p) > 0)) continue;
    const double variance = s2 * c(p, p);
    const double sigma = std::sqrt(variance) * CoordinateScale(problem, i);
    if (!std::isfinite(variance) || !std::isfinite(sigma)) continue;
    st.defined(i) = true;
    st.sigma(i) = sigma;
    st.halfWidth95(i) = *st.tQuantile * st.sigma(i);
    if (st.value(i) != 0) {
      const double relative = 100 * st.sigma(i) / std::fabs(st.value(i));
      if (std::isfinite(relative)) st.relativePercent(i) = relative;
    }
  }
  // The correlation from C itself, so that it exists also for a perfect fit (s = 0).
  for (int p = 1; p <= nf; ++p) {
    const int i = freeIndex(p);
    if (!st.defined(i)) continue;
    const double scale = CoordinateScale(problem, i);
    st.covariance(i, i) = s2 * c(p, p) * scale * scale;
    st.correlation(i, i) = 1;
    for (int q = p + 1; q <= nf; ++q) {
      const int k = freeIndex(q);
      if (!st.defined(k)) continue;
      st.covariance(i, k) = st.covariance(k, i) =
          s2 * c(p, q) * scale * CoordinateScale(problem, k);
      st.correlation(i, k) = st.correlation(k, i) =
          c(p, q) / std::sqrt(c(p, p)) / std::sqrt(c(q, q));
    }
  }
  for (int i = 1; i <= n; ++i) {
    if (undetermined(i)) st.notSeparatelyDetermined.push_back(i);
  }
  return st;
}

}  // namespace vorex
