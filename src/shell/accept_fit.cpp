#include "shell/accept_fit.h"

#include <string>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "experiment/parameter_set.h"
#include "experiment/settings_table.h"
#include "shell/program.h"

namespace vorex {

void AcceptFittedValues(Program& program) {
  const FitRun& run = program.fit;
  Host& host = program.host;
  if (run.fittedCount == 0) {
    host.Message(
        "Accept Fitted Values: no Auto Fit has ended with a report; run Auto Fit first. The "
        "fields are unchanged.",
        MessageKind::Warning);
    return;
  }
  // Every value is tried on a copy first, so that the dialog takes all of them or none.
  Settings trial = program.experiment.settings;
  std::vector<std::pair<FieldId, std::string>> changes;
  std::string accepted;
  for (int i = 1; i <= run.fittedCount; ++i) {
    const int slot = run.FitIndexList(i);
    const FieldId field = FitSlotField(slot);
    // Exactly the fitted number, so that the next simulation is the fitted curve.
    std::string text = FormatRoundTrip(run.fitted(i));
    if (const auto why = trial.Set(field, text)) {
      host.Message("Accept Fitted Values: " + FitParameterName(slot) + " = " + text + ": " + *why +
                       " The fields are unchanged.",
                   MessageKind::Warning);
      return;
    }
    accepted += (accepted.empty() ? "" : ", ") + FitParameterName(slot) + " = " + text;
    changes.emplace_back(field, std::move(text));
  }
  for (const auto& [field, text] : changes) program.experiment.Change(field, text);
  program.experiment.Refresh();
  const std::string done = "Accepted the fitted values: " + accepted;
  program.formResult.Show();
  program.formResult.Print(done);
  host.StatusLine(done);
}

}  // namespace vorex
