#include "experiment/experiment.h"

#include "experiment/capture.h"
#include "experiment/derivation.h"

namespace vorex {

Experiment::Experiment(Host& host) : host(host) {
  // The design defaults always give a parameter set, so the computations never see an empty one.
  parameterSet = MakeParameterSet(settings).parameters;
  Refresh();
}

std::optional<std::string> Experiment::Change(FieldId id, std::string_view value) {
  if (!onChanged) return settings.Set(id, value);
  const Settings before = settings;
  auto refused = settings.Set(id, value);
  if (!refused && !(settings == before)) onChanged(id, before);
  return refused;
}

void Experiment::Replace(const Settings& replacement) {
  settings = replacement;
  Refresh();
}

void Experiment::Refresh() {
  formTech.Refresh(settings);
  formMech.Refresh(settings);
  formExpr.Refresh(settings, Derive(settings));
}

}  // namespace vorex
