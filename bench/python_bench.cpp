// The Python module's cost over the computation it calls: one default simulation from Python
// against the same run in C++, and a sweep of many simulations on one and on two threads (the
// runs release the GIL, so two threads should take about half the time).
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "experiment/capture.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace {

// The program's start-up state: the default digital linear sweep, captured.
vorex::ParameterSet DefaultParameters() {
  std::ostringstream sink;
  vorex::CliHost host(sink);
  auto program = std::make_unique<vorex::Program>(host);
  vorex::CaptureParameters(program->experiment);
  return program->experiment.parameterSet;
}

void BM_CppDefaultDigitalSweep(benchmark::State& s) {
  const vorex::ParameterSet p = DefaultParameters();
  auto work = std::make_unique<vorex::SimulationWorkspace>();
  for (auto _ : s) {
    const vorex::SimulationOutcome run = vorex::RunSimulation(p, *work, true);
    if (run.fault) s.SkipWithError(run.fault->c_str());
    benchmark::DoNotOptimize(work->SimulatedCurrent(1, 2));
  }
}
BENCHMARK(BM_CppDefaultDigitalSweep)->Unit(benchmark::kMicrosecond);

void BM_PythonDefaultDigitalSweep(benchmark::State& s) {
  py::object simulate = py::module_::import("vorex").attr("simulate");
  py::dict settings;
  settings["technique"] = "lsv";
  for (auto _ : s) benchmark::DoNotOptimize(simulate(**settings));
}
BENCHMARK(BM_PythonDefaultDigitalSweep)->Unit(benchmark::kMicrosecond);

// 1000 digital cyclic voltammograms at 1 mV steps, ks from 1e-4 to 1 cm/s.
void BM_PythonSweep1000(benchmark::State& s) {
  py::module_ vorex = py::module_::import("vorex");
  py::list cases;
  for (int i = 0; i < 1000; ++i) {
    py::dict c;
    c["technique"] = "cv";
    c["E_step"] = 0.001;
    c["ks_1"] = std::pow(10.0, -4.0 + 4.0 * i / 999.0);
    cases.append(c);
  }
  const int threads = static_cast<int>(s.range(0));
  for (auto _ : s) benchmark::DoNotOptimize(vorex.attr("sweep")(cases, py::none(), threads));
}
BENCHMARK(BM_PythonSweep1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  py::scoped_interpreter python;
  py::module_::import("sys").attr("path").attr("insert")(0, VOREX_PYTHON_PATH);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
