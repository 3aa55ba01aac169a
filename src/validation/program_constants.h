#pragma once

// The physical constants of the program's conventions, written out again here so that the
// theoretical values depend on nothing the program computes. Units: V, s, cm, mol/cm3, A.
namespace vorex::validation {

inline constexpr double kF = 96484.6;            // Faraday constant [C/mol]
inline constexpr double kR = 8.31441;            // gas constant [J/(mol K)]
inline constexpr double kZeroCelsius = 273.14;   // the program's 0 degrees C [K]
inline constexpr double kT = kZeroCelsius + 25;  // the dialog's 25 degrees C
inline constexpr double kPi = 3.141592654;       // as the program writes pi
inline constexpr double kFrt = kF / kR / kT;     // F/RT [1/V]
inline constexpr double kRtf = 1.0 / kFrt;       // RT/F [V]
// F/RT at a temperature typed in the dialog's unit, degrees C.
inline constexpr double FrtAt(double celsius) {
  return kF / kR / (kZeroCelsius + celsius);
}
inline constexpr double kEuler = 0.5772156649015329;  // Euler's gamma

// The start-up experiment most cases build on: a reversible one-electron couple with both
// diffusion coefficients 1e-5 cm2/s, 1 mM of the oxidised form (1e-6 mol/cm3), E0 = 0.1 V.
inline constexpr double kD = 1e-5;
inline constexpr double kC = 1e-6;
inline constexpr double kE0 = 0.1;

}  // namespace vorex::validation
