// The cost of the uncompensated resistance in the digital mode: an 800-point cyclic
// voltammogram (0.3 to -0.3 V and back at 0.1 V/s, mechanism 1, a plane) without a resistance,
// with 100 and 500 ohm, and with 100 ohm and a double layer of 20 uF. Target: each run with a
// resistance within twice the run without. After the Google Benchmark table, the runs are
// measured again in turns, 40 rounds of each, and the fastest round of each compared, so that
// both are seen at the machine's best speed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "experiment/capture.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/simulation_command.h"

namespace {

constexpr const char* k800InACycle = "0.00150375939849624";  // 0.6 V / 399

// A started program set up for the cycle, behind ru [ohm] with double layer cdl [F].
struct Cycle {
  Cycle(const char* ru, const char* cdl) {
    auto& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), true);
    auto& expr = program->experiment.formExpr;
    expr.Choose(expr.ComboScan(), 1);
    expr.Type(expr.Estep(), k800InACycle);
    expr.Type(expr.V(), "0.1");
    expr.Type(expr.Ru(), ru);
    expr.Type(expr.Cdl(), cdl);
    ok =
        vorex::CaptureParameters(program->experiment) && Run() && program->curves.PointCount == 800;
  }
  bool Run() { return vorex::Simulate(program->links, program->simulationWork); }
  std::ostringstream sink;
  vorex::CliHost host{sink};
  std::unique_ptr<vorex::Program> program = std::make_unique<vorex::Program>(host);
  bool ok = false;
};

void Measure(benchmark::State& s, const char* ru, const char* cdl) {
  Cycle c(ru, cdl);
  if (!c.ok) s.SkipWithError(("set-up failed: " + c.sink.str()).c_str());
  for (auto _ : s) {
    if (!c.Run()) s.SkipWithError("failed");
  }
  s.counters["points"] = c.program->curves.PointCount;
}

void BM_DigitalCycle800(benchmark::State& s) {
  Measure(s, "0", "0");
}
BENCHMARK(BM_DigitalCycle800)->Unit(benchmark::kMicrosecond);

void BM_DigitalCycle800Ru100(benchmark::State& s) {
  Measure(s, "100", "0");
}
BENCHMARK(BM_DigitalCycle800Ru100)->Unit(benchmark::kMicrosecond);

void BM_DigitalCycle800Ru500(benchmark::State& s) {
  Measure(s, "500", "0");
}
BENCHMARK(BM_DigitalCycle800Ru500)->Unit(benchmark::kMicrosecond);

void BM_DigitalCycle800Ru100Cdl(benchmark::State& s) {
  Measure(s, "100", "2e-5");
}
BENCHMARK(BM_DigitalCycle800Ru100Cdl)->Unit(benchmark::kMicrosecond);

// The fastest of `runs` runs [s].
double Fastest(Cycle& c, int runs) {
  double best = 1e9;
  for (int k = 0; k < runs; ++k) {
    const auto start = std::chrono::steady_clock::now();
    c.Run();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// Each run with a resistance against the run without, measured in turns.
bool ReportRatios() {
  Cycle plain("0", "0");
  struct Entry {
    const char *name, *ru, *cdl;
  };
  const Entry entries[] = {{"Ru 100 ohm", "100", "0"},
                           {"Ru 500 ohm", "500", "0"},
                           {"Ru 100 ohm, Cdl 20 uF", "100", "2e-5"}};
  bool met = plain.ok;
  for (const Entry& e : entries) {
    Cycle resisted(e.ru, e.cdl);
    double without = 1e9, with = 1e9;
    for (int round = 0; round < 40; ++round) {
      without = std::min(without, Fastest(plain, 5));
      with = std::min(with, Fastest(resisted, 5));
    }
    const double ratio = with / without;
    const bool ok = resisted.ok && ratio <= 2;
    met = met && ok;
    std::printf(
        "800-point digital cycle, %s: %.1f us, without: %.1f us: %.2f times (target 2): %s\n",
        e.name, with * 1e6, without * 1e6, ratio, ok ? "met" : "NOT MET");
  }
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  const bool met = ReportRatios();
  benchmark::Shutdown();
  return met ? 0 : 1;
}
