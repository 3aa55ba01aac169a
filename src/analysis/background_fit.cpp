#include "analysis/background_fit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/curve_cut.h"
#include "base/number_format.h"

namespace vorex {
namespace {

// Below this share of its own length, what is left of a column after the columns before it are
// taken out is rounding: the potentials do not fix that power.
constexpr double kSingular = 1e-9;

std::string Volts(double e) {
  return FormatShortest(e) + " V";
}

std::string Counted(std::size_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::optional<std::string> Malformed(const BackgroundRequest& r) {
  if (r.degree < 0 || r.degree > 2) {
    return "The background's degree must be 0, 1 or 2, not " + std::to_string(r.degree) + ".";
  }
  if (r.ranges.empty()) return "Mark at least one potential range for the background.";
  for (const PotentialRange& range : r.ranges) {
    if (!std::isfinite(range.low) || !std::isfinite(range.high)) {
      return std::string("A background range needs two finite potentials.");
    }
    if (!(range.low < range.high)) {
      return "The range from " + Volts(range.low) + " to " + Volts(range.high) +
             ": give its lower potential first.";
    }
  }
  return std::nullopt;
}

bool InRanges(double e, const std::vector<PotentialRange>& ranges) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [e](const PotentialRange& r) { return e >= r.low && e <= r.high; });
}

std::size_t DistinctValues(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return static_cast<std::size_t>(std::unique(values.begin(), values.end()) - values.begin());
}

// The points the polynomial is fitted to, and where they were taken from (" of segment 2").
struct Points {
  std::vector<double> e, y;
  std::string where;
};

std::variant<Points, std::string> PointsInRanges(std::span<const double> e,
                                                 std::span<const double> y,
                                                 const BackgroundRequest& request) {
  PointRange within{0, static_cast<int>(e.size()) - 1};
  Points points;
  if (request.segment != 0) {
    auto segment = SegmentPoints(e, request.segment);
    if (const auto* why = std::get_if<std::string>(&segment)) return *why;
    within = std::get<PointRange>(segment);
    points.where = " of segment " + std::to_string(request.segment);
  }
  points.e.reserve(static_cast<std::size_t>(within.Count()));
  points.y.reserve(static_cast<std::size_t>(within.Count()));
  for (int i = within.first; i <= within.last; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (!InRanges(e[at], request.ranges)) continue;
    points.e.push_back(e[at]);
    points.y.push_back(y[at]);
  }
  return points;
}

// A polynomial of the degree needs as many points, at as many different potentials, as it has
// coefficients.
std::optional<std::string> TooFew(const Points& points, int degree, const std::string& forDegree) {
  const auto needed = static_cast<std::size_t>(degree + 1);
  if (points.e.size() < needed) {
    return "The ranges hold " + Counted(points.e.size(), "point") + points.where + "; " +
           forDegree + " needs at least " + std::to_string(needed) + ".";
  }
  const std::size_t distinct = DistinctValues(points.e);
  if (distinct < needed) {
    return "The points in the ranges lie at only " + Counted(distinct, "potential") + "; " +
           forDegree + " needs " + std::to_string(needed) + " different potentials.";
  }
  return std::nullopt;
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += a[i] * b[i];
  return sum;
}

void Subtract(std::vector<double>& a, double factor, const std::vector<double>& b) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] -= factor * b[i];
}

// Least squares of y on 1, t, t^2 by modified Gram-Schmidt with one reorthogonalisation, which
// keeps the columns orthogonal to rounding however close the normal equations come to singular.
// False when a column is rounding once the earlier ones are taken out.
bool SolveScaled(const std::vector<double>& t, std::vector<double> y, int degree,
                 std::array<double, 3>& g) {
  const std::size_t n = t.size();
  std::array<std::vector<double>, 3> q;
  std::array<std::array<double, 3>, 3> r{};
  std::array<double, 3> z{};
  for (int k = 0; k <= degree; ++k) {
    std::vector<double>& column = q[static_cast<std::size_t>(k)];
    column.resize(n);
    for (std::size_t i = 0; i < n; ++i) column[i] = k == 0 ? 1 : k == 1 ? t[i] : t[i] * t[i];
    const double length = std::sqrt(Dot(column, column));
    for (int pass = 0; pass < 2; ++pass) {
      for (int j = 0; j < k; ++j) {
        const auto& earlier = q[static_cast<std::size_t>(j)];
        const double share = Dot(earlier, column);
        r[static_cast<std::size_t>(j)][static_cast<std::size_t>(k)] += share;
        Subtract(column, share, earlier);
      }
    }
    const double left = std::sqrt(Dot(column, column));
    if (!(left > kSingular * length)) return false;
    for (double& v : column) v /= left;
    r[static_cast<std::size_t>(k)][static_cast<std::size_t>(k)] = left;
    z[static_cast<std::size_t>(k)] = Dot(column, y);
    Subtract(y, z[static_cast<std::size_t>(k)], column);
  }
  for (int k = degree; k >= 0; --k) {
    const auto row = static_cast<std::size_t>(k);
    double sum = z[row];
    for (int j = k + 1; j <= degree; ++j) {
      sum -= r[row][static_cast<std::size_t>(j)] * g[static_cast<std::size_t>(j)];
    }
    g[row] = sum / r[row][row];
  }
  return true;
}

// The same polynomial in powers of E = centre + scale t.
std::array<double, 3> InPowersOfE(const std::array<double, 3>& g, double m, double s) {
  return {g[0] - g[1] * m / s + g[2] * m * m / (s * s), g[1] / s - 2 * g[2] * m / (s * s),
          g[2] / (s * s)};
}

std::string Coefficient(double c) {
  return FormatPattern(c, "0.####e-0");
}

}  // namespace

double BackgroundPolynomial::operator()(double e) const {
  const double t = (e - centre) / scale;
  double value = 0;
  for (int k = degree; k >= 0; --k) value = value * t + scaled[static_cast<std::size_t>(k)];
  return value;
}

std::variant<BackgroundPolynomial, std::string> FitBackground(std::span<const double> e,
                                                              std::span<const double> y,
                                                              const BackgroundRequest& request) {
  if (auto why = Malformed(request)) return *why;
  auto chosen = PointsInRanges(e, y, request);
  if (const auto* why = std::get_if<std::string>(&chosen)) return *why;
  Points& points = std::get<Points>(chosen);
  const std::string forDegree = "a background of degree " + std::to_string(request.degree);
  if (auto why = TooFew(points, request.degree, forDegree)) return *why;
  BackgroundPolynomial p;
  p.degree = request.degree;
  p.pointCount = static_cast<int>(points.e.size());
  const auto [low, high] = std::minmax_element(points.e.begin(), points.e.end());
  p.centre = (*low + *high) / 2;
  p.scale = *high > *low ? (*high - *low) / 2 : 1;
  std::vector<double> t(points.e.size());
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = (points.e[i] - p.centre) / p.scale;
  if (!SolveScaled(t, std::move(points.y), p.degree, p.scaled)) {
    return "The points in the ranges lie too close together to fix " + forDegree +
           ": mark ranges further apart, or choose a lower degree.";
  }
  p.coefficients = InPowersOfE(p.scaled, p.centre, p.scale);
  for (double c : p.coefficients) {
    if (!std::isfinite(c)) return std::string("The background cannot be fitted: Overflow.");
  }
  return p;
}

bool SubtractBackground(const BackgroundPolynomial& p, std::span<const double> e,
                        std::span<const double> y, std::span<double> corrected) {
  for (std::size_t i = 0; i < y.size(); ++i) {
    corrected[i] = y[i] - p(e[i]);
    if (!std::isfinite(corrected[i])) return false;
  }
  return true;
}

std::string DescribeBackground(const BackgroundPolynomial& p) {
  static const char* const kPowers[] = {"", "·E", "·E²"};
  std::string text = "I = " + Coefficient(p.coefficients[0]);
  for (int k = 1; k <= p.degree; ++k) {
    const double c = p.coefficients[static_cast<std::size_t>(k)];
    text += (std::signbit(c) ? " - " : " + ") + Coefficient(std::fabs(c)) + kPowers[k];
  }
  return text + " A";
}

}  // namespace vorex
