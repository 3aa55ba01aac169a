#include "simulation/staircase_convolution.h"

#include <array>
#include <cmath>

#include "base/runtime_fault.h"

namespace vorex {
namespace {

// Lags up to kRecent are summed term by term; the exponential sum only has to hold from
// kRecent + 1 on, where m^(-1/2) is smooth enough for few nodes.
constexpr int kRecent = 32;

// 1/sqrt(m) = (2/sqrt(pi)) Int exp(-m e^(2u)) e^u du over the real line, by the trapezoid rule
// in u. The integrand is analytic for |Im u| < pi/4, so the rule's error falls as
// exp(-pi^2 / (2 kStep)), about 2e-11 here. The top node sits where exp(-(kRecent + 1) e^(2u))
// has died away, the bottom one where m e^(2u) is still negligible for every m up to
// kMaxHalfSteps + 1; the nodes below it are lumped into one that does not decay. Together they
// hold m^(-1/2) to 1.4e-10 relative over kRecent + 1 <= m <= kMaxHalfSteps + 1.
constexpr int kNodes = 60;
constexpr double kStep = 0.2;
constexpr double kTopNode = 0.0;

// Lanes of the explicit partial sums: short dependency chains keep the adder busy, and since
// the split is written out, the result does not depend on what the compiler makes of it.
constexpr int kLanes = 4;
static_assert(kRecent % kLanes == 0 && kNodes % kLanes == 0);

struct Kernel {
  // window[i] = 1/sqrt(kRecent - i): the weight of delta[j - kRecent + 1 + i] in out[j].
  std::array<double, kRecent> window{};
  std::array<double, kNodes> decay{};   // exp(-beta) per step
  std::array<double, kNodes> inject{};  // exp(-beta (kRecent + 1)): a change entering the history
  std::array<double, kNodes> weight{};
  double settled = 0;  // weight of the lumped node
};

Kernel BuildKernel() {
  Kernel k;
  for (int i = 0; i < kRecent; ++i) k.window[i] = 1 / std::sqrt(static_cast<double>(kRecent - i));
  const double scale = 2 / std::sqrt(std::acos(-1.0)) * kStep;
  for (int q = 0; q < kNodes; ++q) {
    const double u = kTopNode - q * kStep;
    const double beta = std::exp(2 * u);
    k.decay[q] = std::exp(-beta);
    k.inject[q] = std::exp(-beta * (kRecent + 1));
    k.weight[q] = scale * std::exp(u);
  }
  // The nodes below the bottom one, with exp(-m beta) taken as 1: a geometric series in e^u.
  const double bottom = kTopNode - (kNodes - 1) * kStep;
  k.settled = scale * std::exp(bottom - kStep) / (1 - std::exp(-kStep));
  return k;
}

const Kernel& TheKernel() {
  static const Kernel kernel = BuildKernel();
  return kernel;
}

}  // namespace

void StaircaseConvolution(const double* delta, int count, double* out) {
  if (count < 0 || count > kMaxHalfSteps) throw RuntimeFault(kSubscriptOutOfRange);
  const Kernel& kern = TheKernel();

  // Until the window fills there is no history.
  const int filling = count < kRecent ? count : kRecent;
  for (int j = 1; j <= filling; ++j) {
    double sum = 0;
    for (int k = 1; k <= j; ++k) sum += delta[k] * kern.window[kRecent - 1 - (j - k)];
    out[j] = sum;
  }

  // history[q] = sum over the changes older than the window of delta[k] exp(-beta_q (j-k+1)).
  std::array<double, kNodes> history{};
  double settled = 0;
  for (int j = kRecent + 1; j <= count; ++j) {
    const double* recent = delta + (j - kRecent + 1);
    std::array<double, kLanes> near{};
    for (int i = 0; i < kRecent; i += kLanes) {
      for (int l = 0; l < kLanes; ++l) near[l] += recent[i + l] * kern.window[i + l];
    }

    const double entering = delta[j - kRecent];
    settled += entering;
    std::array<double, kLanes> far{};
    for (int q = 0; q < kNodes; q += kLanes) {
      for (int l = 0; l < kLanes; ++l) {
        history[q + l] = kern.decay[q + l] * history[q + l] + kern.inject[q + l] * entering;
        far[l] += kern.weight[q + l] * history[q + l];
      }
    }
    out[j] = ((near[0] + near[1]) + (near[2] + near[3])) +
             (((far[0] + far[1]) + (far[2] + far[3])) + kern.settled * settled);
  }
}

}  // namespace vorex
