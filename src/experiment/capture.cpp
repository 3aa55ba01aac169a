#include "experiment/capture.h"

#include <cmath>
#include <string>

#include "base/checked_math.h"
#include "base/constants.h"
#include "experiment/capture_checks.h"
#include "experiment/catalogue.h"
#include "experiment/experiment.h"
#include "experiment/field_message.h"
#include "experiment/field_value.h"

namespace vorex {
namespace {

// A field whose text the capture cannot take, with the message that says so.
struct Rejected {
  std::string message;
};

Rejected Reject(const Control& c, const std::string& why) {
  return Rejected{FieldMessage(c, why)};
}

double Read(const Control& c) {
  try {
    return FieldValue(c);
  } catch (const RuntimeFault&) {
    throw Reject(c, "is too large a number.");
  }
}

double ReadStrict(const Control& c) {
  const std::optional<double> value = StrictNumber(c.Text());
  if (!value) throw Reject(c, "is not a number.");
  return std::fabs(*value);
}

void ReadScalars(FormExpr& f, ParameterSet& p) {
  p.EStart = Read(f.Estart());
  p.EEnd = Read(f.Eend());
  p.EStep = ReadStrict(f.Estep());
  p.Area = Read(f.ARE());
  p.Cdl = Read(f.Cdl());
  p.Temperature = Read(f.txttemp()) + kZeroCelsius;
  p.EPulse = Read(f.Epulse());
  p.NoisePercent = Read(f.Noise());
  p.TDrop = Read(f.td());
  p.TPulse = Read(f.tp());
  p.ScanRate = ReadStrict(f.V());
  p.Length = Read(f.leng());
  p.Radius = Read(f.radius());
  p.Viscosity = Read(f.TextVis());
  p.RotationRate = Read(f.TextRrate()) * kPi / 30;
  if (!std::isfinite(p.RotationRate)) throw Reject(f.TextRrate(), "is too large a number.");
  p.ElectrolyteC = Read(f.TextElectrolyteC());
  p.ElectrolyteConductivity = Read(f.TextElectrolyteCond());
  // A text too large to hold a number is refused with the other checks, in their order.
  try {
    p.Ru = FieldValue(f.Ru());
  } catch (const RuntimeFault&) {
    p.Ru = 0;
  }
}

void ReadRowsAndDerived(FormExpr& f, ParameterSet& p) {
  for (int j = 1; j <= 3; ++j) {
    p.Alpha(j) = Read(f.alph(j));
    p.E0(j) = Read(f.Eze(j));
    p.Ks(j) = Read(f.ks(j));
    p.N(j) = Read(f.NEL(j));
    p.Kf(j) = Read(f.kf(j));
    p.Kb(j) = Read(f.kb(j));
    p.Keq(j) = Read(f.LabelKeq(j));
    p.P(j) = Read(f.pl(j));
  }
  for (int i = 1; i <= 4; ++i) {
    p.D(i) = Read(f.D(i));
    p.CInit(i) = Read(f.Cinit(i));
    p.SpeciesConductivity(i) = Read(f.Cond(i - 1));
  }
  if (p.Digital == 0) {
    p.AnalyticalMethodCode = static_cast<std::int16_t>(p.Electrode + 10 * p.Technique);
  }
  try {
    p.FOverRT = CheckedDivide(kFaraday / kGasConstant, p.Temperature);
    p.RTOverF = CheckedDivide(1, p.FOverRT);
  } catch (const RuntimeFault& fault) {
    throw Reject(f.txttemp(), "gives no temperature to work with: " + fault.Description() + ".");
  }
}

}  // namespace

void CaptureTechniqueAndMechanism(Experiment& experiment) {
  ParameterSet& p = experiment.parameterSet;
  experiment.formTech.OK();
  for (int m = 1; m <= kMechanismCount; ++m) {
    if (experiment.formMech.mech(m).Checked()) {
      p.Mechanism = static_cast<std::int16_t>(m);
      break;
    }
  }
  if (const MechanismEntry* entry = Mechanism(p.Mechanism)) {
    p.SpeciesCount = static_cast<std::int16_t>(entry->species);
    p.ChargeReactionCount = static_cast<std::int16_t>(entry->chargeReactions);
    p.HomogeneousReactionCount = static_cast<std::int16_t>(entry->homogeneousReactions);
  }
}

bool CaptureParameters(Experiment& experiment) {
  CaptureTechniqueAndMechanism(experiment);
  FormExpr& form = experiment.formExpr;
  // Everything is read into a copy first, so that a rejected field leaves the parameter set as
  // the last complete capture left it.
  ParameterSet next = experiment.parameterSet;
  try {
    switch (form.ComboScan().ListIndex()) {
      case 0:
        next.ScanCount = 0.5;
        break;
      case 1:
        next.ScanCount = 1;
        break;
      case 2:
        next.ScanCount = 2;
        break;
      default:
        break;
    }
    ReadScalars(form, next);
    ReadRowsAndDerived(form, next);
    if (auto meaningless = MeaninglessValue(form, next)) throw Rejected{*meaningless};
  } catch (const Rejected& rejected) {
    experiment.host.MessageBox(rejected.message);
    return false;
  }
  experiment.parameterSet = next;
  // The geometry update reads the radius and length just captured; the fields read after it in
  // the dialog's order do not depend on what it writes.
  form.radius_Change();
  return true;
}

}  // namespace vorex
