// The Python module's cost over the computation it calls (target: a call of vorex.simulate at
// most 5 us over the C++ run of the same settings, whatever the settings, checked at the end):
// the default simulation and one whose settings are new at every call, each beside the same
// runs in C++, and a sweep of many simulations on one and on two threads (the runs release the
// GIL, so two threads should take about half the time).
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "simulation/simulation_run.h"

namespace py = pybind11;

namespace {

// The ks of call i: 64 values from 1e-4 to 1 cm/s, so that no two calls in a row share settings.
double RateConstant(int i) {
  return std::pow(10.0, -4.0 + 4.0 * (i % 64) / 63.0);
}

vorex::ParameterSet ParametersWith(double ks) {
  vorex::Settings s;
  s.Set(vorex::FieldId::Ks1, vorex::FormatRoundTrip(ks));
  return vorex::MakeParameterSet(s).parameters;
}

// The C++ run of the same settings, their parameter sets made beforehand: what a Python call
// adds is measured against the run alone.
void BM_CppNewSettingsSweep(benchmark::State& s) {
  auto work = std::make_unique<vorex::SimulationWorkspace>();
  std::vector<vorex::ParameterSet> sets;
  for (int i = 0; i < 64; ++i) sets.push_back(ParametersWith(RateConstant(i)));
  int i = 0;
  for (auto _ : s) {
    const vorex::SimulationOutcome run =
        vorex::RunSimulation(sets[static_cast<std::size_t>(i++ % 64)], *work, true);
    if (run.fault) s.SkipWithError(run.fault->c_str());
    benchmark::DoNotOptimize(work->SimulatedCurrent(1, 2));
  }
}
BENCHMARK(BM_CppNewSettingsSweep)->Unit(benchmark::kMicrosecond);

// The same from Python as a user writes it, ks given as a keyword.
void BM_PythonNewSettingsSweep(benchmark::State& s) {
  py::dict scope;
  scope["vorex"] = py::module_::import("vorex");
  py::exec(R"(
rates = [10.0 ** (-4.0 + 4.0 * i / 63.0) for i in range(64)]
def call(i):
    return vorex.simulate(ks_1=rates[i % 64])
)",
           scope);
  py::object call = scope["call"];
  int i = 0;
  for (auto _ : s) benchmark::DoNotOptimize(call(i++));
}
BENCHMARK(BM_PythonNewSettingsSweep)->Unit(benchmark::kMicrosecond);

void BM_CppDefaultDigitalSweep(benchmark::State& s) {
  const vorex::ParameterSet p = vorex::MakeParameterSet(vorex::Settings()).parameters;
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
  for (auto _ : s) benchmark::DoNotOptimize(simulate());
}
BENCHMARK(BM_PythonDefaultDigitalSweep)->Unit(benchmark::kMicrosecond);

// A vorex.Settings made once and run many times.
void BM_PythonSettingsObjectSweep(benchmark::State& s) {
  py::module_ vorex = py::module_::import("vorex");
  py::object settings = vorex.attr("Settings")(py::arg("ks_1") = 1e-3);
  py::object simulate = vorex.attr("simulate");
  for (auto _ : s) benchmark::DoNotOptimize(simulate(settings));
}
BENCHMARK(BM_PythonSettingsObjectSweep)->Unit(benchmark::kMicrosecond);

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

// What a call of vorex.simulate adds to the runs it makes, against the target: calls and the
// same runs in C++ (by the module itself: the same code in the same binary) measured in turns,
// 40 rounds of each, and the fastest round of each compared, so that both are seen at the
// machine's best speed.
void ReportOverhead() {
  py::dict scope;
  scope["vorex"] = py::module_::import("vorex");
  py::exec(R"(
import time
rates = [10.0 ** (-4.0 + 4.0 * i / 63.0) for i in range(64)]
cases = {"default settings": [vorex.Settings()] * 64,
         "new settings at every call": [vorex.Settings(ks_1=r) for r in rates]}
def calls(settings):
    start = time.perf_counter()
    for s in settings:
        vorex.simulate(ks_1=s.ks_1)
    return (time.perf_counter() - start) / len(settings)
def overhead(settings):
    run, call = 1.0, 1.0
    for _ in range(40):
        call = min(call, calls(settings))
        run = min(run, vorex._vorex._simulation_seconds(settings, 1))
    return call * 1e6, run * 1e6
)",
           scope);
  for (const auto& [name, settings] : scope["cases"].cast<py::dict>()) {
    const auto [call, run] = scope["overhead"](settings).cast<std::pair<double, double>>();
    const double overhead = call - run;
    std::printf(
        "vorex.simulate, %s: %.1f us a call, %.1f us its run: %.1f us more (target 5 us):"
        " %s\n",
        py::str(name).cast<std::string>().c_str(), call, run, overhead,
        overhead <= 5 ? "met" : "NOT MET");
  }
}

}  // namespace

int main(int argc, char** argv) {
  py::scoped_interpreter python;
  py::module_::import("sys").attr("path").attr("insert")(0, VOREX_PYTHON_PATH);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  ReportOverhead();
  benchmark::Shutdown();
  return 0;
}
