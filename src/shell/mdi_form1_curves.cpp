// The main window's commands on curves: Simulate, the Display menu, the transforms of the
// Analysis menu, the scaling of either axis, and the Cut and Subtract Background dialogs.
#include <array>
#include <cmath>

#include "analysis/column_operators.h"
#include "base/checked_math.h"
#include "base/number_text.h"
#include "base/result_line.h"
#include "experiment/capture.h"
#include "plot/curve_legend.h"
#include "plot/displayed_quantity.h"
#include "plot/plot_renderer.h"
#include "shell/mdi_form1.h"
#include "shell/measured_programme_offer.h"
#include "shell/program.h"
#include "shell/simulation_command.h"

namespace vorex {

void MDIForm1::Plot() {
  // A running fit draws its accepted curves itself; the store holds a trial's meanwhile.
  if (program_.fit.running) return;
  PlotCurves(program_.links, program_.curves.FirstPoint, program_.curves.LastPoint);
}

void MDIForm1::FormPlot_Resize() {
  // After Clear there is nothing to draw, and nothing to say about it.
  if (program_.curves.PointCount >= 1) Plot();
}

void MDIForm1::mnuSimulate_Click() {
  const BusyPointer busy(program_.host);
  const CancellableScope cancellable(program_.host, "Simulating…");
  AttachMeasuredPotentials(program_.links);
  if (CaptureParameters(program_.experiment) && Simulate(program_.links, program_.simulationWork)) {
    CurveStore& c = program_.curves;
    const SimulationSignature now =
        SignatureOf(program_.experiment.parameterSet, program_.experiment.settings);
    NameCurve(c, c.CurrentCurve, CurveRole::Simulated,
              SimulationName(now, program_.lastSimulation));
    program_.lastSimulation = now;
    ShowCurves(program_.links);
    EnableCurveMenus();
  }
}

void MDIForm1::mnuOption_Click() {
  program_.plot.formOption.Show();
}

void MDIForm1::mnuPlot_Click() {
  Plot();
}

// The curves go with the picture: the next result is curve 1 again, and what was cleared neither
// comes back beside it nor holds an import to its potentials.
void MDIForm1::mnuClear_Click() {
  program_.plot.formPlot.picture.Clear();
  CurveStore& c = program_.curves;
  for (int curve = 1; curve <= kMaxCurves; ++curve) NameCurve(c, curve, CurveRole::Simulated);
  c.CurveCount = c.StoredCurveCount = 0;
  c.CurrentCurve = 1;
  c.PointCount = c.FirstPoint = c.LastPoint = 0;
  c.PointsPerSweep = c.VertexCount = 0;
  program_.plot.state.PeakMarks.clear();
  program_.peaks = PeakTables{};
  program_.fit.residualCount = 0;
}

bool MDIForm1::HasCurves(const char* command) {
  const CurveStore& c = program_.curves;
  if (c.PointCount >= 1 && c.CurveCount >= 1) return true;
  program_.host.Message(std::string(command) + " needs a curve: simulate or import one first.",
                        MessageKind::Warning);
  return false;
}

void MDIForm1::mnuSemi_Click() {
  TransformCurrentCurve(Transform::SemiDifferentiate, "Semi-differentiate");
}

void MDIForm1::mnuSemiInte_Click() {
  TransformCurrentCurve(Transform::SemiIntegrate, "Semi-integrate");
}

void MDIForm1::mnuDerivative_Click() {
  TransformCurrentCurve(Transform::Differentiate, "Differentiate");
}

void MDIForm1::mnuIntegral_Click() {
  TransformCurrentCurve(Transform::Integrate, "Integrate");
}

// What each transform produces, for the result window: the half-order ones work along time.
const char* MDIForm1::TransformUnit(Transform transform) {
  switch (transform) {
    case Transform::SemiDifferentiate:
      return "unit per s^1/2 (A s^-1/2 from A)";
    case Transform::SemiIntegrate:
      return "unit x s^1/2 (A s^1/2 from A)";
    case Transform::Differentiate:
      return "along E, unit per V";
    case Transform::Integrate:
      break;
  }
  return "along E, unit x V";
}

CurveRole MDIForm1::TransformRole(Transform transform) {
  switch (transform) {
    case Transform::SemiDifferentiate:
      return CurveRole::SemiDerivative;
    case Transform::SemiIntegrate:
      return CurveRole::SemiIntegral;
    case Transform::Differentiate:
      return CurveRole::Derivative;
    case Transform::Integrate:
      break;
  }
  return CurveRole::Integral;
}

// The transform runs on the current curve; if any part of it cannot be done the curve is put back
// as it was, so that the user never sees half a transform. The half-order transforms take the
// points |dE| / v apart in time, v the scan rate of the Experimental dialog (also for imported
// curves, which carry no time of their own).
void MDIForm1::TransformCurrentCurve(Transform transform, const char* label) {
  if (!HasCurves(label)) return;
  CurveStore& c = program_.curves;
  const int m = c.PointCount;
  const bool halfOrder =
      transform == Transform::SemiDifferentiate || transform == Transform::SemiIntegrate;
  const double v =
      halfOrder ? NumericPrefix(program_.experiment.settings.Value(FieldId::ScanRate)) : 0;
  if (halfOrder && !(std::isfinite(v) && v > 0)) {
    program_.host.Message(
        std::string(label) +
            " needs a positive scan rate v in the Experimental dialog: the points "
            "are |dE|/v apart in time. The curve is unchanged.",
        MessageKind::Warning);
    return;
  }
  ColumnRef column(c.Ordinate, c.CurrentCurve);
  std::array<double, kMaxPoints + 1> before;
  for (int i = 1; i <= m; ++i) before[static_cast<std::size_t>(i)] = column[i];
  bool done = true;
  try {
    switch (transform) {
      case Transform::SemiDifferentiate:
        done = SemiDifferentiate(c.Abscissa, column, m, v);
        break;
      case Transform::SemiIntegrate:
        done = SemiIntegrate(c.Abscissa, column, m, v);
        break;
      case Transform::Differentiate:
        done = Differentiate(c.Abscissa, column, m);
        break;
      case Transform::Integrate:
        Integrate(c.Abscissa, column, m);
        break;
    }
    if (!done) {
      program_.host.Message(std::string(label) +
                                " needs different potentials at points 1 and 2; the curve is "
                                "unchanged.",
                            MessageKind::Warning);
    }
  } catch (const RuntimeFault& fault) {
    done = false;
    program_.host.Message(
        std::string(label) + " Error: " + fault.Description() + "; the curve is unchanged.",
        MessageKind::Critical);
  }
  if (!done) {
    for (int i = 1; i <= m; ++i) column[i] = before[static_cast<std::size_t>(i)];
  } else {
    NameCurve(c, c.CurrentCurve, TransformRole(transform));
    ResultLine line;
    line.Text(std::string(label) + " of curve ").Number(c.CurrentCurve);
    if (halfOrder) line.Text("along time, v =").Number(v).Text("V/s, ");
    program_.formResult.Show();
    program_.formResult.Print(line.Text(TransformUnit(transform)));
  }
  Plot();
}

void MDIForm1::ScaleAbscissa(double factor) {
  if (!HasCurves("X Data")) return;
  CurveStore& c = program_.curves;
  for (int i = 1; i <= c.PointCount; ++i) {
    if (!std::isfinite(c.Abscissa(i) * factor)) {
      program_.host.Message("X Data Error: Overflow; the potentials are unchanged.",
                            MessageKind::Critical);
      return;
    }
  }
  for (int i = 1; i <= c.PointCount; ++i) c.Abscissa(i) *= factor;
  Plot();
}

void MDIForm1::ScaleOrdinate(double factor) {
  if (!HasCurves("Y Data")) return;
  CurveStore& c = program_.curves;
  for (int i = 1; i <= c.PointCount; ++i) {
    if (!std::isfinite(c.Ordinate(i, c.CurrentCurve) * factor)) {
      program_.host.Message("Y Data Error: Overflow; the curve is unchanged.",
                            MessageKind::Critical);
      return;
    }
  }
  for (int i = 1; i <= c.PointCount; ++i) c.Ordinate(i, c.CurrentCurve) *= factor;
  Plot();
}

}  // namespace vorex

namespace vorex {

// A dialog that works on the curves is of no use before there are any.
void MDIForm1::ShowCurveDialog(Window& dialog, const char* command) {
  if (program_.curves.PointCount < 2) {
    program_.host.Message(std::string(command) + " needs a curve: simulate or import one first.",
                          MessageKind::Warning);
    return;
  }
  dialog.Show();
}

void MDIForm1::mnuCut_Click() {
  ShowCurveDialog(program_.formCut, "Cut");
}

void MDIForm1::mnuBackground_Click() {
  ShowCurveDialog(program_.formBackground, "Subtract Background");
}

}  // namespace vorex
