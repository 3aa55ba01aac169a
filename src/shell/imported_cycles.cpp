#include "shell/imported_cycles.h"

#include <span>
#include <string>

#include "base/sweep_segments.h"

namespace vorex {

std::vector<SetCurve> ImportedCycles(const CurveStore& c) {
  std::vector<SetCurve> out;
  if (c.PointCount < 2) return out;
  const std::span<const double> e(c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount));
  const std::vector<PointRange> cycles = CycleRanges(e);
  for (std::size_t k = 0; k < cycles.size(); ++k) {
    SetCurve curve;
    curve.name = cycles.size() == 1 ? "curve 1" : "curve 1 cycle " + std::to_string(k + 1);
    for (int i = cycles[k].first; i <= cycles[k].last; ++i) {
      curve.potential.push_back(c.Abscissa(i + 1));
      curve.current.push_back(c.Ordinate(i + 1, 1));
    }
    out.push_back(std::move(curve));
  }
  return out;
}

}  // namespace vorex
