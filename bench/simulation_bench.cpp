// The hot paths of a simulation. Analytical: the whole default run (target 30 us), the
// semi-differentiation of a 4000-point column (4 ms), a 4000-point differential-pulse run at a
// sphere (1 ms). Digital: the default linear sweep (50 us), a two-cycle CV of 4000 points with
// mechanism 1 (1 ms) and with mechanism 16 (7 ms), differential pulse and square wave at the
// defaults (2 ms each), DC voltammetry of 121 points at a microdisc (50 ms) and a cycle of
// 1000 points there (300 ms), both in two dimensions.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <sstream>

#include "analysis/column_operators.h"
#include "experiment/capture.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/simulation_command.h"
#include "simulation/staircase_convolution.h"

namespace {

// A started program in the analytical mode with the given technique and electrode.
struct Bench {
  Bench(int technique, int electrode, const char* step, bool digital = false, int mechanism = 1,
        int scan = 0) {
    auto& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), digital);
    program->experiment.formMech.Click(program->experiment.formMech.mech(mechanism));
    program->experiment.formExpr.Choose(program->experiment.formExpr.ComboScan(), scan);
    if (mechanism == 16)
      program->experiment.formExpr.Type(program->experiment.formExpr.C(3), "1e-3");
    tech.Click(tech.optTech(technique));
    program->experiment.formExpr.Click(program->experiment.formExpr.optElectrode(electrode));
    program->experiment.formExpr.Type(program->experiment.formExpr.Estep(), step);
    vorex::CaptureParameters(program->experiment);
  }
  std::ostringstream sink;
  vorex::CliHost host{sink};
  std::unique_ptr<vorex::Program> program = std::make_unique<vorex::Program>(host);
};

constexpr const char* k4000Points = "0.000150037509377344";  // 0.6 V / 3999

void BM_DefaultAnalyticalSimulation(benchmark::State& s) {
  Bench b(1, 1, "0.005");
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
  s.counters["points"] = b.program->curves.PointCount;
}
BENCHMARK(BM_DefaultAnalyticalSimulation)->Unit(benchmark::kMicrosecond);

void BM_SemiDifferentiate4000(benchmark::State& s) {
  auto store = std::make_unique<vorex::CurveStore>();
  for (int i = 1; i <= 4000; ++i) store->Abscissa(i) = 0.3 - 0.00015 * (i - 1);
  for (auto _ : s) {
    s.PauseTiming();
    for (int i = 1; i <= 4000; ++i)
      store->Ordinate(i, 1) = 1e-5 / (1 + std::exp(0.01 * (i - 2000)));
    s.ResumeTiming();
    vorex::SemiDifferentiate(store->Abscissa, vorex::ColumnRef(store->Ordinate, 1), 4000, 0.1);
    benchmark::DoNotOptimize(store->Ordinate(4000, 1));
  }
}
BENCHMARK(BM_SemiDifferentiate4000)->Unit(benchmark::kMillisecond);

void BM_DifferentialPulseSphere4000(benchmark::State& s) {
  Bench b(4, 2, k4000Points);
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
  s.counters["points"] = b.program->curves.PointCount;
}
BENCHMARK(BM_DifferentialPulseSphere4000)->Unit(benchmark::kMillisecond);

// Target: 4000 points of square wave or differential pulse by superposition within 10 ms.
void BM_AnalyticalSquareWave4000(benchmark::State& s) {
  Bench b(5, 1, k4000Points);
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
}
BENCHMARK(BM_AnalyticalSquareWave4000)->Unit(benchmark::kMillisecond);

void BM_AnalyticalSquareWaveCylinder4000(benchmark::State& s) {
  Bench b(5, 5, k4000Points);
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
}
BENCHMARK(BM_AnalyticalSquareWaveCylinder4000)->Unit(benchmark::kMillisecond);

// The cylinder's sweep superposes its radial term over every earlier point: quadratic.
void BM_AnalyticalSweepCylinder(benchmark::State& s) {
  Bench b(1, 5, s.range(0) == 121 ? "0.005" : k4000Points);
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
}
BENCHMARK(BM_AnalyticalSweepCylinder)->Arg(121)->Arg(4000)->Unit(benchmark::kMillisecond);

void Run(benchmark::State& s, Bench& b) {
  for (auto _ : s) {
    if (!vorex::Simulate(b.program->links, b.program->simulationWork)) s.SkipWithError("failed");
  }
  s.counters["points"] = b.program->curves.PointCount;
}

constexpr const char* k4000InTwoCycles = "0.000600600600600601";  // 0.6 V / 999

void BM_DefaultDigitalLinearSweep(benchmark::State& s) {
  Bench b(1, 1, "0.005", true);
  Run(s, b);
}
BENCHMARK(BM_DefaultDigitalLinearSweep)->Unit(benchmark::kMicrosecond);

void BM_DigitalTwoCycles4000(benchmark::State& s) {
  Bench b(1, 1, k4000InTwoCycles, true, 1, 2);
  Run(s, b);
}
BENCHMARK(BM_DigitalTwoCycles4000)->Unit(benchmark::kMillisecond);

void BM_DigitalTwoCycles4000Mechanism16(benchmark::State& s) {
  Bench b(1, 1, k4000InTwoCycles, true, 16, 2);
  Run(s, b);
}
BENCHMARK(BM_DigitalTwoCycles4000Mechanism16)->Unit(benchmark::kMillisecond);

void BM_DigitalDifferentialPulse(benchmark::State& s) {
  Bench b(4, 1, "0.005", true);
  Run(s, b);
}
BENCHMARK(BM_DigitalDifferentialPulse)->Unit(benchmark::kMillisecond);

void BM_DigitalSquareWave(benchmark::State& s) {
  Bench b(5, 1, "0.005", true);
  Run(s, b);
}
BENCHMARK(BM_DigitalSquareWave)->Unit(benchmark::kMillisecond);

// A cycle of 1000 points at the microdisc, simulated in two dimensions (target 300 ms).
constexpr const char* k1000InACycle = "0.00120240480961924";  // 0.6 V / 499

void BM_DigitalMicrodiscCycle1000(benchmark::State& s) {
  Bench b(1, 4, k1000InACycle, true, 1, 1);
  Run(s, b);
}
BENCHMARK(BM_DigitalMicrodiscCycle1000)->Unit(benchmark::kMillisecond);

void BM_DigitalMicrodiscDC121(benchmark::State& s) {
  Bench b(2, 4, "0.005", true);
  Run(s, b);
}
BENCHMARK(BM_DigitalMicrodiscDC121)->Unit(benchmark::kMillisecond);

// The superposition sums of a square wave of 4000 points, one of its half-steps per step
// (target well under 5 ms, in a square-wave run of 10 ms).
void BM_StaircaseConvolution8000(benchmark::State& s) {
  static std::array<double, vorex::kMaxHalfSteps + 1> delta{}, out{};
  for (int k = 1; k <= vorex::kMaxHalfSteps; ++k) delta[k] = k % 2 == 0 ? -0.05 : 0.055;
  for (auto _ : s) {
    vorex::StaircaseConvolution(delta.data(), vorex::kMaxHalfSteps, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StaircaseConvolution8000)->Unit(benchmark::kMicrosecond);

}  // namespace
