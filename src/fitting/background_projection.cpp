#include "fitting/background_projection.h"

#include <cmath>

#include "base/checked_math.h"
#include "base/number_format.h"

namespace vorex {
namespace {

// Solves the (d+1)-square normal equations in place by elimination with partial pivoting; false
// when a pivot vanishes against the matrix's scale.
bool SolveSmall(std::array<std::array<double, 4>, 3>& a, int n) {
  double largest = 0;
  for (int i = 0; i < n; ++i) largest = std::fmax(largest, std::fabs(a[i][i]));
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r) {
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    }
    if (!(std::fabs(a[pivot][c]) > 1e-12 * largest)) return false;
    std::swap(a[c], a[pivot]);
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      const double factor = a[r][c] / a[c][c];
      for (int k = c; k <= n; ++k) a[r][k] -= factor * a[c][k];
    }
  }
  for (int i = 0; i < n; ++i) a[i][n] /= a[i][i];
  return true;
}

}  // namespace

std::array<double, 3> AddBestPolynomial(const double* e, const PointVector& y, PointVector& f,
                                        int m, int degree) {
  std::array<double, 3> out{};
  if (degree < 0 || m < 1) return out;
  double low = e[1], high = e[1];
  for (int j = 2; j <= m; ++j) {
    low = std::fmin(low, e[j]);
    high = std::fmax(high, e[j]);
  }
  // In t = (E - centre) / scale the powers stay near 1, whatever the potentials.
  const double centre = (low + high) / 2;
  const double scale = high > low ? (high - low) / 2 : 1;
  for (int d = degree; d >= 0; --d) {
    const int n = d + 1;
    std::array<std::array<double, 4>, 3> a{};
    for (int j = 1; j <= m; ++j) {
      const double t = (e[j] - centre) / scale;
      const double r = y(j) - f(j);
      const double power[3] = {1, t, t * t};
      for (int i = 0; i < n; ++i) {
        for (int k = 0; k < n; ++k) a[i][k] += power[i] * power[k];
        a[i][n] += power[i] * r;
      }
    }
    if (!SolveSmall(a, n)) continue;
    const double c0 = a[0][n], c1 = n > 1 ? a[1][n] : 0, c2 = n > 2 ? a[2][n] : 0;
    for (int j = 1; j <= m; ++j) {
      const double t = (e[j] - centre) / scale;
      f(j) = Finite(f(j) + c0 + t * (c1 + t * c2));
    }
    out[0] = c0 - c1 * centre / scale + c2 * centre * centre / (scale * scale);
    out[1] = c1 / scale - 2 * c2 * centre / (scale * scale);
    out[2] = c2 / (scale * scale);
    return out;
  }
  return out;
}

void BackgroundProjectedModel::Evaluate(const ParameterVector& vector, int m,
                                        PointVector& ordinates) {
  inner_.Evaluate(vector, m, ordinates);
  coefficients_ = AddBestPolynomial(potential_, y_, ordinates, m, degree_);
}

std::string BackgroundProjectedModel::ReportLine() const {
  return BackgroundReportLine(coefficients_, degree_);
}

std::string BackgroundReportLine(const std::array<double, 3>& coefficients, int degree) {
  const auto number = [](double c) { return FormatPattern(c, "0.####e-#"); };
  std::string text = "Background fitted with the rest: I = " + number(coefficients[0]);
  if (degree >= 1) text += " + " + number(coefficients[1]) + "\u00b7E";
  if (degree >= 2) text += " + " + number(coefficients[2]) + "\u00b7E\u00b2";
  return text + " A";
}

int BackgroundDegree(int listIndex) {
  return listIndex >= 0 && listIndex <= 3 ? listIndex - 1 : -1;
}

}  // namespace vorex
