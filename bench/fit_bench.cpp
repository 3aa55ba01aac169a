// Auto Fit end to end: the concentration of the default analytical sweep (target 5 ms), and
// E0, ks and alpha on a 242-point digital cyclic voltammogram (target 0.3 s).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "shell/cli_host.h"
#include "shell/program.h"

namespace {

struct FitBench {
  explicit FitBench(bool digital) {
    auto& tech = program->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), digital);
    auto& f = program->experiment.formExpr;
    f.SetCheck(f.CheckPreEqu(), false);
    if (digital) {
      f.Choose(f.ComboScan(), 1);
      f.Type(f.Eze(1), "0.05");
      f.Type(f.ks(1), "1e-3");
      f.Type(f.alph(1), "0.45");
    } else {
      f.Type(f.C(1), "2e-3");
    }
    Menu("mnuSimulate");  // curve 1 now holds the "measured" data
    if (digital) {
      f.Type(f.Eze(1), "0.07");
      f.Type(f.ks(1), "2e-3");
      f.Type(f.alph(1), "0.5");
      f.SetCheck(f.CheckFitted(1), false);
      for (int slot : {5, 8, 11}) f.SetCheck(f.CheckFitted(slot), true);
    } else {
      f.Type(f.C(1), "1e-3");
    }
  }
  void Menu(const char* name) { program->mdiForm1.Invoke(*program->mdiForm1.Find(name)); }
  std::ostringstream sink;
  vorex::CliHost host{sink};
  std::unique_ptr<vorex::Program> program = std::make_unique<vorex::Program>(host);
};

void Run(benchmark::State& s, FitBench& b) {
  for (auto _ : s) b.Menu("mnuAutoFit");
  s.counters["evaluations"] = b.program->fit.ObjectiveCount;
  if (!b.sink.str().empty()) s.SkipWithError(b.sink.str().c_str());
}

void BM_AutoFitConcentrationAnalytical(benchmark::State& s) {
  FitBench b(false);
  Run(s, b);
}
BENCHMARK(BM_AutoFitConcentrationAnalytical)->Unit(benchmark::kMillisecond);

void BM_AutoFitKineticsDigitalCycle(benchmark::State& s) {
  FitBench b(true);
  Run(s, b);
}
BENCHMARK(BM_AutoFitKineticsDigitalCycle)->Unit(benchmark::kMillisecond);

}  // namespace
