#include "plot/curve_legend.h"

#include <utility>

namespace vorex {

std::string CurveName(CurveRole role, int curve) {
  switch (role) {
    case CurveRole::Measured:
      return "measured";
    case CurveRole::Fitted:
      return "fit";
    case CurveRole::Reaction1:
      return "reaction 1";
    case CurveRole::Reaction2:
      return "reaction 2";
    case CurveRole::Reaction3:
      return "reaction 3";
    case CurveRole::Residual:
      return "residual";
    case CurveRole::SemiDerivative:
      return "semi-derivative";
    case CurveRole::SemiIntegral:
      return "semi-integral";
    case CurveRole::Derivative:
      return "derivative";
    case CurveRole::Integral:
      return "integral";
    case CurveRole::Simulated:
      break;
  }
  return "Curve " + std::to_string(curve);
}

std::string LegendName(const CurveStore& c, int curve) {
  const std::string& own = c.Name(curve);
  return own.empty() ? CurveName(c.Role(curve), curve) : own;
}

void NameCurve(CurveStore& c, int curve, CurveRole role, std::string name) {
  c.Role(curve) = role;
  c.Name(curve) =
      name.empty() && role != CurveRole::Simulated ? CurveName(role, curve) : std::move(name);
}

}  // namespace vorex
