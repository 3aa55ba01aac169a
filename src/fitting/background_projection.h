#pragma once

#include <array>
#include <string>

#include "fitting/marquardt.h"

namespace vorex {

// A measured curve's background fitted with the rest of the model: at every evaluation the
// polynomial in E (degree 0, 1 or 2) that best fits what the simulation leaves of the measured
// curve is added to the simulation. The polynomial is linear in its coefficients, so it is solved
// exactly each time (variable projection) rather than stepped by Marquardt; the Jacobian of the
// other parameters, by differences of this model, then sees the background follow them, and
// their errors are those of a joint fit.
class BackgroundProjectedModel : public FitModelFunction {
 public:
  // `potential` is 1-based like the measured ordinates y; both must outlive the model.
  BackgroundProjectedModel(FitModelFunction& inner, const double* potential, const PointVector& y,
                           int degree)
      : inner_(inner), potential_(potential), y_(y), degree_(degree) {}
  void Evaluate(const ParameterVector& vector, int m, PointVector& ordinates) override;

  // The polynomial of the last evaluation, in powers of E [A, A/V, A/V^2].
  const std::array<double, 3>& Coefficients() const { return coefficients_; }
  // "Background fitted with the rest: I = 1.2e-6 + 3.4e-6·E A".
  std::string ReportLine() const;

 private:
  FitModelFunction& inner_;
  const double* potential_;
  const PointVector& y_;
  int degree_;
  std::array<double, 3> coefficients_{};
};

// The polynomial of degree 0..2 in E fitted by least squares to r(j) = y(j) - f(j), j = 1..m,
// added to f; its coefficients in powers of E. A degree the points cannot fix (too few distinct
// potentials) falls to the highest they can.
std::array<double, 3> AddBestPolynomial(const double* potential, const PointVector& y,
                                        PointVector& f, int m, int degree);

// "Background fitted with the rest: I = 1.2e-6 + 3.4e-6·E A" for a polynomial of the degree.
std::string BackgroundReportLine(const std::array<double, 3>& coefficients, int degree);

// The background choices of the settings ("none", "constant", "linear", "quadratic") as a degree:
// -1 for none.
int BackgroundDegree(int listIndex);

}  // namespace vorex
