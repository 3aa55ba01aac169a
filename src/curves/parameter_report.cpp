#include "curves/parameter_report.h"

#include "base/number_format.h"
#include "experiment/parameter_set.h"

namespace vorex {

std::string ParameterReport(const ParameterSet& p, int pointCount) {
  std::string out;
  const auto put = [&](const char* label, double value) {
    out += label;
    out += "\r\n";
    out += FormatGeneral(value);
    out += "\r\n";
  };
  // The report is a stored file: the codes as their numbers.
  put("Technique :", CodeNumber(p.Technique));
  put("Mechisim :", CodeNumber(p.Mechanism));
  put("Electorde", CodeNumber(p.Electrode));
  put("E start :", p.EStart);
  put("E end :", p.EEnd);
  put("E Step :", p.EStep);
  put("t pulse :", p.TPulse);
  put("t drop :", p.TDrop);
  put("Area Of Electrode :", p.Area);
  put("E pulse :", p.EPulse);
  put("Noise (%) :", p.NoisePercent);
  put("No. OF DATA :", pointCount);
  put("NUMBER OF SPECIES :", p.SpeciesCount);
  // The per-reaction arrays are indexed by the species number, as the set stores them.
  for (int i = 1; i <= p.SpeciesCount && i <= 4; ++i) {
    put("Species ", i);
    put("D :", p.D(i));
    put("C :", p.CInit(i));
    put("ks :", p.Ks(i));
    put("Alpha :", p.Alpha(i));
    put("n :", p.N(i));
    put("E' :", p.E0(i));
    put("Conductivity :", p.SpeciesConductivity(i));
  }
  return out;
}

}  // namespace vorex
