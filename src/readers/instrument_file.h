#pragma once

#include <optional>
#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// The instrument export formats, recognised by their content, never by the file's name.
enum class InstrumentFormat {
  None,  // none of them: the file is read as plain pairs of numbers
  ChInstruments,
  BiologicMpt,
  GamryDta,
  AutolabNova,
  PalmSensSession,
  PalmSensCsv,
  Ivium,
  TextTable,  // titled columns, or more untitled ones than a pair: see text_table.h
};

// Which format the decoded text (see DecodeText) is in.
InstrumentFormat RecogniseFormat(std::string_view text);

// Reads a decoded text of a recognised format; raises ReadError when nothing usable is in it.
// A file cut short or aborted gives what is complete, with a note saying what is missing.
MeasuredData ReadInstrumentText(InstrumentFormat format, std::string_view text);

}  // namespace vorex
