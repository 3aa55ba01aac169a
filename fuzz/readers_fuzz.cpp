// Any bytes as an instrument export: decoded, recognised and read, and also handed to every
// reader directly (the first byte picks one), since random bytes rarely carry a format's
// signature. No crash, no hang; a reader either refuses with its reason or gives cycles of
// finite, equally long potential and current records, and the uniform step keeps them finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "readers/instrument_file.h"
#include "readers/json_value.h"
#include "readers/text_decoding.h"
#include "readers/uniform_grid.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr vorex::InstrumentFormat kFormats[] = {
    vorex::InstrumentFormat::ChInstruments,   vorex::InstrumentFormat::BiologicMpt,
    vorex::InstrumentFormat::GamryDta,        vorex::InstrumentFormat::AutolabNova,
    vorex::InstrumentFormat::PalmSensSession, vorex::InstrumentFormat::PalmSensCsv,
    vorex::InstrumentFormat::Ivium,           vorex::InstrumentFormat::TextTable,
};

void CheckRead(vorex::InstrumentFormat format, std::string_view text) {
  vorex::MeasuredData data;
  try {
    data = vorex::ReadInstrumentText(format, text);
  } catch (const vorex::ReadError& error) {
    Check(!error.reason.empty());
    return;
  }
  Check(!data.cycles.empty());
  for (const vorex::MeasuredCycle& c : data.cycles) {
    Check(!c.potential.empty() && c.potential.size() == c.current.size());
    Check(c.applied.empty() || c.applied.size() == c.potential.size());
    for (std::size_t i = 0; i < c.potential.size(); ++i) {
      Check(std::isfinite(c.potential[i]) && std::isfinite(c.current[i]));
    }
    const vorex::UniformRecord u = vorex::MakeUniform(c.potential, c.current, 8000, 4000);
    Check(u.potential.size() == u.current.size() && u.potential.size() <= 4000);
    for (const std::size_t v : u.vertices) Check(v > 0 && v + 1 < u.potential.size());
    for (std::size_t i = 0; i < u.potential.size(); ++i) {
      Check(std::isfinite(u.potential[i]) && std::isfinite(u.current[i]));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = vorex::DecodeText(bytes);
  const vorex::InstrumentFormat recognised = vorex::RecogniseFormat(text);
  if (recognised != vorex::InstrumentFormat::None) CheckRead(recognised, text);
  if (size > 0) {
    const std::string rest = vorex::DecodeText(bytes.substr(1));
    CheckRead(kFormats[static_cast<std::uint8_t>(bytes[0]) % std::size(kFormats)], rest);
  }
  try {
    vorex::ParseJson(text);
  } catch (const vorex::ReadError&) {
  }
  return 0;
}
