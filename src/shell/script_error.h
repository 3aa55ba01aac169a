#pragma once

#include <stdexcept>

namespace vorex {

// A statement the interpreter cannot understand; the script stops with its reason.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vorex
