#pragma once

#include <stdexcept>
#include <string>

namespace vorex {

// The descriptions a user reads after a procedure's label ("Fit Error: " + description).
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kInvalidCall = "Invalid procedure call or argument";
inline constexpr const char* kSubscriptOutOfRange = "Subscript out of range";
// Pre-equilibration of a written mechanism found no state at rest.
inline constexpr const char* kNoEquilibrium = "No equilibrium at the start potential";

// A run-time fault: raised where the arithmetic or the indexing fails, caught only by the
// handlers that report it (simulation driver, fit driver, import, dialog recalculations).
class RuntimeFault : public std::runtime_error {
 public:
  explicit RuntimeFault(const std::string& description) : std::runtime_error(description) {}
  std::string Description() const { return what(); }
};

}  // namespace vorex

namespace vorex {

// Runs one step of a recalculation that goes on after a failing step: a fault skips the step,
// and whatever it would have written keeps its previous value.
template <class Step>
void SkipOnFault(Step&& step) {
  try {
    step();
  } catch (const RuntimeFault&) {
  }
}

}  // namespace vorex
