// A joint fit of four 800-point digital cyclic voltammograms (0.6 V to -0.198 V and back in 2 mV
// steps at 0.05, 0.1, 0.2 and 0.5 V/s) sharing E0, ks, alpha and D, from starts a little off,
// on one thread and on two (target 300 ms each).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "fitting/global_fit.h"
#include "simulation/simulation_run.h"

namespace {

using namespace vorex;

GlobalCurve Curve(const char* rate) {
  std::vector<Keyword> keywords{{"technique", KeywordValue::Name("cv", "cv")},
                                {"digital", KeywordValue::Flag(true, "True")},
                                {"pre_equilibration", KeywordValue::Flag(false, "False")}};
  for (auto [name, text] : {std::pair{"E_start", "0.6"},
                            {"E_end", "-0.198"},
                            {"E_step", "0.002"},
                            {"scan_rate", rate},
                            {"C_A", "1e-3"},
                            {"E0_1", "0.217"},
                            {"ks_1", "1e-3"},
                            {"alpha_1", "0.48"},
                            {"D_A", "7.6e-6"},
                            {"D_B", "7.6e-6"}}) {
    keywords.push_back({name, KeywordValue::Number(text, text)});
  }
  Settings s;
  SetByKeywords(s, keywords, KeywordCheck::AsTheDialogsOffer);
  const Captured c = MakeParameterSet(s);
  auto work = std::make_unique<SimulationWorkspace>();
  const SimulationOutcome run = RunSimulation(c.parameters, *work, false);
  GlobalCurve curve{rate, c.parameters, {}, {}, -1};
  for (int j = 1; j <= run.programme.pointCount; ++j) {
    curve.potential.push_back(work->Abscissa(j));
    curve.current.push_back(work->SimulatedCurrent(j, 2));
  }
  curve.parameters.E0(1) = 0.207;
  curve.parameters.Ks(1) = 1.5e-3;
  curve.parameters.Alpha(1) = 0.53;
  curve.parameters.D(1) = 6.84e-6;
  return curve;
}

// The four curves with the noise of a measurement: 1 % of the slowest scan's largest current,
// from a fixed seed.
std::vector<GlobalCurve> NoisyCurves() {
  std::vector<GlobalCurve> curves;
  for (const char* rate : {"0.05", "0.1", "0.2", "0.5"}) curves.push_back(Curve(rate));
  double largest = 0;
  for (double v : curves.front().current) largest = std::max(largest, std::abs(v));
  std::mt19937_64 random(5);
  std::normal_distribution<double> normal(0.0, 0.01 * largest);
  for (GlobalCurve& c : curves) {
    for (double& v : c.current) v += normal(random);
  }
  return curves;
}

void BM_GlobalFitFourScanRates(benchmark::State& s) {
  const std::vector<GlobalCurve> curves = NoisyCurves();
  GlobalFitSetup setup;
  setup.parameters = {
      {11, false, -0.2, 0.6}, {5, false, 1e-6, 1}, {8, false, 0.1, 0.9}, {20, false, 1e-7, 1e-4}};
  setup.threads = static_cast<int>(s.range(0));
  if (auto why = RefusedGlobalFit(curves, setup)) {
    s.SkipWithError(why->c_str());
    return;
  }
  GlobalFitResult r;
  for (auto _ : s) r = RunGlobalFit(curves, setup);
  if (r.fit.message) {
    s.SkipWithError(r.fit.message->c_str());
    return;
  }
  s.counters["points"] = static_cast<double>(curves.front().current.size());
  s.counters["threads"] = r.threads;
  s.counters["iterations"] = r.fit.iterations;
  s.counters["sums_of_squares"] = r.fit.objectiveCount;
}
BENCHMARK(BM_GlobalFitFourScanRates)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->UseRealTime()  // the wall time: two threads share the CPU time of one fit
    ->Unit(benchmark::kMillisecond);

}  // namespace
