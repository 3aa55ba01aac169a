#include "experiment/initial_concentrations.h"

#include <algorithm>

#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {
namespace {

double Theta(const EquilibriumInputs& in, int j) {
  const auto u = static_cast<std::size_t>(j);
  return CheckedExp(Finite(in.n[u] * in.fOverRT * (in.e0[u] - in.startPotential)));
}

double Split(const EquilibriumInputs& in, int j, double oxidised, double reduced) {
  return NernstSplit(Theta(in, j), oxidised, reduced);
}

}  // namespace

double NernstSplit(double theta, double oxidised, double reduced) {
  return CheckedDivide(Finite(theta * oxidised - reduced), Finite(1 + theta));
}

std::array<std::optional<double>, 5> PreEquilibrate(const EquilibriumInputs& in) {
  std::array<std::optional<double>, 5> out{};
  const auto& c = in.c;
  using M = MechanismCode;
  switch (in.mechanism) {
    case M::EE:
    case M::EEE:
    case M::EEC:
    case M::EEIntermediateC: {  // consecutive charge transfers; the chemical step of 14 and 15 is
                                // left out
      const int nh = in.chargeReactions;
      if (nh < 1 || nh > 3) break;
      double carry = c[1];
      double x = 0;
      for (int j = 1; j <= nh; ++j) {
        const auto u = static_cast<std::size_t>(j);
        if (j > 1) carry = c[u] + x;
        x = Split(in, j, carry, c[u + 1]);
        out[u] = carry - x;
      }
      out[static_cast<std::size_t>(nh) + 1] = c[static_cast<std::size_t>(nh) + 1] + x;
      break;
    }
    case M::TwoCouples:
    case M::ECE:
    case M::ECOntoSecondCouple:
    case M::SquareScheme: {  // two separate couples A/B and C/D
      const int nh = std::min(in.chargeReactions, 2);
      for (int j = 1; j <= nh; ++j) {
        const auto ox = static_cast<std::size_t>(2 * j - 1);
        const double x = Split(in, j, c[ox], c[ox + 1]);
        out[ox] = c[ox] - x;
        out[ox + 1] = c[ox + 1] + x;
      }
      break;
    }
    case M::CE:
    case M::CEC: {  // preceding C = A, K1 = [A]/[C]
      const double z = CheckedDivide(Finite(in.k1 * c[3] - c[1]), Finite(in.k1 + 1));
      const double a = c[1] + z;
      const double x = Split(in, 1, a, c[2]);
      out[3] = c[3] - z;
      out[1] = a - x;
      out[2] = c[2] + x;
      break;
    }
    case M::EC:
    case M::EC2: {  // following B = C (and 2B = C, taken as first order), K1 = [C]/[B]
      const double x = Split(in, 1, c[1], c[2]);
      const double b = c[2] + x;
      const double y = CheckedDivide(Finite(in.k1 * b - c[3]), Finite(in.k1 + 1));
      out[1] = c[1] - x;
      out[2] = b - y;
      out[3] = c[3] + y;
      break;
    }
    case M::ComplexCE: {  // C = A + pD with D held at c4; no charge-transfer equilibrium
      const double w = CheckedPow(c[4], in.p);
      const double x = CheckedDivide(Finite(in.k1 * c[3] - c[1] * w), Finite(w + in.k1));
      out[3] = c[3] - x;
      out[1] = c[1] + x;
      break;
    }
    default: {
      const double x = Split(in, 1, c[1], c[2]);
      out[1] = c[1] - x;
      out[2] = c[2] + x;
      break;
    }
  }
  for (const auto& value : out) {
    if (value) Finite(*value);
  }
  return out;
}

double PreconcentrationFactor(const PreconcentrationInputs& in) {
  const double omega = (in.stirRpm + in.stirRpm) * kPi / 60;
  const double thetaPre = CheckedExp(CheckedDivide(
      CheckedDivide(in.n * kFaraday * (in.ePre - in.e0), in.temperature), kGasConstant));
  double factor = in.pConst * CheckedPow(in.dA, 2.0 / 3.0) * in.area;
  factor = CheckedDivide(factor, in.volume);
  factor = Finite(factor * CheckedPow(omega, 0.5) * CheckedPow(in.viscosity, -1.0 / 6.0) * in.tPre);
  return CheckedDivide(factor, Finite(1 + thetaPre));
}

}  // namespace vorex
