#include "validation/global_fit_coverage.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "base/worker_pool.h"
#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "fitting/fit_slots.h"
#include "fitting/global_fit.h"
#include "simulation/simulation_run.h"
#include "validation/case_helpers.h"
#include "validation/global_fit_coverage_setting.h"

namespace vorex::validation {
namespace {

using namespace coverage;

// The experiment at one scan rate, with the true values; nothing when the settings are refused.
std::optional<ParameterSet> Experiment(double rate) {
  std::vector<Keyword> keywords{{"technique", KeywordValue::Name("cv", "cv")},
                                {"digital", KeywordValue::Flag(true, "True")},
                                {"pre_equilibration", KeywordValue::Flag(false, "False")}};
  const std::pair<const char*, double> numbers[] = {
      {"E_start", kEStart},    {"E_end", kEEnd},    {"E_step", kEStep},  {"scan_rate", rate},
      {"C_A", kConcentration}, {"E0_1", kTruth[0]}, {"ks_1", kTruth[1]}, {"alpha_1", kTruth[2]},
      {"D_A", kDiffusion},     {"D_B", kDiffusion}};
  for (const auto& [name, value] : numbers) {
    keywords.push_back({name, KeywordValue::Number(Num(value), Num(value))});
  }
  Settings settings;
  try {
    SetByKeywords(settings, keywords, KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError&) {
    return std::nullopt;
  }
  const Captured captured = MakeParameterSet(settings);
  if (!captured.ok()) return std::nullopt;
  return captured.parameters;
}

// The curves without noise, their parameter sets moved to the starts.
std::vector<GlobalCurve> CleanCurves(GlobalFitCoverage& c) {
  std::vector<GlobalCurve> curves;
  auto work = std::make_unique<SimulationWorkspace>();
  for (double rate : kRates) {
    std::optional<ParameterSet> p = Experiment(rate);
    if (!p) return {};
    const SimulationOutcome run = RunSimulation(*p, *work, false);
    if (run.fault) return {};
    GlobalCurve curve{Num(rate) + " V/s", *p, {}, {}, -1, std::nullopt};
    for (int j = 1; j <= run.programme.pointCount; ++j) {
      curve.potential.push_back(work->Abscissa(j));
      curve.current.push_back(work->SimulatedCurrent(j, p->ChargeReactionCount + 1));
    }
    for (int i = 0; i < kCoverageParameters; ++i) {
      FitParameter(curve.parameters, kSlots[i]) = kStart[i];
    }
    c.area = p->Area;
    curves.push_back(std::move(curve));
  }
  for (double v : curves.front().current) c.slowestPeak = std::fmax(c.slowestPeak, std::fabs(v));
  c.points = static_cast<int>(curves.front().current.size());
  return curves;
}

struct Interval {
  double fitted, sigma, halfWidth;
};

// One fit's intervals, none for a parameter the statistics give none; `ended` when a fault or
// the model ended the fit with a message instead of a report.
struct Estimates {
  bool ended = false;
  std::array<std::optional<Interval>, kCoverageParameters> value{};
};

Estimates From(const FitResult& fit) {
  Estimates e;
  e.ended = fit.message.has_value();
  for (int i = 1; i <= kCoverageParameters && !e.ended && fit.statistics; ++i) {
    const FitStatistics& s = *fit.statistics;
    if (!s.defined(i)) continue;
    e.value[static_cast<std::size_t>(i - 1)] =
        Interval{fit.fitted(i), s.sigma(i), s.halfWidth95(i)};
  }
  return e;
}

Estimates FitAlone(const GlobalCurve& curve) {
  FitSetup setup;
  setup.count = kCoverageParameters;
  for (int i = 1; i <= kCoverageParameters; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    setup.index(i) = kSlots[k];
    setup.start(i) = kStart[k];
    setup.lower(i) = kLower[k];
    setup.upper(i) = kUpper[k];
    setup.logScale(i) = PositiveScaleSlot(kSlots[k]);
  }
  const int m = static_cast<int>(curve.current.size());
  PointVector y(m);
  for (int j = 1; j <= m; ++j) y(j) = curve.current[static_cast<std::size_t>(j - 1)];
  auto work = std::make_unique<SimulationWorkspace>();
  auto problem = std::make_unique<FitProblem>(m);
  SimulationFitModel model(curve.parameters, setup, *work);
  return From(RunFit(setup, y, m, model, *problem));
}

GlobalFitSetup JointSetup() {
  GlobalFitSetup setup;
  for (int i = 0; i < kCoverageParameters; ++i) {
    setup.parameters.push_back({kSlots[i], false, kLower[i], kUpper[i]});
  }
  setup.weighting = CurveWeighting::Noise;
  setup.threads = 1;  // the copies share out the threads instead
  return setup;
}

// Copy k: its noise, the joint fit, then each scan rate alone.
struct CopyOutcome {
  Estimates global;
  std::array<Estimates, kCoverageRates> single;
};

CopyOutcome FitCopy(std::vector<GlobalCurve> curves, double noise, int k) {
  std::mt19937_64 random(kSeed + static_cast<unsigned long long>(k));
  std::normal_distribution<double> normal(0.0, noise);
  for (GlobalCurve& curve : curves) {
    for (double& v : curve.current) v += normal(random);
  }
  CopyOutcome o;
  o.global = From(RunGlobalFit(curves, JointSetup()).fit);
  for (std::size_t r = 0; r < curves.size(); ++r) o.single[r] = FitAlone(curves[r]);
  return o;
}

void Tally(const Estimates& e, int& ended, std::array<IntervalTally, kCoverageParameters>& t) {
  ended += e.ended ? 1 : 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (const auto& v = e.value[i]) t[i].Add(v->fitted, kTruth[i], v->sigma, v->halfWidth);
  }
}

GlobalFitCoverage Run() {
  GlobalFitCoverage c;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<GlobalCurve> clean = CleanCurves(c);
  if (clean.empty()) {
    c.refusal = "the curves could not be simulated";
    return c;
  }
  if (auto why = RefusedGlobalFit(clean, JointSetup())) {
    c.refusal = *why;
    return c;
  }
  c.noise = kNoiseShare * c.slowestPeak;
  c.copies = kCopies;
  std::vector<CopyOutcome> outcomes(static_cast<std::size_t>(kCopies));
  WorkerPool pool(0);
  c.threads = pool.Threads();
  pool.Run(kCopies,
           [&](int k) { outcomes[static_cast<std::size_t>(k)] = FitCopy(clean, c.noise, k); });
  // Summed in copy order, so that the table does not depend on the threads.
  for (const CopyOutcome& o : outcomes) {
    Tally(o.global, c.globalEnded, c.global);
    for (std::size_t r = 0; r < o.single.size(); ++r)
      Tally(o.single[r], c.singleEnded[r], c.single[r]);
  }
  c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return c;
}

}  // namespace

void IntervalTally::Add(double fitted, double truth, double sigma, double halfWidth) {
  ++measured;
  held += std::fabs(fitted - truth) <= halfWidth ? 1 : 0;
  const double z = sigma > 0 ? (fitted - truth) / sigma : 0;
  sumAbsZ += std::fabs(z);
  sumSquaredZ += z * z;
}

void IntervalTally::Add(const IntervalTally& other) {
  held += other.held;
  measured += other.measured;
  sumAbsZ += other.sumAbsZ;
  sumSquaredZ += other.sumSquaredZ;
}

const GlobalFitCoverage& GlobalFitCoverageRuns() {
  static const GlobalFitCoverage coverage = Run();
  return coverage;
}

}  // namespace vorex::validation
