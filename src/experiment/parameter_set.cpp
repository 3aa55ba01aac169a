#include "experiment/parameter_set.h"

#include "experiment/fit_slot_quantity.h"

namespace vorex {

double& FitParameter(ParameterSet& p, int k) {
  const FitSlotQuantity slot = FitSlotQuantityOf(k);
  const int row = slot.row;
  switch (slot.quantity) {
    case FitQuantity::C:
      return p.CInit(row);
    case FitQuantity::Ks:
      return p.Ks(row);
    case FitQuantity::Alpha:
      return p.Alpha(row);
    case FitQuantity::E0:
      return p.E0(row);
    case FitQuantity::Kf:
      return p.Kf(row);
    case FitQuantity::Kb:
      return p.Kb(row);
    case FitQuantity::D:
      return p.D(row);
    case FitQuantity::Cdl:
      return p.Cdl;
    case FitQuantity::Ru:
      break;
  }
  return p.Ru;
}

std::string FitParameterName(int k) {
  static constexpr const char* kStems[] = {"C",  "ks", "\u03b1", "E\u00b0", "kf",
                                           "kb", "D",  "Cdl",    "Ru"};
  const FitSlotQuantity slot = FitSlotQuantityOf(k);
  const std::string stem = kStems[static_cast<int>(slot.quantity)];
  if (slot.row == 0) return stem;
  const bool species = slot.quantity == FitQuantity::C || slot.quantity == FitQuantity::D;
  const std::string row =
      species ? std::string(1, static_cast<char>('A' + slot.row - 1)) : std::to_string(slot.row);
  return stem + "(" + row + ")";
}

void RunWrittenNetwork(ParameterSet& p, const ReactionNetwork& network) {
  p.Mechanism = MechanismCode::Written;
  p.Network = network;
  p.SpeciesCount = static_cast<std::int16_t>(network.species);
  p.ChargeReactionCount = static_cast<std::int16_t>(network.transferCount);
  p.HomogeneousReactionCount = static_cast<std::int16_t>(network.stepCount);
}

double FitParameter(const ParameterSet& p, int k) {
  return FitParameter(const_cast<ParameterSet&>(p), k);  // reads only
}

}  // namespace vorex
