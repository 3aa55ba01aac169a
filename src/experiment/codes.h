#pragma once

#include <cstdint>
#include <optional>

// The technique, mechanism, electrode and scan of an experiment by name. Their numbers are the
// option numbers of the dialogs; they appear only where a script statement or a stored file
// carries them (see the From... conversions).
namespace vorex {

enum class TechniqueCode : std::int16_t {
  LinearSweep = 1,  // linear sweep and cyclic voltammetry
  DC,
  NormalPulse,
  DifferentialPulse,
  SquareWave,
};

enum class MechanismCode : std::int16_t {
  E = 1,               // A + ne = B
  EE,                  // A + ne = B, B + ne = C
  EEE,                 // A + ne = B, B + ne = C, C + ne = D
  TwoCouples,          // A + ne = B, C + ne = D
  CE,                  // C = A, A + ne = B
  CEC,                 // C = A, A + ne = B, B = D
  EC,                  // A + ne = B, B = C
  EC2,                 // A + ne = B, 2B = C
  Catalytic,           // A + ne = B, B = A
  Catalytic2,          // A + ne = B, 2B = A
  ECE,                 // A + ne = B, B = C, C + ne = D
  ECOntoSecondCouple,  // A + ne = B, B = D, C + ne = D
  SquareScheme,        // A + ne = B, B = D, C + ne = D, C = A
  EEC,                 // A + ne = B, B + ne = C, C = D
  EEIntermediateC,     // A + ne = B, B + ne = C, B = D
  CatalyticSubstrate,  // A + ne = B, B + C = A + D
  ComplexCE,           // C = A + pD, A + ne = B
  Written,             // the network of the mechanism text the user writes (see reaction_network.h)
};

enum class ElectrodeCode : std::int16_t {
  Planar = 1,
  Spherical,
  Hemispherical,
  Microdisc,
  Cylindrical,
  Hemicylindrical,
  ThinFilm,
  RotatingDisk,
};

// The sweep pattern: the items of the Scan list in their order.
// Measured: the potentials of a measured curve as they are (any start, any vertices).
enum class ScanCode : std::int16_t { Single = 0, Cycle, TwoCycles, Measured };

inline constexpr int kTechniqueCount = 5;
// The built-in mechanisms 1..17; the written one follows them.
inline constexpr int kMechanismCount = 17;
inline constexpr int kWrittenMechanismNumber = 18;
inline constexpr int kElectrodeCount = 8;
inline constexpr int kScanCount = 4;

template <class Code>
constexpr int CodeNumber(Code code) {
  return static_cast<int>(code);
}

// The code of an option number; nothing outside the catalogue.
inline std::optional<TechniqueCode> TechniqueFromNumber(int n) {
  if (n < 1 || n > kTechniqueCount) return std::nullopt;
  return static_cast<TechniqueCode>(n);
}
inline std::optional<MechanismCode> MechanismFromNumber(int n) {
  if (n < 1 || n > kMechanismCount) return std::nullopt;
  return static_cast<MechanismCode>(n);
}
inline std::optional<ElectrodeCode> ElectrodeFromNumber(int n) {
  if (n < 1 || n > kElectrodeCount) return std::nullopt;
  return static_cast<ElectrodeCode>(n);
}
inline std::optional<ScanCode> ScanFromNumber(int n) {
  if (n < 0 || n >= kScanCount) return std::nullopt;
  return static_cast<ScanCode>(n);
}

// Sweeps / 2 of a scan pattern, as the potential programme counts them.
constexpr double ScanCount(ScanCode scan) {
  switch (scan) {
    case ScanCode::Single:
      return 0.5;
    case ScanCode::Cycle:
      return 1;
    case ScanCode::TwoCycles:
      return 2;
    case ScanCode::Measured:  // the programme's own, set when it is read
      return 0.5;
  }
  return 0.5;
}

// The pulse techniques: a pulse time and a pulse potential apply.
constexpr bool IsPulse(TechniqueCode t) {
  return t == TechniqueCode::NormalPulse || t == TechniqueCode::DifferentialPulse ||
         t == TechniqueCode::SquareWave;
}
// Swept or stepped at the scan rate (all but square wave, which runs on its frequency).
constexpr bool UsesScanRate(TechniqueCode t) {
  return t != TechniqueCode::SquareWave;
}

}  // namespace vorex
