#pragma once

// Published tables of cyclic voltammetry, as printed (25 degrees C, n = 1).
namespace vorex::validation {

struct TableRow {
  double argument;
  double value;
};

// Reversible couple: peak separation [mV] against the distance of the switching potential
// beyond the cathodic peak, n(Epc - E_lambda) [mV] (Nicholson 1965, Anal. Chem. 37, 1351;
// reproduced in Bard & Faulkner 2001, section 6.5.1). The limit for a far switching potential
// is 2.218 RT/F (57.0 mV).
inline constexpr TableRow kReversibleSeparation[] = {
    {71.5, 60.5},
    {121.5, 59.2},
    {171.5, 58.3},
    {271.5, 57.8},
};

// Quasi-reversible couple, alpha = 0.5: peak separation [mV] against
// psi = (D_O/D_R)^(alpha/2) ks / sqrt(pi D_O nFv/RT), switching 112.5 mV beyond E1/2
// (Nicholson 1965, working curve
// table; reproduced in Bard & Faulkner 2001, section 6.5.2).
inline constexpr TableRow kQuasiReversibleSeparation[] = {
    {20, 61}, {7, 63}, {4, 66}, {2, 72}, {1, 84}, {0.5, 105},
};

}  // namespace vorex::validation
