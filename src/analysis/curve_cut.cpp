#include "analysis/curve_cut.h"

#include <cmath>
#include <vector>

#include "base/number_format.h"
#include "curves/curve_store.h"
#include "curves/kept_points.h"
#include "curves/shared_abscissa.h"

namespace vorex {
namespace {

std::string Volts(double e) {
  return FormatShortest(e) + " V";
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// Number `n` (from 1) of the record's cycles or segments, or why the record has no such one.
std::variant<PointRange, std::string> Numbered(const std::vector<PointRange>& ranges, int n,
                                               const char* noun) {
  if (n >= 1 && n <= static_cast<int>(ranges.size()))
    return ranges[static_cast<std::size_t>(n - 1)];
  return "The curve has " + Counted(ranges.size(), noun) + "; there is no " + noun + " " +
         std::to_string(n) + ".";
}

std::variant<PointRange, std::string> Choose(std::span<const double> e, const CutChoice& choice) {
  switch (choice.kind) {
    case CutChoice::Kind::Cycle:
      return Numbered(CycleRanges(e), choice.first, "cycle");
    case CutChoice::Kind::Segments: {
      if (choice.first > choice.last) {
        return "Segment " + std::to_string(choice.first) + " comes after segment " +
               std::to_string(choice.last) + ": give the first segment first.";
      }
      const std::vector<PointRange> segments = SweepSegments(e);
      auto first = Numbered(segments, choice.first, "segment");
      if (std::holds_alternative<std::string>(first)) return first;
      auto last = Numbered(segments, choice.last, "segment");
      if (std::holds_alternative<std::string>(last)) return last;
      return PointRange{std::get<PointRange>(first).first, std::get<PointRange>(last).last};
    }
    case CutChoice::Kind::Window:
      break;
  }
  if (!std::isfinite(choice.low) || !std::isfinite(choice.high)) {
    return std::string("The window needs two finite potentials.");
  }
  return WindowRange(e, choice.low, choice.high);
}

}  // namespace

std::variant<PointRange, std::string> KeptPoints(std::span<const double> e,
                                                 const CutChoice& choice) {
  auto kept = Choose(e, choice);
  if (const auto* range = std::get_if<PointRange>(&kept); range && range->Count() < 2) {
    return "Cutting to " + DescribeChoice(e, choice) + " would keep " +
           Counted(static_cast<std::size_t>(range->Count()), "point") +
           "; a curve needs at least 2.";
  }
  return kept;
}

std::variant<PointRange, std::string> SegmentPoints(std::span<const double> e, int number) {
  return Numbered(SweepSegments(e), number, "segment");
}

std::string DescribeChoice(std::span<const double> e, const CutChoice& choice) {
  switch (choice.kind) {
    case CutChoice::Kind::Cycle:
      return "cycle " + std::to_string(choice.first) + " of " +
             std::to_string(CycleRanges(e).size());
    case CutChoice::Kind::Segments: {
      const std::string of = " of " + std::to_string(SweepSegments(e).size());
      if (choice.first == choice.last) return "segment " + std::to_string(choice.first) + of;
      return "segments " + std::to_string(choice.first) + " to " + std::to_string(choice.last) + of;
    }
    case CutChoice::Kind::Window:
      break;
  }
  return "the window from " + Volts(choice.low) + " to " + Volts(choice.high);
}

std::string DescribeSweeps(std::span<const double> e) {
  const std::vector<int> vertices = FindVertices(e);
  if (vertices.empty()) return DescribeAbscissa(e);
  std::string text = std::to_string(e.size()) + " points from " + Volts(e.front());
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    text += (k == 0 ? " to " : ", to ") + Volts(e[static_cast<std::size_t>(vertices[k])]);
  }
  return text + " and back to " + Volts(e.back()) + " in steps of " + Volts(AbscissaStep(e));
}

std::variant<CutDone, std::string> CutStore(CurveStore& c, const CutChoice& choice) {
  if (c.PointCount < 2) return std::string("There is no curve; simulate or import one first.");
  const std::span<const double> e(c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount));
  const auto kept = KeptPoints(e, choice);
  if (const auto* refusal = std::get_if<std::string>(&kept)) return *refusal;
  const PointRange range = std::get<PointRange>(kept);
  const std::span<const double> part =
      e.subspan(static_cast<std::size_t>(range.first), static_cast<std::size_t>(range.Count()));
  CutDone done{"Kept " + DescribeChoice(e, choice) + ": " + DescribeSweeps(part)};
  const std::vector<int> vertices = FindVertices(part);
  KeepPoints(c, range.first + 1, range.last + 1);
  c.PointsPerSweep = vertices.empty() ? c.PointCount : vertices.front() + 1;
  return done;
}

}  // namespace vorex
