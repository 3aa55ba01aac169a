#pragma once

#include <cstdint>
#include <string>

#include "base/fixed_storage.h"
#include "experiment/codes.h"
#include "experiment/programme_potentials.h"
#include "experiment/reaction_network.h"

namespace vorex {

// Per-species and per-reaction storage: capture fills 1..4 (species) or 1..3 (reactions) for a
// built-in mechanism, up to 1..8 and 1..4 for a written one.
using SpeciesValues = FixedArray<double, kMaxNetworkSpecies>;
using ReactionValues = FixedArray<double, 5>;

// The experiment as numbers, made from its settings (see MakeParameterSet). Every computation
// works on it.
struct ParameterSet {
  // Potential programme and instrument.
  double EStart = 0;        // starting potential [V]
  double EEnd = 0;          // ending potential [V]
  double EStep = 0;         // potential step, always positive [V]
  double ScanRate = 0;      // scan rate v, always positive [V/s]
  double TPulse = 0;        // pulse time width [s]
  double TDrop = 0;         // drop time [s]
  double EPulse = 0;        // pulse potential, signed [V]
  double NoisePercent = 0;  // noise relative to the largest signal [%]
  double Cdl = 0;           // double-layer capacitance [F]
  double Ru = 0;            // uncompensated resistance [ohm]
  double Temperature = 0;   // absolute temperature [K]
  double ScanCount = 0;     // sweeps / 2: 0.5 single, 1 cycle, 2 two cycles
  double TRest = 0;         // rest at EStart before a digital sweep [s]
  // The measured programme a sweep follows instead of EStart..EEnd (scan "measured"); then
  // EStart is its first potential, EEnd its first vertex, EStep its median step and ScanCount 1
  // when it turns.
  ProgrammePotentials Measured;

  // Electrode and electrolyte.
  ElectrodeCode Electrode = ElectrodeCode::Planar;
  double Area = 0;                     // electrode area [cm2]
  double Radius = 0;                   // electrode radius [cm]
  double Length = 0;                   // electrode length or film thickness [cm]
  double Viscosity = 0;                // kinematic viscosity [cm2/s]
  double RotationRate = 0;             // angular speed of the rotating disk [rad/s]
  double ElectrolyteC = 0;             // supporting electrolyte concentration [mol/L]
  double ElectrolyteConductivity = 0;  // as entered
  double ElectrodeVolume = 0;          // [cm3], derived by the dialog's geometry update

  // Species 1..4 (A..D), or A..H of a written mechanism.
  SpeciesValues D;                    // diffusion coefficient [cm2/s]
  SpeciesValues CInit;                // initial concentration [mol/L]
  SpeciesValues SpeciesConductivity;  // as entered

  // Charge-transfer reactions 1..3, 1..4 of a written mechanism.
  ReactionValues N;      // electron number
  ReactionValues E0;     // standard (formal) potential [V]
  ReactionValues Alpha;  // transfer coefficient
  ReactionValues Ks;     // standard heterogeneous rate constant [cm/s]

  // Homogeneous reactions 1..3, 1..4 of a written mechanism.
  ReactionValues Kf;   // forward rate constant, as entered
  ReactionValues Kb;   // backward rate constant, as entered
  ReactionValues Keq;  // equilibrium constant kf/kb as the dialog shows it
  ReactionValues P;    // stoichiometric number

  // Codes and counts.
  TechniqueCode Technique = TechniqueCode::LinearSweep;
  bool Digital = true;  // digital simulation; false: the closed-form currents
  // Time steps per data point of the digital linear sweep: 1 one backward-Euler step, more that
  // many extrapolated sub-steps along the ramp (see digital_simulation.cpp).
  int StepsPerPoint = 1;
  MechanismCode Mechanism = MechanismCode::E;
  // The species, transfers and steps of a written mechanism (Mechanism Written); empty otherwise.
  ReactionNetwork Network;
  std::int16_t SpeciesCount = 0;
  std::int16_t ChargeReactionCount = 0;
  std::int16_t HomogeneousReactionCount = 0;

  // Derived.
  double FOverRT = 0;  // F / (R T) [1/V]
  double RTOverF = 0;  // R T / F [V]

  static bool SpeciesIndexInRange(int i) { return SpeciesValues::InRange(i); }
};

// Makes p run the written mechanism `network`: its code, its network and the counts it writes.
void RunWrittenNetwork(ParameterSet& p, const ReactionNetwork& network);

// The most sub-steps a sweep point takes: some three hundred solves, a few times the cost of a
// pulse point, and already far below any step error a peak could show.
inline constexpr int kMostStepsPerPoint = 100;

// The field of the parameter set that fit index k (1..38) stands for: 1..4 CInit, 5..7 Ks,
// 8..10 Alpha, 11..13 E0, 14..16 Kf, 17..19 Kb, 20..23 D, 24 Cdl, 25 Ru, then the rows of a
// written mechanism: 26..29 CInit(5..8), 30 Ks(4), 31 Alpha(4), 32 E0(4), 33 Kf(4), 34 Kb(4),
// 35..38 D(5..8) (see fit_slot_quantity.h). Raises "Subscript out of range" outside 1..38.
double& FitParameter(ParameterSet& parameters, int k);
double FitParameter(const ParameterSet& parameters, int k);
// Its name as the dialog shows it: "C(A)".."C(H)", "ks(1)", "\u03b1(1)", "E\u00b0(1)", "kf(1)",
// "kb(1)" .. "(4)", "D(A)".."D(H)", "Cdl", "Ru".
std::string FitParameterName(int k);

}  // namespace vorex
