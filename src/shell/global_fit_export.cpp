#include "shell/global_fit_export.h"

#include "base/file_writing.h"
#include "base/number_format.h"

namespace vorex {

std::string GlobalFitCsv(const GlobalFitSet& set) {
  if (!set.last) return {};
  std::string csv = "curve,E,I,I_fit,residual\r\n";
  for (std::size_t c = 0; c < set.last->curves.size(); ++c) {
    const GlobalCurve& measured = set.lastCurves[c];
    const GlobalCurveResult& fit = set.last->curves[c];
    const std::string number = std::to_string(c + 1);
    for (std::size_t j = 0; j < fit.fitted.size(); ++j) {
      csv += number + "," + FormatRoundTrip(measured.potential[j]) + "," +
             FormatRoundTrip(measured.current[j]) + "," + FormatRoundTrip(fit.fitted[j]) + "," +
             FormatRoundTrip(fit.residual[j]) + "\r\n";
    }
  }
  return csv;
}

std::optional<std::string> ExportGlobalFit(const GlobalFitSet& set, const std::string& file) {
  if (!set.last) {
    return std::string(
        "global export: no fit of the set is kept (none ran, or the set changed since); run "
        "global fit first. Nothing was written.");
  }
  if (auto error = WriteFileAtomically(file, GlobalFitCsv(set))) {
    return "global export: " + *error + ". Nothing was written.";
  }
  return std::nullopt;
}

}  // namespace vorex
