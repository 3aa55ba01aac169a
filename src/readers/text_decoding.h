#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorex {

// The file's bytes as UTF-8: a UTF-16LE file (byte-order mark FF FE) transcoded, a UTF-8
// byte-order mark dropped, valid UTF-8 kept, anything else read as Latin-1 (Windows-1252's
// printable range, as instrument PCs write it) and transcoded. A trailing U+FEFF is dropped.
std::string DecodeText(std::string_view bytes);

// Appends the code point as UTF-8 (1 to 4 bytes).
void AppendUtf8(std::string& out, std::uint32_t code);

// The lines of a text, without their line ends (LF or CR LF; a lone CR too); the last line may
// lack its end. Views into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// The fields of a line split at `separator` (a tab, ';' or ','), not trimmed.
std::vector<std::string_view> SplitFields(std::string_view line, char separator);
// The fields of a line split at runs of blanks and tabs (leading and trailing ones ignored).
std::vector<std::string_view> SplitWhitespace(std::string_view line);

std::string_view Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
// Case-insensitive (ASCII) comparison and search.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

}  // namespace vorex
