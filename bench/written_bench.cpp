// Written mechanisms in the digital simulation, on a cycle of 1000 points at a plane: A + e = B;
// B = C against the built-in EC with the same numbers (target: the written one within 1.5 times
// the built-in's time), and eight species with four second-order steps (target: 50 ms).
#include <benchmark/benchmark.h>

#include <memory>
#include <variant>

#include "experiment/capture.h"
#include "experiment/reaction_network.h"
#include "simulation/simulation_run.h"

namespace {

using vorex::MechanismCode;
using vorex::ParameterSet;

// 0.4 to -0.4 V and back in 499 steps each way: 1000 points.
ParameterSet Cycle1000(MechanismCode mechanism) {
  vorex::Settings s;
  s.SetMechanism(mechanism);
  s.SetTechnique(vorex::TechniqueCode::LinearSweep);
  s.SetDigital(true);
  s.SetScan(vorex::ScanCode::Cycle);
  s.SetChecked(vorex::FieldId::PreEquilibration, false);
  s.Set(vorex::FieldId::EStart, "0.4");
  s.Set(vorex::FieldId::EEnd, "-0.4");
  s.Set(vorex::FieldId::EStep, "0.0016032064128256513");
  s.Set(vorex::FieldId::ScanRate, "0.1");
  return vorex::MakeParameterSet(s).parameters;
}

ParameterSet Written(ParameterSet p, const char* text) {
  vorex::RunWrittenNetwork(p, std::get<vorex::ReactionNetwork>(vorex::ParseMechanism(text)));
  return p;
}

ParameterSet EC() {
  ParameterSet p = Cycle1000(MechanismCode::EC);
  p.Kf(1) = 2;
  p.Kb(1) = 0.1;
  return p;
}

ParameterSet EightSpecies() {
  ParameterSet p =
      Written(Cycle1000(MechanismCode::E), "A + e = B; B + C = D; D + E = F; F + G = H; 2 B = E");
  for (int s = 1; s <= 8; ++s) {
    p.D(s) = 1e-5;
    p.CInit(s) = 0;
  }
  p.CInit(1) = 1e-3;
  p.CInit(3) = 2e-3;
  p.CInit(7) = 5e-4;
  const double kf[] = {2e3, 5e3, 1e4, 1e3}, kb[] = {1, 0.1, 10, 0};
  for (int i = 1; i <= 4; ++i) {
    p.Kf(i) = kf[i - 1];
    p.Kb(i) = kb[i - 1];
  }
  return p;
}

void Run(benchmark::State& state, const ParameterSet& p) {
  auto work = std::make_unique<vorex::SimulationWorkspace>();
  int points = 0;
  for (auto _ : state) {
    const vorex::SimulationOutcome o = vorex::RunSimulation(p, *work, false);
    if (o.fault) state.SkipWithError(o.fault->c_str());
    points = o.programme.pointCount;
  }
  state.counters["points"] = points;
}

void BM_BuiltInEC1000(benchmark::State& state) {
  Run(state, EC());
}
BENCHMARK(BM_BuiltInEC1000)->Unit(benchmark::kMicrosecond);

void BM_WrittenEC1000(benchmark::State& state) {
  Run(state, Written(EC(), "A + e = B; B = C"));
}
BENCHMARK(BM_WrittenEC1000)->Unit(benchmark::kMicrosecond);

void BM_WrittenEightSpeciesFourSecondOrder1000(benchmark::State& state) {
  Run(state, EightSpecies());
}
BENCHMARK(BM_WrittenEightSpeciesFourSecondOrder1000)->Unit(benchmark::kMillisecond);

}  // namespace
