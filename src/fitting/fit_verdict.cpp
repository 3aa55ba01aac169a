#include "fitting/fit_verdict.h"

#include <algorithm>
#include <cmath>

#include "base/number_format.h"
#include "experiment/parameter_set.h"

namespace vorex {
namespace {

// A value below `threshold` to two decimals (two significant digits when smaller, down to 1e-6),
// or to as many more as keep it below in print: an R² of 0.8996 reads "0.8996 is below 0.9",
// never "0.9 is below 0.9".
std::string Below(double value, double threshold) {
  int decimals = 2;
  if (value != 0 && std::fabs(value) < 0.01) {
    decimals = std::min(6, 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
  }
  for (; decimals < 15; ++decimals) {
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(value * scale) / scale + 0.0;  // + 0.0: no "-0"
    if (shown < threshold) return FormatShortest(shown);
  }
  return FormatShortest(value);
}

// Two significant digits.
double Rounded(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double scale = std::pow(10.0, 1 - std::floor(std::log10(std::fabs(value))));
  return std::round(value * scale) / scale;
}

std::string CancelledSentence(int iterations) {
  if (iterations == 0) {
    return "The fit was cancelled before its first iteration ended; the values are those of the "
           "start.";
  }
  return "The fit was cancelled after iteration " + std::to_string(iterations) +
         "; the values are those of the last accepted point.";
}

std::string UnmovedSentence(const FitSetup& setup, const FitResult& result, int i) {
  const std::string name = FitSetupName(setup, i);
  if (result.statistics->standing(i) == ParameterStanding::OnBound) {
    return name +
           " stayed on the bound it started on although the curve depends on it: widen the bound "
           "or try another start.";
  }
  return name +
         " did not move from its start value although the curve depends on it: try another start.";
}

bool PoorlyDescribed(const FitResult& result) {
  return result.statistics && result.statistics->rSquared &&
         *result.statistics->rSquared < kPoorRSquared;
}

std::string ConvergedSentence(int flag) {
  return flag == -1 ? "The fit converged: the sum of squares fell below 1e-10 of the variance of "
                      "the data."
                    : "The fit converged: its last iteration lowered the sum of squares by less "
                      "than 0.04 %.";
}

}  // namespace

std::vector<int> UnmovedParameters(const FitResult& result) {
  std::vector<int> unmoved;
  if (!result.statistics || result.cancelled || result.convergenceFlag == -1) return unmoved;
  const FitStatistics& s = *result.statistics;
  for (int i = 1; i <= s.n; ++i) {
    if (result.fitted(i) == result.start(i) && s.standing(i) != ParameterStanding::Frozen) {
      unmoved.push_back(i);
    }
  }
  return unmoved;
}

std::vector<std::string> GoodnessSentences(const FitStatistics& s) {
  std::vector<std::string> sentences;
  if (s.rSquared && *s.rSquared < kPoorRSquared) {
    sentences.push_back("R\u00b2 = " + Below(*s.rSquared, kPoorRSquared) +
                        " is below 0.9: the model does not describe the curve.");
  }
  if (s.durbinWatson && *s.durbinWatson < kCorrelatedResiduals) {
    sentences.push_back("The residuals are correlated (Durbin\u2013Watson " +
                        Below(*s.durbinWatson, kCorrelatedResiduals) +
                        "): the standard errors are too small.");
  }
  return sentences;
}

std::vector<std::string> OutcomeSentences(const FitSetup& setup, const FitResult& result) {
  if (result.cancelled) return {CancelledSentence(result.iterations)};
  std::vector<std::string> sentences;
  if (result.convergenceFlag > 0) {
    sentences.push_back("The fit did not converge: it stopped at the iteration limit of " +
                        std::to_string(kMaxFitIterations) + " iterations.");
  }
  const auto gain = result.statistics ? result.statistics->linearisedGain : std::nullopt;
  if (result.convergenceFlag == -2 && gain && *gain > kShortOfMinimum) {
    sentences.push_back(
        "The fit did not converge: by the linearised model one more step would "
        "lower the sum of squares by " +
        FormatShortest(Rounded(100 * *gain)) + " %.");
  }
  for (int i : UnmovedParameters(result)) sentences.push_back(UnmovedSentence(setup, result, i));
  if (sentences.empty() && !PoorlyDescribed(result)) {
    sentences.push_back(ConvergedSentence(result.convergenceFlag));
  }
  return sentences;
}

}  // namespace vorex
