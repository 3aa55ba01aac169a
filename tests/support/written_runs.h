#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "experiment/capture.h"
#include "experiment/reaction_network.h"
#include "experiment/settings_table.h"
#include "simulation/simulation_run.h"

// Digital runs of a built-in mechanism and of a written one made from the same parameter set.
namespace vorex::testing {

// The start-up settings in the digital mode from the analytical concentrations, with the
// mechanism, technique, electrode and scan given and `edit` applied to the settings.
template <class Edit>
ParameterSet DigitalExperiment(MechanismCode mechanism, TechniqueCode technique,
                               ElectrodeCode electrode, ScanCode scan, Edit edit) {
  Settings s;
  s.SetMechanism(mechanism);
  s.SetTechnique(technique);
  s.SetElectrode(electrode);
  s.SetDigital(true);
  s.SetScan(scan);
  s.SetChecked(FieldId::PreEquilibration, false);
  edit(s);
  const Captured c = MakeParameterSet(s);
  if (!c.ok()) ADD_FAILURE() << c.refusal->message;
  return c.parameters;
}

// p with its mechanism replaced by the network, the counts taken from it.
ParameterSet Written(ParameterSet p, const ReactionNetwork& network);

// What a run gives: the currents of each transfer and their total, the surface concentrations.
struct Run {
  int points = 0, reactions = 0, species = 0;
  std::vector<std::vector<double>> current;  // [column 1..reactions + 1][point]
  std::vector<std::vector<double>> surface;  // [species 1..species][point]
  double peak = 0;                           // the largest |total|
  std::unique_ptr<SimulationWorkspace> work = std::make_unique<SimulationWorkspace>();
};
// Fails the test on a fault or a number that is not finite.
Run Simulated(const ParameterSet& p);

// The largest difference of two runs' currents over the first run's peak, and of their surface
// concentrations over `unit`.
double CurrentDifference(const Run& a, const Run& b);
double SurfaceDifference(const Run& a, const Run& b, double unit);

}  // namespace vorex::testing
