#pragma once

#include <string>
#include <utility>
#include <vector>

#include "experiment/parameter_set.h"
#include "fitting/global_fit.h"

// Measured curves for the joint fit's tests, made by simulating a digital cyclic voltammogram:
// the values they were simulated with are the truth a fit must find again.
namespace vorex::testing {

using KeywordList = std::vector<std::pair<std::string, std::string>>;

// A digital cyclic voltammogram of one quasi-reversible couple (mechanism E, planar, no
// pre-equilibration): E0 0.217 V, ks 1e-3 cm/s, alpha 0.48, D 7.6e-6 cm2/s for A and B,
// 0.6 V to -0.2 V and back in 2 mV steps at 0.1 V/s, changed by the keywords given.
ParameterSet CyclicExperiment(const KeywordList& changes = {});

// The experiment simulated without noise, as a measured curve of a set.
GlobalCurve SimulatedCurve(const ParameterSet& p, const std::string& name = "");

}  // namespace vorex::testing
