#include "plot/save_parameter_report.h"

#include <optional>
#include <string>

#include "base/file_writing.h"
#include "base/host.h"
#include "base/runtime_fault.h"
#include "curves/curve_store.h"
#include "curves/parameter_report.h"
#include "experiment/experiment.h"

namespace vorex {

void SaveParameterReport(CurveLinks& l) {
  const std::optional<std::string> file = l.host.SaveFileName(kParameterFilter);
  if (!file) return;
  std::string report;
  try {
    report = ParameterReport(l.experiment.parameterSet, l.curves.PointCount);
  } catch (const RuntimeFault& fault) {
    l.host.Message("Save Error: " + fault.Description() + ". The parameters were not saved.",
                   MessageKind::Critical);
    return;
  }
  if (const auto error = WriteFileAtomically(*file, report)) {
    l.host.Message("Save Error: " + *error + ". The parameters were not saved.",
                   MessageKind::Critical);
    return;
  }
  l.host.StatusLine("Saved the parameters to " + *file);
}

}  // namespace vorex
