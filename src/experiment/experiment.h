#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/host.h"
#include "experiment/form_expr.h"
#include "experiment/form_mech.h"
#include "experiment/form_tech.h"
#include "experiment/parameter_set.h"
#include "experiment/settings.h"

namespace vorex {

// The experiment description of the program: its settings, the parameter set last made from
// them, and the three dialogs that show and edit the settings.
class Experiment {
 public:
  explicit Experiment(Host& host);
  Experiment(const Experiment&) = delete;
  Experiment& operator=(const Experiment&) = delete;

  // A field of the settings set from a dialog or a command; why not, and nothing changed,
  // when the value does not suit the field. The dialogs follow at the next Refresh.
  std::optional<std::string> Change(FieldId id, std::string_view value);
  // The whole settings replaced (a settings file opened); the dialogs follow.
  void Replace(const Settings& settings);
  // Every dialog shows the settings again.
  void Refresh();

  Host& host;
  Settings settings;
  // Told after a change altered the settings, with what they were before it: the edit can be
  // undone.
  std::function<void(FieldId, const Settings& before)> onChanged;
  ParameterSet parameterSet;  // as the last capture made it
  FormTech formTech{*this};
  FormMech formMech{*this};
  FormExpr formExpr{*this};
};

}  // namespace vorex
