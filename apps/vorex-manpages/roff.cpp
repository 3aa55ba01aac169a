#include "roff.h"

#include <cctype>
#include <sstream>

namespace vorex::manpages {
namespace {

bool StartsWithSpaces(std::string_view line, std::size_t count) {
  if (line.size() <= count) return false;
  for (std::size_t k = 0; k < count; ++k)
    if (line[k] != ' ') return false;
  return line[count] != ' ';
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string RoffText(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (const char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
    lineStart = c == '\n';
  }
  return out;
}

std::string RoffFromHelp(std::string_view help) {
  std::ostringstream out;
  std::istringstream lines{std::string(help)};
  std::string line;
  bool inList = false;  // a heading's indented lines
  std::string run;      // a wrapped list, put back together
  auto flush = [&] {
    if (!run.empty()) out << ".PP\n" << RoffText(run) << '\n';
    run.clear();
  };
  while (std::getline(lines, line)) {
    const std::string_view text = Trimmed(line);
    if (text.empty()) {
      flush();
      inList = false;
    } else if (!StartsWithSpaces(line, 2) && !StartsWithSpaces(line, 6) && text.back() == ':') {
      flush();
      out << ".SH " << RoffText(Upper(text.substr(0, text.size() - 1))) << '\n';
      inList = true;
    } else if (inList && StartsWithSpaces(line, 6)) {
      out << RoffText(text) << '\n';
    } else if (inList && StartsWithSpaces(line, 2) && !run.empty()) {
      run += ' ' + std::string(text);
    } else if (inList && StartsWithSpaces(line, 2) && text.find(", ") != std::string_view::npos) {
      run = text;
    } else if (inList && StartsWithSpaces(line, 2)) {
      out << ".TP\n\\fB" << RoffText(text) << "\\fR\n";
    } else {
      flush();
      out << ".PP\n" << RoffText(text) << '\n';
    }
  }
  flush();
  return out.str();
}

}  // namespace vorex::manpages
