#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorex {

struct JsonMember;

// A JSON value as read (RFC 8259): null, boolean, number, string, array or object. Object keys
// keep their case; Find looks them up case-insensitively, since the same export writes them in
// PascalCase in one version and lowercase in another.
struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string numberText;  // a number as written, by ParseJsonKeepingNumberText only
  std::string string;
  std::vector<JsonValue> array;
  std::vector<JsonMember> object;

  const JsonValue* Find(std::string_view key) const;
};

// One member of an object: a name and its value. A struct of its own rather than a std::pair,
// which could not be formed while JsonValue is still incomplete.
struct JsonMember {
  std::string key;
  JsonValue value;
};

// Parses one JSON text (blanks, including U+FEFF, around it allowed); raises ReadError with
// format "JSON" and the 1-based line of the fault. Depth is limited, so hostile nesting cannot
// exhaust the stack.
JsonValue ParseJson(std::string_view text);
// Like ParseJson, and each number keeps its text as written, for a reader that must give back
// exactly what was written ("1e4" stays "1e4", not "10000").
JsonValue ParseJsonKeepingNumberText(std::string_view text);

// Like ParseJson, but a text that ends too early (a file cut short) gives what is complete: the
// open arrays and objects are closed, and the scalar, member or element cut in the middle is left
// out (so is a number that reaches the end, as its last digits may be missing, and a container
// cut before anything in it was complete). `cutShort` tells whether the text ended early. Faults
// before the end still raise ReadError.
JsonValue ParseJsonPrefix(std::string_view text, bool& cutShort);

// A text as a JSON string, quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

}  // namespace vorex
