// Auto Fit end to end: the concentration of the default analytical sweep (target 5 ms), E0, ks
// and alpha on a 242-point digital cyclic voltammogram (target 0.3 s), and E0, ks, alpha and C on
// the 800-point digital cyclic voltammogram of the validation report's fits, with noise, from ks
// and alpha a decade and a bit off (target 50 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

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
  // The validation report's curve (src/validation/fit_convergence.cpp), fitted from ks 1e-2,
  // alpha 0.6, E0 0.2 V and C 3 mM.
  FitBench() {
    auto& f = program->experiment.formExpr;
    f.SetCheck(f.CheckPreEqu(), false);
    f.Choose(f.ComboScan(), 1);
    for (auto [field, text] : {std::pair{&f.Estart(), "0.617"},
                               {&f.Eend(), "-0.181"},
                               {&f.Estep(), "0.002"},
                               {&f.V(), "0.1"},
                               {&f.Eze(1), "0.217"},
                               {&f.ks(1), "1e-3"},
                               {&f.alph(1), "0.48"},
                               {&f.C(1), "4e-3"},
                               {&f.D(1), "7e-6"},
                               {&f.D(2), "7e-6"},
                               {&f.Noise(), "1"}}) {
      f.Type(*field, text);
    }
    Menu("mnuSimulate");
    for (auto [field, text] : {std::pair{&f.Eze(1), "0.2"},
                               {&f.ks(1), "1e-2"},
                               {&f.alph(1), "0.6"},
                               {&f.C(1), "3e-3"}}) {
      f.Type(*field, text);
    }
    const char* bounds[][3] = {
        {"11", "-0.2", "0.6"}, {"5", "1e-6", "10"}, {"8", "0.1", "0.9"}, {"1", "1e-4", "0.1"}};
    for (const auto& b : bounds) {
      const int slot = std::atoi(b[0]);
      f.SetCheck(f.CheckFitted(slot), true);
      f.Type(f.TextCmin(slot), b[1]);
      f.Type(f.TextCmax(slot), b[2]);
    }
  }
  void Menu(const char* name) { program->mdiForm1.Invoke(*program->mdiForm1.Find(name)); }
  // The iterations of the last fit: its "Least square = " lines less the report's own.
  int Iterations() const {
    int lines = 0;
    for (const std::string& line : program->formResult.Lines()) {
      lines += line.rfind("Least square = ", 0) == 0 ? 1 : 0;
    }
    return lines - 1;
  }
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

void BM_AutoFitFourParametersDigitalCycle800(benchmark::State& s) {
  FitBench b;
  Run(s, b);
  s.counters["iterations"] = b.Iterations();
}
BENCHMARK(BM_AutoFitFourParametersDigitalCycle800)->Unit(benchmark::kMillisecond);

}  // namespace
