#include "support/strd_data_set.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace vorex::testing {
namespace {

double Number(const std::string& token) {
  double value = 0;
  const char* end = token.data() + token.size();
  const auto [past, error] = std::from_chars(token.data(), end, value);
  if (error != std::errc() || past != end) throw std::invalid_argument(token);
  return value;
}

// One line's values into the set; false when the keyword is unknown or the count is wrong.
bool Take(StrdDataSet& set, const std::vector<std::string>& t, int& observations) {
  const auto is = [&](const char* keyword, std::size_t values) {
    return t[0] == keyword && t.size() == values + 1;
  };
  if (is("parameter", 5)) {
    set.parameters.push_back({t[1], Number(t[2]), Number(t[3]), Number(t[4]), Number(t[5])});
  } else if (is("observation", 2)) {
    set.y.push_back(Number(t[1]));
    set.x.push_back(Number(t[2]));
  } else if (is("residual_sum_of_squares", 1)) {
    set.residualSumOfSquares = Number(t[1]);
  } else if (is("residual_standard_deviation", 1)) {
    set.residualStandardDeviation = Number(t[1]);
  } else if (is("degrees_of_freedom", 1)) {
    set.degreesOfFreedom = static_cast<int>(Number(t[1]));
  } else if (is("observations", 1)) {
    observations = static_cast<int>(Number(t[1]));
  } else {
    return false;
  }
  return true;
}

std::vector<double> Each(const StrdDataSet& set,
                         const std::function<double(const StrdDataSet::Parameter&)>& field) {
  std::vector<double> values;
  for (const StrdDataSet::Parameter& p : set.parameters) values.push_back(field(p));
  return values;
}

}  // namespace

std::vector<double> StrdDataSet::Start1() const {
  return Each(*this, [](const Parameter& p) { return p.start1; });
}
std::vector<double> StrdDataSet::Start2() const {
  return Each(*this, [](const Parameter& p) { return p.start2; });
}
std::vector<double> StrdDataSet::Certified() const {
  return Each(*this, [](const Parameter& p) { return p.certified; });
}
std::vector<double> StrdDataSet::CertifiedSd() const {
  return Each(*this, [](const Parameter& p) { return p.certifiedSd; });
}

StrdDataSet ReadStrdDataSet(const std::string& name) {
  StrdDataSet set;
  set.file = std::string(VOREX_STRD_DATA) + "/" + name + ".txt";
  std::ifstream in(set.file);
  if (!in) throw std::runtime_error(set.file + ": cannot be opened");
  int number = 0, observations = -1;
  for (std::string line; std::getline(in, line);) {
    ++number;
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    if (tokens.empty()) continue;
    bool taken = false;
    try {
      taken = Take(set, tokens, observations);
    } catch (const std::invalid_argument& e) {
      throw std::runtime_error(set.file + ":" + std::to_string(number) +
                               ": not a number: " + e.what());
    }
    if (!taken)
      throw std::runtime_error(set.file + ":" + std::to_string(number) + ": not a line of " +
                               "a data set: " + line);
  }
  const int count = static_cast<int>(set.y.size());
  const int unknowns = static_cast<int>(set.parameters.size());
  if (unknowns == 0 || set.residualSumOfSquares <= 0 || set.residualStandardDeviation <= 0 ||
      observations != count || set.degreesOfFreedom != count - unknowns)
    throw std::runtime_error(set.file + ": a value is missing, or the observations, parameters " +
                             "and degrees of freedom do not agree");
  return set;
}

}  // namespace vorex::testing
