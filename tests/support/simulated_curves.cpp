#include "support/simulated_curves.h"

#include <gtest/gtest.h>

#include <memory>

#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "simulation/simulation_run.h"

namespace vorex::testing {

ParameterSet CyclicExperiment(const KeywordList& changes) {
  KeywordList numbers{{"E_start", "0.6"},   {"E_end", "-0.2"}, {"E_step", "0.002"},
                      {"scan_rate", "0.1"}, {"E0_1", "0.217"}, {"ks_1", "1e-3"},
                      {"alpha_1", "0.48"},  {"D_A", "7.6e-6"}, {"D_B", "7.6e-6"}};
  for (const auto& change : changes) {
    bool replaced = false;
    for (auto& n : numbers) {
      if (n.first == change.first) {
        n.second = change.second;
        replaced = true;
      }
    }
    if (!replaced) numbers.push_back(change);
  }
  std::vector<Keyword> keywords{{"technique", KeywordValue::Name("cv", "cv")},
                                {"digital", KeywordValue::Flag(true, "True")},
                                {"pre_equilibration", KeywordValue::Flag(false, "False")}};
  for (const auto& [name, text] : numbers) {
    keywords.push_back({name, KeywordValue::Number(text, text)});
  }
  Settings s;
  SetByKeywords(s, keywords, KeywordCheck::AsTheDialogsOffer);
  const Captured c = MakeParameterSet(s);
  EXPECT_TRUE(c.ok());
  return c.parameters;
}

GlobalCurve SimulatedCurve(const ParameterSet& p, const std::string& name) {
  auto work = std::make_unique<SimulationWorkspace>();
  const SimulationOutcome run = RunSimulation(p, *work, false);
  EXPECT_FALSE(run.fault) << *run.fault;
  GlobalCurve c{name, p, {}, {}, -1};
  for (int j = 1; j <= run.programme.pointCount; ++j) {
    c.potential.push_back(work->Abscissa(j));
    c.current.push_back(work->SimulatedCurrent(j, p.ChargeReactionCount + 1));
  }
  return c;
}

}  // namespace vorex::testing
