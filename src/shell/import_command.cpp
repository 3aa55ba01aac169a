#include "shell/import_command.h"

#include <filesystem>
#include <string>
#include <vector>

#include "base/host.h"
#include "curves/curve_store.h"
#include "readers/cycle_split.h"
#include "shell/imported_curve.h"
#include "shell/measured_file.h"
#include "shell/measured_import.h"
#include "shell/measured_programme_offer.h"

namespace vorex {
namespace {

bool Fail(CurveLinks& l, const std::string& why) {
  l.host.Message("ReadData Error: " + why, MessageKind::Critical);
  return false;
}

// Plain pairs of numbers, read exactly as Import Data always has; thinned as a measured record is,
// and said so, when there are more than the store holds.
bool StorePairs(CurveLinks& l, MeasuredFile& read, const std::string& source) {
  MeasuredCycle& pairs = read.data.cycles.front();
  if (pairs.potential.size() > static_cast<std::size_t>(kMaxPoints)) {
    return ImportMeasured(l, read.data, ImportRequest{}, source);
  }
  ImportedCurve curve;
  curve.name = "measured " + source;
  curve.vertices = VertexIndices(pairs.potential);
  curve.potential = std::move(pairs.potential);
  curve.current = std::move(pairs.current);
  return StoreImportedCurve(l, curve);
}

bool ReadAndStore(CurveLinks& l, const ImportRequest& request) {
  const std::optional<std::string> file = l.host.OpenFileName(kDataFilter);
  if (!file) return Fail(l, "no file was chosen");
  auto read = ReadMeasuredFile(*file);
  if (const auto* why = std::get_if<std::string>(&read)) return Fail(l, *why);
  MeasuredFile& measured = std::get<MeasuredFile>(read);
  // The legend names the curve by the file, without the folders it lies in.
  const std::string source = std::filesystem::path(*file).filename().string();
  if (measured.plainPairs) return StorePairs(l, measured, source);
  return ImportMeasured(l, measured.data, request, source);
}

}  // namespace

bool ImportCurve(CurveLinks& l, const ImportRequest& request) {
  if (!ReadAndStore(l, request)) return false;
  OfferMeasuredProgramme(l, request.measuredScan);
  return true;
}

}  // namespace vorex
