#include "shell/analysis_reports.h"

#include <algorithm>
#include <string>

#include "analysis/half_wave.h"
#include "analysis/theoretical_peaks.h"
#include "base/checked_math.h"
#include "base/number_format.h"
#include "base/text_window.h"
#include "curves/curve_store.h"
#include "experiment/capture.h"
#include "experiment/experiment.h"
#include "plot/curve_links.h"
#include "plot/peak_marks.h"
#include "plot/plot_state.h"
#include "shell/measured_programme_offer.h"

namespace vorex {
namespace {

// A copy through the store's own bounds checks, so that a curve beyond the store faults here
// as reading it in place would.
AbscissaArray Ordinates(const CurveStore& c, int curve) {
  AbscissaArray y;
  for (int i = 0; i <= kMaxPoints; ++i) y(i) = c.Ordinate(i, curve);
  return y;
}

// A number as the general format sets it in a line: a blank where a minus sign would stand, and
// one after.
std::string Signed(const std::string& number) {
  return (number.front() == '-' ? "" : " ") + number + " ";
}

bool HoldsMeasuredCurve(const CurveStore& c) {
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    if (c.Role(curve) == CurveRole::Measured) return true;
  }
  return false;
}

// How the record was swept. A simulation's comes from the Scan it ran with; a measured record
// says it itself: one sweep when it never turns, else a cycle whose first two sweeps meet at its
// first vertex, which it holds once where a simulated cycle repeats the turning potential. The
// search stops at the second vertex, so that a cycle that starts mid-range (out, back past its
// start, and home) compares the peaks of its first two sweeps.
PeakSearchSettings SweepLayout(const CurveStore& c, const ParameterSet& p, int s, int e) {
  PeakSearchSettings settings{
      .first = s,
      .last = e,
      .pointsPerSweep = c.PointsPerSweep,
      .singleSweep = p.ScanCount == 0.5,
      .oneCycleSweep = p.Technique == TechniqueCode::LinearSweep && p.ScanCount == 1,
      .yMax = c.YMax,
      .yMin = c.YMin};
  if (!HoldsMeasuredCurve(c)) return settings;
  settings.singleSweep = c.VertexCount == 0;
  settings.oneCycleSweep = c.VertexCount > 0;
  settings.pointsPerSweep = c.VertexCount > 0 ? c.Vertex(1) : c.PointCount;
  if (c.VertexCount > 1) settings.last = std::min(e, c.Vertex(2));
  return settings;
}

}  // namespace

void FindPeaks(CurveLinks& l, PeakTables& t, int s, int e) {
  const CurveStore& c = l.curves;
  FormResult& out = l.formResult;
  const PeakSearchSettings settings = SweepLayout(c, l.experiment.parameterSet, s, e);
  l.plot.PeakMarks.clear();
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    out.Print(ResultLine().Text("Curve ").Number(curve).Text(":"));
    for (int k = 1; k <= kMaxPeaks; ++k) {
      t.PeakPotential(k, curve) = 0;
      t.PeakCurrent(k, curve) = 0;
    }
    t.PeakCount = 0;
    const CurvePeaks found = SearchPeaks(c.Abscissa, Ordinates(c, curve), settings);
    for (const FoundPeak& peak : found.peaks) {
      ++t.PeakCount;
      t.PeakPotential(t.PeakCount, curve) = peak.potential;
      t.PeakCurrent(t.PeakCount, curve) = peak.current;
      const int point = PeakPoint(c, curve, s, e, peak.potential, peak.current);
      if (point > 0) l.plot.PeakMarks.push_back({curve, point, peak.potential, peak.current});
    }
    for (int k = 1; k <= t.PeakCount; ++k) {
      out.Print(ResultLine()
                    .Text("Peak ")
                    .Number(k)
                    .Text(":")
                    .Zone()
                    .Text("Ep = ")
                    .Text(Signed(FormatDecimals(t.PeakPotential(k, curve), 4)))
                    .Zone()
                    .Text("Ip = ")
                    .Text(Signed(FormatSignificant(t.PeakCurrent(k, curve), 4))));
    }
    if (found.notListed > 0) {
      out.Print(ResultLine()
                    .Text("Peaks not listed:")
                    .Number(found.notListed)
                    .Text("(only the first 20 are kept)"));
    }
    if (found.ratio && found.separation) {
      out.Print(ResultLine().Text("I pc/I pa = ").Number(Finite(*found.ratio)));
      out.Print(ResultLine().Text("Ep2 - Ep1 = ").Number(Finite(*found.separation)));
    }
    // An overflowing area is that fault, never a number, once the lines before it are out.
    out.Print(ResultLine().Text("Peak Area = ").Zone().Number(Finite(found.area)));
  }
}

void FindHalfWave(CurveLinks& l) {
  const CurveStore& c = l.curves;
  const int m = c.PointCount;
  if (m < 1 || m > kMaxPoints) return;
  for (int curve = 1; curve <= c.CurveCount; ++curve) {
    const HalfWaveResult wave = HalfWave(c.Abscissa, Ordinates(c, curve), m);
    l.formResult.Print(ResultLine()
                           .Text("Peak ")
                           .Number(curve)
                           .Text(": ")
                           .Zone()
                           .Text("E1/2 = ")
                           .Number(wave.halfWavePotential)
                           .Zone()
                           .Text("Id = ")
                           .Number(wave.height));
  }
}

void TheoreticalPeaks(CurveLinks& l) {
  AttachMeasuredPotentials(l);
  if (!CaptureParameters(l.experiment)) return;
  const ParameterSet& p = l.experiment.parameterSet;
  FormResult& out = l.formResult;
  out.Show();
  out.Print(std::string("Theoretical limiting current:"));
  const bool peaked = p.Technique == TechniqueCode::LinearSweep ||
                      p.Technique == TechniqueCode::DifferentialPulse ||
                      p.Technique == TechniqueCode::SquareWave;
  const char* eLabel = peaked ? "Ep = " : "E1/2 = ";
  const char* iLabel = peaked ? "Ip = " : "Id = ";
  for (int j = 1; j <= p.ChargeReactionCount; ++j) {
    const TheoreticalValues v = TheoreticalPeakValues(p, j);
    out.Print(ResultLine()
                  .Text("Rev Peak ")
                  .Number(j)
                  .Text(":")
                  .Zone()
                  .Text(eLabel)
                  .Number(v.Erev)
                  .Zone()
                  .Text(iLabel)
                  .Number(v.Irev));
    out.Print(ResultLine()
                  .Text("Irrev Peak ")
                  .Number(j)
                  .Text(":")
                  .Zone()
                  .Text(eLabel)
                  .Number(v.Eirr)
                  .Zone()
                  .Text(iLabel)
                  .Number(v.Iirr));
  }
}

}  // namespace vorex
