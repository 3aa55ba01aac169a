#include "fitting/global_fit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "fitting/fit_driver.h"
#include "simulation/simulation_run.h"

namespace vorex {
namespace {

// A digital cyclic voltammogram of a quasi-reversible couple with the keywords given.
ParameterSet Experiment(const std::vector<std::pair<std::string, std::string>>& numbers) {
  Settings s;
  std::vector<Keyword> keywords{{"technique", KeywordValue::Name("cv", "cv")},
                                {"digital", KeywordValue::Flag(true, "True")}};
  for (const auto& [name, text] : numbers) {
    keywords.push_back({name, KeywordValue::Number(text, text)});
  }
  SetByKeywords(s, keywords, KeywordCheck::AsTheDialogsOffer);
  const Captured c = MakeParameterSet(s);
  EXPECT_TRUE(c.ok());
  return c.parameters;
}

GlobalCurve Measured(const ParameterSet& p, const std::string& name) {
  auto work = std::make_unique<SimulationWorkspace>();
  const SimulationOutcome run = RunSimulation(p, *work, false);
  EXPECT_FALSE(run.fault);
  GlobalCurve c{name, p, {}, {}, -1};
  for (int j = 1; j <= run.programme.pointCount; ++j) {
    c.potential.push_back(work->Abscissa(j));
    c.current.push_back(work->SimulatedCurrent(j, p.ChargeReactionCount + 1));
  }
  return c;
}

TEST(GlobalFit, SmokeFourScanRates) {
  std::vector<GlobalCurve> curves;
  for (const char* v : {"0.05", "0.1", "0.2", "0.5"}) {
    ParameterSet truth = Experiment({{"E_start", "0.6"},
                                     {"E_end", "-0.2"},
                                     {"E_step", "0.002"},
                                     {"scan_rate", v},
                                     {"E0_1", "0.217"},
                                     {"ks_1", "1e-3"},
                                     {"alpha_1", "0.48"},
                                     {"D_A", "7.6e-6"},
                                     {"D_B", "7.6e-6"}});
    GlobalCurve c = Measured(truth, v);
    c.parameters.E0(1) = 0.2;
    c.parameters.Ks(1) = 3e-3;
    c.parameters.Alpha(1) = 0.4;
    c.parameters.D(1) = 5e-6;
    curves.push_back(c);
  }
  GlobalFitSetup setup;
  setup.parameters = {
      {11, false, -0.2, 0.6}, {5, false, 1e-6, 1}, {8, false, 0.1, 0.9}, {20, false, 1e-7, 1e-4}};
  ASSERT_FALSE(RefusedGlobalFit(curves, setup));
  const GlobalFitResult r = RunGlobalFit(curves, setup);
  ASSERT_FALSE(r.fit.message) << *r.fit.message;
  EXPECT_NEAR(r.fit.fitted(1), 0.217, 1e-6);
  EXPECT_NEAR(r.fit.fitted(2), 1e-3, 1e-8);
  EXPECT_NEAR(r.fit.fitted(3), 0.48, 1e-5);
  EXPECT_NEAR(r.fit.fitted(4), 7.6e-6, 1e-10);
  std::printf("iterations %d seconds %g threads %d\n", r.fit.iterations, r.fit.seconds, r.threads);
}

}  // namespace
}  // namespace vorex
