#pragma once

// What each fit slot fits. Slots 1..25 are those of the built-in mechanisms (1..4 C, 5..7 ks,
// 8..10 alpha, 11..13 E0, 14..16 kf, 17..19 kb, 20..23 D, 24 Cdl, 25 Ru); 26..38 add the rows only
// a written mechanism has (26..29 C of E..H, 30 ks, 31 alpha, 32 E0, 33 kf, 34 kb of row 4,
// 35..38 D of E..H), so that a slot keeps its number whatever the mechanism.
namespace vorex {

enum class FitQuantity : unsigned char { C, Ks, Alpha, E0, Kf, Kb, D, Cdl, Ru };

struct FitSlotQuantity {
  FitQuantity quantity;
  int row;  // species 1..8, reaction 1..4; 0 for Cdl and Ru
};

// Raises "Subscript out of range" outside 1..kFitSlots.
FitSlotQuantity FitSlotQuantityOf(int slot);

}  // namespace vorex
