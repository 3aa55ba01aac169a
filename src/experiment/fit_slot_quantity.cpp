#include "experiment/fit_slot_quantity.h"

#include "base/runtime_fault.h"

namespace vorex {

FitSlotQuantity FitSlotQuantityOf(int k) {
  using Q = FitQuantity;
  if (k >= 1 && k <= 4) return {Q::C, k};
  if (k >= 5 && k <= 19) {
    constexpr Q kRows[] = {Q::Ks, Q::Alpha, Q::E0, Q::Kf, Q::Kb};
    return {kRows[(k - 5) / 3], (k - 5) % 3 + 1};
  }
  if (k >= 20 && k <= 23) return {Q::D, k - 19};
  if (k == 24) return {Q::Cdl, 0};
  if (k == 25) return {Q::Ru, 0};
  if (k >= 26 && k <= 29) return {Q::C, k - 21};
  if (k >= 30 && k <= 34) {
    constexpr Q kRows[] = {Q::Ks, Q::Alpha, Q::E0, Q::Kf, Q::Kb};
    return {kRows[k - 30], 4};
  }
  if (k >= 35 && k <= 38) return {Q::D, k - 30};
  throw RuntimeFault(kSubscriptOutOfRange);
}

}  // namespace vorex
