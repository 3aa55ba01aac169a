#include "fitting/fit_slots.h"

#include "base/number_text.h"
#include "base/runtime_fault.h"
#include "experiment/field_use.h"
#include "experiment/fit_slot_quantity.h"
#include "experiment/written_mechanism.h"
#include "fitting/background_projection.h"

namespace vorex {
namespace {

std::string Quoted(const Settings& s, FieldId bound) {
  std::string quoted(1, '"');
  quoted += s.Value(bound);
  quoted += '"';
  return quoted;
}

}  // namespace

const char* BoundsWithoutMeaning(int k, double low, double high) {
  switch (FitSlotQuantityOf(k).quantity) {
    case FitQuantity::Alpha:
      return low >= 0 && high <= 1 ? nullptr : "must lie between 0 and 1";
    case FitQuantity::E0:
      return nullptr;
    case FitQuantity::D:
      return low > 0 ? nullptr : "must be greater than 0";
    default:
      return low >= 0 ? nullptr : "must not be negative";
  }
}

bool PositiveScaleSlot(int k) {
  // Concentrations, ks, kf, kb, D, Cdl and Ru; not alpha or E0.
  const FitQuantity q = FitSlotQuantityOf(k).quantity;
  return q != FitQuantity::Alpha && q != FitQuantity::E0;
}

std::vector<int> FittedSlots(const Settings& s) {
  std::vector<int> slots;
  for (int k = 1; k <= kFitSlots; ++k) {
    const FieldId flag = Row(FieldId::Fitted1, k);
    if (s.Checked(flag) && FieldShown(s, flag)) slots.push_back(k);
  }
  return slots;
}

std::optional<std::string> RefusedBounds(const Settings& s) {
  for (int k : FittedSlots(s)) {
    const FieldId min = Row(FieldId::Min1, k), max = Row(FieldId::Max1, k);
    const std::string name = FitParameterName(k);
    double low = 0, high = 0;
    try {
      low = NumericPrefix(s.Value(min));
      high = NumericPrefix(s.Value(max));
    } catch (const RuntimeFault&) {
      return "A bound of " + name + " (min " + Quoted(s, min) + ", max " + Quoted(s, max) +
             ") is too large a number; nothing was fitted.";
    }
    if (low > high) {
      return "The bounds of " + name + " are reversed: min " + Quoted(s, min) + " is above max " +
             Quoted(s, max) + "; nothing was fitted.";
    }
    if (const char* meaning = BoundsWithoutMeaning(k, low, high)) {
      return "The bounds of " + name + " (min " + Quoted(s, min) + ", max " + Quoted(s, max) +
             ") take in values without meaning: " + name + " " + meaning + "; nothing was fitted.";
    }
  }
  return std::nullopt;
}

std::optional<NetworkEquilibriumInputs> WrittenEquilibrium(const Settings& s,
                                                           const ParameterSet& p) {
  if (!IsWritten(s) || !s.Checked(FieldId::PreEquilibration) || p.Network.species == 0) {
    return std::nullopt;
  }
  NetworkEquilibriumInputs in;
  in.network = p.Network;
  for (int i = 1; i <= p.Network.species; ++i) {
    in.c[static_cast<std::size_t>(i)] = NumericPrefix(s.Value(Row(FieldId::C1, i)));
  }
  in.startPotential = p.EStart;
  in.fOverRT = p.FOverRT;
  return in;
}

FitSetup FitSetupFor(const Settings& s, const ParameterSet& p) {
  FitSetup setup;
  setup.backgroundDegree = BackgroundDegree(s.ListIndex(FieldId::Background));
  for (int k : FittedSlots(s)) {
    if (setup.count == kMaxFitParameters) break;
    const int i = ++setup.count;
    setup.index(i) = k;
    setup.start(i) = FitStartValue(p, k);
    setup.lower(i) = NumericPrefix(s.Value(Row(FieldId::Min1, k)));
    setup.upper(i) = NumericPrefix(s.Value(Row(FieldId::Max1, k)));
    setup.logScale(i) = PositiveScaleSlot(k);
  }
  setup.equilibrium = WrittenEquilibrium(s, p);
  return setup;
}

}  // namespace vorex
