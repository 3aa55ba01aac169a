#include "experiment/parameter_set.h"

namespace vorex {

double& FitParameter(ParameterSet& p, int k) {
  if (k >= 1 && k <= 4) return p.CInit(k);
  if (k >= 5 && k <= 7) return p.Ks(k - 4);
  if (k >= 8 && k <= 10) return p.Alpha(k - 7);
  if (k >= 11 && k <= 13) return p.E0(k - 10);
  if (k >= 14 && k <= 16) return p.Kf(k - 13);
  if (k >= 17 && k <= 19) return p.Kb(k - 16);
  if (k >= 20 && k <= 23) return p.D(k - 19);
  if (k == 24) return p.Cdl;
  if (k == 25) return p.Ru;
  throw RuntimeFault(kSubscriptOutOfRange);
}

std::string FitParameterName(int k) {
  static constexpr const char* kStems[] = {"C", "ks", "\u03b1", "E\u00b0", "kf", "kb"};
  if (k >= 1 && k <= 4) return std::string("C(") + static_cast<char>('A' + k - 1) + ")";
  if (k >= 20 && k <= 23) return std::string("D(") + static_cast<char>('A' + k - 20) + ")";
  if (k == 24) return "Cdl";
  if (k == 25) return "Ru";
  if (k >= 5 && k <= 19) {
    const int group = (k - 5) / 3 + 1;
    return std::string(kStems[group]) + "(" + std::to_string((k - 5) % 3 + 1) + ")";
  }
  throw RuntimeFault(kSubscriptOutOfRange);
}

double FitParameter(const ParameterSet& p, int k) {
  return FitParameter(const_cast<ParameterSet&>(p), k);  // reads only
}

}  // namespace vorex
