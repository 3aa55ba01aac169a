#include "experiment/catalogue.h"

#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {
namespace {

constexpr std::array<TechniqueEntry, kTechniqueCount> kTechniques{{
    {"1)  Linear sweep and cyclic voltammetry", "lsv"},
    {"2)  DC voltammetry", "dc"},
    {"3)  Normal pulse voltammetry", "np"},
    {"4)  Differential pulse voltammetry", "dp"},
    {"5)  Square wave voltammetry", "sw"},
}};

constexpr std::array<MechanismEntry, kMechanismCount> kMechanisms{{
    {"1)  A + ne = B", "simple charge reaction", 2, {"A+ne=B", "", ""}, {"", ""}, 1, 0},
    {"2)  A + ne = B, B + ne = C",
     "2-step charge reaction",
     3,
     {"A+ne=B", "B+ne=C", ""},
     {"", ""},
     2,
     0},
    {"3)  A + ne = B, B + ne = C, C + ne = D",
     "3-step charge reaction",
     4,
     {"A+ne=B", "B+ne=C", "C+ne=D"},
     {"", ""},
     3,
     0},
    {"4)  A + ne = B, C + ne = D",
     "multicompoment charge reaction",
     4,
     {"A+ne=B", "C+ne=D", ""},
     {"", ""},
     2,
     0},
    {"5)  C = A, A + ne = B", "preceding (CE) reaction", 3, {"A+ne=B", "", ""}, {"C=A", ""}, 1, 1},
    {"6)  C = A, A + ne = B, B = D",
     "preceding and following (CEC) reaction",
     4,
     {"A+ne=B", "", ""},
     {"C=A", "B=D"},
     1,
     2},
    {"7)  A + ne = B, B = C", "following (EC) reaction", 3, {"A+ne=B", "", ""}, {"B=C", ""}, 1, 1},
    {"8)  A + ne = B, 2B = C",
     "second order following (EC2) reaction",
     3,
     {"A+ne=B", "", ""},
     {"2B=C", ""},
     1,
     1},
    {"9)  A + ne = B, B = A", "catalytic (EC') reaction", 2, {"A+ne=B", "", ""}, {"B=A", ""}, 1, 1},
    {"10)  A + ne = B, 2B = A",
     "second order catalytic (EC'2) reaction",
     2,
     {"A+ne=B", "", ""},
     {"2B=A", ""},
     1,
     1},
    {"11)  A + ne = B, B = C, C + ne = D",
     "ECE reaction",
     4,
     {"A+ne=B", "C+ne=D", ""},
     {"B=C", ""},
     2,
     1},
    {"12)  A + ne = B, B = D, C + ne = D", "", 4, {"A+ne=B", "C+ne=D", ""}, {"B=D", ""}, 2, 1},
    {"13)  A + ne = B, B = D, C + ne = D, C = A",
     "square reaction",
     4,
     {"A+ne=B", "C+ne=D", ""},
     {"B=D", "C=A"},
     2,
     2},
    {"14)  A + ne = B, B + ne = C, C = D",
     "EEC reaction",
     4,
     {"A+ne=B", "B+ne=C", ""},
     {"C=D", ""},
     2,
     1},
    {"15)  A + ne = B, B + ne = C, B = D", "", 4, {"A+ne=B", "B+ne=C", ""}, {"B=D", ""}, 2, 1},
    {"16)  A + ne = B, B + C = A + D",
     "catalytic (EC') reaction",
     4,
     {"A+ne=B", "", ""},
     {"B+C=A+D", ""},
     1,
     1},
    {"17)  C = A + pD, A + ne = B",
     "complex reaction",
     4,
     {"A+ne=B", "", ""},
     {"C=A+pD", ""},
     1,
     1},
}};

// Its species and reactions are those its text writes (see CountsOf(const Settings&)).
constexpr MechanismEntry kWritten{
    "18)  written", "a mechanism you write", 0, {"", "", ""}, {"", ""}, 0, 0};

constexpr std::array<ElectrodeEntry, kElectrodeCount> kElectrodes{{
    {"1)  Planar", "", "planar"},
    {"2)  (Micro)Spherical", "", "sphere"},
    {"3)  (Micro)Hemispherical", "", "hemisphere"},
    {"4)  Microdisc", "", "microdisc"},
    {"5)  (Micro)Cylindrical", "Length (cm)", "cylinder"},
    {"6)  (Micro)Hemicylindrical", "Length (cm)", "hemicylinder"},
    {"7)  Thin film", "Thick (cm)", "thin_film"},
    {"8)  Rotating disk", "", "rde"},
}};

template <class Entry, std::size_t Count, class Code>
const Entry& Lookup(const std::array<Entry, Count>& table, Code code) {
  return table.at(static_cast<std::size_t>(CodeNumber(code) - 1));
}

}  // namespace

const TechniqueEntry& Technique(TechniqueCode code) {
  return Lookup(kTechniques, code);
}
const MechanismEntry& Mechanism(MechanismCode code) {
  if (code == MechanismCode::Written) return kWritten;
  return Lookup(kMechanisms, code);
}
const ElectrodeEntry& Electrode(ElectrodeCode code) {
  return Lookup(kElectrodes, code);
}

std::string_view Unnumbered(std::string_view caption) {
  const std::size_t mark = caption.find(")  ");
  return mark == std::string_view::npos ? caption : caption.substr(mark + 3);
}

bool MechanismOffered(MechanismCode mechanism, bool digital) {
  using M = MechanismCode;
  if (mechanism == M::EEE) return false;
  if (mechanism == M::Written) return digital;
  return digital || mechanism == M::E || mechanism == M::TwoCouples || mechanism == M::Catalytic;
}

bool ElectrodeOffered(ElectrodeCode electrode, bool digital) {
  return !digital ||
         (electrode != ElectrodeCode::ThinFilm && electrode != ElectrodeCode::RotatingDisk);
}

bool HasComputedArea(ElectrodeCode code) {
  return code != ElectrodeCode::Planar && code != ElectrodeCode::ThinFilm;
}

bool HasLength(ElectrodeCode code) {
  return code == ElectrodeCode::Cylindrical || code == ElectrodeCode::Hemicylindrical ||
         code == ElectrodeCode::ThinFilm;
}

bool HasRadius(ElectrodeCode code) {
  return code != ElectrodeCode::Planar && code != ElectrodeCode::ThinFilm;
}

double ElectrodeArea(ElectrodeCode code, double r, double length) {
  const double pi = kPi;
  using E = ElectrodeCode;
  switch (code) {
    case E::Spherical:
      return Finite(4 * pi * r * r);
    case E::Hemispherical:
      return Finite(2 * pi * r * r);
    case E::Microdisc:
    case E::RotatingDisk:
      return Finite(pi * r * r);
    case E::Cylindrical:
      return Finite(pi * r * r + 2 * pi * r * length);
    case E::Hemicylindrical:
      return Finite(0.5 * pi * r * r + pi * r * length);
    default:
      return 0;
  }
}

double ElectrodeVolume(ElectrodeCode code, double r, double length, double area) {
  const double pi = kPi;
  using E = ElectrodeCode;
  switch (code) {
    case E::Spherical:
      return Finite(4 * pi * r * r * r / 3);
    case E::Hemispherical:
      return Finite(2 * pi * r * r * r / 3);
    case E::Cylindrical:
      return Finite(pi * r * r * length);
    case E::Hemicylindrical:
      return Finite(0.5 * pi * r * r * length);
    default:
      return Finite(area * length);
  }
}

}  // namespace vorex
