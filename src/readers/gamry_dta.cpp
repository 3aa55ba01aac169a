#include "readers/gamry_dta.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "readers/gamry_header.h"
#include "readers/gamry_tables.h"
#include "readers/locale_numbers.h"
#include "readers/sweep_table.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

constexpr const char* kFormat = "Gamry .DTA";

[[noreturn]] void Fail(std::size_t index, std::string reason) {
  throw ReadError{kFormat, LineNumber(index), std::move(reason)};
}

struct OtherTechnique {
  std::string_view tag, what;
};

// Techniques whose tables hold something else than a current against a swept potential.
constexpr std::array kNotVoltammograms = {
    OtherTechnique{"CHRONOA", "a chronoamperometry (no potential axis)"},
    OtherTechnique{"CHRONOC", "a chronocoulometry (no potential axis)"},
    OtherTechnique{"CHRONOP", "a chronopotentiometry (no potential sweep)"},
    OtherTechnique{"EISPOT", "an impedance measurement"},
    OtherTechnique{"EISGALV", "an impedance measurement"},
    OtherTechnique{"CORPOT", "an open-circuit potential record"},
};

void RefuseOtherTechnique(const GamryHeader& header) {
  for (const OtherTechnique& other : kNotVoltammograms) {
    if (header.tag == other.tag) {
      Fail(header.tagLine, "the file holds " + std::string(other.what) + ", not a voltammogram");
    }
  }
}

// The data lines of the curve tables alone: header values and dates mislead.
bool DecimalComma(const std::vector<std::string_view>& lines, const GamryLayout& layout) {
  for (const GamryTable& t : layout.tables) {
    if (IsCurveTable(t.name) && t.end > t.begin + 2) {
      return UsesDecimalComma(DecimalSample(lines, t.begin + 2, t.end), '\t');
    }
  }
  return false;
}

// The factor that makes the file's currents reduction positive, and the note that says why.
double ConventionSign(const GamryHeader& header, std::vector<std::string>& notes) {
  if (!header.convention) {
    notes.push_back(
        "The file does not state its current convention (no CONVENTION row); Gamry's default, "
        "anodic current positive, was assumed and the currents were negated to reduction "
        "positive.");
    return -1;
  }
  if (*header.convention == 0) {
    notes.push_back(
        "The file counts cathodic current positive (CONVENTION 0), as Vorex does; the currents "
        "were kept as they are.");
    return 1;
  }
  if (*header.convention != 1) {
    notes.push_back(
        "The current convention (CONVENTION) is not 0 or 1; anodic current positive was "
        "assumed and the currents were negated to reduction positive.");
    return -1;
  }
  notes.push_back(
      "The file counts anodic current positive; the currents were negated to reduction "
      "positive.");
  return -1;
}

// A file of many broken tables would otherwise give a note for each.
constexpr std::size_t kMostTableNotes = 20;

void AddTableNotes(std::vector<std::string> tableNotes, std::vector<std::string>& notes) {
  const std::size_t kept = std::min(tableNotes.size(), kMostTableNotes);
  for (std::size_t i = 0; i < kept; ++i) notes.push_back(std::move(tableNotes[i]));
  if (tableNotes.size() > kept) {
    notes.push_back(std::to_string(tableNotes.size() - kept) +
                    " further notes on the tables were left out.");
  }
}

// Reads every curve table; a table that fails is noted when others gave cycles.
void ReadCurveTables(const std::vector<std::string_view>& lines, const GamryLayout& layout,
                     bool decimalComma, double sign, bool aborted, MeasuredData& data) {
  std::optional<ReadError> firstError;
  std::vector<std::string> tableNotes;
  bool cycleColumn = false, squareWave = false, shortOfAnnounced = false;
  for (const GamryTable& t : layout.tables) {
    if (!IsCurveTable(t.name)) continue;
    GamryTableRead read = ReadGamryTable(lines, t, decimalComma, sign, aborted, tableNotes);
    if (read.error) {
      if (!firstError) firstError = read.error;
      // Past the notes kept, only the count matters.
      tableNotes.push_back(tableNotes.size() >= kMostTableNotes
                               ? std::string()
                               : "Line " + std::to_string(read.error->line) + ": " +
                                     read.error->reason + "; it was left out.");
      continue;
    }
    if (data.cycles.empty()) {
      data.cycles = std::move(read.cycles);
    } else {
      for (MeasuredCycle& c : read.cycles) data.cycles.push_back(std::move(c));
    }
    cycleColumn = cycleColumn || read.cycleColumn;
    squareWave = squareWave || read.squareWave;
    shortOfAnnounced = shortOfAnnounced || read.shortOfAnnounced;
  }
  if (data.cycles.empty()) {
    if (firstError) throw *firstError;
    Fail(lines.size(), "no data table (CURVE TABLE) follows the header");
  }
  AddTableNotes(std::move(tableNotes), data.notes);
  if (aborted && !shortOfAnnounced) {
    data.notes.push_back(
        "The run was aborted (EXPERIMENTABORTED); the points recorded before it stopped were "
        "read.");
  }
  if (cycleColumn) {
    data.notes.push_back("Cycles are numbered from 0, as the file's Cycle column counts them.");
  }
  if (squareWave) {
    data.notes.push_back(
        "The square-wave table gives Vstep as the potential and Idif (forward minus reverse "
        "current) as the current.");
  }
}

}  // namespace

bool LooksLikeGamryDta(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text.substr(0, 128));
  return lines.size() >= 2 && Trim(lines[0]) == "EXPLAIN" && StartsWith(lines[1], "TAG\t");
}

MeasuredData ReadGamryDta(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || Trim(lines[0]) != "EXPLAIN") Fail(0, "the first line is not \"EXPLAIN\"");
  const GamryLayout layout = ScanGamryLayout(lines);
  const bool decimalComma = DecimalComma(lines, layout);
  GamryHeader header = ReadGamryHeader(lines, layout.headerRows, decimalComma);
  RefuseOtherTechnique(header);

  MeasuredData data;
  data.format = kFormat;
  data.technique = header.tag;
  data.settings = header.settings;
  const double sign = ConventionSign(header, data.notes);
  ReadCurveTables(lines, layout, decimalComma, sign, header.aborted, data);
  for (std::string& note : header.notes) data.notes.push_back(std::move(note));
  return data;
}

}  // namespace vorex
