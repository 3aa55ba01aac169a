#include "plot/export_curve.h"

#include <optional>
#include <string>

#include "base/file_writing.h"
#include "base/host.h"
#include "base/runtime_fault.h"
#include "base/text_window.h"
#include "curves/csv_file.h"
#include "plot/curve_legend.h"

namespace vorex {

void ExportCurve(CurveLinks& l) {
  const std::optional<std::string> file = l.host.SaveFileName(kCsvFilter);
  if (!file) return;
  std::string content;
  try {
    content = FormatCsvPairs(l.curves);
  } catch (const RuntimeFault& fault) {
    l.host.Message("Export Data Error: " + fault.Description() + ". The curve was not saved.",
                   MessageKind::Critical);
    return;
  }
  if (const auto error = WriteFileAtomically(*file, content)) {
    l.host.Message("Export Data Error: " + *error + ". The curve was not saved.",
                   MessageKind::Critical);
    return;
  }
  // With several curves on the plot the user must know which one went into the file.
  const int curve = l.curves.CurrentCurve;
  const std::string done = "Exported curve " + std::to_string(curve) + " (" +
                           LegendName(l.curves, curve) + ") to " + *file;
  l.host.StatusLine(done);
  l.formResult.Show();
  l.formResult.Print(done);
}

}  // namespace vorex
