#include "plot/axis_title.h"

namespace vorex {
namespace {

struct Quantity {
  const char* symbol;
  const char* unit;
};

Quantity QuantityOf(const std::string& quantity) {
  if (quantity == "current I") return {"I", "A"};
  if (quantity == "resistance R") return {"R", "Ohm"};
  if (quantity == "conductance Cond") return {"Cond", "1/Ohm"};
  if (quantity == "surface concentration C") return {"C", "M"};
  return {"", ""};
}

}  // namespace

std::string AxisTitle(const std::string& quantity, CurveRole role) {
  const Quantity q = QuantityOf(quantity);
  if (*q.symbol == '\0') return "";
  const std::string symbol = q.symbol, unit = q.unit;
  // The half-order transforms work along time (the points |dE|/v apart), the others along E.
  switch (role) {
    case CurveRole::SemiDerivative:
      return "d" + symbol + "/dt^1/2 /" + unit + " s^-1/2";
    case CurveRole::SemiIntegral:
      return "d^-1/2 " + symbol + "/dt^-1/2 /" + unit + " s^1/2";
    case CurveRole::Derivative:
      return "d" + symbol + "/dE /" + unit + " V^-1";
    case CurveRole::Integral:
      return "\u222b" + symbol + " dE /" + unit + " V";
    default:
      break;
  }
  return symbol + " /" + unit;
}

}  // namespace vorex
