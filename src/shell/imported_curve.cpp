#include "shell/imported_curve.h"

#include <cmath>
#include <span>
#include <string>

#include "base/host.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "curves/shared_abscissa.h"
#include "experiment/experiment.h"
#include "plot/curve_legend.h"
#include "plot/displayed_quantity.h"
#include "readers/measured_step.h"

namespace vorex {
namespace {

bool Fail(CurveLinks& l, const std::string& why) {
  l.host.Message("ReadData Error: " + why, MessageKind::Critical);
  return false;
}

// With "Overlap" ticked the file joins the curves on the plot, which share one abscissa; a file
// measured at other potentials would move them, so it is refused. Nothing when it may join.
std::optional<std::string> RefusedOverlap(const CurveLinks& l, const CurveSlot& slot,
                                          const std::vector<double>& x) {
  const std::span<const double> shared = JoinedAbscissa(l.curves, slot.currentCurve);
  if (shared.empty()) return std::nullopt;
  const double tolerance = shared.size() > 1 ? std::fabs(shared[1] - shared[0]) / 1000 : 0;
  const int point = FirstDifferentPoint(shared, x, tolerance);
  if (point == 0) return std::nullopt;
  return AbscissaMismatchMessage("the curves on the plot have", shared, "the file has", x, point,
                                 "Untick Overlap in the Option dialog to import it on its own.");
}

// Where each sweep ends, as the analyses and a simulation following the record look for it.
void StoreLayout(CurveStore& c, const std::vector<std::size_t>& vertices) {
  c.VertexCount = 0;
  for (const std::size_t v : vertices) {
    const int point = static_cast<int>(v) + 1;
    if (point <= 1 || point >= c.PointCount) continue;
    c.Vertex(++c.VertexCount) = point;
  }
  c.PointsPerSweep = c.VertexCount > 0 ? c.Vertex(1) : c.PointCount;
}

}  // namespace

bool StoreImportedCurve(CurveLinks& l, const ImportedCurve& curve) {
  CurveStore& c = l.curves;
  const std::vector<double>& x = curve.potential;
  const int count = static_cast<int>(x.size());
  // A single pair takes its step from whatever the store holds at point 2, as it always has.
  const double second = count > 1 ? x[1] : c.Abscissa(2);
  const double step = curve.step ? *curve.step : DecimalStep(std::fabs(second - x[0]));
  if (!std::isfinite(step)) {
    return Fail(l, "Overflow: the step between the first two potentials is too large a number");
  }
  const CurveSlot slot = NextCurveSlot(l);
  if (auto refused = RefusedOverlap(l, slot, x)) return Fail(l, *refused);

  ApplyCurveSlot(l, slot);
  NameCurve(c, c.CurrentCurve, CurveRole::Measured, curve.name);
  for (int i = 1; i <= count; ++i) {
    c.Abscissa(i) = x[static_cast<std::size_t>(i - 1)];
    c.Ordinate(i, c.CurrentCurve) = curve.current[static_cast<std::size_t>(i - 1)];
  }
  c.PointCount = count;
  c.FirstPoint = 1;
  c.LastPoint = count;
  StoreLayout(c, curve.vertices);
  FormResult& result = l.formResult;
  result.Print(ResultLine().Text("Number of data point = ").Number(count));
  result.Print(ResultLine().Text("E step = ").Number(step));
  // Field edits, as the user's typing: the dialog recomputes the initial concentrations and the
  // drop time for the measured start and step.
  FormExpr& form = l.experiment.formExpr;
  form.Type(form.Estart(), FormatShortest(c.Abscissa(1)));
  form.Type(form.Eend(), FormatShortest(c.Abscissa(c.PointsPerSweep)));
  form.Type(form.Estep(), FormatShortest(step));
  return true;
}

}  // namespace vorex
