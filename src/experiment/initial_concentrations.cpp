#include "experiment/initial_concentrations.h"

#include <algorithm>

#include "base/checked_math.h"
#include "base/constants.h"
#include "base/number_format.h"
#include "experiment/experiment.h"
#include "experiment/field_value.h"

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
  switch (in.mechanism) {
    case 2:
    case 3:
    case 14:
    case 15: {  // consecutive charge transfers; the chemical step of 14 and 15 is left out
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
    case 4:
    case 11:
    case 12:
    case 13: {  // two separate couples A/B and C/D
      const int nh = std::min(in.chargeReactions, 2);
      for (int j = 1; j <= nh; ++j) {
        const auto ox = static_cast<std::size_t>(2 * j - 1);
        const double x = Split(in, j, c[ox], c[ox + 1]);
        out[ox] = c[ox] - x;
        out[ox + 1] = c[ox + 1] + x;
      }
      break;
    }
    case 5:
    case 6: {  // preceding C = A, K1 = [A]/[C]
      const double z = CheckedDivide(Finite(in.k1 * c[3] - c[1]), Finite(in.k1 + 1));
      const double a = c[1] + z;
      const double x = Split(in, 1, a, c[2]);
      out[3] = c[3] - z;
      out[1] = a - x;
      out[2] = c[2] + x;
      break;
    }
    case 7:
    case 8: {  // following B = C (and 2B = C, taken as first order), K1 = [C]/[B]
      const double x = Split(in, 1, c[1], c[2]);
      const double b = c[2] + x;
      const double y = CheckedDivide(Finite(in.k1 * b - c[3]), Finite(in.k1 + 1));
      out[1] = c[1] - x;
      out[2] = b - y;
      out[3] = c[3] + y;
      break;
    }
    case 17: {  // C = A + pD with D held at c4; no charge-transfer equilibrium
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
  const double thetaPre = CheckedExp(
      CheckedDivide(CheckedDivide(in.n * kFaraday * (in.ePre - in.e0), in.temperature),
                    kGasConstant));
  double factor = in.pConst * CheckedPow(in.dA, 2.0 / 3.0) * in.area;
  factor = CheckedDivide(factor, in.volume);
  factor = Finite(factor * CheckedPow(omega, 0.5) * CheckedPow(in.viscosity, -1.0 / 6.0) * in.tPre);
  return CheckedDivide(factor, Finite(1 + thetaPre));
}

// The dialog's side: the inputs come from the field texts and the last capture, the results go
// into the Cinit captions, and a failing step leaves its captions as they were.

void FormExpr::C_Change(int i) {
  ParameterSet& p = experiment_.parameterSet;
  const auto show = [](Control& label, double value) {
    label.SetCaption(FormatPattern(value, "0.###e-#"));
  };
  SkipOnFault([&] { p.FOverRT = CheckedDivide(kFaraday, kGasConstant * p.Temperature); });
  SkipOnFault([&] { show(Cinit(i), FieldValue(C(i))); });
  if (CheckPreEqu().Checked()) {
    SkipOnFault([&] {
      EquilibriumInputs in;
      in.mechanism = p.Mechanism;
      in.chargeReactions = p.ChargeReactionCount;
      for (int s = 1; s <= 4; ++s) in.c[static_cast<std::size_t>(s)] = FieldValue(C(s));
      for (int j = 1; j <= 3; ++j) {
        in.n[static_cast<std::size_t>(j)] = FieldValue(NEL(j));
        in.e0[static_cast<std::size_t>(j)] = FieldValue(Eze(j));
      }
      in.startPotential = FieldValue(Estart());
      in.fOverRT = CheckedDivide(kFaraday, kGasConstant * p.Temperature);
      in.k1 = FieldValue(LabelKeq(1));
      in.p = FieldValue(pl(1));
      const auto values = PreEquilibrate(in);
      for (int s = 1; s <= 4; ++s) {
        if (const auto& v = values[static_cast<std::size_t>(s)]) show(Cinit(s), *v);
      }
    });
  }
  if (CheckPreCon().Checked()) {
    SkipOnFault([&] { show(Cinit(2), Finite(FieldValue(C(1)) * PreconcentrationFactor())); });
  }
}

double FormExpr::PreconcentrationFactor() {
  const ParameterSet& p = experiment_.parameterSet;
  PreconcentrationInputs in;
  in.ePre = FieldValue(txtEPre());
  in.tPre = FieldValue(txtTPre());
  in.pConst = FieldValue(txtPconst());
  in.stirRpm = FieldValue(txtRStir());
  in.e0 = p.E0(1);
  in.n = p.N(1);
  in.dA = p.D(1);
  in.area = p.Area;
  in.volume = p.ElectrodeVolume;
  in.viscosity = p.Viscosity;
  in.temperature = p.Temperature;
  return vorex::PreconcentrationFactor(in);
}

}  // namespace vorex
