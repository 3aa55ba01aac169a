#pragma once

#include "validation/global_fit_coverage.h"

// The experiment of the coverage runs, shared by the runs and the report's description of them.
namespace vorex::validation::coverage {

inline constexpr double kRates[kCoverageRates] = {0.05, 0.1, 0.2, 0.5};  // [V/s]

// Mechanism E on a planar electrode, 1 mM of A, no pre-equilibration; 0.6 V down to -0.198 V
// and back in 2 mV steps: 400 points a sweep, 800 in all.
inline constexpr double kEStart = 0.6, kEEnd = -0.198, kEStep = 0.002;
inline constexpr double kConcentration = 1e-3;  // [mol/L]
inline constexpr double kDiffusion = 7.6e-6;    // of A and B [cm2/s]; only that of A is fitted

// The fitted slots (E0, ks, alpha, D of A), the values the curves are simulated with, where the
// fits start (10 mV, half, 0.05 and a tenth off) and their bounds.
inline constexpr int kSlots[kCoverageParameters] = {11, 5, 8, 20};
inline constexpr const char* kNames[kCoverageParameters] = {"E0 (V)", "ks (cm/s)", "alpha",
                                                            "D (cm2/s)"};
inline constexpr double kTruth[kCoverageParameters] = {0.217, 1e-3, 0.48, kDiffusion};
inline constexpr double kStart[kCoverageParameters] = {0.207, 1.5e-3, 0.53, 6.84e-6};
inline constexpr double kLower[kCoverageParameters] = {-0.2, 1e-6, 0.1, 1e-7};
inline constexpr double kUpper[kCoverageParameters] = {0.6, 1, 0.9, 1e-4};

// 100 copies; the noise of every curve has the deviation of 1 % of the slowest scan's largest
// current, drawn for copy k from std::mt19937_64 seeded kSeed + k, curve after curve.
inline constexpr int kCopies = 100;
inline constexpr double kNoiseShare = 0.01;
inline constexpr unsigned long long kSeed = 20240;

}  // namespace vorex::validation::coverage
