#include "readers/instrument_file.h"

#include <string>

#include "readers/autolab_nova.h"
#include "readers/biologic_mpt.h"
#include "readers/ch_instruments.h"
#include "readers/gamry_dta.h"
#include "readers/ivium_text.h"
#include "readers/palmsens_csv.h"
#include "readers/palmsens_session.h"
#include "readers/text_table.h"

namespace vorex {

std::string ReadError::Message() const {
  std::string message = format;
  if (line > 0) message += ", line " + std::to_string(line);
  return message + ": " + reason;
}

// The formats with a signature of their own come first; the two whose only mark is the shape of
// their column titles (NOVA, Ivium) after them, so that they cannot claim a file another one
// names; a table of numbers under titles of any kind is what is left.
InstrumentFormat RecogniseFormat(std::string_view text) {
  if (LooksLikeBiologicMpt(text)) return InstrumentFormat::BiologicMpt;
  if (LooksLikeGamryDta(text)) return InstrumentFormat::GamryDta;
  if (LooksLikePalmSensSession(text)) return InstrumentFormat::PalmSensSession;
  if (LooksLikePalmSensCsv(text)) return InstrumentFormat::PalmSensCsv;
  if (LooksLikeChInstruments(text)) return InstrumentFormat::ChInstruments;
  if (LooksLikeIvium(text)) return InstrumentFormat::Ivium;
  if (LooksLikeAutolabNova(text)) return InstrumentFormat::AutolabNova;
  if (LooksLikeTextTable(text)) return InstrumentFormat::TextTable;
  return InstrumentFormat::None;
}

MeasuredData ReadInstrumentText(InstrumentFormat format, std::string_view text) {
  switch (format) {
    case InstrumentFormat::BiologicMpt:
      return ReadBiologicMpt(text);
    case InstrumentFormat::GamryDta:
      return ReadGamryDta(text);
    case InstrumentFormat::PalmSensSession:
      return ReadPalmSensSession(text);
    case InstrumentFormat::PalmSensCsv:
      return ReadPalmSensCsv(text);
    case InstrumentFormat::ChInstruments:
      return ReadChInstruments(text);
    case InstrumentFormat::Ivium:
      return ReadIvium(text);
    case InstrumentFormat::AutolabNova:
      return ReadAutolabNova(text);
    case InstrumentFormat::TextTable:
      return ReadTextTable(text);
    case InstrumentFormat::None:
      break;
  }
  throw ReadError{"data file", 0, "no instrument format was recognised"};
}

}  // namespace vorex
