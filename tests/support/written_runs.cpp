#include "support/written_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vorex::testing {

ParameterSet Written(ParameterSet p, const ReactionNetwork& network) {
  RunWrittenNetwork(p, network);
  return p;
}

Run Simulated(const ParameterSet& p) {
  Run r;
  const SimulationOutcome o = RunSimulation(p, *r.work, false);
  EXPECT_FALSE(o.fault) << *o.fault;
  EXPECT_FALSE(o.singularBlock);
  r.points = o.programme.pointCount;
  r.reactions = p.ChargeReactionCount;
  r.species = p.SpeciesCount;
  r.current.assign(static_cast<std::size_t>(r.reactions + 2), {});
  r.surface.assign(static_cast<std::size_t>(r.species + 1), {});
  for (int i = 1; i <= r.points; ++i) {
    for (int j = 1; j <= r.reactions + 1; ++j) {
      const double y = r.work->SimulatedCurrent(i, j);
      EXPECT_TRUE(std::isfinite(y)) << "point " << i << " column " << j;
      r.current[static_cast<std::size_t>(j)].push_back(y);
    }
    for (int s = 1; s <= r.species; ++s) {
      const double c = r.work->SurfaceConcentration(i, s);
      EXPECT_TRUE(std::isfinite(c)) << "point " << i << " species " << s;
      r.surface[static_cast<std::size_t>(s)].push_back(c);
    }
    r.peak = std::max(r.peak, std::fabs(r.work->SimulatedCurrent(i, r.reactions + 1)));
  }
  return r;
}

double CurrentDifference(const Run& a, const Run& b) {
  EXPECT_EQ(a.points, b.points);
  EXPECT_EQ(a.reactions, b.reactions);
  if (a.points != b.points || a.reactions != b.reactions) return INFINITY;
  double most = 0;
  for (std::size_t j = 1; j < a.current.size(); ++j) {
    for (std::size_t i = 0; i < a.current[j].size(); ++i)
      most = std::max(most, std::fabs(a.current[j][i] - b.current[j][i]));
  }
  return most / a.peak;
}

double SurfaceDifference(const Run& a, const Run& b, double unit) {
  if (a.species != b.species || a.points != b.points) return INFINITY;
  double most = 0;
  for (std::size_t s = 1; s < a.surface.size(); ++s) {
    for (std::size_t i = 0; i < a.surface[s].size(); ++i)
      most = std::max(most, std::fabs(a.surface[s][i] - b.surface[s][i]));
  }
  return most / unit;
}

}  // namespace vorex::testing
