#pragma once

#include <array>
#include <optional>

#include "experiment/codes.h"

// The initial concentrations a voltammogram starts from: the analytical concentrations brought
// to the Nernst ratio of each couple at the starting potential and to the equilibrium of the
// preceding or following chemical reaction, and the enrichment of preconcentration.
namespace vorex {

// The amount x that moves from the oxidised to the reduced form of a couple whose equilibrium
// ratio reduced/oxidised is theta: x = (theta ox - red) / (1 + theta).
double NernstSplit(double theta, double oxidised, double reduced);

struct EquilibriumInputs {
  MechanismCode mechanism = MechanismCode::E;
  int chargeReactions = 1;     // NH
  std::array<double, 5> c{};   // analytical concentrations, species 1..4 [mol/L]
  std::array<double, 4> n{};   // electron numbers, couples 1..3
  std::array<double, 4> e0{};  // standard potentials, couples 1..3 [V]
  double startPotential = 0;   // [V]
  double fOverRT = 0;          // F / (R T) [1/V]
  double k1 = 0;               // equilibrium constant of chemical reaction 1
  double p = 1;                // stoichiometric number of chemical reaction 1
};

// The initial concentrations that pre-equilibration gives for species 1..4, only those the
// mechanism's case writes (the others are empty). Raises RuntimeFault when a step fails.
std::array<std::optional<double>, 5> PreEquilibrate(const EquilibriumInputs& in);

struct PreconcentrationInputs {
  double ePre = 0;         // preconcentration potential [V]
  double tPre = 0;         // preconcentration time [s]
  double pConst = 0;       // mass-transfer constant
  double stirRpm = 0;      // stirring rate [rpm]
  double e0 = 0;           // standard potential of couple 1 [V]
  double n = 0;            // electron number of couple 1
  double dA = 0;           // diffusion coefficient of A [cm2/s]
  double area = 0;         // electrode area [cm2]
  double volume = 0;       // electrode volume [cm3]
  double viscosity = 0;    // kinematic viscosity [cm2/s]
  double temperature = 0;  // [K]
};

// P D^(2/3) A / V w^(1/2) nu^(-1/6) t / (1 + theta_pre): the concentration of B accumulated in
// the electrode over the analytical concentration of A. Raises RuntimeFault when a step fails.
double PreconcentrationFactor(const PreconcentrationInputs& in);

}  // namespace vorex
