#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "experiment/parameter_set.h"
#include "validation/validation_case.h"

// Runs of written mechanisms for the validation, made on parameter sets directly: a built-in
// mechanism's parameter set from keywords (as Python's vorex.Settings names them), the same set
// made to run a mechanism text instead, and the total current either gives.
namespace vorex::validation {

using Keywords = std::vector<std::pair<std::string, std::string>>;

// A row of the written mechanisms' groups: in the quick check, its digital value required.
Case WrittenRow(const char* group, std::string name, std::string setting, std::string merit,
                Unit unit, double theory, std::string source, double tolerance, Measure measure);

// The digital parameter set of a fresh program's settings with these keywords (technique,
// mechanism, electrode by their keyword values; every other keyword a number; pre-equilibration
// off), checked as the dialogs offer them or, with `asStored`, as a settings file holds them.
// Throws std::runtime_error with the reason when the keywords or the capture refuse it.
ParameterSet KeywordParameters(const Keywords& keywords, bool asStored = false);

// The same parameter set running the mechanism `text` (Mechanism Written, its network and
// counts); every number stays where it is, so the text's transfers and steps take those of the
// same number. Throws std::runtime_error with the parser's message when the text is refused.
ParameterSet AsWritten(ParameterSet p, std::string_view text);

// A built-in mechanism's parameter set with `keywords`, and the same set running the built-in's
// text (BuiltInMechanismText). Throws std::runtime_error as the two above do.
struct BuiltInAndText {
  ParameterSet builtIn, written;
};
BuiltInAndText BuiltInAsText(MechanismCode code, Keywords keywords, bool asStored = false);

// The total current of a run [A], reduction positive. Throws std::runtime_error with the run's
// fault.
Curve SimulatedCurve(const ParameterSet& p);

// The curve of `p` made once per validation run under `key` (unique to the parameter set).
const Curve& CachedCurve(const std::string& key, const ParameterSet& p);

// A measure of the digital mode alone, for a figure of merit of written mechanisms; the
// analytical mode has none and says so (or says `analytical`). A std::runtime_error thrown by
// `merit` becomes the note of the measurement.
inline constexpr char kNoClosedForm[] = "a written mechanism has no closed form: digital only";
template <class Merit>
Measure DigitalOnly(Merit merit, std::string analytical = kNoClosedForm) {
  return [merit, analytical](Runs&, Mode mode) {
    if (mode == Mode::Analytical) return Measurement{std::nullopt, analytical};
    try {
      return Measurement{merit(), ""};
    } catch (const std::runtime_error& e) {
      return Measurement{std::nullopt, std::string("no value: ") + e.what()};
    }
  };
}

// max |a - b| over the points, relative to the largest |b|; throws when the curves differ in
// length.
double LargestDeviation(const Curve& a, const Curve& b);

}  // namespace vorex::validation
