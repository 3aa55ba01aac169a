#include "shell/cut_command.h"

#include <span>
#include <string>
#include <vector>

#include "plot/plot_renderer.h"
#include "shell/program.h"

namespace vorex {
namespace {

std::span<const double> Potentials(const CurveStore& c) {
  return {c.Abscissa.data() + 1, static_cast<std::size_t>(c.PointCount)};
}

void PrintRanges(FormResult& out, std::span<const double> e, const std::vector<PointRange>& ranges,
                 const char* noun) {
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const PointRange& r = ranges[k];
    const auto part =
        e.subspan(static_cast<std::size_t>(r.first), static_cast<std::size_t>(r.Count()));
    out.Print(std::string(noun) + " " + std::to_string(k + 1) + ": points " +
              std::to_string(r.first + 1) + " to " + std::to_string(r.last + 1) + ", " +
              DescribeSweeps(part));
  }
}

}  // namespace

bool CutCurves(Program& program, const CutChoice& choice) {
  auto outcome = CutStore(program.curves, choice);
  if (const auto* why = std::get_if<std::string>(&outcome)) {
    program.host.Message("Cut: " + *why + " The curves are unchanged.", MessageKind::Warning);
    return false;
  }
  program.peaks = PeakTables{};
  program.fit.residualCount = 0;
  program.formResult.Show();
  program.formResult.Print(std::get<CutDone>(outcome).line);
  if (!program.fit.running)
    PlotCurves(program.links, program.curves.FirstPoint, program.curves.LastPoint);
  return true;
}

void CutDialogOK(Program& program) {
  const auto choice = program.formCut.Choice();
  if (const auto* why = std::get_if<std::string>(&choice)) {
    program.host.Message("Cut: " + *why, MessageKind::Warning);
    return;
  }
  if (CutCurves(program, std::get<CutChoice>(choice))) program.formCut.Hide();
}

void ListSweeps(Program& program) {
  const CurveStore& c = program.curves;
  FormResult& out = program.formResult;
  out.Show();
  if (c.PointCount < 2) {
    out.Print(std::string("There is no curve; simulate or import one first."));
    return;
  }
  const std::span<const double> e = Potentials(c);
  out.Print("The curves' potentials: " + DescribeSweeps(e));
  PrintRanges(out, e, CycleRanges(e), "Cycle");
  PrintRanges(out, e, SweepSegments(e), "Segment");
}

}  // namespace vorex
