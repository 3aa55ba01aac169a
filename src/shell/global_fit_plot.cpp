#include "shell/global_fit_plot.h"

#include "plot/curve_legend.h"
#include "plot/plot_renderer.h"
#include "readers/cycle_split.h"
#include "shell/program.h"

namespace vorex {
namespace {

// Where each sweep ends, as the analyses and a simulation following the record look for it.
void StoreVertices(CurveStore& c, const std::vector<double>& potential) {
  c.VertexCount = 0;
  for (const std::size_t v : VertexIndices(potential)) {
    const int point = static_cast<int>(v) + 1;
    if (point <= 1 || point >= c.PointCount) continue;
    c.Vertex(++c.VertexCount) = point;
  }
  c.PointsPerSweep = c.VertexCount > 0 ? c.Vertex(1) : c.PointCount;
}

}  // namespace

std::optional<std::string> PlotSetCurve(Program& program, int n, bool residual) {
  const GlobalFitSet& set = program.globalFit;
  if (!set.last) {
    return std::string("global plot: no fit of the set is kept; run global fit first.");
  }
  if (n < 1 || static_cast<std::size_t>(n) > set.last->curves.size()) {
    return "global plot: the last fit has no curve " + std::to_string(n) + " (it fitted " +
           std::to_string(set.last->curves.size()) + ").";
  }
  const GlobalCurve& measured = set.lastCurves[static_cast<std::size_t>(n - 1)];
  const GlobalCurveResult& fit = set.last->curves[static_cast<std::size_t>(n - 1)];
  CurveStore& c = program.curves;
  const int count = static_cast<int>(measured.potential.size());
  for (int i = 1; i <= count; ++i) {
    const auto j = static_cast<std::size_t>(i - 1);
    c.Abscissa(i) = measured.potential[j];
    c.Ordinate(i, 1) = measured.current[j];
    c.Ordinate(i, 2) = fit.fitted[j];
    c.Ordinate(i, 3) = fit.residual[j];
  }
  NameCurve(c, 1, CurveRole::Measured, "measured " + measured.name);
  NameCurve(c, 2, CurveRole::Fitted);
  NameCurve(c, 3, CurveRole::Residual);
  program.plot.state.PeakMarks.clear();
  c.PointCount = c.LastPoint = count;
  c.FirstPoint = 1;
  c.StoredCurveCount = c.CurveCount = residual ? 3 : 2;
  c.CurrentCurve = 1;
  StoreVertices(c, measured.potential);
  program.peaks = PeakTables{};
  program.fit.residualCount = 0;
  program.plot.formOption.overlap().SetChecked(false);
  program.formResult.Print("The plot shows curve " + std::to_string(n) + " of the set (" +
                           measured.name + "): measured and fitted" +
                           (residual ? ", and the residual (measured - fitted)." : "."));
  PlotCurves(program.links, 1, count);
  return std::nullopt;
}

}  // namespace vorex
