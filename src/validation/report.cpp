#include "validation/report.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "base/file_writing.h"
#include "validation/convergence_plot.h"
#include "validation/fit_convergence.h"
#include "validation/global_fit_coverage.h"
#include "validation/program_constants.h"

namespace vorex::validation {
namespace {

std::string Cell(std::string text) {
  for (char& ch : text) {
    if (ch == '|') ch = '/';
    if (ch == '\n') ch = ' ';
  }
  return text;
}

std::string ModeCell(const Case& c, const ModeOutcome& m) {
  if (!m.measured.value) {
    // A choice the mode does not offer is refused by the dialog with a message; say which.
    const std::string& note = m.measured.note;
    const auto said = note.rfind("message: ");
    if (note.find("is not enabled") != std::string::npos && said != std::string::npos) {
      return Cell("not available in this mode (the program: " + note.substr(said + 9) + ")");
    }
    return Cell(note);
  }
  return ValueText(c, *m.measured.value) + " (" + ErrorText(c.unit, *m.error) + ") " +
         (m.holds ? "holds" : "**fails**");
}

std::string RequiredCell(const CaseOutcome& o) {
  const unsigned r = o.c->required;
  if (r == kNone) return "";
  std::string text = r == kBoth ? "both" : r == kDigital ? "digital" : "analytical";
  return text + (o.RequiredHold() ? "" : " (**not met**)");
}

void Tally(std::ostream& md, const std::vector<CaseOutcome>& outcomes) {
  int ran[2] = {0, 0}, held[2] = {0, 0}, unmet = 0;
  for (const CaseOutcome& o : outcomes) {
    for (int m = 0; m < 2; ++m) {
      const ModeOutcome& x = o.In(m == 0 ? Mode::Analytical : Mode::Digital);
      ran[m] += x.measured.value ? 1 : 0;
      held[m] += x.holds ? 1 : 0;
    }
    unmet += o.RequiredHold() ? 0 : 1;
  }
  md << outcomes.size() << " cases. Analytical mode: " << held[0] << " of " << ran[0]
     << " measured cases hold. Digital mode: " << held[1] << " of " << ran[1]
     << " hold. Required cases not met: " << unmet << ".\n\n";
}

std::vector<ConvergencePanel> Panels(const std::vector<CaseOutcome>& outcomes) {
  std::vector<ConvergencePanel> panels{
      {"Reversible linear sweep: peak current error (%) against E step (mV)", 0, {}},
      {"Reversible linear sweep: peak potential error (mV) against E step (mV)", 0, {}}};
  for (const CaseOutcome& o : outcomes) {
    if (o.c->convergenceStep <= 0) continue;
    const bool current = o.c->unit == Unit::Current;
    const double scale = current ? 100 : 1e3;
    ConvergencePoint p{o.c->convergenceStep, std::nullopt, std::nullopt};
    if (o.analytical.error) p.analytical = *o.analytical.error * scale;
    if (o.digital.error) p.digital = *o.digital.error * scale;
    panels[current ? 0 : 1].points.push_back(p);
    panels[current ? 0 : 1].tolerance = o.c->tolerance * scale;
  }
  return panels;
}

void ConvergenceSection(std::ostream& md, const std::vector<ConvergencePanel>& panels,
                        const std::string& png) {
  md << "## Convergence with the E step\n\n"
     << "Reversible linear sweep at 10 mV/s (cases `sweep.reversible.*`): the error of the peak "
        "current and of the peak potential against Randles-Sevcik and E1/2 - 1.109 RT/F. Digital "
        "mode solid with squares, analytical mode dashed with crosses.\n\n"
     << "![Error against E step](" << std::filesystem::path(png).filename().string() << ")\n\n"
     << "| E step (mV) | ip analytical | ip digital | Ep analytical | Ep digital |\n"
     << "|---|---|---|---|---|\n";
  const auto text = [](const std::optional<double>& v, const char* unit) {
    if (!v) return std::string("n/a");
    char s[32];
    std::snprintf(s, sizeof s, "%+.3f %s", *v, unit);
    return std::string(s);
  };
  for (std::size_t k = 0; k < panels[0].points.size() && k < panels[1].points.size(); ++k) {
    const ConvergencePoint &i = panels[0].points[k], &e = panels[1].points[k];
    md << "| " << i.step * 1e3 << " | " << text(i.analytical, "%") << " | " << text(i.digital, "%")
       << " | " << text(e.analytical, "mV") << " | " << text(e.digital, "mV") << " |\n";
  }
  md << "\n";
}

void CaseTables(std::ostream& md, const std::vector<CaseOutcome>& outcomes) {
  std::string group;
  for (const CaseOutcome& o : outcomes) {
    const Case& c = *o.c;
    if (c.group != group) {
      group = c.group;
      md << "\n## " << group << "\n\n"
         << "| Case | Setting | Figure of merit | Theory | Source | Analytical (error) | "
            "Digital (error) | Tolerance | Required |\n"
         << "|---|---|---|---|---|---|---|---|---|\n";
    }
    md << "| `" << c.name << "` | " << Cell(c.setting) << " | " << c.merit << " | "
       << ValueText(c, c.theory) << " | " << Cell(c.source) << " | " << ModeCell(c, o.analytical)
       << " | " << ModeCell(c, o.digital) << " | " << ToleranceText(c) << " | " << RequiredCell(o)
       << " |\n";
  }
}

void Introduction(std::ostream& md) {
  md << "# Validation\n\n"
     << "Written by `make validate` (`build/bin/validate --report docs/validation.md --plot "
        "docs/validation-convergence.png`); do not edit by hand. The cases live in "
        "`src/validation/`; `build/bin/validate --list` names them and `build/bin/validate "
        "--case NAME` runs one (a name prefix such as `cylinder` runs a group).\n\n"
     << "Each case starts the program afresh and makes its simulation with the statements a "
        "vorex-cli script would give: the Techniques dialog (technique, analytical or digital "
        "simulation), the Mechanism dialog, the Experimental dialog's fields (pre-equilibration "
        "off), then Simulate. The figure of merit is read from the total current of the curve "
        "store: a peak by the parabola through the highest point and its neighbours, a plateau "
        "at a named point, E1/2 by linear interpolation at half the plateau. Every theoretical "
        "value comes from a closed form, a published table or, for the uncompensated "
        "resistance, a reference solver of the suite's own that shares nothing with the "
        "simulation (the integral equation of a reversible couple with the ohmic drop, "
        "`src/validation/ohmic_reference.h`), computed with the program's "
        "constants (F = 96484.6 C/mol, R = 8.31441 J/(mol K), 0 degrees C = 273.14 K, "
        "pi = 3.141592654); none comes from the program. Unless a case says otherwise: one "
        "electron, 25 degrees C (T = 298.14 K), D = 1e-5 "
        "cm2/s for every species, 1 mM of A, E0 = 0.1 V, alpha = 0.5, ks = 1e4 cm/s "
        "(reversible). Currents are reduction-positive; errors of currents are relative, "
        "errors of potentials in mV. The cases of the Analysis menu go on after Simulate with "
        "the command (a transform, Theoretical Peak, Find Peak) and read the curve as the plot "
        "then shows it, or the number the result window printed.\n\n"
     << "A case is run in both modes. Where a mode cannot make the simulation (the thin film "
        "and the rotating disk are not selectable in the digital mode; most mechanisms are not "
        "selectable in the analytical mode) the cell says what the program refused. Where a "
        "mode runs a case that lies outside what it can do, the measured error is shown. "
        "\"Required\" marks the modes in which the case must hold for `make test` (which runs "
        "the quick cases) to pass.\n\n"
     << "For quasi-reversible and irreversible electron transfer and for coupled homogeneous "
        "chemistry the analytical mode's closed forms are approximations. Their rows "
        "(`sweep.irreversible.*`, `away.irreversible.*`, `cycle.quasireversible.*`, "
        "`away.cycle.quasireversible.*`, "
        "`dp.quasireversible.*`, `sw.quasireversible.*`, `catalytic.*`) show the approximation's "
        "measured error beside "
        "the digital mode's, and require only the digital mode where the approximation misses "
        "the tolerance. For such kinetics and chemistry the digital mode is the one to use.\n\n"
     << "The rows of mechanisms the user writes (`written.*`) make their parameter sets from "
        "settings by keyword, as Python's vorex.Settings names them, give them the mechanism "
        "text and run the simulation on them directly; a written mechanism has no closed form, "
        "so their analytical column is empty. They are held to the built-in mechanism's own "
        "digital curve on the same parameter set, to closed forms (ECE and DISP1 in the pure "
        "kinetic zone, three reversible DC waves), and to a second solver of the suite's own "
        "that shares nothing with the simulation (the method of lines on a uniform grid with "
        "BDF2 and Newton's method, `src/validation/reference_cv.h`), itself checked against "
        "Randles-Sevcik and by halving its steps.\n\n";
}

}  // namespace

bool WriteReport(const std::vector<CaseOutcome>& outcomes, const std::string& markdown,
                 const std::string& png, PictureEncoder* pictures) {
  const std::vector<ConvergencePanel> panels = Panels(outcomes);
  if (const auto failure = WritePng(ConvergencePicture(panels), png, pictures)) {
    std::cerr << "validate: " << png << ": " << *failure << '\n';
    return false;
  }
  std::ostringstream md;
  Introduction(md);
  Tally(md, outcomes);
  ConvergenceSection(md, panels, png);
  WriteFitConvergenceSection(md, FitStartGrid());
  const GlobalFitCoverage& coverage = GlobalFitCoverageRuns();
  WriteGlobalFitCoverageSection(md, coverage);
  std::cout << "validate: the coverage of the joint fit's intervals took " << coverage.seconds
            << " s on " << coverage.threads << " threads\n";
  CaseTables(md, outcomes);
  if (const auto failure = WriteFileAtomically(markdown, md.str())) {
    std::cerr << "validate: " << markdown << ": " << *failure << '\n';
    return false;
  }
  return true;
}

}  // namespace vorex::validation
