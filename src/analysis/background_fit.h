#pragma once

#include <array>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "base/sweep_segments.h"

namespace vorex {

// Potentials low..high, both included [V].
struct PotentialRange {
  double low = 0;
  double high = 0;
};

// A background to subtract: a polynomial in E of `degree` (0, 1 or 2) fitted by least squares to
// the points whose potentials lie in any of the ranges, only those of segment `segment` (from 1)
// when it is not 0. A voltammogram's charging current changes sign with the sweep, so the points
// of one sweep direction may be all the background should see.
struct BackgroundRequest {
  std::vector<PotentialRange> ranges;
  int degree = 1;
  int segment = 0;
};

// The fitted polynomial. It is evaluated in the scaled potential t = (E - centre) / scale, which
// keeps the least squares well conditioned whatever the potentials; `coefficients` are the same
// polynomial in powers of E, for the user.
struct BackgroundPolynomial {
  int degree = 0;
  std::array<double, 3> coefficients{};  // I = c0 + c1 E + c2 E^2, E in V
  int pointCount = 0;                    // the points it was fitted to
  double centre = 0, scale = 1;
  std::array<double, 3> scaled{};  // in powers of t
  double operator()(double e) const;
};

// The least-squares polynomial of the request through the points (e, y); the reason when the
// request is malformed (no range, a range given high first, a degree other than 0..2, a segment
// the record does not have), when the ranges hold fewer points, or fewer different potentials,
// than the degree + 1, or when the potentials lie too close together to fix the polynomial.
std::variant<BackgroundPolynomial, std::string> FitBackground(std::span<const double> e,
                                                              std::span<const double> y,
                                                              const BackgroundRequest& request);

// y less the polynomial at every point, into `corrected` (of y's size); false, with `corrected`
// partly written, when a value would not be finite.
bool SubtractBackground(const BackgroundPolynomial& p, std::span<const double> e,
                        std::span<const double> y, std::span<double> corrected);

// "I = 1.2346e-6 + 4.5e-6·E A", five significant digits a coefficient.
std::string DescribeBackground(const BackgroundPolynomial& p);

}  // namespace vorex
