#pragma once

#include <string>
#include <vector>

#include "experiment/settings.h"

// The table of species and steps the Mechanism dialog shows beside a written mechanism's text:
// one row for each species, electron transfer and chemical step the text writes, with the
// keywords of the parameters that go with it.
namespace vorex {

struct SchemeRow {
  std::string kind;        // "species", "transfer", "step"
  std::string name;        // "A"; "1" (the transfer's or step's number)
  std::string equation;    // "A + e = B", "2 B = C"; empty for a species
  std::string parameters;  // "D_A, C_A"; "n_1, E0_1, ks_1, alpha_1"; "kf_1, kb_1"
  bool operator==(const SchemeRow&) const = default;
};

struct Scheme {
  std::vector<SchemeRow> rows;  // species A.., then transfers, then steps, in the order written
  std::string message;          // the parser's message when the text does not parse
};

// The scheme of the settings' mechanism text (whatever the mechanism chosen).
Scheme MechanismScheme(const Settings& settings);

}  // namespace vorex
