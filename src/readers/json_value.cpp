#include "readers/json_value.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <vector>

#include "readers/measured_data.h"
#include "readers/text_decoding.h"

namespace vorex {
namespace {

// Deep enough for any instrument export; shallow enough that the recursion (and the recursive
// destructor of JsonValue) stays far from the stack's end.
constexpr int kMaxDepth = 64;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsContainer(const JsonValue& value) {
  return value.kind == JsonValue::Kind::Array || value.kind == JsonValue::Kind::Object;
}

// What is left of a value the end of the text cut through: a container that holds something.
bool KeepsSomething(const JsonValue& value) {
  return IsContainer(value) && !(value.array.empty() && value.object.empty());
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Recursive descent. Every Parse* returns false only when the text ended inside what it was
// reading and a cut text is allowed; otherwise the end of the text is a fault like any other.
class Parser {
 public:
  Parser(std::string_view text, bool allowCut, bool keepNumberText = false)
      : text_(text), allowCut_(allowCut), keepNumberText_(keepNumberText) {}

  JsonValue Document(bool& cutShort) {
    SkipBlanks(true);
    JsonValue value;
    if (ParseValue(value, 0)) {
      SkipBlanks(true);
      if (pos_ < text_.size()) Fail("text follows the JSON value");
    } else if (!IsContainer(value)) {
      value = JsonValue();
    }
    cutShort = cut_;
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    const auto end = text_.begin() + static_cast<std::ptrdiff_t>(std::min(pos_, text_.size()));
    const int line = 1 + static_cast<int>(std::count(text_.begin(), end, '\n'));
    throw ReadError{"JSON", line, reason};
  }

  bool Ended() {
    if (!allowCut_) Fail("the text ends in the middle of a value");
    cut_ = true;
    return false;
  }

  // U+FEFF counts as a blank only around the whole value, where some writers leave one.
  void SkipBlanks(bool markToo = false) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        ++pos_;
      } else if (markToo && text_.substr(pos_, 3) == kByteOrderMark) {
        pos_ += 3;
      } else {
        return;
      }
    }
  }

  bool ParseValue(JsonValue& out, int depth) {
    if (depth >= kMaxDepth) Fail("arrays and objects are nested too deeply");
    SkipBlanks();
    if (pos_ >= text_.size()) return Ended();
    const char c = text_[pos_];
    if (c == '{') return ParseObject(out, depth);
    if (c == '[') return ParseArray(out, depth);
    if (c == '"') return ParseStringValue(out);
    if (c == 't') return ParseLiteral(out, "true", JsonValue::Kind::Boolean, true);
    if (c == 'f') return ParseLiteral(out, "false", JsonValue::Kind::Boolean, false);
    if (c == 'n') return ParseLiteral(out, "null", JsonValue::Kind::Null, false);
    if (c == '-' || (c >= '0' && c <= '9')) return ParseNumber(out, depth);
    Fail(std::string("a value was expected, not '") + c + "'");
  }

  // After an element or member: true when another follows, false at the closing bracket.
  bool NextOrClose(char close, bool& ended) {
    SkipBlanks();
    if (pos_ >= text_.size()) {
      ended = !Ended();
      return false;
    }
    const char c = text_[pos_++];
    if (c == ',') return true;
    if (c == close) return false;
    --pos_;
    Fail(std::string("',' or '") + close + "' was expected");
  }

  // The elements and members are gathered in buffers kept per depth and moved out at the close,
  // so that the value's vectors are allocated once at their final size: the files hold arrays
  // of hundreds of thousands of small objects.
  bool ParseArray(JsonValue& out, int depth) {
    out.kind = JsonValue::Kind::Array;
    auto& items = arrays_[static_cast<std::size_t>(depth)];
    items.clear();
    const bool complete = ArrayItems(items, depth);
    out.array.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    items.clear();
    return complete;
  }

  bool ArrayItems(std::vector<JsonValue>& items, int depth) {
    ++pos_;
    SkipBlanks();
    if (pos_ >= text_.size()) return Ended();
    if (text_[pos_] == ']') {
      ++pos_;
      return true;
    }
    for (bool more = true, ended = false; more;) {
      items.emplace_back();
      if (!ParseValue(items.back(), depth + 1)) {
        if (!KeepsSomething(items.back())) items.pop_back();
        return false;
      }
      more = NextOrClose(']', ended);
      if (ended) return false;
    }
    return true;
  }

  bool ParseObject(JsonValue& out, int depth) {
    out.kind = JsonValue::Kind::Object;
    auto& members = objects_[static_cast<std::size_t>(depth)];
    members.clear();
    const bool complete = ObjectMembers(members, depth);
    out.object.assign(std::make_move_iterator(members.begin()),
                      std::make_move_iterator(members.end()));
    members.clear();
    return complete;
  }

  bool ObjectMembers(std::vector<JsonMember>& members, int depth) {
    ++pos_;
    SkipBlanks();
    if (pos_ >= text_.size()) return Ended();
    if (text_[pos_] == '}') {
      ++pos_;
      return true;
    }
    for (bool more = true, ended = false; more;) {
      SkipBlanks();
      if (pos_ >= text_.size()) return Ended();
      if (text_[pos_] != '"') Fail("a member name in quotes was expected");
      std::string key;
      if (!ParseString(key)) return false;
      SkipBlanks();
      if (pos_ >= text_.size()) return Ended();
      if (text_[pos_++] != ':') Fail("':' was expected after a member name");
      members.push_back(JsonMember{std::move(key), JsonValue()});
      if (!ParseValue(members.back().value, depth + 1)) {
        if (!KeepsSomething(members.back().value)) members.pop_back();
        return false;
      }
      more = NextOrClose('}', ended);
      if (ended) return false;
    }
    return true;
  }

  bool ParseStringValue(JsonValue& out) {
    std::string s;
    if (!ParseString(s)) return false;
    out.kind = JsonValue::Kind::String;
    out.string = std::move(s);
    return true;
  }

  bool ParseString(std::string& out) {
    ++pos_;
    std::size_t run = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '"') {
        out.append(text_.substr(run, pos_ - run));
        ++pos_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character inside a string");
      if (c != '\\') {
        ++pos_;
        continue;
      }
      out.append(text_.substr(run, pos_ - run));
      ++pos_;
      if (!ParseEscape(out)) return false;
      run = pos_;
    }
    return Ended();
  }

  bool ParseEscape(std::string& out) {
    static constexpr std::string_view kNames = "\"\\/bfnrt";
    static constexpr std::string_view kMeanings = "\"\\/\b\f\n\r\t";
    if (pos_ >= text_.size()) return Ended();
    const char c = text_[pos_];
    if (c == 'u') {
      ++pos_;
      return ParseUnicodeEscape(out);
    }
    const std::size_t k = kNames.find(c);
    if (k == std::string_view::npos) Fail(std::string("an unknown escape '\\") + c + "'");
    out += kMeanings[k];
    ++pos_;
    return true;
  }

  // Four hex digits after "\u"; -1 when the text ends first.
  int HexUnit() {
    int unit = 0;
    for (int k = 0; k < 4; ++k, ++pos_) {
      if (pos_ >= text_.size()) return -1;
      const int digit = HexDigit(text_[pos_]);
      if (digit < 0) Fail("four hex digits were expected after \\u");
      unit = unit * 16 + digit;
    }
    return unit;
  }

  // A surrogate pair becomes one code point; an unpaired surrogate becomes U+FFFD, as when the
  // file's bytes are decoded.
  bool ParseUnicodeEscape(std::string& out) {
    const int unit = HexUnit();
    if (unit < 0) return Ended();
    std::uint32_t code = static_cast<std::uint32_t>(unit);
    if (code >= 0xDC00 && code < 0xE000) code = 0xFFFD;
    if (code >= 0xD800 && code < 0xDC00) {
      if (text_.substr(pos_, 2) == "\\u") {
        pos_ += 2;
        const int low = HexUnit();
        if (low < 0) return Ended();
        if (low >= 0xDC00 && low < 0xE000) {
          code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(low) - 0xDC00);
        } else {
          AppendUtf8(out, 0xFFFD);
          code = low >= 0xD800 && low < 0xE000 ? 0xFFFD : static_cast<std::uint32_t>(low);
        }
      } else {
        code = 0xFFFD;
      }
    }
    AppendUtf8(out, code);
    return true;
  }

  bool ParseLiteral(JsonValue& out, std::string_view word, JsonValue::Kind kind, bool flag) {
    const std::string_view rest = text_.substr(pos_, word.size());
    if (rest != word) {
      if (rest.size() < word.size() && StartsWith(word, rest)) {
        pos_ = text_.size();
        return Ended();
      }
      Fail("a value was expected");
    }
    pos_ += word.size();
    out.kind = kind;
    out.boolean = flag;
    return true;
  }

  void SkipDigits() {
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
  }

  // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?, checked here since from_chars reads more.
  bool ParseNumber(JsonValue& out, int depth) {
    const std::size_t start = pos_;
    if (text_[pos_] == '-') ++pos_;
    const std::size_t integer = pos_;
    SkipDigits();
    bool shaped = pos_ > integer && (text_[integer] != '0' || pos_ == integer + 1);
    if (shaped && pos_ < text_.size() && text_[pos_] == '.') {
      const std::size_t fraction = ++pos_;
      SkipDigits();
      shaped = pos_ > fraction;
    }
    if (shaped && pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
      const std::size_t exponent = pos_;
      SkipDigits();
      shaped = pos_ > exponent;
    }
    if (pos_ >= text_.size() && depth > 0) return Ended();
    if (!shaped) Fail("a malformed number");
    return ConvertNumber(out, text_.substr(start, pos_ - start));
  }

  bool ConvertNumber(JsonValue& out, std::string_view digits) {
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
      // Too small a magnitude reads as zero; too large a one is a fault.
      const auto e = digits.find_first_of("eE");
      if (e == std::string_view::npos || digits[e + 1] != '-') Fail("a number out of range");
      value = digits[0] == '-' ? -0.0 : 0.0;
    } else if (error != std::errc() || end != digits.data() + digits.size()) {
      Fail("a malformed number");
    }
    out.kind = JsonValue::Kind::Number;
    out.number = value;
    if (keepNumberText_) out.numberText = std::string(digits);
    return true;
  }

  std::string_view text_;
  std::vector<std::vector<JsonValue>> arrays_ = std::vector<std::vector<JsonValue>>(kMaxDepth);
  std::vector<std::vector<JsonMember>> objects_ = std::vector<std::vector<JsonMember>>(kMaxDepth);
  bool allowCut_;
  bool keepNumberText_;
  bool cut_ = false;
  std::size_t pos_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : object) {
    if (EqualsIgnoringCase(name, key)) return &value;
  }
  return nullptr;
}

JsonValue ParseJson(std::string_view text) {
  bool cutShort = false;
  return Parser(text, false).Document(cutShort);
}

JsonValue ParseJsonKeepingNumberText(std::string_view text) {
  bool cutShort = false;
  return Parser(text, false, true).Document(cutShort);
}

JsonValue ParseJsonPrefix(std::string_view text, bool& cutShort) {
  return Parser(text, true).Document(cutShort);
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      constexpr const char* kHex = "0123456789abcdef";
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace vorex
