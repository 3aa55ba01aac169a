#include "validation/written_runs.h"

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <variant>

#include "experiment/capture.h"
#include "experiment/settings_keywords.h"
#include "simulation/simulation_run.h"

namespace vorex::validation {

ParameterSet KeywordParameters(const Keywords& keywords, bool asStored) {
  std::vector<Keyword> list{{"digital", KeywordValue::Flag(true, "True")},
                            {"pre_equilibration", KeywordValue::Flag(false, "False")}};
  for (const auto& [name, text] : keywords) {
    const bool named = name == "technique" || name == "electrode";
    list.push_back(
        {name, named ? KeywordValue::Name(text, text) : KeywordValue::Number(text, text)});
  }
  Settings settings;
  try {
    SetByKeywords(settings, list,
                  asStored ? KeywordCheck::AsStored : KeywordCheck::AsTheDialogsOffer);
  } catch (const KeywordError& e) {
    throw std::runtime_error(std::string("settings refused: ") + e.what());
  }
  const Captured captured = MakeParameterSet(settings);
  if (!captured.ok()) throw std::runtime_error("capture refused: " + captured.refusal->message);
  return captured.parameters;
}

Case WrittenRow(const char* group, std::string name, std::string setting, std::string merit,
                Unit unit, double theory, std::string source, double tolerance, Measure measure) {
  return {.name = std::move(name),
          .group = group,
          .setting = std::move(setting),
          .merit = std::move(merit),
          .unit = unit,
          .theory = theory,
          .source = std::move(source),
          .tolerance = tolerance,
          .measure = std::move(measure),
          .required = kDigital,
          .quick = true};
}

ParameterSet AsWritten(ParameterSet p, std::string_view text) {
  auto parsed = ParseMechanism(text);
  if (const auto* error = std::get_if<NetworkError>(&parsed))
    throw std::runtime_error("the text \"" + std::string(text) +
                             "\" is refused: " + error->message);
  RunWrittenNetwork(p, std::get<ReactionNetwork>(parsed));
  return p;
}

BuiltInAndText BuiltInAsText(MechanismCode code, Keywords keywords, bool asStored) {
  keywords.emplace_back("mechanism", std::to_string(CodeNumber(code)));
  const ParameterSet builtIn = KeywordParameters(keywords, asStored);
  const std::string text = BuiltInMechanismText(code);
  if (text.empty()) throw std::runtime_error("no text writes this mechanism");
  return {builtIn, AsWritten(builtIn, text)};
}

Curve SimulatedCurve(const ParameterSet& p) {
  auto work = std::make_unique<SimulationWorkspace>();
  const SimulationOutcome run = RunSimulation(p, *work, false);
  if (run.fault) throw std::runtime_error("the run ended: " + *run.fault);
  Curve c;
  c.pointsPerSweep = run.programme.pointsPerSweep;
  for (int k = 1; k <= run.programme.pointCount; ++k) {
    c.e.push_back(work->Abscissa(k));
    c.i.push_back(work->SimulatedCurrent(k, p.ChargeReactionCount + 1));
  }
  return c;
}

const Curve& CachedCurve(const std::string& key, const ParameterSet& p) {
  static std::map<std::string, Curve> made;
  auto found = made.find(key);
  if (found == made.end()) found = made.emplace(key, SimulatedCurve(p)).first;
  return found->second;
}

double LargestDeviation(const Curve& a, const Curve& b) {
  if (a.i.size() != b.i.size() || b.i.empty())
    throw std::runtime_error("the curves have different numbers of points");
  double largest = 0, peak = 0;
  for (std::size_t k = 0; k < b.i.size(); ++k) {
    const double d = std::fabs(a.i[k] - b.i[k]);
    if (!std::isfinite(d)) throw std::runtime_error("a current is not finite");
    largest = std::fmax(largest, d);
    peak = std::fmax(peak, std::fabs(b.i[k]));
  }
  return largest / peak;
}

}  // namespace vorex::validation
