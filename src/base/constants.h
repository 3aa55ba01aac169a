#pragma once

// Physical constants exactly as the system uses them; nothing else defines them.
namespace vorex {

inline constexpr double kFaraday = 96484.6;      // Faraday constant [C/mol]
inline constexpr double kGasConstant = 8.31441;  // gas constant [J/(mol K)]
inline constexpr double kZeroCelsius = 273.14;   // 0 degrees Celsius [K]
inline constexpr double kPi = 3.141592654;       // pi, to the ten digits every formula uses

}  // namespace vorex
