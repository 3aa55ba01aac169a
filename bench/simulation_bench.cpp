// The hot paths of a simulation: the whole default run, the semi-differentiation of a long
// column, and a long differential-pulse run at a sphere. Targets: 30 us, 4 ms and 1 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "analysis/column_operators.h"
#include "experiment/capture.h"
#include "shell/cli_host.h"
#include "shell/vorex24a1.h"
#include "simulation/simulate.h"

namespace {

// A started program in the analytical mode with the given technique and electrode.
struct Bench {
  Bench(int technique, int electrode, const char* step) {
    auto& tech = state->formTech;
    tech.SetCheck(tech.CheckDigital(), false);
    tech.Click(tech.optTech(technique));
    state->formExpr.Click(state->formExpr.optElectrode(electrode));
    state->formExpr.Type(state->formExpr.Estep(), step);
    vorex::CaptureParameters(state->experiment);
  }
  std::ostringstream sink;
  vorex::CliHost host{sink};
  std::unique_ptr<vorex::VOREX24A1> state = std::make_unique<vorex::VOREX24A1>(host);
};

constexpr const char* k4000Points = "0.000150037509377344";  // 0.6 V / 3999

void BM_DefaultAnalyticalSimulation(benchmark::State& s) {
  Bench b(1, 1, "0.005");
  for (auto _ : s) {
    if (!vorex::Simulate(b.state->links, b.state->simulationWork)) s.SkipWithError("failed");
  }
  s.counters["points"] = b.state->curves.PointCount;
}
BENCHMARK(BM_DefaultAnalyticalSimulation)->Unit(benchmark::kMicrosecond);

void BM_SemiDifferentiate4000(benchmark::State& s) {
  auto store = std::make_unique<vorex::CurveStore>();
  for (int i = 1; i <= 4000; ++i) store->Abscissa(i) = 0.3 - 0.00015 * (i - 1);
  for (auto _ : s) {
    s.PauseTiming();
    for (int i = 1; i <= 4000; ++i) store->Ordinate(i, 1) = 1e-5 / (1 + std::exp(0.01 * (i - 2000)));
    s.ResumeTiming();
    vorex::SemiDifferentiate(store->Abscissa, vorex::ColumnRef(store->Ordinate, 1), 4000);
    benchmark::DoNotOptimize(store->Ordinate(4000, 1));
  }
}
BENCHMARK(BM_SemiDifferentiate4000)->Unit(benchmark::kMillisecond);

void BM_DifferentialPulseSphere4000(benchmark::State& s) {
  Bench b(4, 2, k4000Points);
  for (auto _ : s) {
    if (!vorex::Simulate(b.state->links, b.state->simulationWork)) s.SkipWithError("failed");
  }
  s.counters["points"] = b.state->curves.PointCount;
}
BENCHMARK(BM_DifferentialPulseSphere4000)->Unit(benchmark::kMillisecond);

}  // namespace
