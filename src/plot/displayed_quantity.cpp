#include "plot/displayed_quantity.h"

#include <array>
#include <string>

#include "base/checked_math.h"
#include "base/host.h"
#include "base/number_text.h"
#include "curves/curve_store.h"
#include "experiment/capture.h"
#include "experiment/experiment.h"
#include "plot/curve_legend.h"
#include "plot/form_option.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"

namespace vorex {
namespace {

// The current curve gets the last simulation: the fitted curve stays the fitted one and a
// simulation keeps its name; any other (measured data, a residual, a transform) becomes a
// simulated curve, and loses the name of what it held.
void NameSimulatedCurve(CurveStore& c) {
  const CurveRole role = c.Role(c.CurrentCurve);
  if (role != CurveRole::Fitted && role != CurveRole::Simulated) {
    NameCurve(c, c.CurrentCurve, CurveRole::Simulated);
  }
}

char SpeciesLetter(int species) {
  return static_cast<char>('A' + species - 1);
}

// Solution resistance or conductance between the electrodes, from the conductivities of the
// species at the surface and of the supporting electrolyte. Formed completely before anything
// is written, so a failed conversion leaves the curve as it was.
bool FillConductivityQuantity(CurveLinks& l, bool resistance) {
  const ParameterSet& p = l.experiment.parameterSet;
  CurveStore& c = l.curves;
  const Control& distanceField = l.experiment.formExpr.TextDis();
  const std::optional<double> distance = StrictNumber(distanceField.Text());
  const char* what = resistance ? "resistance" : "conductance";
  if (!distance) {
    l.host.Message(std::string("The ") + what + " needs the distance Dis (cm), and \"" +
                       distanceField.Text() + "\" is not a number.",
                   MessageKind::Warning);
    return false;
  }
  if (*distance == 0 || p.Area == 0) {
    l.host.Message(
        std::string("The ") + what + " needs a distance and an electrode area " + "other than 0.",
        MessageKind::Warning);
    return false;
  }
  const double background = p.ElectrolyteConductivity * p.ElectrolyteC;
  std::array<double, kMaxPoints + 1> values{};
  try {
    for (int i = c.FirstPoint; i <= c.LastPoint; ++i) {
      double sum = 0;
      for (int s = 1; s <= p.SpeciesCount; ++s) {
        sum += p.SpeciesConductivity(s) * c.SurfaceConcentration(i, s);
      }
      const double total = Finite(sum + background);
      values[static_cast<std::size_t>(i)] =
          resistance ? CheckedDivide(CheckedDivide(*distance, p.Area), total)
                     : Finite(total * CheckedDivide(p.Area, *distance));
    }
  } catch (const RuntimeFault& fault) {
    l.host.Message(std::string("The ") + what + " cannot be formed: " + fault.Description() +
                       " (the total conductivity of the solution is 0 or out of range).",
                   MessageKind::Critical);
    return false;
  }
  c.CurveCount = c.StoredCurveCount;
  NameSimulatedCurve(c);
  for (int i = c.FirstPoint; i <= c.LastPoint; ++i) {
    c.Ordinate(i, c.CurrentCurve) = values[static_cast<std::size_t>(i)];
  }
  return true;
}

}  // namespace

CurveSlot NextCurveSlot(const CurveLinks& l) {
  if (l.fitting) return {2, 2, 2};
  const int count = l.curves.CurveCount;
  if (l.formOption.overlap().Checked() && count < kMaxCurves) {
    return {count + 1, count + 1, count + 1};
  }
  return {1, 1, 1};
}

void ApplyCurveSlot(CurveLinks& l, const CurveSlot& slot) {
  l.curves.CurveCount = slot.curveCount;
  l.curves.CurrentCurve = slot.currentCurve;
  l.curves.StoredCurveCount = slot.storedCurveCount;
  // A fit's simulation is the fitted curve; a simulation and an import name their curve
  // themselves after this. The peaks marked on the curves before are not those of these.
  NameCurve(l.curves, slot.currentCurve, l.fitting ? CurveRole::Fitted : CurveRole::Simulated);
  l.plot.PeakMarks.clear();
}

void SelectCurveSlot(CurveLinks& l) {
  ApplyCurveSlot(l, NextCurveSlot(l));
}

bool FillDisplayedQuantity(CurveLinks& l) {
  return CaptureParameters(l.experiment) && FillCapturedQuantity(l);
}

bool FillCapturedQuantity(CurveLinks& l) {
  const ParameterSet& p = l.experiment.parameterSet;
  CurveStore& c = l.curves;
  const std::string& quantity = l.formOption.ComboY().Text();
  // A measured curve or a residual is not the last simulation: converting that simulation into
  // it would replace the user's data (with zeros when nothing was simulated).
  const CurveRole role = c.Role(c.CurrentCurve);
  const bool ownData = role == CurveRole::Measured || role == CurveRole::Residual;
  if (ownData && quantity != "surface concentration C") {
    c.CurveCount = c.StoredCurveCount;
    return true;
  }
  if (quantity == "current I") {
    c.CurveCount = c.StoredCurveCount;
    NameSimulatedCurve(c);
    const int total = p.ChargeReactionCount + 1;
    for (int i = c.FirstPoint; i <= c.LastPoint; ++i) {
      c.Ordinate(i, c.CurrentCurve) = c.SimulatedCurrent(i, total);
    }
  } else if (quantity == "resistance R" || quantity == "conductance Cond") {
    return FillConductivityQuantity(l, quantity == "resistance R");
  } else if (quantity == "surface concentration C") {
    c.CurveCount = p.SpeciesCount;
    for (int s = 1; s <= p.SpeciesCount; ++s) {
      NameCurve(c, s, CurveRole::Simulated, std::string("surface ") + SpeciesLetter(s));
      for (int i = c.FirstPoint; i <= c.LastPoint; ++i)
        c.Ordinate(i, s) = c.SurfaceConcentration(i, s);
    }
  }
  return true;
}

void ShowCurves(CurveLinks& l) {
  if (!FillDisplayedQuantity(l)) return;
  PlotCurves(l, l.curves.FirstPoint, l.curves.LastPoint);
}

}  // namespace vorex
