#include "shell/program_snapshot.h"

#include "plot/plot_renderer.h"
#include "shell/program.h"

namespace vorex {
namespace {

template <class T, int RowHi, int ColHi>
bool SameMatrix(const FixedMatrix<T, RowHi, ColHi>& a, const FixedMatrix<T, RowHi, ColHi>& b) {
  for (int r = 0; r <= RowHi; ++r) {
    for (int c = 0; c <= ColHi; ++c) {
      if (!(a.Unchecked(r, c) == b.Unchecked(r, c))) return false;
    }
  }
  return true;
}

// Every value of the store, the unused rows included: an undo gives back exactly what was there.
bool SameStore(const CurveStore& a, const CurveStore& b) {
  return a.PointCount == b.PointCount && a.PointsPerSweep == b.PointsPerSweep &&
         a.VertexCount == b.VertexCount && a.FirstPoint == b.FirstPoint &&
         a.LastPoint == b.LastPoint && a.CurrentCurve == b.CurrentCurve &&
         a.CurveCount == b.CurveCount && a.StoredCurveCount == b.StoredCurveCount &&
         a.YMax == b.YMax && a.YMin == b.YMin && a.Abscissa == b.Abscissa && a.Role == b.Role &&
         a.Name == b.Name && a.Vertex == b.Vertex && SameMatrix(a.Ordinate, b.Ordinate) &&
         SameMatrix(a.SimulatedCurrent, b.SimulatedCurrent) &&
         SameMatrix(a.SurfaceConcentration, b.SurfaceConcentration);
}

bool SamePlot(const PlotState& a, const PlotState& b) {
  return a.XMin == b.XMin && a.XMax == b.XMax && a.GridOn == b.GridOn &&
         a.OverlapOn == b.OverlapOn && a.LineStyle == b.LineStyle;
}

bool SamePeaks(const PeakTables& a, const PeakTables& b) {
  return a.PeakCount == b.PeakCount && SameMatrix(a.PeakPotential, b.PeakPotential) &&
         SameMatrix(a.PeakCurrent, b.PeakCurrent);
}

std::vector<ControlValue> OptionValues(const FormOption& dialog) {
  std::vector<ControlValue> values;
  values.reserve(dialog.Controls().size());
  for (const auto& c : dialog.Controls())
    values.push_back({c->Text(), c->Checked(), c->ListIndex()});
  return values;
}

// The setters show the values without running the dialog's events, as a settings file does.
void ShowOptionValues(FormOption& dialog, const std::vector<ControlValue>& values) {
  const auto& controls = dialog.Controls();
  for (std::size_t i = 0; i < controls.size() && i < values.size(); ++i) {
    Control& c = *controls[i];
    if (c.Kind() == ControlKind::ComboBox && values[i].listIndex >= 0) {
      c.SetListIndex(values[i].listIndex);
    } else if (c.Kind() == ControlKind::TextBox) {
      c.SetText(values[i].text);
    }
    if (c.Kind() == ControlKind::CheckBox || c.Kind() == ControlKind::OptionButton) {
      c.SetChecked(values[i].checked);
    }
  }
  dialog.Xauto_Click();
  dialog.Yauto_Click();
}

bool PictureShown(const Program& program) {
  return !program.plot.formPlot.picture.Items().empty();
}

}  // namespace

std::size_t ProgramSnapshot::SettingsBytes() const {
  std::size_t bytes = sizeof(Settings);
  for (int i = 0; i < kStoredFieldCount; ++i)
    bytes += settings.Value(static_cast<FieldId>(i)).size();
  bytes += settings.MeasuredPotentials().View().size_bytes();
  return bytes;
}

bool SameCurveState(const CurveState& s, const Program& p) {
  return s.pictureShown == PictureShown(p) && s.residualCount == p.fit.residualCount &&
         SamePlot(s.plot, p.plot.state) && SamePeaks(s.peaks, p.peaks) &&
         s.options == OptionValues(p.plot.formOption) && SameStore(s.store, p.curves);
}

ProgramSnapshot Snapshot(const Program& p, bool withCurves,
                         const std::shared_ptr<const CurveState>& reuse) {
  ProgramSnapshot snapshot{p.experiment.settings, nullptr};
  if (!withCurves) return snapshot;
  if (reuse && SameCurveState(*reuse, p)) {
    snapshot.curves = reuse;
    return snapshot;
  }
  auto state = std::make_shared<CurveState>();
  state->store = p.curves;
  state->plot = p.plot.state;
  state->options = OptionValues(p.plot.formOption);
  state->peaks = p.peaks;
  state->residualCount = p.fit.residualCount;
  state->pictureShown = PictureShown(p);
  snapshot.curves = std::move(state);
  return snapshot;
}

bool Unchanged(const ProgramSnapshot& snapshot, const Program& p) {
  return snapshot.settings == p.experiment.settings &&
         (!snapshot.curves || SameCurveState(*snapshot.curves, p));
}

void Restore(Program& p, const ProgramSnapshot& snapshot) {
  p.experiment.Replace(snapshot.settings);
  if (!snapshot.curves) return;
  const CurveState& s = *snapshot.curves;
  p.curves = s.store;
  p.plot.state = s.plot;
  ShowOptionValues(p.plot.formOption, s.options);
  p.peaks = s.peaks;
  p.fit.residualCount = s.residualCount;
  if (s.pictureShown) {
    PlotCurves(p.links, p.curves.FirstPoint, p.curves.LastPoint);
  } else {
    p.plot.formPlot.picture.Clear();
  }
}

}  // namespace vorex
