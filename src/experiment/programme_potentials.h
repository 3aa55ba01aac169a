#pragma once

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace vorex {

// The potentials of a measured programme, point by point [V]. Settings and the parameter sets
// made from them are copied at every call and every fit evaluation, so they share one buffer;
// two are equal when their potentials are.
class ProgrammePotentials {
 public:
  ProgrammePotentials() = default;
  explicit ProgrammePotentials(std::vector<double> potentials)
      : potentials_(std::make_shared<const std::vector<double>>(std::move(potentials))) {}

  std::span<const double> View() const {
    return potentials_ ? std::span<const double>(*potentials_) : std::span<const double>();
  }
  bool Empty() const { return View().empty(); }
  int Count() const { return static_cast<int>(View().size()); }

  bool operator==(const ProgrammePotentials& other) const {
    if (potentials_ == other.potentials_) return true;
    const std::span<const double> a = View(), b = other.View();
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
  }

 private:
  std::shared_ptr<const std::vector<double>> potentials_;
};

}  // namespace vorex
