#pragma once

#include <optional>
#include <string>

#include "experiment/derivation.h"
#include "experiment/parameter_set.h"

namespace vorex {

// A field the capture refuses, and the message that says why.
struct Refusal {
  FieldId field;
  std::string message;
};

// Why a value has no physical meaning, naming the first such field in the dialog's order with its
// text; nothing when every value the experiment uses means something. Looked at are the values
// the technique, electrode and mechanism use: diffusion coefficients, E step, scan rate,
// frequency, drop and pulse times, temperature in K, the electrode's dimensions, area where it is
// typed, viscosity and rotation rate of the rotating disc, greater than 0; concentrations, ks,
// kf, kb, Cdl, Ru and noise not negative; α between 0 and 1. Raises nothing: a field too large to
// hold a number is named as such.
std::optional<Refusal> MeaninglessValue(const Settings& settings, const Derivation& derived,
                                        const ParameterSet& p);

}  // namespace vorex
