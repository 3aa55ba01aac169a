#include "plot/curve_legend.h"

namespace vorex {

std::string CurveName(CurveRole role, int curve) {
  switch (role) {
    case CurveRole::Measured:
      return "measured";
    case CurveRole::Fitted:
      return "fitted";
    case CurveRole::Reaction1:
      return "reaction 1";
    case CurveRole::Reaction2:
      return "reaction 2";
    case CurveRole::Reaction3:
      return "reaction 3";
    case CurveRole::Residual:
      return "residual";
    case CurveRole::Simulated:
      break;
  }
  return "Curve " + std::to_string(curve);
}

}  // namespace vorex
