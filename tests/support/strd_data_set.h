#pragma once

#include <string>
#include <vector>

namespace vorex::testing {

// One NIST StRD nonlinear regression data set, read from tests/fitting/data/NAME.txt: each line a
// keyword and its values, '#' starting a comment (the file's header names its source).
struct StrdDataSet {
  struct Parameter {
    std::string name;
    double start1 = 0, start2 = 0;  // NIST's two starting points
    double certified = 0, certifiedSd = 0;
  };
  std::string file;
  std::vector<Parameter> parameters;
  double residualSumOfSquares = 0, residualStandardDeviation = 0;
  int degreesOfFreedom = 0;
  std::vector<double> y, x;  // the observations

  std::vector<double> Start1() const;
  std::vector<double> Start2() const;
  std::vector<double> Certified() const;
  std::vector<double> CertifiedSd() const;
};

// Throws std::runtime_error naming the file, and the line, when the file cannot be read, a line
// is not what its keyword needs, a value is missing, or the observations fall short of their
// count.
StrdDataSet ReadStrdDataSet(const std::string& name);

}  // namespace vorex::testing
