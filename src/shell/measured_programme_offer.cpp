#include "shell/measured_programme_offer.h"

#include <cmath>
#include <memory>
#include <string>

#include "base/number_format.h"
#include "base/sweep_segments.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "curves/shared_abscissa.h"
#include "experiment/capture.h"
#include "experiment/experiment.h"
#include "simulation/potential_programme.h"

namespace vorex {
namespace {

std::span<const double> MeasuredAbscissa(const CurveStore& c) {
  if (c.PointCount < 2 || c.Role(1) != CurveRole::Measured) return {};
  return {&c.Abscissa(1), static_cast<std::size_t>(c.PointCount)};
}

// Whether the dialog's own programme gives these potentials, to a thousandth of their step.
bool DialogGives(const Settings& s, std::span<const double> e) {
  Settings dialog = s;
  dialog.SetMeasuredPotentials({});
  if (dialog.Scan() == ScanCode::Measured) return false;
  const Captured captured = MakeParameterSet(dialog);
  if (captured.refusal) return false;
  auto x = std::make_unique<AbscissaArray>();
  try {
    const Programme g = BuildPotentialProgramme(captured.parameters, *x);
    const std::span<const double> built(&(*x)(1), static_cast<std::size_t>(g.pointCount));
    return FirstDifferentPoint(built, e, MedianStep(e) / 1000) == 0;
  } catch (const RuntimeFault&) {
    return false;
  }
}

}  // namespace

void AttachMeasuredPotentials(CurveLinks& l) {
  const std::span<const double> e = MeasuredAbscissa(l.curves);
  if (e.empty()) return;
  const std::span<const double> attached = l.experiment.settings.MeasuredPotentials().View();
  if (std::equal(e.begin(), e.end(), attached.begin(), attached.end())) return;
  l.experiment.settings.SetMeasuredPotentials(
      ProgrammePotentials(std::vector<double>(e.begin(), e.end())));
}

void OfferMeasuredProgramme(CurveLinks& l, bool asked) {
  if (l.curves.CurrentCurve != 1) return;
  const std::span<const double> e = MeasuredAbscissa(l.curves);
  if (e.empty()) return;
  AttachMeasuredPotentials(l);
  Settings& s = l.experiment.settings;
  if (s.Technique() != TechniqueCode::LinearSweep || s.Scan() == ScanCode::Measured) return;
  if (DialogGives(s, e)) return;
  const std::size_t vertices = FindVertices(e).size();
  const std::string shape = std::to_string(e.size()) + " points, " + std::to_string(vertices) +
                            (vertices == 1 ? " vertex" : " vertices");
  if (!asked) {
    l.formResult.Print("The measured potentials (" + shape +
                       ") are not the Experimental dialog's programme: choose Scan = measured "
                       "to simulate and fit on them.");
    return;
  }
  l.experiment.Change(FieldId::Scan, "measured");
  l.experiment.Refresh();
  l.formResult.Print("Scan = measured: simulations follow the measured potentials (" + shape +
                     ") at the scan rate v.");
}

}  // namespace vorex
