#include "validation/case_runner.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace vorex::validation {
namespace {

ModeOutcome Judge(const Case& c, Measurement m) {
  ModeOutcome o{std::move(m), std::nullopt, false};
  if (!o.measured.value) return o;
  const double v = *o.measured.value;
  o.error = c.unit == Unit::Current ? v / c.theory - 1 : v - c.theory;
  o.holds = std::isfinite(*o.error) && std::fabs(*o.error) <= c.tolerance;
  return o;
}

std::string Format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string RequiredText(unsigned required) {
  switch (required) {
    case kAnalytical:
      return "required: analytical";
    case kDigital:
      return "required: digital";
    case kBoth:
      return "required: both";
    default:
      return "";
  }
}

// A relative difference in per cent; one too small for three decimals (two runs that should
// agree to rounding, say) with its exponent.
std::string RelativeText(double value) {
  const double percent = value * 100;
  if (percent != 0 && std::fabs(percent) < 5e-4) return Format("%+.2e %%", percent);
  return Format("%+.3f %%", percent);
}

}  // namespace

bool CaseOutcome::RequiredHold() const {
  return (!(c->required & kAnalytical) || analytical.holds) &&
         (!(c->required & kDigital) || digital.holds);
}

CaseOutcome Evaluate(const Case& c, Runs& runs) {
  const auto start = std::chrono::steady_clock::now();
  CaseOutcome o;
  o.c = &c;
  o.analytical = Judge(c, c.measure(runs, Mode::Analytical));
  o.digital = Judge(c, c.measure(runs, Mode::Digital));
  o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return o;
}

std::string ValueText(const Case& c, double value) {
  switch (c.unit) {
    case Unit::Current:
      return Format("%.5g ", value) + c.valueUnit;
    case Unit::Potential:
      return Format("%.2f mV", value * 1e3);
    case Unit::Relative:
      return RelativeText(value);
  }
  return "";
}

std::string ErrorText(Unit unit, double error) {
  if (unit == Unit::Relative && error != 0 && std::fabs(error) < 5e-6) return RelativeText(error);
  return unit == Unit::Potential ? Format("%+.2f mV", error * 1e3)
                                 : Format("%+.2f %%", error * 100);
}

std::string ToleranceText(const Case& c) {
  return c.unit == Unit::Potential ? Format("%g mV", c.tolerance * 1e3)
                                   : Format("%g %%", c.tolerance * 100);
}

std::string Verdict(const ModeOutcome& m) {
  if (!m.measured.value) return m.measured.note;
  return m.holds ? "holds" : "FAILS";
}

std::string SummaryLine(const CaseOutcome& o) {
  const Case& c = *o.c;
  std::string line = c.name + ": theory " + ValueText(c, c.theory);
  for (Mode mode : {Mode::Analytical, Mode::Digital}) {
    const ModeOutcome& m = o.In(mode);
    line += mode == Mode::Analytical ? " | analytical " : " | digital ";
    if (m.measured.value) {
      line += ValueText(c, *m.measured.value) + " (" + ErrorText(c.unit, *m.error) + ", " +
              Verdict(m) + ")";
    } else {
      line += "n/a (" + m.measured.note + ")";
    }
  }
  line += " | tol " + ToleranceText(c);
  if (c.required != kNone)
    line += " | " + RequiredText(c.required) + (o.RequiredHold() ? "" : " NOT MET");
  return line;
}

}  // namespace vorex::validation
